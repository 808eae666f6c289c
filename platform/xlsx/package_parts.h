#pragma once

#include <string>
#include <vector>

#include "platform/xlsx/document.h"
#include "platform/xlsx/package_layout.h"
#include "platform/xlsx/shared_strings.h"

namespace fb::xlsx {

// The XML text of each part of the package, one function per part, each in its own source file.

std::string content_types_xml(const PackageLayout& layout);
std::string relationships_xml(const std::vector<Relationship>& relationships);
std::string core_properties_xml(const DocumentProperties& properties);
std::string app_properties_xml(const Document& document);
std::string workbook_xml(const Document& document);
std::string styles_xml(const std::vector<sheet::CellFormat>& styles);
std::string shared_strings_xml(const SharedStrings& strings);
// Adds the sheet's texts to `strings` as it goes.
// Column widths are in characters of `standard_font`, the workbook's default font.
std::string worksheet_xml(const Sheet& sheet, const SheetLayout& layout,
                          const sheet::Font& standard_font, SharedStrings& strings);
// `default_font` sizes the columns the shapes are anchored to.
std::string drawing_xml(const Sheet& sheet, const SheetLayout& layout,
                        const sheet::Font& default_font);

}  // namespace fb::xlsx
