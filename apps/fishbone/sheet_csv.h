#pragma once

#include <string>

namespace fb::sheet {
class Worksheet;
}

namespace fishbone {

// The sheet's values from A1 to its last cell with content, as CSV (RFC 4180, UTF-8, CRLF line
// ends): CSV row r, field c is the cell at row r, column c. Numbers are the shortest text that
// reads back to the same double, so another engine's results compare exactly; booleans are
// TRUE/FALSE and errors their sheet texts (#N/A). Fields holding a comma, a quote or a line
// break are quoted. An empty sheet gives an empty text.
std::string SheetValuesAsCsv(const fb::sheet::Worksheet& sheet);

}  // namespace fishbone
