#include "UfrmExamesView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <tuple>

#include "GanchosNavegador.h"
#include "QtDialogs.h"
#include "QtFormView.h"
#include "TextFile.h"
#include "TfrmAguarde.h"
#include "UfrmLaudoView.h"

namespace zv::browser {
namespace {

QString Q(const char* s) {
  return QString::fromUtf8(s);
}

template <class W>
W* Nomeado(W* w, const char* nome) {
  w->setObjectName(Q(nome));
  return w;
}

QLabel* Rotulo(QWidget* pai, QGridLayout* grade, int linha, const char* texto, const char* nome) {
  grade->addWidget(new QLabel(Q(texto), pai), linha, 0);
  auto* valor = Nomeado(new QLabel(pai), nome);
  grade->addWidget(valor, linha, 1);
  return valor;
}

// The browser's pictures: 1 a standard exam, 3 an orthokeratology exam (and the generic map
// button), drawn so the view needs no files.
QIcon Figura(int indice) {
  QImage img(24, 24, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(indice == 3 ? "#b03060" : "#1f4e9c"), 2));
  for (int r = 10; r > 0; r -= 3) p.drawEllipse(QPointF(12, 12), r, r);
  return QIcon(QPixmap::fromImage(img));
}

}  // namespace

TfrmExamesView::TfrmExamesView(AmbienteNavegador ambiente, QWidget* parent)
    : QDialog(parent), bridge_(std::make_unique<QtFormView>(this)), proprios_(this) {
  setObjectName("frmExames");
  setWindowTitle(Q("Navegador do Zarvik"));
  if (!ambiente.dialogs) ambiente.dialogs = &proprios_;
  dialogs_ = ambiente.dialogs;
  const auto botoes = ambiente.botoesMapas;
  Monta(botoes);
  ambiente.aviso = this;
  ambiente.handle = static_cast<QWidget*>(this);
  model_ = std::make_unique<TfrmExames>(*bridge_, std::move(ambiente));
}

TfrmExamesView::~TfrmExamesView() = default;

void TfrmExamesView::Monta(const std::vector<TBBotaoModulo>& botoes) {
  auto* raiz = new QVBoxLayout(this);

  // Toolbar of exams and patients.
  auto* barra = Nomeado(new QToolBar(this), "tlbPrincipal");
  const auto botao = [&](const char* nome, const char* texto, const char* dica,
                         void (TfrmExames::*handler)()) {
    auto* b = Nomeado(new QToolButton(barra), nome);
    b->setText(Q(texto));
    b->setToolTip(Q(dica));
    barra->addWidget(b);
    connect(b, &QToolButton::clicked, this,
            [this, handler] { Executa([&] { (model_.get()->*handler)(); }); });
    return b;
  };
  botao("tbNovoExame1", "Novo Exame", "Novo Exame", &TfrmExames::tbNovoExameClick);
  botao("tbExameOrto1", "Orto", "Novo Exame Ortoceratologia", &TfrmExames::tbExameOrtoClick);
  botao("tbtCadPaciente", "Cadastrar", "Cadastrar Paciente", &TfrmExames::tbtCadPacienteClick);
  botao("tbtAlterarPaciente", "Alterar", "Alterar Paciente", &TfrmExames::tbtAlterarPacienteClick);
  botao("tbtExcluirPaciente", "Excluir Paciente", "Excluir Paciente",
        &TfrmExames::tbtExcluirPacienteClick);
  botao("tbLocPacExam", "Localizar", "Localizar Paciente", &TfrmExames::tbLocPacExamClick);
  botao("tbtExcluirExame", "Excluir Exame", "Excluir Exame", &TfrmExames::tbtExcluirExameClick);
  botao("tbExportador", "Exportador ", "Exportar Exame", &TfrmExames::tbExportadorClick);
  botao("tbExportadorAberto", "Exportar CSV", "Exportar Exame em CSV aberto",
        &TfrmExames::tbExportadorAbertoClick);
  botao("tbLaudo", "Laudo", "Laudo", &TfrmExames::tbLaudoClick);
  botao("tbOrdemCriacao", "Criação", "Ordenar por Código", &TfrmExames::tbOrdemCriacaoClick);
  botao("tbOrdemAlfa", "Alfabética", "Ordenar por Nome", &TfrmExames::tbOrdemAlfaClick);
  raiz->addWidget(barra);

  auto* corpo = new QHBoxLayout;
  raiz->addLayout(corpo, 1);

  // Left: the two pages.
  auto* paginas = Nomeado(new QTabWidget(this), "pcExames");
  auto* pacientes = Nomeado(new QWidget(paginas), "tshPacientes");
  auto* lp = new QVBoxLayout(pacientes);
  // The patient page's own new-exam buttons.
  auto* barraPaciente = Nomeado(new QToolBar(pacientes), "tlbPaciente");
  for (const auto& [nome, texto, dica, orto] :
       {std::tuple{"tbNovoExame2", "Novo Exame", "Novo Exame", false},
        std::tuple{"tbExameOrto2", "Orto", "Novo Exame Ortoceratologia", true}}) {
    auto* b = Nomeado(new QToolButton(barraPaciente), nome);
    b->setText(Q(texto));
    b->setToolTip(Q(dica));
    barraPaciente->addWidget(b);
    const bool ehOrto = orto;
    connect(b, &QToolButton::clicked, this, [this, ehOrto] {
      Executa([&] { ehOrto ? model_->tbExameOrtoClick() : model_->tbNovoExameClick(); });
    });
  }
  lp->addWidget(barraPaciente);
  auto* medicos = Nomeado(new QComboBox(pacientes), "CBMedicos");
  lp->addWidget(medicos);
  auto* todos = Nomeado(new QCheckBox(Q("Exibir todos os exames"), pacientes), "CBoxExames");
  lp->addWidget(todos);
  auto* grade = Nomeado(new QListWidget(pacientes), "DBGridPacientes");
  grade->setUniformItemSizes(true);
  lp->addWidget(grade, 1);
  auto* resumo = Nomeado(new QWidget(pacientes), "pnlResumo");
  auto* lr = new QGridLayout(resumo);
  Rotulo(resumo, lr, 0, "Paciente ID:", "lblPacienteID");
  Rotulo(resumo, lr, 1, "Convênio:", "lblConvenio");
  Rotulo(resumo, lr, 2, "Ult.Exame:", "lblUltExame");
  Rotulo(resumo, lr, 3, "Total de exames:", "lblTotalExames");
  lp->addWidget(resumo);
  auto* busca = new QHBoxLayout;
  auto* rapido = Nomeado(new QLineEdit(pacientes), "edtFindGrid");
  busca->addWidget(rapido, 1);
  auto* avancada = Nomeado(new QPushButton(Q("Busca"), pacientes), "bbtnBuscaAv");
  busca->addWidget(avancada);
  lp->addLayout(busca);
  paginas->addTab(pacientes, Q("Pacientes"));
  auto* exemplos = Nomeado(new QWidget(paginas), "tshExemplos");
  auto* le = new QVBoxLayout(exemplos);
  auto* grupos = Nomeado(new QListWidget(exemplos), "GridExemplos");
  for (const auto& g : kGruposExemplos) grupos->addItem(QString::fromStdString(g));
  le->addWidget(grupos);
  paginas->addTab(exemplos, Q("Exemplos"));
  corpo->addWidget(paginas, 2);

  // Centre: the map toolbar and the exam list.
  auto* centro = new QVBoxLayout;
  auto* rolagem = Nomeado(new QScrollArea(this), "pscrollMapas");
  auto* mapas = Nomeado(new QToolBar(rolagem), "tlbMapas");
  mapas->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  for (const auto& b : botoes) {
    auto* botaoMapa = new QToolButton(mapas);
    botaoMapa->setObjectName(QString::fromStdString("tbMapa" + b.caption));
    botaoMapa->setText(QString::fromStdString(b.caption));
    botaoMapa->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    botaoMapa->setToolTip(QString::fromStdString(b.hint));
    QIcon icone = b.normal.isNull() ? Figura(1) : QIcon(QPixmap::fromImage(b.normal));
    if (!b.highlighted.isNull()) icone.addPixmap(QPixmap::fromImage(b.highlighted), QIcon::Active);
    botaoMapa->setIcon(icone);
    mapas->addWidget(botaoMapa);
    const std::string caption = b.caption;
    const bool simples = b.clique == TipoClique::MapaClick;
    connect(botaoMapa, &QToolButton::clicked, this, [this, caption, simples] {
      Executa([&] { simples ? model_->MapaClick(caption) : model_->MapasClick(caption); });
    });
  }
  rolagem->setWidget(mapas);
  rolagem->setFixedHeight(72);
  centro->addWidget(rolagem);
  exames_ = Nomeado(new QListWidget(this), "lswPrincipal");
  exames_->setIconSize(QSize(24, 24));
  centro->addWidget(exames_, 1);
  auto* fechar = Nomeado(new QPushButton(Q("&Fechar"), this), "btnFechar");
  centro->addWidget(fechar);
  corpo->addLayout(centro, 2);

  // Right: the exam panel.
  auto* painel = Nomeado(new QGroupBox(Q("Informações do Exame"), this), "pnlInfoExame");
  auto* lpainel = new QVBoxLayout(painel);
  auto* dados = new QGridLayout;
  Rotulo(painel, dados, 0, "Data:", "lblData");
  Rotulo(painel, dados, 1, "Hora:", "lblHora");
  Rotulo(painel, dados, 2, "Olho:", "lblOlho");
  responsavel_ = Rotulo(painel, dados, 3, "Responsável pelo Exame:", "lblResponsavel");
  Rotulo(painel, dados, 4, "Exame ID:", "lblExameID");
  Rotulo(painel, dados, 5, "Índice de Confiabilidade:", "lblIndiceConf");
  lpainel->addLayout(dados);
  const auto memo = [&](const char* titulo, const char* nome, const char* editar,
                        const char* salvar, void (TfrmExames::*aoEditar)(),
                        void (TfrmExames::*aoSalvar)()) {
    auto* caixa = new QGroupBox(Q(titulo), painel);
    auto* l = new QHBoxLayout(caixa);
    auto* texto = Nomeado(new QPlainTextEdit(caixa), nome);
    texto->setMaximumHeight(60);
    l->addWidget(texto, 1);
    auto* botoesMemo = new QVBoxLayout;
    auto* be = Nomeado(new QToolButton(caixa), editar);
    be->setText(Q("Editar"));
    auto* bs = Nomeado(new QToolButton(caixa), salvar);
    bs->setText(Q("Salvar"));
    botoesMemo->addWidget(be);
    botoesMemo->addWidget(bs);
    l->addLayout(botoesMemo);
    connect(be, &QToolButton::clicked, this,
            [this, aoEditar] { Executa([&] { (model_.get()->*aoEditar)(); }); });
    connect(bs, &QToolButton::clicked, this,
            [this, aoSalvar] { Executa([&] { (model_.get()->*aoSalvar)(); }); });
    lpainel->addWidget(caixa);
  };
  memo("&Diagnóstico", "dbDiag", "SpeedButton2", "SpeedButton1", &TfrmExames::SpeedButton2Click,
       &TfrmExames::SpeedButton1Click);
  memo("&Observações", "dbObs", "SpeedButton3", "SpeedButton4", &TfrmExames::SpeedButton3Click,
       &TfrmExames::SpeedButton4Click);
  auto* caixaCone = new QGroupBox(Q("Tipo de Cone"), painel);
  auto* lc = new QVBoxLayout(caixaCone);
  auto* cone = Nomeado(new QListWidget(caixaCone), "rgTipoCone");
  cone->addItems({Q("Cone 1"), Q("Cone 2"), Q("Cone 3"), Q("Cone 4")});
  cone->setFlow(QListView::LeftToRight);
  cone->setMaximumHeight(30);
  lc->addWidget(cone);
  lpainel->addWidget(caixaCone);
  auto* mini = Nomeado(new ImageView(painel), "imgVisualizar");
  mini->setMinimumSize(200, 200);
  lpainel->addWidget(mini, 1);
  auto* auto_ = Nomeado(new QCheckBox(Q("&Automático"), painel), "cBoxMiniMapa");
  lpainel->addWidget(auto_);
  auto* orto = Nomeado(new QGroupBox(Q("Ortoceratologia"), painel), "pnlOrto");
  auto* lo = new QGridLayout(orto);
  Rotulo(orto, lo, 0, "SAG:", "lblSAG");
  Rotulo(orto, lo, 1, "DIV:", "lblDIV");
  Rotulo(orto, lo, 2, "Raio:", "lblR0");
  lpainel->addWidget(orto);
  corpo->addWidget(painel, 2);

  // The search panel, shown over the window on demand.
  auto* procura = Nomeado(new QGroupBox(Q("Localizar Paciente"), this), "pnlFindPac");
  auto* lf = new QVBoxLayout(procura);
  lf->addWidget(new QLabel(Q("Consultar por"), procura));
  auto* tipos = Nomeado(new QListWidget(procura), "rgConsultarPor");
  // The choices' captions without their accelerator marks, which a list does not use.
  for (const char* escolha :
       {"&Primeiro Nome do Pac.", "Parte do &Nome do Pac.", "&Código do Paciente",
        "&RG do Paciente", "Códi&go do Exame", "&Diagnóstico do Exame", "&Observação do Exame"})
    tipos->addItem(Q(escolha).remove('&'));
  lf->addWidget(tipos);
  auto* texto = Nomeado(new QLineEdit(procura), "edtFind");
  lf->addWidget(texto);
  auto* lb = new QHBoxLayout;
  auto* localizar = Nomeado(new QPushButton(Q("&Localizar"), procura), "btnLocPac");
  auto* fecharBusca = Nomeado(new QPushButton(Q("&Fechar"), procura), "btnFecharBusca");
  lb->addWidget(localizar);
  lb->addWidget(fecharBusca);
  lf->addLayout(lb);
  raiz->addWidget(procura);
  procura->hide();

  auto* timer = Nomeado(new QTimer(this), "Timer1");

  // Signals to handlers.
  connect(medicos, qOverload<int>(&QComboBox::activated), this,
          [this] { Executa([&] { model_->CBMedicosChange(); }); });
  connect(todos, &QCheckBox::clicked, this,
          [this] { Executa([&] { model_->CBoxExamesClick(); }); });
  connect(grade, &QListWidget::itemClicked, this, [this, grade](QListWidgetItem* item) {
    Executa([&] { model_->DBGridPacientesSelect(grade->row(item)); });
    AtualizaFiguras();
  });
  connect(rapido, &QLineEdit::textEdited, this, [this] {
    Executa([&] { model_->edtFindGridChange(); });
    AtualizaFiguras();
  });
  connect(avancada, &QPushButton::clicked, this,
          [this] { Executa([&] { model_->bbtnBuscaAvClick(); }); });
  connect(paginas, &QTabWidget::currentChanged, this, [this] {
    Executa([&] { model_->pcExamesChange(); });
    AtualizaFiguras();
  });
  connect(grupos, &QListWidget::currentRowChanged, this, [this](int linha) {
    if (!model_->ModoExemplos() || linha < 0) return;
    Executa([&] { model_->GridExemplosSelectCell(linha); });
    AtualizaFiguras();
  });
  connect(exames_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    Executa([&] { model_->lswPrincipalSelectItem(exames_->row(item)); });
    AtualizaCorResponsavel();
  });
  connect(exames_, &QListWidget::itemDoubleClicked, this,
          [this] { Executa([&] { model_->lswPrincipalDblClick(); }); });
  connect(fechar, &QPushButton::clicked, this,
          [this] { Executa([&] { model_->btnFecharClick(); }); });
  connect(cone, &QListWidget::itemClicked, this,
          [this] { Executa([&] { model_->rgTipoConeClick(); }); });
  connect(mini, &ImageView::mousePressed, this,
          [this] { Executa([&] { model_->imgVisualizarClick(); }); });
  connect(auto_, &QCheckBox::clicked, this,
          [this] { Executa([&] { model_->cBoxMiniMapaClick(); }); });
  connect(localizar, &QPushButton::clicked, this, [this] {
    Executa([&] { model_->btnLocPacClick(); });
    AtualizaFiguras();
  });
  connect(fecharBusca, &QPushButton::clicked, this,
          [this] { Executa([&] { model_->btnFecharBuscaClick(); }); });
  connect(timer, &QTimer::timeout, this, [this] { Executa([&] { model_->Timer1Timer(); }); });
  resize(1200, 760);
}

void TfrmExamesView::Executa(const std::function<void()>& handler) {
  // A database error ends the operation with the engine's text; the window stays usable.
  try {
    handler();
  } catch (const std::exception& e) {
    dialogs_->Message(e.what(), "Erro", MsgIcon::Error, MsgButtons::Ok);
  }
}

void TfrmExamesView::AtualizaFiguras() {
  const auto& figuras = model_->FigurasExames();
  for (int i = 0; i < exames_->count() && i < static_cast<int>(figuras.size()); ++i)
    exames_->item(i)->setIcon(Figura(figuras[static_cast<size_t>(i)]));
}

void TfrmExamesView::AtualizaCorResponsavel() {
  QPalette p = responsavel_->palette();
  p.setColor(QPalette::WindowText,
             model_->CorResponsavel() == "navy" ? QColor(0, 0, 128) : QColor(Qt::red));
  responsavel_->setPalette(p);
}

void TfrmExamesView::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (auto* rolagem = findChild<QWidget*>("pscrollMapas")) rolagem->setFixedWidth(300);
  // The patient grid takes its share of the page by the screen's proportions.
  if (const QScreen* tela = screen()) {
    const auto prop = ProporcaoPorTela(tela->size().width(), tela->size().height());
    if (auto* grade = findChild<QWidget*>("DBGridPacientes"))
      grade->setMinimumHeight(static_cast<int>(height() * prop.grade * 0.6));
  }
  Executa([&] { model_->FormShow(); });
  AtualizaFiguras();
  AtualizaCorResponsavel();
}

void TfrmExamesView::done(int result) {
  if (!fechado_) {
    fechado_ = true;
    Executa([&] { model_->FormClose(); });
  }
  QDialog::done(result);
}

void TfrmExamesView::Mostra() {
  if (!aviso_) aviso_ = std::make_unique<TfrmAguardeView>(this);
  aviso_->ShowNotice();
}

void TfrmExamesView::Esconde() {
  if (aviso_) aviso_->hide();
}

int MostraNavegador(AmbienteNavegador ambiente, QWidget* parent) {
  data::TDMPrincipal& dm = ambiente.dm;
  const TZVRecords& records = ambiente.records;
  TfrmExamesView janela(std::move(ambiente), parent);
  // The browser's "Laudo" opens the report wizard over it while it is open.
  const auto anterior = Ganchos().laudo;
  if (!anterior) {
    Ganchos().laudo = [&](NavegadorExames& navegador) {
      auto Texto = [](const char* s) { return s ? std::string(s) : std::string(); };
      AmbienteLaudo a;
      a.dirExames = Texto(records.Paths.DirExames);
      a.dirLaudos = Texto(records.Paths.DirLaudos);
      a.dirMapas = Texto(records.Paths.DirMapas);
      a.dirPrograma = ProgramDirectory();
      a.infos = records.Infos;
      AbreAssistenteLaudo(&janela, dm, navegador, a);
    };
  }
  const int resultado = janela.exec();
  Ganchos().laudo = anterior;
  return resultado;
}

}  // namespace zv::browser
