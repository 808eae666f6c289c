#include "platform/xlsx/package_layout.h"

#include <algorithm>

namespace fb::xlsx {
namespace {

std::string relationship_id(const std::vector<Relationship>& existing) {
  return "rId" + std::to_string(existing.size() + 1);
}

}  // namespace

std::string_view image_extension(ImageFormat format) {
  switch (format) {
    case ImageFormat::Emf:
      return "emf";
    case ImageFormat::Png:
      return "png";
    case ImageFormat::Gif:
      return "gif";
    case ImageFormat::Jpeg:
      return "jpeg";
  }
  return "bin";
}

std::string_view image_content_type(ImageFormat format) {
  switch (format) {
    case ImageFormat::Emf:
      return "image/x-emf";
    case ImageFormat::Png:
      return "image/png";
    case ImageFormat::Gif:
      return "image/gif";
    case ImageFormat::Jpeg:
      return "image/jpeg";
  }
  return "application/octet-stream";
}

PackageLayout plan_package(const Document& document) {
  PackageLayout layout;
  layout.package_relationships = {
      {"rId1", relationship_type::kOfficeDocument, "xl/workbook.xml", false},
      {"rId2", relationship_type::kCoreProperties, "docProps/core.xml", false},
      {"rId3", relationship_type::kExtendedProperties, "docProps/app.xml", false}};
  for (std::size_t s = 0; s < document.sheets.size(); ++s) {
    layout.workbook_relationships.push_back(
        {relationship_id(layout.workbook_relationships), relationship_type::kWorksheet,
         "worksheets/sheet" + std::to_string(s + 1) + ".xml", false});
  }
  layout.workbook_relationships.push_back({relationship_id(layout.workbook_relationships),
                                           relationship_type::kStyles, "styles.xml", false});
  layout.workbook_relationships.push_back({relationship_id(layout.workbook_relationships),
                                           relationship_type::kSharedStrings, "sharedStrings.xml",
                                           false});
  int drawings = 0;
  for (std::size_t s = 0; s < document.sheets.size(); ++s) {
    const Sheet& sheet = document.sheets[s];
    SheetLayout sl;
    sl.number = static_cast<int>(s) + 1;
    for (const auto& link : sheet.hyperlinks) {
      sl.hyperlink_ids.push_back(relationship_id(sl.sheet_relationships));
      sl.sheet_relationships.push_back(
          {sl.hyperlink_ids.back(), relationship_type::kHyperlink, link.address, true});
    }
    if (!sheet.drawings.empty()) {
      sl.drawing_number = ++drawings;
      sl.drawing_id = relationship_id(sl.sheet_relationships);
      sl.sheet_relationships.push_back({sl.drawing_id, relationship_type::kDrawing,
                                        "../drawings/drawing" + std::to_string(drawings) + ".xml",
                                        false});
      for (const auto& item : sheet.drawings) {
        DrawingItemLinks links;
        if (const auto* picture = std::get_if<PictureContent>(&item.content)) {
          const auto extension = image_extension(picture->format);
          MediaFile media{
              "image" + std::to_string(layout.media.size() + 1) + "." + std::string(extension),
              &picture->bytes};
          links.image = relationship_id(sl.drawing_relationships);
          sl.drawing_relationships.push_back(
              {links.image, relationship_type::kImage, "../media/" + media.name, false});
          layout.media.push_back(std::move(media));
          if (std::find(layout.media_extensions.begin(), layout.media_extensions.end(),
                        extension) == layout.media_extensions.end()) {
            layout.media_extensions.push_back(extension);
          }
          if (!picture->hyperlink.empty()) {
            links.hyperlink = relationship_id(sl.drawing_relationships);
            sl.drawing_relationships.push_back(
                {links.hyperlink, relationship_type::kHyperlink, picture->hyperlink, true});
          }
        }
        sl.items.push_back(std::move(links));
      }
    }
    layout.sheets.push_back(std::move(sl));
  }
  return layout;
}

}  // namespace fb::xlsx
