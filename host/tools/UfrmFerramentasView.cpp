#include "UfrmFerramentasView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "QtFormView.h"

namespace zv {
namespace {

template <typename W>
W* Named(QWidget* parent, const char* name, const QString& text = {}) {
  auto* w = new W(parent);
  w->setObjectName(name);
  if constexpr (std::is_base_of_v<QAbstractButton, W> || std::is_same_v<W, QLabel> ||
                std::is_same_v<W, QLineEdit>)
    w->setText(text);
  return w;
}

// The logo picture: a double click asks for a new one.
class LogoLabel : public QLabel {
 public:
  std::function<void()> onDoubleClick;
  using QLabel::QLabel;

 protected:
  void mouseDoubleClickEvent(QMouseEvent*) override {
    if (onDoubleClick) onDoubleClick();
  }
};

QSpinBox* Spin(QWidget* parent, const char* name) {
  auto* s = Named<QSpinBox>(parent, name);
  s->setRange(25, 100);
  s->setSingleStep(5);
  return s;
}

}  // namespace

TfrmFerramentasView::TfrmFerramentasView(Dialogs& dialogs, ContextoFerramentas contexto,
                                         QWidget* parent)
    : QDialog(parent) {
  setObjectName("frmFerramentas");
  resize(600, 470);
  auto* root = new QVBoxLayout(this);
  auto* pgc = Named<QTabWidget>(this, "pgcFerramentas");
  root->addWidget(pgc);

  // Módulos
  auto* tshModulos = Named<QWidget>(pgc, "tshModulos");
  auto* mapas = Named<QTableWidget>(tshModulos, "tlvMapas");
  mapas->setColumnCount(4);
  mapas->setHorizontalHeaderLabels({"Descrição", "Tipo", "Nº de Mapas", "Versão"});
  mapas->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  mapas->verticalHeader()->hide();
  mapas->setEditTriggers(QAbstractItemView::NoEditTriggers);
  mapas->setSelectionBehavior(QAbstractItemView::SelectRows);
  (new QVBoxLayout(tshModulos))->addWidget(mapas);
  pgc->addTab(tshModulos, "Módulos");

  // Aplicativos do sistema
  auto* tshAplicativos = Named<QWidget>(pgc, "tshAplicativos");
  auto* aplicativos = Named<QListWidget>(tshAplicativos, "tlvAplicativos");
  aplicativos->setViewMode(QListView::IconMode);
  aplicativos->setIconSize(QSize(32, 32));
  aplicativos->setGridSize(QSize(140, 72));
  aplicativos->setMovement(QListView::Static);
  (new QVBoxLayout(tshAplicativos))->addWidget(aplicativos);
  pgc->addTab(tshAplicativos, "Aplicativos do Sistema");

  // Dados da Clínica
  auto* tshDados = Named<QWidget>(pgc, "tshDadosClinica");
  auto* dadosLayout = new QHBoxLayout(tshDados);
  auto* form = new QFormLayout;
  form->addRow(Named<QLabel>(tshDados, "lblNome", "Nome:"), Named<QLineEdit>(tshDados, "edtNome"));
  form->addRow(Named<QLabel>(tshDados, "lblEndereco", "Endereço:"),
               Named<QLineEdit>(tshDados, "edtEndereco"));
  form->addRow(Named<QLabel>(tshDados, "lblCidadeEstado", "Cidade/Estado"),
               Named<QLineEdit>(tshDados, "edtCidadeEstado"));
  form->addRow(Named<QLabel>(tshDados, "lblFone", "Telefone:"),
               Named<QLineEdit>(tshDados, "edtFone"));
  auto* tela = Named<QGroupBox>(tshDados, "grpTelaMapa");
  tela->setTitle("Tela do Mapa");
  auto* telaLayout = new QVBoxLayout(tela);
  telaLayout->addWidget(Named<QCheckBox>(tela, "chkDadosClinica", "Mostrar dados da clínica."));
  telaLayout->addWidget(Named<QCheckBox>(tela, "chkNomeMedico", "Mostrar nome do médico."));
  telaLayout->addWidget(Named<QCheckBox>(tela, "chkLogoClinica", "Mostrar logotipo da clínica."));
  form->addRow(tela);
  dadosLayout->addLayout(form, 1);
  auto* logoColuna = new QVBoxLayout;
  auto* logo = new LogoLabel(tshDados);
  logo->setObjectName("LogoClinica");
  logo->setFixedSize(TfrmFerramentas::kLadoLogo + 2, TfrmFerramentas::kLadoLogo + 2);
  logo->setFrameShape(QFrame::Box);
  logo->setToolTip("Duplo clique para escolher o logotipo da clínica");
  logoColuna->addWidget(Named<QLabel>(tshDados, "lblLogo", "Logotipo:"));
  logoColuna->addWidget(logo);
  logoColuna->addStretch();
  dadosLayout->addLayout(logoColuna);
  pgc->addTab(tshDados, "Dados da Clínica");

  // The two hidden tabs keep their controls without being offered.
  auto* busca = Named<QWidget>(this, "TabSheet4");
  busca->hide();
  auto* tshLinguagem = Named<QWidget>(this, "tshLinguagem");
  auto* idioma = Named<QComboBox>(tshLinguagem, "cbxIdioma");
  (new QVBoxLayout(tshLinguagem))->addWidget(idioma);
  tshLinguagem->hide();

  // Configurações
  auto* tshConfig = Named<QWidget>(pgc, "tshConfig");
  auto* config = new QGridLayout(tshConfig);
  auto* grpMapa = new QGroupBox("Incremento do mapa", tshConfig);
  auto* mapaForm = new QFormLayout(grpMapa);
  auto* rbtEnable = Named<QRadioButton>(grpMapa, "rbtEnable", "Automático");
  auto* rbtDisable = Named<QRadioButton>(grpMapa, "rbtDisable", "Personalizado");
  mapaForm->addRow(rbtEnable, rbtDisable);
  mapaForm->addRow(Named<QLabel>(grpMapa, "lblValIncremento", "Incremento fixo:"),
                   Named<QLineEdit>(grpMapa, "EdtIncMap"));
  auto* rgr = Named<QComboBox>(grpMapa, "rgrMapaPadrao");
  mapaForm->addRow(new QLabel("Mapa padrão novo exame:", grpMapa), rgr);
  mapaForm->addRow(
      Named<QCheckBox>(grpMapa, "chkExibeGrade", "Exibir grade de escala sobre o mapa"));
  auto* chkCerat = Named<QCheckBox>(grpMapa, "chkExibeCeratPontual", "Exibir ceratometria pontual");
  mapaForm->addRow(chkCerat);
  mapaForm->addRow(Named<QLabel>(grpMapa, "lblCor", "Cor:"),
                   Named<QComboBox>(grpMapa, "cbCorCeratPontual"));
  mapaForm->addRow(new QLabel("Tipo de Ceratometria padrão:", grpMapa),
                   Named<QComboBox>(grpMapa, "cbTipoCeratometria"));
  config->addWidget(grpMapa, 0, 0);

  auto* grpExame = new QGroupBox("Exame", tshConfig);
  auto* exameForm = new QFormLayout(grpExame);
  exameForm->addRow(
      Named<QCheckBox>(grpExame, "chkAneisAuto", "Detectar os anéis automaticamente"));
  exameForm->addRow(new QLabel("Índice de confiabilidade (mínimo aceitável - em %):", grpExame),
                    Spin(grpExame, "edtValIndConf"));
  exameForm->addRow(
      Named<QCheckBox>(grpExame, "chkAutoExame", "Realiza exame após o cadastro do paciente"));
  exameForm->addRow(Named<QCheckBox>(grpExame, "chkSalvarCaptura",
                                     "Habilitar botão (Salvar Imagem) no módulo Digitalização"));
  auto* imagens = new QHBoxLayout;
  imagens->addWidget(Named<QCheckBox>(grpExame, "chkImgCentral", "Imagem Central"));
  imagens->addWidget(Named<QCheckBox>(grpExame, "chkImgLateral", "Imagem Lateral"));
  exameForm->addRow(imagens);
  exameForm->addRow(new QLabel("Compactação / Qualidade da Imagem (%):", grpExame),
                    Spin(grpExame, "SpinEditQualidadeImagem"));
  config->addWidget(grpExame, 0, 1);

  auto* grpCaptura = new QGroupBox("Captura", tshConfig);
  auto* capturaForm = new QFormLayout(grpCaptura);
  capturaForm->addRow(new QLabel("Valor central:", grpCaptura),
                      Named<QLineEdit>(grpCaptura, "edtTVlCentral"));
  capturaForm->addRow(new QLabel("Incremento:", grpCaptura),
                      Named<QLineEdit>(grpCaptura, "edtTIncremento"));
  capturaForm->addRow(Named<QLabel>(grpCaptura, "lblNotaTolerancia"));
  auto* chkAutoP = Named<QCheckBox>(grpCaptura, "chkAutoPCaptura",
                                    "Executar o AutoCentro antes de congelar a imagem");
  capturaForm->addRow(chkAutoP);
  capturaForm->addRow(Named<QLabel>(grpCaptura, "lblDelayAutoPCaptura", "Tempo de espera (ms): "),
                      Named<QLineEdit>(grpCaptura, "edtDelayAutoPCaptura"));
  config->addWidget(grpCaptura, 1, 0, 1, 2);
  pgc->addTab(tshConfig, "Configurações");

  // Banco de Dados
  auto* tshBD = Named<QWidget>(pgc, "tshBD");
  auto* bd = new QFormLayout(tshBD);
  const std::pair<const char*, const char*> linhas[] = {
      {"Médicos cadastrados:", "lblBDMedicos"},
      {"Índice de médicos:", "lblBDIndiceMedicos"},
      {"Pacientes cadastrados:", "lblBDPacientes"},
      {"Índice de pacientes:", "lblBDIndicePaciente"},
      {"Exames cadastrados:", "lblBDExames"},
      {"Índice de exames:", "lblBDIndiceExames"},
      {"Laudos cadastrados:", "lblBDLaudos"},
      {"Índice de laudos:", "lblBDIndiceLaudos"},
      {"Exames com backup:", "lblBDBackupExames"},
      {"Laudos com backup:", "lblBDBackupLaudos"},
      {"Tamanho do banco de dados:", "lblTamanhoBD"},
      {"Diretório:", "lblDiretorioBD"}};
  for (const auto& [caption, name] : linhas) bd->addRow(caption, Named<QLabel>(tshBD, name));
  auto* zerar = Named<QPushButton>(tshBD, "btnZerarBackup", "Zerar Backup");
  bd->addRow(zerar, Named<QLabel>(tshBD, "lblReiniciaBackup"));
  pgc->addTab(tshBD, "Banco de Dados");

  auto* botoes = new QHBoxLayout;
  auto* indice = Named<QLabel>(this, "lblIndiceM");
  botoes->addWidget(indice);
  botoes->addStretch();
  auto* fechar = Named<QPushButton>(this, "btnFechar", "&Fechar");
  botoes->addWidget(fechar);
  root->addLayout(botoes);

  bridge_ = std::make_unique<QtFormView>(this);
  model_ = std::make_unique<TfrmFerramentas>(*bridge_, dialogs, std::move(contexto));
  model_->FormCreate();
  for (int k = 0; k < aplicativos->count(); ++k)
    aplicativos->item(k)->setIcon(style()->standardIcon(QStyle::SP_DesktopIcon));

  connect(fechar, &QPushButton::clicked, this, [this] { model_->btnFecharClick(); });
  connect(aplicativos, &QListWidget::itemDoubleClicked, this,
          [this] { model_->tlvAplicativosDblClick(); });
  logo->onDoubleClick = [this] { model_->LogoClinicaDblClick(); };
  connect(rbtEnable, &QRadioButton::clicked, this, [this] { model_->rbtEnableClick(); });
  connect(rbtDisable, &QRadioButton::clicked, this, [this] { model_->rbtDisableClick(); });
  connect(zerar, &QPushButton::clicked, this, [this] { model_->btnZerarBackupClick(); });
  connect(idioma, &QComboBox::activated, this, [this] { model_->cbxIdiomaClick(); });
  connect(chkAutoP, &QCheckBox::toggled, this, [this] { model_->chkAutoPCapturaClick(); });
  connect(chkCerat, &QCheckBox::toggled, this, [this] { model_->chkExibeCeratPontualClick(); });
}

TfrmFerramentasView::~TfrmFerramentasView() = default;

void TfrmFerramentasView::MostraAba(const QString& nome) {
  auto* pgc = findChild<QTabWidget*>("pgcFerramentas");
  if (auto* aba = findChild<QWidget*>(nome)) pgc->setCurrentWidget(aba);
}

void TfrmFerramentasView::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (mostrado_) return;
  mostrado_ = true;
  model_->FormShow();
  findChild<QTabWidget*>("pgcFerramentas")->setCurrentIndex(0);
}

void TfrmFerramentasView::done(int result) {
  model_->FormClose();
  QDialog::done(result);
}

}  // namespace zv
