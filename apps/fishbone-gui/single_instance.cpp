#include "apps/fishbone-gui/single_instance.h"

#include <QLocalServer>
#include <QLocalSocket>

namespace fishbone_gui {

namespace {
constexpr int kAnswerMilliseconds = 500;
const QByteArray kRaise = "raise\n";
}  // namespace

SingleInstance::SingleInstance(QString socket_path, QObject* parent)
    : QObject(parent), socket_path_(std::move(socket_path)) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::RaiseRunningInstance() {
  QLocalSocket socket;
  socket.connectToServer(socket_path_);
  if (!socket.waitForConnected(kAnswerMilliseconds)) return false;
  socket.write(kRaise);
  socket.waitForBytesWritten(kAnswerMilliseconds);
  socket.disconnectFromServer();
  return true;
}

bool SingleInstance::Listen(std::function<void()> on_raise) {
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  // Nobody answered on the socket: what is there was left by an instance that did not end
  // cleanly.
  QLocalServer::removeServer(socket_path_);
  if (!server_->listen(socket_path_)) return false;
  connect(server_, &QLocalServer::newConnection, this, [this, on_raise] {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
      connect(socket, &QLocalSocket::readyRead, this, [socket, on_raise] {
        if (socket->readAll().contains("raise") && on_raise) on_raise();
      });
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
  });
  return true;
}

}  // namespace fishbone_gui
