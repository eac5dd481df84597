#include "UBInstanciaUnica.h"

#include <unistd.h>

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace zv {
namespace {

const QByteArray kPedido = "mostrar\n";
const QByteArray kResposta = "ok\n";

}  // namespace

TBInstanciaUnica::TBInstanciaUnica(const QString& key, QObject* parent)
    : QObject(parent), key_(key) {
  connect(&server_, &QLocalServer::newConnection, this, &TBInstanciaUnica::AtendeConexao);
}

TBInstanciaUnica::~TBInstanciaUnica() = default;

QString TBInstanciaUnica::ChavePadrao() {
  const QByteArray chave = qgetenv("ZARVIK_INSTANCE_KEY");
  if (!chave.isEmpty()) return QString::fromLocal8Bit(chave);
  return QString("ZarvikSL-%1").arg(getuid());
}

bool TBInstanciaUnica::Primeira() {
  // The lock decides (a copy that died leaves a stale lock, which is taken over); the socket
  // only carries the request to show the window.
  lock_ = std::make_unique<QLockFile>(QDir(QDir::tempPath()).filePath(key_ + ".lock"));
  lock_->setStaleLockTime(0);
  if (!lock_->tryLock(0)) return false;
  QLocalServer::removeServer(key_);
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  server_.listen(key_);
  return true;
}

bool TBInstanciaUnica::PedeParaMostrar(int timeoutMs) {
  QLocalSocket socket;
  socket.connectToServer(key_);
  if (!socket.waitForConnected(timeoutMs)) return false;
  socket.write(kPedido);
  if (!socket.waitForBytesWritten(timeoutMs)) return false;
  while (!socket.canReadLine())
    if (!socket.waitForReadyRead(timeoutMs)) return false;
  return socket.readLine() == kResposta;
}

void TBInstanciaUnica::AtendeConexao() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      if (!socket->canReadLine()) return;
      if (socket->readLine() != kPedido) return socket->disconnectFromServer();
      emit mostrarPedido();
      socket->write(kResposta);
      socket->flush();
    });
  }
}

}  // namespace zv
