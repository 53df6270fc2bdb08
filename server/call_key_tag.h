// Tags that let the service find a call's key at once instead of trying every recent key: the
// first bytes of a key's keystream. The request JSON always opens with the member "rand", so the
// head of every call's inner layer is known and the head of its cipher text gives the keystream.
#pragma once

#include <string>
#include <string_view>

namespace k3 {

// The tag of a call key, filed when the key is handed out.
std::string tagOfKey(std::string_view callKey);

// The tag of the key a call was sealed with, from the call's cipher bytes (after hex decoding);
// empty when there are too few of them.
std::string tagOfCall(std::string_view cipherBytes);

}  // namespace k3
