#include "UfrmDadosOrto.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <cmath>

#include "NumberFormat.h"
#include "QtFormView.h"

namespace zv {
namespace {

double RoundedTo4(double v) {
  return StrToFloat(FormatFloat("0.0000", v));
}

}  // namespace

void CalculaMedia(std::array<double, 5>& v) {
  v[4] = RoundedTo4((v[0] + v[1] + v[2] + v[3]) / 4);
}

double DesvioPadrao(const std::array<double, 5>& v) {
  double sum = 0;
  for (int i = 0; i < 4; ++i) sum += (v[i] - v[4]) * (v[i] - v[4]);
  return RoundedTo4(std::sqrt(sum / 3));
}

void TfrmDadosOrto::CalculaMedias() {
  CalculaMedia(valores_.SAG);
  CalculaMedia(valores_.DIV);
  CalculaMedia(valores_.R0);
}

void TfrmDadosOrto::FormShow() {
  const char* grid = "stgOrto";
  view_.SetText("frmDadosOrto", "Dados da Ortoceratologia");
  view_.SetCell(grid, 0, 0, "");
  view_.SetCell(grid, 1, 0, "SAG");
  view_.SetCell(grid, 2, 0, "DIV");
  view_.SetCell(grid, 3, 0, "R0");
  for (int i = 0; i < 4; ++i) {
    view_.SetCell(grid, 0, i + 1, "Imagem 0" + std::to_string(i + 1));
    view_.SetCell(grid, 1, i + 1, FormatFloat("0.0000", valores_.SAG[i]));
    view_.SetCell(grid, 2, i + 1, FormatFloat("0.0000", valores_.DIV[i]));
    view_.SetCell(grid, 3, i + 1, FormatFloat("#0.00", valores_.R0[i]));
  }
  view_.SetCell(grid, 0, 5, "Média");
  view_.SetCell(grid, 0, 6, "Desvio Padrão");
  int column = 1;
  for (const auto* values : {&valores_.SAG, &valores_.DIV, &valores_.R0}) {
    view_.SetCell(grid, column, 5, FormatFloat("#0.0000", (*values)[4]));
    view_.SetCell(grid, column, 6, FloatToStr(DesvioPadrao(*values)));
    ++column;
  }
  view_.SetText("BitBtn1", "Sair");
}

void TfrmDadosOrto::BitBtn1Click() {
  view_.Close(QDialog::Accepted);
}

TfrmDadosOrtoView::TfrmDadosOrtoView(ValoresOrtoImagens valores, QWidget* parent)
    : QDialog(parent) {
  setObjectName("frmDadosOrto");
  setFixedSize(372, 236);
  auto* grid = new QTableWidget(7, 4, this);
  grid->setObjectName("stgOrto");
  grid->setGeometry(8, 8, 356, 184);
  grid->horizontalHeader()->hide();
  grid->verticalHeader()->hide();
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // The first column is wide enough for "Desvio Padrão" at the system font.
  grid->setColumnWidth(0, 104);
  for (int c = 1; c < 4; ++c) grid->setColumnWidth(c, 80);
  for (int r = 0; r < 7; ++r) grid->setRowHeight(r, 25);
  auto* sair = new QPushButton(this);
  sair->setObjectName("BitBtn1");
  sair->setGeometry(148, 202, 75, 25);
  bridge_ = std::make_unique<QtFormView>(this);
  model_ = std::make_unique<TfrmDadosOrto>(*bridge_, valores);
  connect(sair, &QPushButton::clicked, this, [this] { model_->BitBtn1Click(); });
}

TfrmDadosOrtoView::~TfrmDadosOrtoView() = default;

void TfrmDadosOrtoView::showEvent(QShowEvent* event) {
  model_->FormShow();
  QDialog::showEvent(event);
}

}  // namespace zv
