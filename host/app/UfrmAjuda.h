// The help window: the workstation's HTML help pages (directory "ajuda" beside the program),
// with a contents list, back and forward.  Every window opens it at its own topic with its
// help button and with F1.
#pragma once
#include <QDialog>
#include <string>
#include <vector>

class QListWidget;
class QTextBrowser;
class QToolButton;

namespace zv {

struct TopicoAjuda {
  const char* topico;  // the page is <topico>.html
  const char* titulo;
};

// The topics in the order of the contents list; "principal" comes first.
const std::vector<TopicoAjuda>& TopicosAjuda();

// The help directory of the installation: "ajuda" beside the running program.
std::string DiretorioAjuda();

class TfrmAjuda : public QDialog {
  Q_OBJECT
 public:
  TfrmAjuda(const std::string& directory, QWidget* parent = nullptr);
  // Shows the topic's page ("principal", "navegador", ...); an unknown or empty topic shows
  // the first page.
  void MostraTopico(const std::string& topic);
  std::string TopicoAtual() const;

 private:
  void SelecionaNaLista();

  std::string directory_;
  QListWidget* contents_;
  QTextBrowser* browser_;
  QToolButton *back_, *forward_;
};

// Opens the help window modally over `parent` at the topic.
void AbreAjuda(QWidget* parent, const std::string& topic);
// F1 on `window` opens the help at the topic.
void AjudaComF1(QWidget* window, const std::string& topic);

}  // namespace zv
