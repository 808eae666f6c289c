// The help objects as the help reader process hands them over: read back as they were written,
// and anything else refused rather than believed.
#include "platform/ui/help_objects.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fb::ui {
namespace {

TEST(HelpObjects, ReadBackAsWrittenAndRefusedWhenAltered) {
  const std::vector<HelpObject> objects = {
      {"/#SYSTEM", HelpObject::State::kRead, std::string("\0\1\2", 3)},
      {"/_1.htm", HelpObject::State::kRead, "<html>初始化</html>"},
      {"/big.htm", HelpObject::State::kTooLarge, ""},
      {"/cut.htm", HelpObject::State::kUnreadable, ""},
  };
  const std::string bytes = encode_help_objects(objects);
  EXPECT_EQ(decode_help_objects(bytes), objects);
  EXPECT_EQ(decode_help_objects(encode_help_objects({})), std::vector<HelpObject>{});

  std::string wrong_state = bytes;
  wrong_state[bytes.find("/_1.htm") + 7] = 9;  // the state after the name
  std::string huge_length = bytes;
  huge_length[bytes.find("/big.htm") - 1] = '\x7F';  // the name's length, most significant byte
  for (const std::string& altered : {bytes.substr(0, bytes.size() - 1), bytes + "x",
                                     std::string("not objects"), wrong_state, huge_length}) {
    EXPECT_EQ(decode_help_objects(altered), std::nullopt);
  }
}

}  // namespace
}  // namespace fb::ui
