// A JSON object value: string members in, members out as text, nested values copied in and out.
#pragma once

#include "json/json_library.h"
#include "json/json_value.h"

#include <vector>

namespace k3 {

class JsonObject : public JsonValue {
public:
    JsonObject() : JsonValue(JsonType::Object) {}

    bool put(std::string_view key, std::string_view value);
    // Adds a copy of the value other holds; other keeps its own.
    bool putValue(std::string_view key, const JsonValue& other);

    // A member as text: empty for a missing member, null and false (type tells them apart),
    // "true", the string, decimal integers, "%.13g" doubles, JSON text of objects and arrays.
    std::string get(std::string_view key) const;
    std::string get(std::string_view key, int32_t& type) const;
    // Member index (from 1) with its type and name; objects and arrays give their JSON text,
    // other values their plain string form.
    std::string getAt(int32_t index, int32_t& type, std::string& key) const;
    // Copies member key into target when it is of target's kind (object or array).
    bool getMember(std::string_view key, JsonValue& target) const;
    // Every member as parallel lists of names, texts (as getAt) and types; the count, or -1 and
    // the lists untouched when no object is held.
    int32_t readAll(std::vector<std::string>& keys, std::vector<std::string>& values,
                    std::vector<int32_t>& types) const;
};

// A service reply envelope.
class JsonReply : public JsonObject {
public:
    std::string message() const { return get("msg"); }
    std::string errorCode() const { return get("errcode"); }
};

}  // namespace k3
