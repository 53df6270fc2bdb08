// A JSON array value of strings.
#pragma once

#include "json/json_library.h"
#include "json/json_value.h"

namespace k3 {

class JsonArray : public JsonValue {
public:
    JsonArray() : JsonValue(JsonType::Array) {}

    bool add(std::string_view value);
    // Element index (from 1) with its type: strings as they are, other values as JSON text;
    // empty and type -1 out of range.
    std::string getAt(int32_t index, int32_t& type) const;
};

}  // namespace k3
