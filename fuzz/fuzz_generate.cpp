// A whole generation, as `fishbone generate` runs it, from an arbitrary small tree: the bytes
// choose the shape (each new cause under any node that may still take one) and the captions,
// which are arbitrary Unicode that XML can carry. Every output is asked for: the report workbook,
// its page as PDF and PNG, the pictures (EMF, SVG, PNG), the data workbook and the trace.
//
// Beyond "no crash, no sanitizer report": a tree that `check` accepts must give a report. The
// component refuses only a main cause without a child, with its warning, and then writes nothing.

#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "apps/fishbone/generate_run.h"
#include "platform/os/utf16.h"
#include "src/editor/tree_file.h"
#include "src/editor/tree_limits.h"
#include "src/editor/xml_safe_text.h"

namespace {

namespace fs = std::filesystem;

fs::path g_folder;

class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool empty() const { return at_ >= size_; }
  unsigned next() { return at_ < size_ ? data_[at_++] : 0; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// A caption of up to 24 characters. A byte below 0xF0 is a character of its own (ASCII, or from
// a table of scripts the report meets); 0xF0 and above take three more bytes for any code point.
std::string Caption(Bytes& bytes) {
  static const std::uint32_t kScripts[] = {0x4E00, 0x0300, 0x05D0, 0x0627, 0x1F600,
                                           0x200D, 0xFE0F, 0x3000, 0x00A0, 0x0E01};
  const unsigned length = bytes.next() % 25;
  std::string caption;
  for (unsigned i = 0; i < length && !bytes.empty(); ++i) {
    const unsigned b = bytes.next();
    if (b < 0x80) {
      fb::os::append_utf8(caption, static_cast<char32_t>(b));
    } else if (b < 0xF0) {
      fb::os::append_utf8(caption, static_cast<char32_t>(kScripts[b % 10] + (b >> 4) % 8));
    } else {
      const std::uint32_t code = (bytes.next() << 16 | bytes.next() << 8 | bytes.next()) % 0x110000;
      fb::os::append_utf8(caption, static_cast<char32_t>(code));
    }
  }
  return kivo2d::ToXmlSafeText(caption);  // what an XML file can carry, as a tree file must
}

kivo2d::TreeDocument TreeOf(Bytes& bytes) {
  kivo2d::TreeDocument tree;
  tree.entries.push_back({"A", Caption(bytes), ""});
  std::vector<int> children(1, 0);
  const unsigned causes = 1 + bytes.next() % 12;
  for (unsigned i = 0; i < causes && !bytes.empty(); ++i) {
    const std::size_t parent = bytes.next() % tree.entries.size();
    const std::string& parent_key = tree.entries[parent].key;
    if (parent_key.size() > static_cast<std::size_t>(kivo2d::kMaxLevel) ||
        children[parent] >= kivo2d::kMaxChildren) {
      continue;
    }
    const std::string key = parent_key + static_cast<char>('1' + children[parent]++);
    tree.entries.push_back({key, Caption(bytes), parent_key});
    children.push_back(0);
  }
  return tree;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::string pattern = (fs::temp_directory_path() / "fb-fuzz-generate-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) std::abort();
  g_folder = pattern;
  fs::create_directories(g_folder / "state");
  fs::permissions(g_folder / "state", fs::perms::owner_all, fs::perm_options::replace);
  ::setenv("XDG_RUNTIME_DIR", (g_folder / "state").c_str(), 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 512) return 0;
  Bytes bytes(data, size);
  const kivo2d::TreeDocument tree = TreeOf(bytes);
  const std::vector<kivo2d::TreeProblem> problems = kivo2d::CheckTree(tree);
  bool only_childless = true;
  for (const auto& problem : problems) {
    if (problem.message.find(kivo2d::kMainCauseWithoutChildText) == std::string::npos) {
      only_childless = false;
    }
  }
  if (!only_childless) return 0;  // `check` and `generate` refuse it before any run

  const fs::path out = g_folder / "out";
  std::error_code ignored;
  fs::remove_all(out, ignored);
  fs::create_directories(out);
  fishbone::RunOutputs outputs;
  outputs.report = out / "report.xlsx";
  outputs.pdf = out / "report.pdf";
  outputs.png = out / "report.png";
  outputs.pictures = out / "pictures";
  outputs.data = out / "data.xlsx";
  outputs.trace = out / "trace";
  std::istringstream in;
  std::ostringstream out_text;
  std::ostringstream err_text;
  fishbone::Io io{in, out_text, err_text};
  const int status = fishbone::GenerateReportFiles(tree, "<fuzz>",
                                                   fishbone::GenerationHostSettings{}, outputs, io);
  if (problems.empty() && status != 0) {
    std::fprintf(stderr, "a tree that check accepts gave no report:\n%s", err_text.str().c_str());
    for (const auto& entry : tree.entries) {
      std::fprintf(stderr, "  %s \"%s\"\n", entry.key.c_str(), entry.caption.c_str());
    }
    std::abort();
  }
  return 0;
}
