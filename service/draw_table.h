// The draw history as the service sends it: rows of "|+|"-joined pieces inside the raw reply
// text, and their table of texts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace k3 {

// Rows × columns of texts, filled row by row.
using DrawTable = std::vector<std::vector<std::string>>;

// Cuts the rows out of a raw "select_draw" reply text in place: from after the escaped inner
// member "data" to before the closing escaped quote, with escaped line breaks turned into CR LF.
void extractInnerData(std::string& text);

// Rows at CR LF, pieces at "|+|", laid out as rows × (pieces ÷ rows); pieces beyond that are
// dropped. False with the table untouched when the text is empty or gives no column.
bool parseDrawTable(std::string_view text, DrawTable& table);

}  // namespace k3
