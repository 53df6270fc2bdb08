// Initialisation-file text ("[section]" lines and "key=value" lines) read and edited with the
// rules of the desktop's profile-string functions. Works on the file's bytes as they are on
// disk (GBK): everything but the line written stays byte for byte.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace k3 {

// The value of key in section: blanks around it dropped, and one pair of matching quotes around
// it removed. Section and key names match without regard to ASCII case; the first section of
// that name counts. nullopt when the section or the key is missing.
std::optional<std::string> findProfileValue(std::string_view fileText, std::string_view section,
                                            std::string_view key);

// The text with "key=value" in section: the key's line is replaced when it exists, otherwise
// the line is added after the section's last entry, or a new section is added at the end.
// Lines end in "\r\n".
std::string withProfileValue(std::string_view fileText, std::string_view section, std::string_view key,
                             std::string_view value);

}  // namespace k3
