#include "platform/xlsx/xml_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "platform/sheet/value.h"

namespace fb::xlsx {

XmlWriter::XmlWriter() : out_("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n") {}

void XmlWriter::start_tag(std::string_view name, const XmlAttribute* first,
                          const XmlAttribute* last) {
  out_ += '<';
  out_ += name;
  for (const XmlAttribute* a = first; a != last; ++a) {
    out_ += ' ';
    out_ += a->first;
    out_ += "=\"";
    out_ += escape_xml(a->second);
    out_ += '"';
  }
}

void XmlWriter::open(std::string_view name, XmlAttributes attributes) {
  start_tag(name, attributes.begin(), attributes.end());
  out_ += '>';
  open_.emplace_back(name);
}

void XmlWriter::open(std::string_view name, const std::vector<XmlAttribute>& attributes) {
  start_tag(name, attributes.data(), attributes.data() + attributes.size());
  out_ += '>';
  open_.emplace_back(name);
}

void XmlWriter::close() {
  if (open_.empty()) throw std::logic_error("XmlWriter::close without an open element");
  out_ += "</";
  out_ += open_.back();
  out_ += '>';
  open_.pop_back();
}

void XmlWriter::empty(std::string_view name, XmlAttributes attributes) {
  start_tag(name, attributes.begin(), attributes.end());
  out_ += "/>";
}

void XmlWriter::empty(std::string_view name, const std::vector<XmlAttribute>& attributes) {
  start_tag(name, attributes.data(), attributes.data() + attributes.size());
  out_ += "/>";
}

void XmlWriter::text_element(std::string_view name, std::string_view text,
                             XmlAttributes attributes) {
  start_tag(name, attributes.begin(), attributes.end());
  out_ += '>';
  out_ += escape_xml(text);
  out_ += "</";
  out_ += name;
  out_ += '>';
}

std::string XmlWriter::finish() {
  if (!open_.empty()) throw std::logic_error("XmlWriter::finish with <" + open_.back() + "> open");
  return std::move(out_);
}

std::string escape_xml(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default: {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 && c != '\t' && c != '\n' && c != '\r') {
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, "_x%04X_", u);
          out += buffer;
        } else {
          out += c;
        }
      }
    }
  }
  return out;
}

std::string number_text(double value) {
  if (!std::isfinite(value)) throw std::invalid_argument("a cell number must be finite");
  if (value == 0) return "0";  // also for -0
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string measure_text(double value) {
  if (!std::isfinite(value)) throw std::invalid_argument("a measure must be finite");
  return sheet::general_number_text(value);
}

}  // namespace fb::xlsx
