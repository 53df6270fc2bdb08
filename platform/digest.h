// MD5 and RC4 over raw bytes, and the hexadecimal form the protocol uses.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace k3 {

// MD5 of the bytes as 32 upper-case hexadecimal characters.
std::string md5Hex(std::string_view bytes);

// RC4 keystream applied to data (encrypts and decrypts alike). An empty key gives the data back.
std::string rc4(std::string_view key, std::string_view data);

// Upper-case hexadecimal text of the bytes.
std::string toHex(std::string_view bytes);

// Bytes of a hexadecimal text (either case); nullopt for odd length or a non-hex character.
std::optional<std::string> fromHex(std::string_view hex);

}  // namespace k3
