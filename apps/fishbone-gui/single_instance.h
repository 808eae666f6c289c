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
  // `socket_path` is a file path in a private per-user folder, of any length.
  explicit SingleInstance(QString socket_path, QObject* parent = nullptr);
  ~SingleInstance() override;

  // True when another instance answered and was asked to raise its window: this one should end.
  bool RaiseRunningInstance();
  // Starts listening; `on_raise` runs whenever a later instance asks. False when the socket
  // cannot be made: the program then runs without the guard, and `problem()` says why.
  bool Listen(const std::function<void()>& on_raise);
  // Why Listen failed, naming the socket's path; "" after a success.
  const QString& problem() const { return problem_; }

 private:
  QString socket_path_;
  // What is given to the socket calls: the path itself, or a shorter name of the same file.
  QString address_;
  int folder_ = -1;
  QLocalServer* server_ = nullptr;
  QString problem_;
};

}  // namespace fishbone_gui
