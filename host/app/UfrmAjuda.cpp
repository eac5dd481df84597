#include "UfrmAjuda.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QShortcut>
#include <QSplitter>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace zv {

const std::vector<TopicoAjuda>& TopicosAjuda() {
  static const std::vector<TopicoAjuda> topicos = {
      {"principal", "Janela principal"},
      {"navegador", "Navegador de exames"},
      {"novoexame", "Novo exame"},
      {"cadastro", "Cadastro de pacientes e médicos"},
      {"calibracao", "Calibração"},
      {"backup", "Backup"},
      {"ferramentas", "Ferramentas"},
      {"assistente", "Assistente de seleção de exames"},
      {"laudo", "Laudo"},
  };
  return topicos;
}

std::string DiretorioAjuda() {
  return QDir(QCoreApplication::applicationDirPath()).filePath("ajuda").toStdString();
}

TfrmAjuda::TfrmAjuda(const std::string& directory, QWidget* parent)
    : QDialog(parent), directory_(directory) {
  setObjectName("frmAjuda");
  setWindowTitle("Ajuda do ZarvikSL");
  resize(860, 600);

  back_ = new QToolButton(this);
  back_->setObjectName("btnVoltar");
  back_->setText("◀ Voltar");
  forward_ = new QToolButton(this);
  forward_->setObjectName("btnAvancar");
  forward_->setText("Avançar ▶");
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(back_);
  buttons->addWidget(forward_);
  buttons->addStretch();

  contents_ = new QListWidget(this);
  contents_->setObjectName("lswConteudo");
  for (const auto& t : TopicosAjuda()) {
    auto* item = new QListWidgetItem(QString::fromUtf8(t.titulo), contents_);
    item->setData(Qt::UserRole, QString::fromUtf8(t.topico));
  }
  browser_ = new QTextBrowser(this);
  browser_->setObjectName("txtPagina");
  browser_->setOpenExternalLinks(true);
  browser_->setSearchPaths({QString::fromStdString(directory_)});

  auto* splitter = new QSplitter(this);
  splitter->addWidget(contents_);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({220, 640});

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(splitter);

  back_->setEnabled(false);
  forward_->setEnabled(false);
  connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
  connect(browser_, &QTextBrowser::sourceChanged, this, [this] { SelecionaNaLista(); });
  connect(contents_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    MostraTopico(item->data(Qt::UserRole).toString().toStdString());
  });
}

void TfrmAjuda::MostraTopico(const std::string& topic) {
  std::string chosen = TopicosAjuda().front().topico;
  for (const auto& t : TopicosAjuda())
    if (topic == t.topico) chosen = t.topico;
  const QString page =
      QDir(QString::fromStdString(directory_)).filePath(QString::fromStdString(chosen) + ".html");
  if (!QFileInfo::exists(page)) {
    browser_->setHtml("<h2>Ajuda</h2><p>A página de ajuda deste assunto não foi encontrada em " +
                      page.toHtmlEscaped() + ".</p>");
    return;
  }
  browser_->setSource(QUrl::fromLocalFile(page));
  SelecionaNaLista();
}

std::string TfrmAjuda::TopicoAtual() const {
  return QFileInfo(browser_->source().toLocalFile()).completeBaseName().toStdString();
}

void TfrmAjuda::SelecionaNaLista() {
  const QString topic = QString::fromStdString(TopicoAtual());
  for (int i = 0; i < contents_->count(); ++i)
    if (contents_->item(i)->data(Qt::UserRole).toString() == topic) contents_->setCurrentRow(i);
}

void AbreAjuda(QWidget* parent, const std::string& topic) {
  TfrmAjuda window(DiretorioAjuda(), parent);
  window.MostraTopico(topic);
  window.exec();
}

void AjudaComF1(QWidget* window, const std::string& topic) {
  auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), window);
  f1->setContext(Qt::WindowShortcut);
  QObject::connect(f1, &QShortcut::activated, window,
                   [window, topic] { AbreAjuda(window, topic); });
}

}  // namespace zv
