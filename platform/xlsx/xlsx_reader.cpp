#include "platform/xlsx/xlsx_reader.h"

#include <charconv>
#include <pugixml.hpp>
#include <vector>

#include "platform/os/utf16.h"

namespace fb::xlsx {
namespace {

constexpr std::string_view kRelationshipsNamespace =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

// Elements and attributes are matched by their local names: writers differ in the prefixes they
// give the format's namespaces ("x:row", "r:id", "ns1:id").
std::string_view local_name(std::string_view name) {
  const std::size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

bool is_named(const pugi::xml_node& node, std::string_view name) {
  return node.type() == pugi::node_element && local_name(node.name()) == name;
}

pugi::xml_node child_named(const pugi::xml_node& parent, std::string_view name) {
  for (const pugi::xml_node& child : parent.children()) {
    if (is_named(child, name)) return child;
  }
  return {};
}

bool equals_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

class Package {
 public:
  explicit Package(std::string_view bytes) : archive_(bytes) {}

  // The part parsed; an empty document when the package has no such part.
  pugi::xml_document xml(const std::string& part) const {
    pugi::xml_document document;
    const std::optional<std::string> text = archive_.read(part);
    if (!text) return document;
    // Whitespace-only texts are kept: a cell may hold a blank.
    const pugi::xml_parse_result parsed =
        document.load_buffer(text->data(), text->size(),
                             pugi::parse_default | pugi::parse_ws_pcdata, pugi::encoding_auto);
    if (!parsed) {
      throw PackageError("the part " + part + " is not well-formed XML (" + parsed.description() +
                         ")");
    }
    return document;
  }

 private:
  ZipArchive archive_;
};

// The folder of a part, with its final slash ("xl/" for "xl/workbook.xml").
std::string folder_of(std::string_view part) {
  const std::size_t slash = part.rfind('/');
  return slash == std::string_view::npos ? std::string() : std::string(part.substr(0, slash + 1));
}

// A relationship's target as a part name: absolute ("/xl/x.xml") from the package's root,
// relative from the source part's folder, with "." and ".." resolved.
std::string resolve_target(std::string_view source_folder, std::string_view target) {
  std::string path = target.starts_with('/') ? std::string(target.substr(1))
                                             : std::string(source_folder) + std::string(target);
  std::vector<std::string> segments;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find('/', start), path.size());
    const std::string segment = path.substr(start, end - start);
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
    } else if (!segment.empty() && segment != ".") {
      segments.push_back(segment);
    }
    start = end + 1;
  }
  std::string out;
  for (const std::string& segment : segments) out += (out.empty() ? "" : "/") + segment;
  return out;
}

struct Relationship {
  std::string type;
  std::string target;  // a part name
};

// The relationships of a part, by id; none when it has no relationships part.
std::map<std::string, Relationship> relationships_of(const Package& package,
                                                     const std::string& part) {
  const std::string folder = folder_of(part);
  const std::string rels = folder + "_rels/" + part.substr(folder.size()) + ".rels";
  const pugi::xml_document document = package.xml(rels);
  std::map<std::string, Relationship> out;
  for (const pugi::xml_node& node : document.document_element().children()) {
    if (!is_named(node, "Relationship")) continue;
    if (std::string_view(node.attribute("TargetMode").value()) == "External") continue;
    out.try_emplace(node.attribute("Id").value(),
                    Relationship{node.attribute("Type").value(),
                                 resolve_target(folder, node.attribute("Target").value())});
  }
  return out;
}

std::optional<std::string> target_of_type(const std::map<std::string, Relationship>& relationships,
                                          std::string_view type_end) {
  for (const auto& [id, relationship] : relationships) {
    if (std::string_view(relationship.type).ends_with(type_end)) return relationship.target;
  }
  return std::nullopt;
}

// Where the workbook part is: the package's officeDocument relationship, else its usual name.
std::string workbook_part(const Package& package) {
  return target_of_type(relationships_of(package, ""), "/officeDocument")
      .value_or("xl/workbook.xml");
}

// The relationship id of a <sheet>: the attribute "id" in the relationships namespace, under
// whatever prefix the workbook declares for it.
std::string sheet_relationship_id(const pugi::xml_node& sheet, const pugi::xml_node& root) {
  for (const pugi::xml_attribute& declaration : root.attributes()) {
    const std::string_view name = declaration.name();
    if (name.starts_with("xmlns:") && declaration.value() == kRelationshipsNamespace) {
      const std::string attribute = std::string(name.substr(6)) + ":id";
      if (const pugi::xml_attribute id = sheet.attribute(attribute.c_str())) return id.value();
    }
  }
  return sheet.attribute("r:id").value();
}

bool is_hex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// The format writes a character XML cannot carry as "_xHHHH_" (the UTF-16 unit in hex), and an
// underscore that would start such a sequence as "_x005F_".
std::string decode_escapes(std::string_view text) {
  if (text.find("_x") == std::string_view::npos) return std::string(text);
  std::u16string units;
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '_' && i + 6 < text.size() && text[i + 1] == 'x' && is_hex(text[i + 2]) &&
        is_hex(text[i + 3]) && is_hex(text[i + 4]) && is_hex(text[i + 5]) && text[i + 6] == '_') {
      unsigned unit = 0;
      std::from_chars(text.data() + i + 2, text.data() + i + 6, unit, 16);
      units.push_back(static_cast<char16_t>(unit));
      i += 7;
      continue;
    }
    if (!units.empty()) {
      out += os::utf16_to_utf8(units);
      units.clear();
    }
    out += text[i++];
  }
  if (!units.empty()) out += os::utf16_to_utf8(units);
  return out;
}

// The text of a string item (<si>, <is>): its own <t>, or the <t> of each run; the phonetic
// guides (<rPh>) are not part of it.
std::string string_item_text(const pugi::xml_node& item) {
  std::string text;
  for (const pugi::xml_node& child : item.children()) {
    if (is_named(child, "t")) {
      text += child.text().get();
    } else if (is_named(child, "r")) {
      text += child_named(child, "t").text().get();
    }
  }
  return decode_escapes(text);
}

std::vector<std::string> shared_strings(const Package& package, const std::string& part) {
  std::vector<std::string> strings;
  const pugi::xml_document document = package.xml(part);
  for (const pugi::xml_node& item : document.document_element().children()) {
    if (is_named(item, "si")) strings.push_back(string_item_text(item));
  }
  return strings;
}

// "B12" as a cell; nothing for anything else or a cell outside the largest grid.
std::optional<sheet::CellAddress> cell_address(std::string_view reference) {
  std::size_t i = 0;
  int column = 0;
  while (i < reference.size() && reference[i] >= 'A' && reference[i] <= 'Z' && i < 3) {
    column = column * 26 + (reference[i] - 'A' + 1);
    ++i;
  }
  int row = 0;
  const auto [end, error] =
      std::from_chars(reference.data() + i, reference.data() + reference.size(), row);
  if (i == 0 || error != std::errc() || end != reference.data() + reference.size() || row < 1 ||
      row > sheet::kMaxRows || column > sheet::kMaxColumns) {
    return std::nullopt;
  }
  return sheet::CellAddress{row, column};
}

std::map<sheet::CellAddress, std::string> sheet_cells(const Package& package,
                                                      const std::string& part,
                                                      const std::vector<std::string>& strings) {
  const pugi::xml_document document = package.xml(part);
  if (!document.document_element()) throw PackageError("the sheet's part " + part + " is missing");
  std::map<sheet::CellAddress, std::string> cells;
  const pugi::xml_node data = child_named(document.document_element(), "sheetData");
  int row_number = 0;
  for (const pugi::xml_node& row : data.children()) {
    if (!is_named(row, "row")) continue;
    // Without "r" a row follows the one before, and a cell the cell before.
    const pugi::xml_attribute row_attribute = row.attribute("r");
    row_number = row_attribute ? row_attribute.as_int() : row_number + 1;
    if (row_number < 1 || row_number > sheet::kMaxRows) {
      throw PackageError("the sheet's part " + part + " has a row outside the grid");
    }
    int column = 0;
    for (const pugi::xml_node& cell : row.children()) {
      if (!is_named(cell, "c")) continue;
      sheet::CellAddress at{row_number, column + 1};
      if (const pugi::xml_attribute reference = cell.attribute("r")) {
        const auto parsed = cell_address(reference.value());
        if (!parsed) {
          throw PackageError("the sheet's part " + part + " has a cell named \"" +
                             std::string(reference.value()) + "\"");
        }
        at = *parsed;
      }
      column = at.column;
      const std::string_view type = cell.attribute("t").value();
      if (type == "inlineStr") {
        cells[at] = string_item_text(child_named(cell, "is"));
        continue;
      }
      const pugi::xml_node value = child_named(cell, "v");
      if (!value) continue;
      const std::string_view text = value.text().get();
      if (type == "s") {
        std::size_t index = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), index);
        if (error != std::errc() || end != text.data() + text.size() || index >= strings.size()) {
          throw PackageError("the sheet's part " + part + " names the shared string \"" +
                             std::string(text) + "\", which the workbook does not hold");
        }
        cells[at] = strings[index];
      } else if (type == "str") {
        cells[at] = decode_escapes(text);
      } else {
        cells[at] = std::string(text);
      }
    }
  }
  return cells;
}

SheetState state_of(std::string_view state) {
  if (state == "hidden") return SheetState::Hidden;
  if (state == "veryHidden") return SheetState::VeryHidden;
  return SheetState::Visible;
}

}  // namespace

std::optional<SheetTexts> read_sheet_texts(std::string_view bytes, std::string_view name) {
  const Package package(bytes);
  const std::string workbook = workbook_part(package);
  const pugi::xml_document document = package.xml(workbook);
  const pugi::xml_node root = document.document_element();
  if (!is_named(root, "workbook")) throw PackageError("it holds no workbook");
  for (const pugi::xml_node& sheet : child_named(root, "sheets").children()) {
    if (!is_named(sheet, "sheet") || !equals_ignoring_case(sheet.attribute("name").value(), name)) {
      continue;
    }
    const auto relationships = relationships_of(package, workbook);
    const auto found = relationships.find(sheet_relationship_id(sheet, root));
    if (found == relationships.end()) {
      throw PackageError("the workbook lists the sheet \"" + std::string(name) +
                         "\" without its part");
    }
    std::vector<std::string> strings;
    if (const auto part = target_of_type(relationships, "/sharedStrings")) {
      strings = shared_strings(package, *part);
    }
    SheetTexts texts;
    texts.name = sheet.attribute("name").value();
    texts.state = state_of(sheet.attribute("state").value());
    texts.cells = sheet_cells(package, found->second.target, strings);
    return texts;
  }
  return std::nullopt;
}

}  // namespace fb::xlsx
