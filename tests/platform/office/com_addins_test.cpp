#include "platform/office/com_addins.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/os/host_error.h"

namespace fb::office {
namespace {

// Records the connection calls of every instance into one log.
class LoggingAddin final : public ComAddin {
 public:
  LoggingAddin(std::string name, std::vector<std::string>& log)
      : name_(std::move(name)), log_(log) {}
  void OnConnection(int mode) override {
    log_.push_back(name_ + " connect " + std::to_string(mode));
  }
  void OnDisconnection(int mode) override {
    log_.push_back(name_ + " disconnect " + std::to_string(mode));
  }

 private:
  std::string name_;
  std::vector<std::string>& log_;
};

class ComAddInsTest : public ::testing::Test {
 protected:
  void Register(const std::string& prog_id) {
    addins_.register_class(
        prog_id, [this, prog_id] { return std::make_unique<LoggingAddin>(prog_id, log_); });
  }
  void List(const std::string& prog_id, std::uint32_t load_behavior) {
    registry_.set_value(ComAddIns::addins_key() + "\\" + prog_id, "LoadBehavior", load_behavior);
  }

  std::vector<std::string> log_;
  os::Registry registry_;
  ComAddIns addins_;
};

TEST_F(ComAddInsTest, StartUpConnectsTheRegisteredAddinsThatLoadAtStartup) {
  Register("KIVO2D.Connect");
  Register("Other.Manual");
  List("KIVO2D.Connect", kLoadAtStartup);
  List("Other.Manual", 2);     // listed, but loaded only on demand
  List("Missing.Library", 3);  // listed without a class in this process: skipped
  addins_.start_up(registry_);
  EXPECT_EQ(log_, (std::vector<std::string>{"KIVO2D.Connect connect 1"}));
  EXPECT_TRUE(addins_.connected("kivo2d.connect"));
  EXPECT_FALSE(addins_.connected("Other.Manual"));
}

TEST_F(ComAddInsTest, ConnectDisconnectAndShutDown) {
  Register("A.Connect");
  Register("B.Connect");
  addins_.connect("A.Connect");
  addins_.connect("A.Connect");  // connected already: no second call
  addins_.connect("B.Connect", connect_mode::kCommandLine);
  addins_.disconnect("A.Connect");
  addins_.disconnect("A.Connect");  // not connected: nothing
  addins_.connect("A.Connect");
  addins_.shut_down();
  EXPECT_EQ(log_, (std::vector<std::string>{"A.Connect connect 0", "B.Connect connect 3",
                                            "A.Connect disconnect 1", "A.Connect connect 0",
                                            "A.Connect disconnect 0", "B.Connect disconnect 0"}));
  EXPECT_FALSE(addins_.connected("A.Connect"));
  try {
    addins_.connect("No.Such");
    ADD_FAILURE() << "connected an unknown class";
  } catch (const HostError& error) {
    EXPECT_EQ(error.number(), 1004);
    EXPECT_NE(error.description().find("No.Such"), std::string::npos);
  }
}

}  // namespace
}  // namespace fb::office
