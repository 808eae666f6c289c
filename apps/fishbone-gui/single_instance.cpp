#include "apps/fishbone-gui/single_instance.h"

#include <fcntl.h>
#include <sys/un.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

namespace fishbone_gui {

namespace {
constexpr int kAnswerMilliseconds = 500;
const QByteArray kRaise = "raise\n";
// A socket's address holds a path of at most this many bytes.
constexpr qsizetype kMostAddressBytes = sizeof(sockaddr_un::sun_path) - 1;
}  // namespace

SingleInstance::SingleInstance(QString socket_path, QObject* parent)
    : QObject(parent), socket_path_(std::move(socket_path)), address_(socket_path_) {
  if (QFile::encodeName(socket_path_).size() <= kMostAddressBytes) return;
  // A runtime folder deep in a long home goes past the address's limit, and the guard would be
  // off without a word. The folder's descriptor names the same place in a few bytes: the kernel
  // resolves /proc/self/fd/N/NAME for binding and connecting alike, and every instance opens the
  // folder for itself.
  const QFileInfo socket(socket_path_);
  folder_ = ::open(QFile::encodeName(socket.path()).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (folder_ >= 0) {
    address_ = QString("/proc/self/fd/%1/%2").arg(folder_).arg(socket.fileName());
  }
}

SingleInstance::~SingleInstance() {
  // The server goes first: it removes its socket file through the folder's descriptor.
  delete server_;
  server_ = nullptr;
  if (folder_ >= 0) ::close(folder_);
}

bool SingleInstance::RaiseRunningInstance() {
  QLocalSocket socket;
  socket.connectToServer(address_);
  if (!socket.waitForConnected(kAnswerMilliseconds)) return false;
  socket.write(kRaise);
  socket.waitForBytesWritten(kAnswerMilliseconds);
  socket.disconnectFromServer();
  return true;
}

bool SingleInstance::Listen(const std::function<void()>& on_raise) {
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  // Nobody answered on the socket: what is there was left by an instance that did not end
  // cleanly.
  QLocalServer::removeServer(address_);
  if (!server_->listen(address_)) {
    problem_ = QString("cannot listen on \"%1\": %2").arg(socket_path_, server_->errorString());
    return false;
  }
  problem_.clear();
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
