#include "tools/xlt_template/biff_workbook.h"

#include <string>
#include <string_view>

#include "platform/os/utf16.h"
#include "tools/xlt_template/byte_writer.h"

namespace fb::xlt {
namespace {

// Record numbers.
enum Record : unsigned {
  kBof = 0x0809,
  kEof = 0x000A,
  kInterfaceHdr = 0x00E1,
  kMms = 0x00C1,
  kInterfaceEnd = 0x00E2,
  kWriteAccess = 0x005C,
  kCodePage = 0x0042,
  kDsf = 0x0161,
  kTabId = 0x013D,
  kFnGroupCount = 0x009C,
  kWindowProtect = 0x0019,
  kProtect = 0x0012,
  kPassword = 0x0013,
  kProt4Rev = 0x01AF,
  kProt4RevPass = 0x01BC,
  kWindow1 = 0x003D,
  kBackup = 0x0040,
  kHideObj = 0x008D,
  kDateMode = 0x0022,
  kPrecision = 0x000E,
  kRefreshAll = 0x01B7,
  kBookBool = 0x00DA,
  kFont = 0x0031,
  kFormat = 0x041E,
  kXf = 0x00E0,
  kStyle = 0x0293,
  kUsesElfs = 0x0160,
  kBoundSheet = 0x0085,
  kCountry = 0x008C,
  kSst = 0x00FC,
  kExtSst = 0x00FF,
  kCalcMode = 0x000D,
  kCalcCount = 0x000C,
  kRefMode = 0x000F,
  kIteration = 0x0011,
  kDelta = 0x0010,
  kSaveRecalc = 0x005F,
  kPrintHeaders = 0x002A,
  kPrintGridlines = 0x002B,
  kGridSet = 0x0082,
  kGuts = 0x0080,
  kDefaultRowHeight = 0x0225,
  kWsBool = 0x0081,
  kHeader = 0x0014,
  kFooter = 0x0015,
  kHCenter = 0x0083,
  kVCenter = 0x0084,
  kSetup = 0x00A1,
  kDefColWidth = 0x0055,
  kDimensions = 0x0200,
  kWindow2 = 0x023E,
  kSelection = 0x001D,
};

constexpr unsigned kCodePageUtf16 = 1200;
constexpr unsigned kCountryChina = 86;
constexpr unsigned kCharsetGb2312 = 134;
constexpr std::string_view kDefaultFontName = "宋体";
constexpr unsigned kDefaultFontTwips = 240;  // 12 points
constexpr unsigned kSmallFontTwips = 180;    // 9 points
constexpr unsigned kDefaultRowTwips = 285;   // 14.25 points
constexpr unsigned kDefaultColumnWidth = 8;  // characters
constexpr std::size_t kMinimumStreamSize = 4096;

void record(ByteWriter& out, unsigned number, const ByteWriter& body) {
  out.u16(number);
  out.u16(static_cast<unsigned>(body.size()));
  out.raw(body.bytes());
}

void record16(ByteWriter& out, unsigned number, unsigned value) {
  ByteWriter body;
  body.u16(value);
  record(out, number, body);
}

// A string with a 1-byte (short) or 2-byte length, stored as UTF-16 when any character needs
// it and as single bytes otherwise.
void unicode_string(ByteWriter& out, std::string_view utf8, bool short_length) {
  const std::u16string text = os::utf8_to_utf16(utf8);
  bool wide = false;
  for (char16_t c : text) wide = wide || c > 0xFF;
  if (short_length) {
    out.u8(static_cast<unsigned>(text.size()));
  } else {
    out.u16(static_cast<unsigned>(text.size()));
  }
  out.u8(wide ? 1 : 0);
  for (char16_t c : text) {
    if (wide) {
      out.u16(c);
    } else {
      out.u8(c);
    }
  }
}

void bof(ByteWriter& out, unsigned type) {
  ByteWriter b;
  b.u16(0x0600);  // BIFF8
  b.u16(type);
  b.u16(0x0DBB);  // build
  b.u16(0x07CC);  // year
  b.u32(0x000040C1);
  b.u32(0x00000106);
  record(out, kBof, b);
}

void font(ByteWriter& out, unsigned twips) {
  ByteWriter b;
  b.u16(twips);
  b.u16(0);       // not italic, not struck out
  b.u16(0x7FFF);  // automatic colour
  b.u16(400);     // normal weight
  b.u16(0);       // no super- or subscript
  b.u8(0);        // no underline
  b.u8(2);        // family: roman (serif)
  b.u8(kCharsetGb2312);
  b.u8(0);
  unicode_string(b, kDefaultFontName, true);
  record(out, kFont, b);
}

void format(ByteWriter& out, unsigned id, std::string_view text) {
  ByteWriter b;
  b.u16(id);
  unicode_string(b, text, false);
  record(out, kFormat, b);
}

// A cell-format record. Style formats have parent 0xFFF; `unused` lists, for a style, the
// attribute groups it leaves alone (bits 10 to 15 of the attribute byte, shifted).
void xf(ByteWriter& out, unsigned font_index, unsigned format_id, bool style, unsigned attributes) {
  ByteWriter b;
  b.u16(font_index);
  b.u16(format_id);
  b.u16(style ? 0xFFF5 : 0x0001);  // locked; a style, or a cell format whose parent is Normal
  b.u8(0x20);                      // general horizontally, bottom vertically
  b.u8(0);                         // no rotation
  b.u8(0);                         // no indent, reading order by context
  b.u8(attributes);
  b.u32(0);  // no borders
  b.u32(0);
  b.u16(0x20C0);  // pattern colours: system foreground and background
  record(out, kXf, b);
}

void builtin_style(ByteWriter& out, unsigned xf_index, unsigned style_id) {
  ByteWriter b;
  b.u16(0x8000 | xf_index);
  b.u8(style_id);
  b.u8(0xFF);
  record(out, kStyle, b);
}

void write_globals(ByteWriter& out, std::size_t& boundsheet_offset_at) {
  bof(out, 0x0005);
  record16(out, kInterfaceHdr, kCodePageUtf16);
  record16(out, kMms, 0);
  record(out, kInterfaceEnd, ByteWriter{});
  {
    ByteWriter b;  // the last user: none, padded with blanks to the record's fixed length
    unicode_string(b, "", false);
    while (b.size() < 112) b.u8(' ');
    record(out, kWriteAccess, b);
  }
  record16(out, kCodePage, kCodePageUtf16);
  record16(out, kDsf, 0);
  record16(out, kTabId, 1);
  record16(out, kFnGroupCount, 14);
  record16(out, kWindowProtect, 0);
  record16(out, kProtect, 0);
  record16(out, kPassword, 0);
  record16(out, kProt4Rev, 0);
  record16(out, kProt4RevPass, 0);
  {
    ByteWriter b;
    b.u16(360);  // window left, top, width, height in twips
    b.u16(270);
    b.u16(14940);
    b.u16(8580);
    b.u16(0x0038);  // horizontal and vertical scroll bars and the sheet tabs shown
    b.u16(0);       // the first sheet active
    b.u16(0);       // and first in the tab bar
    b.u16(1);       // one sheet selected
    b.u16(600);     // tab bar width, per mille
    record(out, kWindow1, b);
  }
  record16(out, kBackup, 0);
  record16(out, kHideObj, 0);
  record16(out, kDateMode, 0);
  record16(out, kPrecision, 1);
  record16(out, kRefreshAll, 0);
  record16(out, kBookBool, 0);

  // Fonts 0 to 3 are the default font (index 4 does not exist in this file format); font 5 is
  // the 9-point entry.
  for (int i = 0; i < 4; ++i) font(out, kDefaultFontTwips);
  font(out, kSmallFontTwips);

  // The currency formats with the yuan sign, and the accounting formats of the built-in styles.
  format(out, 5, "\"￥\"#,##0;\"￥\"\\-#,##0");
  format(out, 6, "\"￥\"#,##0;[Red]\"￥\"\\-#,##0");
  format(out, 7, "\"￥\"#,##0.00;\"￥\"\\-#,##0.00");
  format(out, 8, "\"￥\"#,##0.00;[Red]\"￥\"\\-#,##0.00");
  format(out, 42, "_ \"￥\"* #,##0_ ;_ \"￥\"* \\-#,##0_ ;_ \"￥\"* \"-\"_ ;_ @_ ");
  format(out, 41, "_ * #,##0_ ;_ * \\-#,##0_ ;_ * \"-\"_ ;_ @_ ");
  format(out, 44, "_ \"￥\"* #,##0.00_ ;_ \"￥\"* \\-#,##0.00_ ;_ \"￥\"* \"-\"??_ ;_ @_ ");
  format(out, 43, "_ * #,##0.00_ ;_ * \\-#,##0.00_ ;_ * \"-\"??_ ;_ @_ ");

  // Cell formats: 0 Normal; 1 to 14 the outline styles' formats the program always writes;
  // 15 the default cell format; 16 to 20 Comma, Comma [0], Currency, Currency [0], Percent.
  xf(out, 0, 0, true, 0x00);
  for (unsigned i = 1; i <= 14; ++i) xf(out, i <= 2 ? 1 : (i <= 4 ? 2 : 0), 0, true, 0xF4);
  xf(out, 0, 0, false, 0x00);
  xf(out, 1, 43, true, 0xF8);
  xf(out, 1, 41, true, 0xF8);
  xf(out, 1, 44, true, 0xF8);
  xf(out, 1, 42, true, 0xF8);
  xf(out, 1, 9, true, 0xF8);

  builtin_style(out, 16, 3);  // Comma
  builtin_style(out, 17, 6);  // Comma [0]
  builtin_style(out, 18, 4);  // Currency
  builtin_style(out, 19, 7);  // Currency [0]
  builtin_style(out, 0, 0);   // Normal
  builtin_style(out, 20, 5);  // Percent

  record16(out, kUsesElfs, 0);
  {
    ByteWriter b;
    boundsheet_offset_at = out.size() + 4;
    b.u32(0);  // stream offset of the sheet's BOF, patched below
    b.u8(0);   // visible
    b.u8(0);   // worksheet
    unicode_string(b, "Sheet1", true);
    record(out, kBoundSheet, b);
  }
  {
    ByteWriter b;
    b.u16(kCountryChina);
    b.u16(kCountryChina);
    record(out, kCountry, b);
  }
  {
    ByteWriter b;
    b.u32(0);
    b.u32(0);
    record(out, kSst, b);
  }
  record16(out, kExtSst, 8);
  record(out, kEof, ByteWriter{});
}

void write_sheet(ByteWriter& out) {
  bof(out, 0x0010);
  record16(out, kCalcMode, 1);  // automatic
  record16(out, kCalcCount, 100);
  record16(out, kRefMode, 1);  // A1
  record16(out, kIteration, 0);
  {
    ByteWriter b;
    b.f64(0.001);
    record(out, kDelta, b);
  }
  record16(out, kSaveRecalc, 1);
  record16(out, kPrintHeaders, 0);
  record16(out, kPrintGridlines, 0);
  record16(out, kGridSet, 1);
  {
    ByteWriter b;
    b.zeros(8);
    record(out, kGuts, b);
  }
  {
    ByteWriter b;
    b.u16(0);
    b.u16(kDefaultRowTwips);
    record(out, kDefaultRowHeight, b);
  }
  record16(out, kWsBool, 0x04C1);  // fit-to-page off
  record(out, kHeader, ByteWriter{});
  record(out, kFooter, ByteWriter{});
  record16(out, kHCenter, 0);
  record16(out, kVCenter, 0);
  {
    ByteWriter b;
    b.u16(0);       // paper size
    b.u16(100);     // scale
    b.u16(1);       // first page number
    b.u16(1);       // fit to 1 page wide
    b.u16(1);       // and 1 tall (unused while fit-to-page is off)
    b.u16(0x0046);  // portrait, printer settings and orientation not initialised
    b.u16(0);       // resolutions
    b.u16(0);
    b.f64(0.5);  // header margin, inches
    b.f64(0.5);  // footer margin
    b.u16(1);    // copies
    record(out, kSetup, b);
  }
  record16(out, kDefColWidth, kDefaultColumnWidth);
  {
    ByteWriter b;
    b.zeros(14);  // no used cells
    record(out, kDimensions, b);
  }
  {
    ByteWriter b;
    // Gridlines, headers and zeros shown, default header colour, outline symbols, selected,
    // shown in the active window.
    b.u16(0x06B6);
    b.u16(0);   // top row
    b.u16(0);   // left column
    b.u32(64);  // header colour
    b.u16(0);   // zoom in page break preview: default
    b.u16(0);   // zoom normal: default
    b.u32(0);
    record(out, kWindow2, b);
  }
  {
    ByteWriter b;
    b.u8(3);   // the only pane
    b.u16(0);  // active cell A1
    b.u16(0);
    b.u16(0);
    b.u16(1);  // one selected area: A1
    b.u16(0);
    b.u16(0);
    b.u8(0);
    b.u8(0);
    record(out, kSelection, b);
  }
  record(out, kEof, ByteWriter{});
}

}  // namespace

std::vector<std::uint8_t> build_workbook_stream() {
  ByteWriter out;
  std::size_t boundsheet_offset_at = 0;
  write_globals(out, boundsheet_offset_at);
  out.patch_u32(boundsheet_offset_at, static_cast<std::uint32_t>(out.size()));
  write_sheet(out);
  if (out.size() < kMinimumStreamSize) out.zeros(kMinimumStreamSize - out.size());
  return out.take();
}

}  // namespace fb::xlt
