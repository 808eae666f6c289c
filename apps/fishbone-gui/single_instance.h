#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;

namespace fishbone_gui {

// One desktop host per user: the first instance listens on a local socket in the user's private
// folder; a later one finds it there, asks it to come to the front and ends.
class SingleInstance : public QObject {
  Q_OBJECT

 public:
  // `socket_path` is a file path in a private per-user folder.
  explicit SingleInstance(QString socket_path, QObject* parent = nullptr);
  ~SingleInstance() override;

  // True when another instance answered and was asked to raise its window: this one should end.
  bool RaiseRunningInstance();
  // Starts listening; `on_raise` runs whenever a later instance asks. False when the socket
  // cannot be made (the program then runs without the guard).
  bool Listen(std::function<void()> on_raise);

 private:
  QString socket_path_;
  QLocalServer* server_ = nullptr;
};

}  // namespace fishbone_gui
