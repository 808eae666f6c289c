#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/xlsx/document.h"

namespace fb::xlsx {

struct Relationship {
  std::string id;  // "rId1"
  std::string_view type;
  std::string target;
  bool external = false;
};

namespace relationship_type {
inline constexpr std::string_view kOfficeDocument =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";
inline constexpr std::string_view kCoreProperties =
    "http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties";
inline constexpr std::string_view kExtendedProperties =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/extended-properties";
inline constexpr std::string_view kWorksheet =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet";
inline constexpr std::string_view kStyles =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles";
inline constexpr std::string_view kSharedStrings =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings";
inline constexpr std::string_view kHyperlink =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/hyperlink";
inline constexpr std::string_view kDrawing =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/drawing";
inline constexpr std::string_view kImage =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";
}  // namespace relationship_type

// Relationship ids a drawing item's XML refers to; empty where it has none.
struct DrawingItemLinks {
  std::string image;
  std::string hyperlink;
};

struct SheetLayout {
  int number = 1;                          // xl/worksheets/sheet<number>.xml
  std::vector<std::string> hyperlink_ids;  // one per CellHyperlink, in order
  std::optional<int> drawing_number;       // xl/drawings/drawing<number>.xml
  std::string drawing_id;                  // the sheet's relationship to its drawing
  std::vector<DrawingItemLinks> items;     // one per DrawingItem, in order
  std::vector<Relationship> sheet_relationships;
  std::vector<Relationship> drawing_relationships;
};

struct MediaFile {
  std::string name;  // "image1.emf", stored under xl/media/
  const std::string* bytes = nullptr;
};

// Which parts the package holds, their numbers and the relationships between them.
struct PackageLayout {
  std::vector<Relationship> package_relationships;   // _rels/.rels
  std::vector<Relationship> workbook_relationships;  // sheets first: sheet i is "rId<i+1>"
  std::vector<SheetLayout> sheets;
  std::vector<MediaFile> media;
  std::vector<std::string_view> media_extensions;  // distinct, in order of first use
};

PackageLayout plan_package(const Document& document);

std::string_view image_extension(ImageFormat format);
std::string_view image_content_type(ImageFormat format);

}  // namespace fb::xlsx
