#include "platform/sheet/template/template_book.h"

#include <fstream>
#include <iterator>
#include <map>
#include <span>

#include "platform/os/utf16.h"
#include "platform/sheet/template/compound_file.h"
#include "platform/sheet/template/template_error.h"

namespace fb::sheet::xlt {
namespace {

enum Record : unsigned {
  kBof = 0x0809,
  kEof = 0x000A,
  kCodePage = 0x0042,
  kWindow1 = 0x003D,
  kFont = 0x0031,
  kFormat = 0x041E,
  kXf = 0x00E0,
  kStyle = 0x0293,
  kBoundSheet = 0x0085,
  kCountry = 0x008C,
  kDefColWidth = 0x0055,
  kDefaultRowHeight = 0x0225,
  kWindow2 = 0x023E,
};

constexpr unsigned kBiff8 = 0x0600;
constexpr unsigned kGlobals = 0x0005;
constexpr unsigned kWorksheet = 0x0010;
constexpr std::size_t kMissingFontIndex = 4;

// A bounds-checked view on one record's body.
class Body {
 public:
  explicit Body(std::span<const std::uint8_t> bytes) : b_(bytes) {}
  std::size_t size() const { return b_.size(); }
  unsigned u8(std::size_t at) const {
    need(at, 1);
    return b_[at];
  }
  unsigned u16(std::size_t at) const { return u8(at) | (u8(at + 1) << 8U); }
  std::uint32_t u32(std::size_t at) const {
    return u16(at) | (static_cast<std::uint32_t>(u16(at + 2)) << 16U);
  }
  // An XLUnicodeString (2-byte count) or ShortXLUnicodeString (1-byte count) at `at`.
  std::string text(std::size_t at, bool short_count) const {
    const unsigned count = short_count ? u8(at) : u16(at);
    at += short_count ? 1 : 2;
    const bool wide = (u8(at) & 1U) != 0;
    ++at;
    std::u16string units;
    for (unsigned i = 0; i < count; ++i) {
      units.push_back(static_cast<char16_t>(wide ? u16(at + 2 * i) : u8(at + i)));
    }
    return os::utf16_to_utf8(units);
  }

 private:
  void need(std::size_t at, std::size_t n) const {
    if (at + n > b_.size()) throw TemplateError("record shorter than its contents");
  }
  std::span<const std::uint8_t> b_;
};

struct RecordView {
  unsigned type;
  Body body;
};

// Calls `visit` for each record from `offset` up to and including the EOF of that substream.
template <typename Visit>
void for_each_record(const std::vector<std::uint8_t>& s, std::size_t offset, Visit visit) {
  std::size_t at = offset;
  int depth = 0;
  while (true) {
    if (at + 4 > s.size()) throw TemplateError("workbook stream ends inside a record");
    const unsigned type = s[at] | (s[at + 1] << 8U);
    const std::size_t length = s[at + 2] | (s[at + 3] << 8U);
    if (at + 4 + length > s.size()) throw TemplateError("record runs past the workbook stream");
    const RecordView record{type, Body({s.data() + at + 4, length})};
    at += 4 + length;
    if (type == kBof) ++depth;
    if (type == kEof && --depth <= 0) return;
    if (depth == 1) visit(record);
  }
}

std::string builtin_style_name(unsigned id, unsigned level) {
  static const std::map<unsigned, std::string> kNames = {
      {0, "Normal"},    {3, "Comma"},        {4, "Currency"},  {5, "Percent"},
      {6, "Comma [0]"}, {7, "Currency [0]"}, {8, "Hyperlink"}, {9, "Followed Hyperlink"}};
  if (id == 1) return "RowLevel_" + std::to_string(level + 1);
  if (id == 2) return "ColLevel_" + std::to_string(level + 1);
  const auto found = kNames.find(id);
  return found != kNames.end() ? found->second : "Style " + std::to_string(id);
}

std::string builtin_format(unsigned id) {
  static const std::map<unsigned, std::string> kFormats = {
      {0, "General"},  {1, "0"},  {2, "0.00"},  {3, "#,##0"},
      {4, "#,##0.00"}, {9, "0%"}, {10, "0.00%"}};
  const auto found = kFormats.find(id);
  return found != kFormats.end() ? found->second : "General";
}

void check_bof(const std::vector<std::uint8_t>& s, std::size_t at, unsigned expected_type) {
  if (at + 8 > s.size() || (s[at] | (s[at + 1] << 8U)) != kBof) {
    throw TemplateError("substream does not start with a BOF record");
  }
  const unsigned version = s[at + 4] | (s[at + 5] << 8U);
  const unsigned type = s[at + 6] | (s[at + 7] << 8U);
  if (version != kBiff8) throw TemplateError("not a BIFF8 workbook");
  if (type != expected_type) throw TemplateError("unexpected substream type");
}

}  // namespace

const TemplateFont& TemplateBook::standard_font() const {
  for (const auto& style : styles) {
    if (style.builtin_id == 0 && style.font_index >= 0 &&
        static_cast<std::size_t>(style.font_index) < fonts.size() &&
        static_cast<std::size_t>(style.font_index) != kMissingFontIndex) {
      return fonts[static_cast<std::size_t>(style.font_index)];
    }
  }
  return fonts.front();
}

TemplateBook read_workbook_stream(const std::vector<std::uint8_t>& stream) {
  check_bof(stream, 0, kGlobals);
  TemplateBook book;
  std::map<unsigned, std::string> formats;
  struct Xf {
    unsigned font;
    unsigned format;
  };
  std::vector<Xf> xfs;
  struct PendingStyle {
    unsigned xf;
    TemplateStyle style;
  };
  std::vector<PendingStyle> styles;
  std::vector<std::pair<std::uint32_t, TemplateSheet>> sheets;

  for_each_record(stream, 0, [&](const RecordView& r) {
    switch (r.type) {
      case kCodePage:
        book.code_page = static_cast<int>(r.body.u16(0));
        break;
      case kCountry:
        book.country = static_cast<int>(r.body.u16(0));
        break;
      case kWindow1:
        book.active_sheet = static_cast<int>(r.body.u16(10));
        break;
      case kFont: {
        if (book.fonts.size() == kMissingFontIndex) book.fonts.push_back({});
        TemplateFont font;
        font.size = r.body.u16(0) / 20.0;
        font.italic = (r.body.u16(2) & 0x2U) != 0;
        font.bold = r.body.u16(6) >= 700;
        font.charset = static_cast<int>(r.body.u8(12));
        font.name = r.body.text(14, true);
        book.fonts.push_back(std::move(font));
        break;
      }
      case kFormat:
        formats[r.body.u16(0)] = r.body.text(2, false);
        break;
      case kXf:
        xfs.push_back({r.body.u16(0), r.body.u16(2)});
        break;
      case kStyle: {
        const unsigned ixfe = r.body.u16(0);
        PendingStyle p{ixfe & 0x0FFFU, {}};
        if ((ixfe & 0x8000U) != 0) {
          p.style.builtin_id = static_cast<int>(r.body.u8(2));
          p.style.name = builtin_style_name(r.body.u8(2), r.body.u8(3));
        } else {
          p.style.name = r.body.text(2, false);
        }
        styles.push_back(std::move(p));
        break;
      }
      case kBoundSheet: {
        TemplateSheet sheet;
        sheet.visible = r.body.u8(4) == 0;
        sheet.name = r.body.text(6, true);
        if (r.body.u8(5) == 0) sheets.emplace_back(r.body.u32(0), std::move(sheet));
        break;
      }
      default:
        break;
    }
  });

  if (book.fonts.empty()) throw TemplateError("the workbook has no font");
  if (sheets.empty()) throw TemplateError("the workbook has no worksheet");
  for (auto& p : styles) {
    if (p.xf >= xfs.size()) throw TemplateError("a style refers to a missing cell format");
    const Xf& xf = xfs[p.xf];
    if (xf.font >= book.fonts.size() || xf.font == kMissingFontIndex) {
      throw TemplateError("a cell format refers to a missing font");
    }
    p.style.font_index = static_cast<int>(xf.font);
    const auto format = formats.find(xf.format);
    p.style.number_format = format != formats.end() ? format->second : builtin_format(xf.format);
    book.styles.push_back(std::move(p.style));
  }

  for (auto& entry : sheets) {
    const auto offset = entry.first;
    auto& sheet = entry.second;  // a named reference: lambdas cannot capture a structured binding
    check_bof(stream, offset, kWorksheet);
    for_each_record(stream, offset, [&sheet](const RecordView& r) {
      if (r.type == kDefColWidth) sheet.default_column_width = static_cast<int>(r.body.u16(0));
      if (r.type == kDefaultRowHeight) sheet.default_row_height = r.body.u16(2) / 20.0;
      if (r.type == kWindow2) sheet.selected = (r.body.u16(0) & 0x0200U) != 0;
    });
    book.sheets.push_back(std::move(sheet));
  }
  if (book.active_sheet < 0 || book.active_sheet >= static_cast<int>(book.sheets.size())) {
    book.active_sheet = 0;
  }
  return book;
}

TemplateBook read_template_file(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw TemplateError("the file cannot be read");
  return read_template({std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
}

TemplateBook read_template(std::vector<std::uint8_t> bytes) {
  const CompoundFile container(std::move(bytes));
  auto workbook = container.stream(u"Workbook");
  if (!workbook) workbook = container.stream(u"Book");
  if (!workbook) throw TemplateError("no workbook stream");
  return read_workbook_stream(*workbook);
}

}  // namespace fb::sheet::xlt
