#pragma once

#include <filesystem>
#include <string>

#include "platform/xlsx/document.h"

namespace fb::xlsx {

// The whole .xlsx package of the document as bytes. A document that cannot be written (no
// sheet, a bad or repeated sheet name, a style index without a style, cells out of order)
// throws std::invalid_argument naming the problem.
std::string package_bytes(const Document& document);

// Writes the package to `path` atomically (see write_file_atomically): on any failure an
// earlier file at `path` stays as it was and fb::HostError names the file and the reason.
void save_package(const Document& document, const std::filesystem::path& path);

}  // namespace fb::xlsx
