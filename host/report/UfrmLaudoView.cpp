#include "UfrmLaudoView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>

#include "UfrmLauRelat.h"

namespace zv {
namespace {

template <class W>
W* Cria(QWidget* pai, const char* nome, QRect onde) {
  auto* w = new W(pai);
  w->setObjectName(nome);
  w->setGeometry(onde);
  return w;
}

QLabel* Rotulo(QWidget* pai, const char* nome, const QString& texto, QRect onde) {
  auto* l = Cria<QLabel>(pai, nome, onde);
  l->setText(texto);
  return l;
}

// The editor window as the wizard shows it.
class JanelaLaudoQt : public JanelaLaudo {
 public:
  explicit JanelaLaudoQt(std::unique_ptr<UfrmLaudoView> v) : v_(std::move(v)) {}
  TfrmLaudo& Modelo() override { return v_->Modelo(); }
  void MostraModal() override { v_->exec(); }

 private:
  std::unique_ptr<UfrmLaudoView> v_;
};

}  // namespace

UfrmLaudoView::UfrmLaudoView(QWidget* pai, data::TDMPrincipal& dm, NavegadorExames& navegador,
                             AmbienteLaudo ambiente, AbreAjudaLaudo ajuda)
    : QDialog(pai), ajuda_(std::move(ajuda)) {
  setObjectName("frmLaudo");
  setWindowTitle("Laudo");
  resize(1000, 720);
  struct Botao {
    const char* nome;
    const char* texto;
    int x;
  };
  for (const Botao& b :
       {Botao{"sbtSalvar", "Salvar", 8}, Botao{"sbtImprimir", "Imprimir", 96},
        Botao{"sbtVisualizarImpr", "Visualizar", 184}, Botao{"sbtExportarPdf", "Exportar PDF", 272},
        Botao{"SpeedButton1", "Ajuda", 372}, Botao{"sbtFechar", "Fechar", 460}}) {
    auto* t = Cria<QToolButton>(this, b.nome, QRect(b.x, 6, b.x == 272 ? 96 : 84, 28));
    t->setText(b.texto);
  }
  Rotulo(this, "lblPaciente", "Paciente:", QRect(8, 42, 60, 20));
  auto* nome = Rotulo(this, "lblNome", "", QRect(70, 42, 400, 20));
  QFont negrito = nome->font();
  negrito.setBold(true);
  nome->setFont(negrito);
  Rotulo(this, "lblCaixaSelec", "", QRect(8, 70, 330, 20));
  arvore_ = Cria<QTreeWidget>(this, "trwLaudo", QRect(8, 92, 330, 620));
  arvore_->setHeaderHidden(true);
  arvore_->setWordWrap(true);

  struct Caixa {
    const char *nome, *legenda, *rotulo;
    int y, altura;
  };
  const Caixa caixas[] = {
      {"reCE", "Condições do Exame", "lblCondicoes", 70, 80},
      {"reOD", "Olho Direito", "lblOlhoDireito", 176, 120},
      {"reOS", "Olho Esquerdo", "lblOlhoEsquerdo", 322, 120},
      {"reCO", "Conclusão", "lblConclusao", 468, 110},
      {"reCM", "Comentários", "lblComentarios", 604, 80},
  };
  for (const Caixa& c : caixas) {
    Rotulo(this, c.rotulo, c.legenda, QRect(350, c.y, 300, 20));
    auto* caixa = Cria<QTextEdit>(this, c.nome, QRect(350, c.y + 20, 640, c.altura));
    caixa->setAcceptRichText(false);
    caixa->installEventFilter(this);
    caixa->viewport()->installEventFilter(this);
  }
  auto* mesmo = Cria<QCheckBox>(this, "chkMesmoLau", QRect(660, 322, 330, 20));
  mesmo->setText("Mesmo laudo para ambos os olhos");

  modelo_ =
      std::make_unique<TfrmLaudo>(view_, *this, dialogs_, dm, navegador, std::move(ambiente), this);

  connect(arvore_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (!item) return modelo_->trwLaudoChange(-1, -1);
    if (QTreeWidgetItem* pai = item->parent())
      return modelo_->trwLaudoChange(arvore_->indexOfTopLevelItem(pai), pai->indexOfChild(item));
    modelo_->trwLaudoChange(arvore_->indexOfTopLevelItem(item), -1);
  });
  connect(arvore_, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem*) { modelo_->trwLaudoDblClick(); });
  auto botao = [this](const char* nome) { return findChild<QToolButton*>(nome); };
  connect(botao("sbtSalvar"), &QToolButton::clicked, this, [this] { modelo_->sbtSalvarClick(); });
  connect(botao("sbtImprimir"), &QToolButton::clicked, this, [this] { Imprime(0); });
  connect(botao("sbtVisualizarImpr"), &QToolButton::clicked, this, [this] { Imprime(1); });
  connect(botao("sbtExportarPdf"), &QToolButton::clicked, this, [this] { Imprime(2); });
  connect(botao("SpeedButton1"), &QToolButton::clicked, this, [this] {
    if (ajuda_) ajuda_(this, "laudo");
  });
  connect(botao("sbtFechar"), &QToolButton::clicked, this, &QDialog::accept);
}

void UfrmLaudoView::Imprime(int acao) {
  const TfrmLauRelat pagina = PreparaRelat(*modelo_, dialogs_);
  if (acao == 0) pagina.ImprimeNaPadrao(dialogs_);
  if (acao == 1) pagina.Visualiza(this, dialogs_);
  if (acao == 2) pagina.ExportaPdf(dialogs_);
}

void UfrmLaudoView::MostraArvore(const std::vector<PosicaoArvore>& arvore) {
  QSignalBlocker bloqueio(arvore_);
  arvore_->clear();
  for (const PosicaoArvore& p : arvore) {
    auto* no = new QTreeWidgetItem(arvore_, {QString::fromStdString(p.legenda)});
    for (const FraseArvore& f : p.frases)
      new QTreeWidgetItem(no, {QString::fromStdString(f.legenda)});
  }
}

void UfrmLaudoView::ColoreCaixa(const std::string& caixa, const QColor& fundo,
                                const std::vector<Realce>& realces) {
  auto* edit = findChild<QTextEdit*>(QString::fromStdString(caixa));
  if (!edit) return;
  QSignalBlocker bloqueio(edit);
  QPalette paleta = edit->palette();
  paleta.setColor(QPalette::Base, fundo);
  edit->setPalette(paleta);
  // Recolour on a copy of the cursor so the operator's own cursor stays where it was.
  QTextCursor todo(edit->document());
  todo.select(QTextCursor::Document);
  QTextCharFormat normal;
  normal.setForeground(Qt::black);
  todo.mergeCharFormat(normal);
  for (const Realce& r : realces) {
    QTextCursor c(edit->document());
    c.setPosition(r.de);
    c.setPosition(r.ate + 1, QTextCursor::KeepAnchor);
    QTextCharFormat cor;
    cor.setForeground(r.cor);
    c.mergeCharFormat(cor);
  }
}

bool UfrmLaudoView::eventFilter(QObject* objeto, QEvent* evento) {
  QObject* caixa = objeto->objectName().isEmpty() ? objeto->parent() : objeto;
  if (caixa && qobject_cast<QTextEdit*>(caixa)) {
    const std::string nome = caixa->objectName().toStdString();
    if (evento->type() == QEvent::MouseButtonPress) {
      if (nome == "reCE") modelo_->reCEMouseDown();
      if (nome == "reOD") modelo_->reODMouseDown();
      if (nome == "reOS") modelo_->reOSMouseDown();
      if (nome == "reCO") modelo_->reCOMouseDown();
      if (nome == "reCM") modelo_->reCMMouseDown();
    } else if (evento->type() == QEvent::FocusOut && objeto == caixa) {
      modelo_->CaixaExit(nome);
    }
  }
  return QDialog::eventFilter(objeto, evento);
}

void UfrmLaudoView::keyPressEvent(QKeyEvent* evento) {
  if (evento->key() == Qt::Key_F1 && ajuda_) return ajuda_(this, "laudo");
  QDialog::keyPressEvent(evento);
}

UfrmWizardLaudoView::UfrmWizardLaudoView(QWidget* pai, data::TDMPrincipal& dm,
                                         NavegadorExames& navegador, AmbienteLaudo ambiente,
                                         AbreAjudaLaudo ajuda)
    : QDialog(pai) {
  setObjectName("frmWizLaudo");
  setWindowTitle("Assistente de Laudo");
  resize(440, 330);
  auto* novo = Cria<QRadioButton>(this, "rgNovoLau", QRect(12, 10, 300, 22));
  novo->setText("Gerar novo laudo");
  Rotulo(this, "lblOD", "Olho Direito:", QRect(36, 38, 100, 22));
  Cria<QComboBox>(this, "cmbOD", QRect(140, 38, 280, 24));
  Rotulo(this, "lblOS", "Olho Esquerdo:", QRect(36, 68, 100, 22));
  Cria<QComboBox>(this, "cmbOS", QRect(140, 68, 280, 24));
  Rotulo(this, "lblTipoMapa", "Tipo de mapa:", QRect(36, 98, 100, 22));
  auto* tipo = Cria<QComboBox>(this, "rgTipoMapa", QRect(140, 98, 160, 24));
  tipo->addItems({"Axial", "Tangencial"});
  auto* abrir = Cria<QRadioButton>(this, "rbLauExist", QRect(12, 136, 300, 22));
  abrir->setText("Abrir laudo existente");
  Cria<QComboBox>(this, "cmbEscLaudo", QRect(36, 162, 384, 24));
  auto* excluir = Cria<QRadioButton>(this, "rbExcLaudo", QRect(12, 200, 300, 22));
  excluir->setText("Excluir laudo");
  Cria<QComboBox>(this, "cmbExcLaudo", QRect(36, 226, 384, 24));
  auto* ok = Cria<QPushButton>(this, "btnOK", QRect(236, 286, 90, 30));
  ok->setText("OK");
  ok->setDefault(true);
  auto* cancelar = Cria<QPushButton>(this, "btnCancelar", QRect(332, 286, 90, 30));
  cancelar->setText("Cancelar");

  AmbienteLaudo paraEditor = ambiente;
  modelo_ = std::make_unique<TfrmWizLaudo>(
      view_, dialogs_, dm, navegador, std::move(ambiente),
      [this, &dm, &navegador, paraEditor, ajuda] {
        return std::make_unique<JanelaLaudoQt>(
            std::make_unique<UfrmLaudoView>(this, dm, navegador, paraEditor, ajuda));
      });
  connect(novo, &QRadioButton::toggled, this, [this](bool on) {
    if (on) modelo_->rgNovoLauClick();
  });
  connect(abrir, &QRadioButton::toggled, this, [this](bool on) {
    if (on) modelo_->rbLauExistClick();
  });
  connect(excluir, &QRadioButton::toggled, this, [this](bool on) {
    if (on) modelo_->rbExcLaudoClick();
  });
  connect(ok, &QPushButton::clicked, this, [this] { modelo_->btnOKClick(); });
  connect(cancelar, &QPushButton::clicked, this, [this] { modelo_->btnCancelarClick(); });
}

void AbreAssistenteLaudo(QWidget* pai, data::TDMPrincipal& dm, NavegadorExames& navegador,
                         const AmbienteLaudo& ambiente, AbreAjudaLaudo ajuda) {
  UfrmWizardLaudoView janela(pai, dm, navegador, ambiente, std::move(ajuda));
  janela.Modelo().FormShow();
  janela.exec();
}

}  // namespace zv
