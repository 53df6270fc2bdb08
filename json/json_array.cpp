// Appending to and reading from a JSON array through the handle library.
#include "json/json_array.h"

namespace k3 {

bool JsonArray::add(std::string_view value) { return jsonarrayaddstring(handle(), value) != 0; }

std::string JsonArray::getAt(int32_t index, int32_t& type) const {
    int32_t element = 0;
    std::string name;
    type = jsongetat(handle(), index - 1, element, name);
    return type < 0 ? std::string() : jsongetstring(element);
}

}  // namespace k3
