#pragma once

// Runs a program as a child process for the tests: arguments, standard input, working folder,
// and optionally a lower file-size limit, another user or a deadline; collects exit status and
// output.

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace fbtest {

struct ProcessResult {
  int status = -1;         // exit status; 128 + signal number when killed by a signal
  bool timed_out = false;  // still running at the deadline, and killed
  std::string out;
  std::string err;
};

struct ProcessOptions {
  std::string input;                      // written to standard input, which is then closed
  std::string folder;                     // working folder, or empty for the test's own
  std::optional<rlim_t> file_size_limit;  // RLIMIT_FSIZE of the child (SIGXFSZ ignored)
  std::optional<uid_t> user;              // run as this user and group (needs root)
  std::vector<std::pair<std::string, std::string>> environment;  // set in the child
  std::vector<std::string> unset;                // removed from the child's environment
  std::optional<std::chrono::seconds> deadline;  // killed (SIGKILL) when it runs longer
};

inline ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                                const ProcessOptions& options = {}) {
  int in_pipe[2], out_pipe[2], err_pipe[2];
  if (::pipe2(in_pipe, O_CLOEXEC) != 0 || ::pipe2(out_pipe, O_CLOEXEC) != 0 ||
      ::pipe2(err_pipe, O_CLOEXEC) != 0) {
    return {};
  }
  std::vector<std::string> argv_strings{program};
  argv_strings.insert(argv_strings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  argv.reserve(argv_strings.size() + 1);
  for (auto& arg : argv_strings) argv.push_back(arg.data());
  argv.push_back(nullptr);

  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(in_pipe[0], 0);
    ::dup2(out_pipe[1], 1);
    ::dup2(err_pipe[1], 2);
    if (!options.folder.empty() && ::chdir(options.folder.c_str()) != 0) ::_exit(126);
    for (const auto& [name, value] : options.environment) ::setenv(name.c_str(), value.c_str(), 1);
    for (const std::string& name : options.unset) ::unsetenv(name.c_str());
    if (options.file_size_limit) {
      ::signal(SIGXFSZ, SIG_IGN);
      struct rlimit limit {};
      ::getrlimit(RLIMIT_FSIZE, &limit);
      limit.rlim_cur = *options.file_size_limit;
      ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    if (options.user) {
      if (::setgroups(0, nullptr) != 0 || ::setgid(*options.user) != 0 ||
          ::setuid(*options.user) != 0) {
        ::_exit(125);
      }
    }
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(in_pipe[0]);
  ::close(out_pipe[1]);
  ::close(err_pipe[1]);
  ::signal(SIGPIPE, SIG_IGN);

  ProcessResult result;
  std::size_t written = 0;
  int in_fd = in_pipe[1];
  if (options.input.empty()) {
    ::close(in_fd);
    in_fd = -1;
  }
  const auto end =
      std::chrono::steady_clock::now() + options.deadline.value_or(std::chrono::seconds(0));
  bool out_open = true, err_open = true;
  while (out_open || err_open || in_fd >= 0) {
    std::vector<pollfd> fds;
    if (out_open) fds.push_back({out_pipe[0], POLLIN, 0});
    if (err_open) fds.push_back({err_pipe[0], POLLIN, 0});
    if (in_fd >= 0) fds.push_back({in_fd, POLLOUT, 0});
    int wait_ms = 10000;
    if (options.deadline) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          end - std::chrono::steady_clock::now());
      if (left.count() <= 0) {
        ::kill(pid, SIGKILL);
        result.timed_out = true;
        break;
      }
      wait_ms = static_cast<int>(std::min<long long>(left.count(), 1000));
    }
    const int ready = ::poll(fds.data(), fds.size(), wait_ms);
    if (ready == 0 && options.deadline) continue;
    if (ready <= 0) break;
    for (const pollfd& fd : fds) {
      if (fd.revents == 0) continue;
      if (fd.fd == in_fd) {
        const ssize_t n =
            ::write(in_fd, options.input.data() + written, options.input.size() - written);
        if (n > 0) written += static_cast<std::size_t>(n);
        if (n < 0 || written == options.input.size()) {
          ::close(in_fd);
          in_fd = -1;
        }
        continue;
      }
      char buffer[4096];
      const ssize_t n = ::read(fd.fd, buffer, sizeof buffer);
      if (n <= 0) {
        if (fd.fd == out_pipe[0]) out_open = false;
        if (fd.fd == err_pipe[0]) err_open = false;
      } else {
        (fd.fd == out_pipe[0] ? result.out : result.err)
            .append(buffer, static_cast<std::size_t>(n));
      }
    }
  }
  if (in_fd >= 0) ::close(in_fd);
  ::close(out_pipe[0]);
  ::close(err_pipe[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result;
}

}  // namespace fbtest
