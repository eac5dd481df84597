// One running copy of the workstation per user.  The first copy holds a lock file and listens
// on a local socket; a later copy finds the lock held, asks the running copy through the
// socket to bring its main window to view, and ends without touching anything else.
#pragma once
#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <memory>

namespace zv {

class TBInstanciaUnica : public QObject {
  Q_OBJECT
 public:
  // `key` names the lock and the socket; the same key means the same workstation.
  explicit TBInstanciaUnica(const QString& key, QObject* parent = nullptr);
  ~TBInstanciaUnica() override;

  // The key of this user's workstation (ZARVIK_INSTANCE_KEY replaces it, for tests that run
  // copies side by side).
  static QString ChavePadrao();

  // True when this is the first copy: it now holds the lock and listens.
  bool Primeira();
  // From a later copy: asks the running copy to show its window; true when it answered.
  bool PedeParaMostrar(int timeoutMs = 3000);

 signals:
  // The running copy was asked to show its main window.
  void mostrarPedido();

 private:
  void AtendeConexao();

  QString key_;
  std::unique_ptr<QLockFile> lock_;
  QLocalServer server_;
};

}  // namespace zv
