// The Qt views of the registration windows: widgets named after their components, signals
// forwarded to the models, database errors shown with the engine's text.
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <array>

#include "CadastroCampos.h"
#include "Protegido.h"
#include "QtDialogs.h"
#include "QtFormView.h"
#include "UfrmCadastroMedicos.h"
#include "UfrmCadastroPacientes.h"
#include "UfrmConsultaMedicos.h"
#include "UfrmNovoPaciente.h"

namespace zv::exam {
namespace {

QLineEdit* Edit(QWidget* pai, const char* nome, int tamanho) {
  auto* e = new QLineEdit(pai);
  e->setObjectName(nome);
  e->setMaxLength(tamanho);
  return e;
}

QComboBox* Lista(QWidget* pai, const char* nome, int tamanho) {
  auto* c = new QComboBox(pai);
  c->setObjectName(nome);
  c->setEditable(true);
  c->lineEdit()->setMaxLength(tamanho);
  return c;
}

QGroupBox* Grupo(QWidget* pai, const char* nome, const char* titulo,
                 std::initializer_list<std::pair<const char*, const char*>> botoes) {
  auto* g = new QGroupBox(titulo, pai);
  g->setObjectName(nome);
  auto* l = new QHBoxLayout(g);
  for (const auto& [objeto, texto] : botoes) {
    auto* r = new QRadioButton(texto, g);
    r->setObjectName(objeto);
    l->addWidget(r);
  }
  return g;
}

int Tamanho(const std::vector<CampoCadastro>& campos, const char* controle) {
  for (const auto& c : campos)
    if (std::string(c.controle) == controle) return c.tamanho;
  return 0;
}

// The two tabs "Informações Pessoais" and "Informações Residenciais" of the patient form
// (medico false) or the doctors form (medico true), with the code label and box above them.
QWidget* MontaCampos(QWidget* pai, bool medico) {
  const auto& campos = medico ? kCamposMedico : kCamposPaciente;
  auto* corpo = new QWidget(pai);
  auto* coluna = new QVBoxLayout(corpo);
  auto* linhaCodigo = new QHBoxLayout;
  auto* lblCodigo = new QLabel("Código:", corpo);
  lblCodigo->setObjectName("lblCodigo");
  auto* dbtCodigo = new QLabel(corpo);
  dbtCodigo->setObjectName("dbtCodigo");
  linhaCodigo->addWidget(lblCodigo);
  linhaCodigo->addWidget(dbtCodigo);
  linhaCodigo->addStretch();
  coluna->addLayout(linhaCodigo);
  auto* abas = new QTabWidget(corpo);
  abas->setObjectName("pgcDados");
  coluna->addWidget(abas);

  const auto pagina = [&](const char* nome, const char* titulo) {
    auto* p = new QWidget;
    p->setObjectName(nome);
    abas->addTab(p, titulo);
    return new QGridLayout(p);
  };
  const auto campo = [&](QGridLayout* g, const char* rotulo, QWidget* w) {
    const int linha = g->rowCount();
    g->addWidget(new QLabel(rotulo), linha, 0);
    g->addWidget(w, linha, 1);
  };
  auto* pessoais = pagina("tshPessoais", "Informações Pessoais");
  campo(pessoais, "Nome:", Edit(corpo, "dbeNome", 50));
  campo(pessoais, "RG:", Edit(corpo, "dbeRG", 15));
  if (medico) campo(pessoais, "CRM:", Edit(corpo, "dbeCRM", 15));
  campo(pessoais, "CPF:", Edit(corpo, "dbeCPF", 11));
  pessoais->addWidget(
      Grupo(corpo, "drgSexo", "Sexo", {{"rbtMasculino", "Masculino"}, {"rbtFeminino", "Feminino"}}),
      pessoais->rowCount(), 0, 1, 2);
  campo(pessoais, "Data de Nascimento:", Edit(corpo, "dbeDataNascimento", 10));
  pessoais->addWidget(Grupo(corpo, "drgEstadoCivil", "Estado Civil",
                            {{"rbtCasado", "Casado(a)"},
                             {"rbtSolteiro", "Solteiro(a)"},
                             {"rbtDivorciado", "Divorciado(a)"}}),
                      pessoais->rowCount(), 0, 1, 2);
  campo(pessoais, "Conjuge:", Edit(corpo, "dbeConjuge", 25));
  campo(pessoais, "Naturalidade:", Edit(corpo, "dbeNaturalidade", 40));
  campo(pessoais, "Estado Naturalidade:", Lista(corpo, "dbcEstadoNaturalidade", 2));
  campo(pessoais, "Pai:", Edit(corpo, "dbePai", 50));
  campo(pessoais, "Mãe:", Edit(corpo, "dbeMae", 50));
  if (!medico) {
    campo(pessoais, "Profissão:", Edit(corpo, "dbeProfissao", 40));
    campo(pessoais, "Convênio:", Edit(corpo, "dbeConvenio", 50));
    campo(pessoais, "Tipo Sanguineo:", Lista(corpo, "dbcTipoSang", 3));
  }
  auto* residenciais = pagina("tshResidenciais", "Informações Residenciais");
  campo(residenciais, "Rua:", Edit(corpo, "dbeRua", Tamanho(campos, "dbeRua")));
  campo(residenciais, "Complemento:", Edit(corpo, "dbeComplemento", 25));
  campo(residenciais, "Bairro:", Edit(corpo, "dbeBairro", 30));
  campo(residenciais, "Cidade:", Edit(corpo, "dbeCidade", 40));
  campo(residenciais, "Estado:", Lista(corpo, "dbcEstado", 2));
  campo(residenciais, "CEP:", Edit(corpo, "dbeCEP", 9));
  campo(residenciais, "Fone:", Edit(corpo, "dbeFone", 11));
  campo(residenciais, "Celular:", Edit(corpo, "dbeCelular", 11));
  residenciais->setRowStretch(residenciais->rowCount(), 1);
  return corpo;
}

QToolButton* Botao(QWidget* pai, const char* nome, const char* texto, const char* dica = "") {
  auto* b = new QToolButton(pai);
  b->setObjectName(nome);
  b->setText(texto);
  b->setToolTip(dica);
  return b;
}

}  // namespace

// ---- doctors form ----

TfrmCadastroMedicosView::TfrmCadastroMedicosView(data::TDMPrincipal& dm,
                                                 const std::string& medicoAtivo, QWidget* parent)
    : QDialog(parent) {
  setObjectName("frmCadastroMedicos");
  setWindowTitle("Cadastro de Médicos");
  resize(560, 520);
  auto* coluna = new QVBoxLayout(this);
  auto* barra = new QHBoxLayout;
  auto* add = Botao(this, "sbtAdd", "Adicionar");
  auto* alterar = Botao(this, "sbtAlterar", "Alterar");
  auto* del = Botao(this, "sbtDel", "Excluir");
  auto* atualizar = Botao(this, "sbtAtualizar", "Atualizar");
  auto* find = Botao(this, "sbtFind", "Localizar");
  for (auto* b : {add, alterar, del, atualizar, find}) barra->addWidget(b);
  barra->addStretch();
  auto* first = Botao(this, "nbFirst", "|<", "Primeiro Registro");
  auto* prior = Botao(this, "nbPrior", "<", "Registro Anterior");
  auto* next = Botao(this, "nbNext", ">", "Próximo Registro");
  auto* last = Botao(this, "nbLast", ">|", "Último Registro");
  for (auto* b : {first, prior, next, last}) barra->addWidget(b);
  coluna->addLayout(barra);
  coluna->addWidget(MontaCampos(this, true));
  auto* rodape = new QHBoxLayout;
  auto* ajuda = Botao(this, "SpeedButton3", "?", "Ajuda");
  auto* fechar = new QPushButton("Fechar", this);
  fechar->setObjectName("btnFechar");
  rodape->addWidget(ajuda);
  rodape->addStretch();
  rodape->addWidget(fechar);
  coluna->addLayout(rodape);

  bridge_ = std::make_unique<QtFormView>(this);
  dialogs_ = std::make_unique<QtDialogs>(this);
  model_ = std::make_unique<TfrmCadastroMedicos>(*bridge_, *dialogs_, dm, medicoAtivo);
  model_->abreConsulta = [this, &dm] {
    TfrmConsultaMedicosView consulta(
        dm, [this](int codigo) { model_->Localiza(codigo); }, this);
    consulta.exec();
  };
  const auto liga = [this](QAbstractButton* b, void (TfrmCadastroMedicos::*h)()) {
    connect(b, &QAbstractButton::clicked, this,
            [this, h] { Protegido(this, [&] { (model_.get()->*h)(); }); });
  };
  liga(add, &TfrmCadastroMedicos::sbtAddClick);
  liga(alterar, &TfrmCadastroMedicos::sbtAlterarClick);
  liga(del, &TfrmCadastroMedicos::sbtDelClick);
  liga(atualizar, &TfrmCadastroMedicos::sbtAtualizarClick);
  liga(find, &TfrmCadastroMedicos::sbtFindClick);
  liga(first, &TfrmCadastroMedicos::nbFirstClick);
  liga(prior, &TfrmCadastroMedicos::nbPriorClick);
  liga(next, &TfrmCadastroMedicos::nbNextClick);
  liga(last, &TfrmCadastroMedicos::nbLastClick);
  liga(fechar, &TfrmCadastroMedicos::btnFecharClick);
  Protegido(this, [&] { model_->FormShow(); });
}

TfrmCadastroMedicosView::~TfrmCadastroMedicosView() = default;

// Every way of closing (Fechar, Esc, the title bar) passes through the model's FormClose.
void TfrmCadastroMedicosView::done(int result) {
  if (!closing_) {
    closing_ = true;
    Protegido(this, [&] { model_->FormClose(); });
  }
  QDialog::done(result);
}

// ---- doctor search ----

TfrmConsultaMedicosView::TfrmConsultaMedicosView(data::TDMPrincipal& dm,
                                                 std::function<void(int)> localiza, QWidget* parent)
    : QDialog(parent, Qt::Tool) {
  setObjectName("frmConsultaMedicos");
  setWindowTitle("Assistente de Consulta");
  setMinimumSize(415, 300);
  setMaximumWidth(430);
  resize(415, 300);
  auto* coluna = new QVBoxLayout(this);
  auto* grupo = new QGroupBox("Consultar por", this);
  grupo->setObjectName("rgConsultar");
  auto* grade = new QGridLayout(grupo);
  const std::pair<const char*, const char*> opcoes[] = {
      {"rbtNome", "Nome"}, {"rbtRG", "RG"}, {"rbtCPF", "CPF"}, {"rbtCRM", "CRM"}};
  for (int i = 0; i < 4; ++i) {
    auto* r = new QRadioButton(opcoes[i].second, grupo);
    r->setObjectName(opcoes[i].first);
    grade->addWidget(r, i / 2, i % 2);
  }
  coluna->addWidget(grupo);
  auto* linha = new QHBoxLayout;
  linha->addWidget(new QLabel("Pesquisa:", this));
  auto* pesquisa = new QLineEdit(this);
  pesquisa->setObjectName("edtPesquisa");
  linha->addWidget(pesquisa);
  auto* consultar = new QPushButton("Consultar Agora", this);
  consultar->setObjectName("btnConsultar");
  consultar->setDefault(true);
  linha->addWidget(consultar);
  coluna->addLayout(linha);
  coluna->addWidget(new QLabel("Resultado:", this));
  auto* resultado = new QTableWidget(0, 2, this);
  resultado->setObjectName("lswResultado");
  resultado->setHorizontalHeaderLabels({"Código", "Nome"});
  resultado->setColumnWidth(0, 75);
  resultado->setColumnWidth(1, 322);
  resultado->setSelectionBehavior(QAbstractItemView::SelectRows);
  resultado->setEditTriggers(QAbstractItemView::NoEditTriggers);
  resultado->verticalHeader()->hide();
  coluna->addWidget(resultado);
  auto* fechar = new QPushButton("Fechar", this);
  fechar->setObjectName("btnFechar");
  coluna->addWidget(fechar, 0, Qt::AlignRight);

  bridge_ = std::make_unique<QtFormView>(this);
  model_ = std::make_unique<TfrmConsultaMedicos>(*bridge_, dm, std::move(localiza));
  connect(pesquisa, &QLineEdit::textChanged, this, [this] { model_->edtPesquisaChange(); });
  connect(consultar, &QPushButton::clicked, this,
          [this] { Protegido(this, [&] { model_->btnConsultarClick(); }); });
  connect(resultado, &QTableWidget::cellDoubleClicked, this,
          [this](int row, int) { model_->lswResultadoDblClick(row); });
  connect(fechar, &QPushButton::clicked, this, [this] { model_->btnFecharClick(); });
  model_->FormShow();
}

TfrmConsultaMedicosView::~TfrmConsultaMedicosView() = default;

// ---- patient form ----

TfrmCadastroPacientesView::TfrmCadastroPacientesView(data::TDMPrincipal& dm,
                                                     const std::string& modo, QWidget* parent)
    : QDialog(parent) {
  setObjectName("frmCadastroPacientes");
  resize(520, 520);
  auto* coluna = new QVBoxLayout(this);
  coluna->addWidget(MontaCampos(this, false));
  auto* rodape = new QHBoxLayout;
  auto* ajuda = Botao(this, "SpeedButton3", "?", "Ajuda");
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("sbtOk");
  auto* cancelar = new QPushButton("Cancelar", this);
  cancelar->setObjectName("sbtCancelar");
  rodape->addWidget(ajuda);
  rodape->addStretch();
  rodape->addWidget(ok);
  rodape->addWidget(cancelar);
  coluna->addLayout(rodape);
  bridge_ = std::make_unique<QtFormView>(this);
  dialogs_ = std::make_unique<QtDialogs>(this);
  model_ = std::make_unique<TfrmCadastroPacientes>(*bridge_, *dialogs_, dm, modo);
  connect(ok, &QPushButton::clicked, this,
          [this] { Protegido(this, [&] { model_->sbtOkClick(); }); });
  connect(cancelar, &QPushButton::clicked, this, [this] { model_->sbtCancelarClick(); });
  model_->FormShow();
}

TfrmCadastroPacientesView::~TfrmCadastroPacientesView() = default;

// ---- patient dialog ----

TfrmNovoPacienteView::TfrmNovoPacienteView(data::TDMPrincipal& dm, NavegadorExames& navegador,
                                           bool autoExame, QWidget* parent)
    : QDialog(parent) {
  setObjectName("frmNovoPaciente");
  setWindowTitle("Cadastro de Paciente");
  resize(575, 285);
  move((800 - width()) / 2, (600 - height()) / 2);
  auto* coluna = new QVBoxLayout(this);
  auto* linha = new QHBoxLayout;
  linha->addWidget(new QLabel("Nome do Paciente:", this));
  auto* nome = new QLineEdit(this);
  nome->setObjectName("edtNomePac");
  nome->setMaxLength(50);
  linha->addWidget(nome);
  coluna->addLayout(linha);
  coluna->addWidget(new QLabel("Pacientes já cadastrados", this));
  auto* grade = new QTableWidget(0, 4, this);
  grade->setObjectName("DBGrid1");
  grade->setHorizontalHeaderLabels({"ID", "NOME", "RG", "QTD EXAMES"});
  for (int c = 0; c < 4; ++c) grade->setColumnWidth(c, std::array{50, 283, 85, 75}[c]);
  grade->setSelectionBehavior(QAbstractItemView::SelectRows);
  grade->setSelectionMode(QAbstractItemView::SingleSelection);
  grade->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grade->verticalHeader()->hide();
  coluna->addWidget(grade);
  auto* continuar = new QPushButton("Continuar", this);
  continuar->setObjectName("Button1");
  coluna->addWidget(continuar, 0, Qt::AlignRight);

  bridge_ = std::make_unique<QtFormView>(this);
  dialogs_ = std::make_unique<QtDialogs>(this);
  auto abreCadastro = [this, &dm](const std::string& texto) {
    TfrmCadastroPacientesView form(dm, "Add", this);
    form.Model().PreparaInclusao(texto);
    form.exec();
    return form.Model().NomeGravado();
  };
  model_ = std::make_unique<TfrmNovoPaciente>(*bridge_, *dialogs_, dm, navegador, autoExame,
                                              abreCadastro);
  nome->installEventFilter(this);
  grade->installEventFilter(this);
  connect(grade, &QTableWidget::cellClicked, this,
          [this](int row, int) { model_->DBGrid1CellClick(row); });
  connect(grade, &QTableWidget::cellDoubleClicked, this,
          [this](int row, int) { Protegido(this, [&] { model_->DBGrid1DblClick(row); }); });
  connect(continuar, &QPushButton::clicked, this,
          [this] { Protegido(this, [&] { model_->Button1Click(); }); });
  Protegido(this, [&] { model_->FormShow(); });
}

TfrmNovoPacienteView::~TfrmNovoPacienteView() = default;

// Esc closes the dialog from the name edit and the grid; every key released in the name edit
// runs the search.
bool TfrmNovoPacienteView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Escape) {
      model_->KeyPress(27);
      return true;
    }
    if (event->type() == QEvent::KeyRelease && watched->objectName() == "edtNomePac")
      Protegido(this, [&] { model_->edtNomePacKeyUp(); });
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace zv::exam
