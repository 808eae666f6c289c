// Every test program runs as a new account would: in a home folder of its own, empty when the
// program starts, with none of the XDG_* folders of whoever runs the suite. A test that needs
// something of a home makes it there; nothing a test does reaches the runner's own files, and
// nothing the runner's home holds (a ~/.local/state made by an earlier run, a registry file, a
// recovery file) can make a test pass that would fail for a new user.
//
// Linked into every test program as an object, so it runs before main and before any test reads
// the environment; the folder is removed when the program ends normally.

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

class FreshHome {
 public:
  FreshHome() {
    const char* temp = std::getenv("TMPDIR");
    std::string pattern =
        std::string(temp != nullptr && *temp == '/' ? temp : "/tmp") + "/fishbone-test-home-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
      std::perror("cannot make the test's home folder");
      std::_Exit(2);
    }
    path_ = pattern;
    owner_ = ::getpid();
    ::setenv("HOME", path_.c_str(), 1);
    for (const char* name : {"XDG_RUNTIME_DIR", "XDG_STATE_HOME", "XDG_CONFIG_HOME",
                             "XDG_CACHE_HOME", "XDG_DATA_HOME"}) {
      ::unsetenv(name);
    }
  }
  FreshHome(const FreshHome&) = delete;
  FreshHome& operator=(const FreshHome&) = delete;
  ~FreshHome() {
    // A forked child that exits normally must not take its parent's home away.
    if (::getpid() != owner_) return;
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

 private:
  std::string path_;
  pid_t owner_ = 0;
};

const FreshHome fresh_home;

}  // namespace
