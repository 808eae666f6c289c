#pragma once

#include <filesystem>
#include <span>
#include <string>

#include "platform/os/message_pump.h"
#include "src/component/exchange_node.h"

namespace kivo2d {

// The tree exchange file writer. A DOM document with the document element "NODES"
// and, in collection order, one empty "NODE" element per node with the attributes "Caption",
// "Key" and "ParentKey", in that order and always all three ("ParentKey" empty for the main
// problem). No declaration, no namespace, no byte-order mark, no whitespace between elements;
// UTF-8. The message pump runs once after each node is appended.
//
// Mended fault: XML 1.0 cannot carry control characters (other than tab, line feed and carriage
// return), U+FFFE, U+FFFF, lone surrogates or malformed UTF-8, and a file holding them cannot be
// read back. Each such character in an attribute value is written as U+FFFD (xml_safe_text.h).
//
// Example: the main problem `a&b<"c"` with one cause gives the bytes
//   <NODES><NODE Caption="a&amp;b&lt;&quot;c&quot;" Key="A" ParentKey=""/><NODE ... /></NODES>
// A line feed in a caption is written "&#10;" (a tab "&#09;", a carriage return "&#13;") so that
// it survives the attribute-value normalisation of the reader.
std::string BuildExchangeDocument(std::span<const ExchangeNode> nodes, fb::os::MessagePump& pump);

// Builds the document as above and saves it to `path` (a native path) through a temporary file
// in the same folder renamed into place (platform/os/atomic_file.h), so a failure never leaves a
// half-written file and leaves an earlier file at `path` as it was. A failure (missing or
// unwritable folder, full disk) throws fb::HostError whose description names `path`.
void WriteExchangeFile(std::span<const ExchangeNode> nodes, const std::filesystem::path& path,
                       fb::os::MessagePump& pump);

}  // namespace kivo2d
