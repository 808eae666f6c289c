#include "tools/xlt_template/property_sets.h"

#include <string_view>
#include <utility>

#include "tools/xlt_template/byte_writer.h"

namespace fb::xlt {
namespace {

constexpr std::uint8_t kSummaryFmtId[16] = {0xE0, 0x85, 0x9F, 0xF2, 0xF9, 0x4F, 0x68, 0x10,
                                            0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9};
constexpr std::uint8_t kDocumentSummaryFmtId[16] = {0x02, 0xD5, 0xCD, 0xD5, 0x9C, 0x2E, 0x1B, 0x10,
                                                    0x93, 0x97, 0x08, 0x00, 0x2B, 0x2C, 0xF9, 0xAE};
constexpr unsigned kCodePageGbk = 936;

enum PropertyType : unsigned { kI2 = 2, kI4 = 3, kBool = 11, kLpstr = 30 };

struct Property {
  std::uint32_t id;
  std::vector<std::uint8_t> value;  // type and value, padded to 4 bytes
};

Property i2(std::uint32_t id, unsigned value) {
  ByteWriter b;
  b.u16(kI2);
  b.u16(0);
  b.u16(value);
  b.u16(0);
  return {id, b.take()};
}

Property boolean(std::uint32_t id, bool value) {
  ByteWriter b;
  b.u16(kBool);
  b.u16(0);
  b.u16(value ? 0xFFFF : 0);
  b.u16(0);
  return {id, b.take()};
}

// An 8-bit string in the set's code page, with its terminating zero counted.
Property text(std::uint32_t id, std::string_view value) {
  ByteWriter b;
  b.u16(kLpstr);
  b.u16(0);
  b.u32(static_cast<std::uint32_t>(value.size() + 1));
  for (char c : value) b.u8(static_cast<unsigned char>(c));
  b.u8(0);
  while (b.size() % 4 != 0) b.u8(0);
  return {id, b.take()};
}

std::vector<std::uint8_t> property_set_stream(const std::uint8_t (&fmtid)[16],
                                              const std::vector<Property>& properties) {
  ByteWriter set;
  const auto header = static_cast<std::uint32_t>(8 + 8 * properties.size());
  std::uint32_t size = header;
  for (const auto& p : properties) size += static_cast<std::uint32_t>(p.value.size());
  set.u32(size);
  set.u32(static_cast<std::uint32_t>(properties.size()));
  std::uint32_t offset = header;
  for (const auto& p : properties) {
    set.u32(p.id);
    set.u32(offset);
    offset += static_cast<std::uint32_t>(p.value.size());
  }
  for (const auto& p : properties) set.raw(p.value);

  ByteWriter out;
  out.u16(0xFFFE);      // byte order
  out.u16(0);           // format version
  out.u32(0x00020005);  // system: Windows 5.2
  out.zeros(16);        // class id
  out.u32(1);           // one property set
  for (std::uint8_t b : fmtid) out.u8(b);
  out.u32(48);  // where the set starts
  out.raw(set.bytes());
  return out.take();
}

}  // namespace

std::vector<std::uint8_t> build_summary_information() {
  return property_set_stream(kSummaryFmtId, {i2(1, kCodePageGbk), text(0x12, "Microsoft Excel")});
}

std::vector<std::uint8_t> build_document_summary_information() {
  return property_set_stream(kDocumentSummaryFmtId,
                             {i2(1, kCodePageGbk), boolean(0x0B, false), boolean(0x10, false)});
}

}  // namespace fb::xlt
