// The text rules every module shares: integer value, splitting, replacing, number formatting
// and the GBK <-> UTF-8 conversion. Texts are UTF-8 std::string everywhere inside the program.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace k3 {

// Integer value of a text: leading blanks skipped, full-width digits and signs folded to ASCII,
// optional sign, then the leading decimal digits; 0 when there are none. Values beyond the
// type's range saturate at its limits.
int32_t textToInt(std::string_view text);
int64_t textToInt64(std::string_view text);

// Splits at every occurrence of separator: empty pieces between two separators are kept,
// a trailing empty piece is dropped and an empty text gives no piece.
std::vector<std::string> splitText(std::string_view text, std::string_view separator);

// Joins pieces with the separator between them.
std::string joinText(const std::vector<std::string>& pieces, std::string_view separator);

// Replaces every occurrence of from (searched left to right, not overlapping). An empty from
// leaves the text unchanged.
std::string replaceAll(std::string_view text, std::string_view from, std::string_view to);

// True when needle occurs in text; an empty needle occurs nowhere.
bool containsText(std::string_view text, std::string_view needle);

// The C format "%.13g".
std::string formatDouble(double value);

// Conversions between UTF-8 and GBK; nullopt when the input is not valid in its encoding.
std::optional<std::string> utf8ToGbk(std::string_view utf8);
std::optional<std::string> gbkToUtf8(std::string_view gbk);

// True when the bytes are well-formed UTF-8.
bool isValidUtf8(std::string_view text);

}  // namespace k3
