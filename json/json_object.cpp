// Reading and writing the members of a JSON object through the handle library.
#include "json/json_object.h"

#include "platform/text.h"

namespace k3 {
namespace {

// A value as text by its type code.
std::string valueText(int32_t handle, int32_t type) {
    switch (type) {
        case JsonType::Bool:
            return jsongetbool(handle) ? "true" : "";
        case JsonType::String:
        case JsonType::Object:
        case JsonType::Array:
            return jsongetstring(handle);
        case JsonType::Int32:
        case JsonType::Int64:
            return std::to_string(jsongetlonglong(handle));
        case JsonType::Double:
            return formatDouble(jsongetdouble(handle));
        case JsonType::UInt32:
            return std::to_string(static_cast<int32_t>(jsongetuint(handle)));
        case JsonType::UInt64:
            return std::to_string(jsongetulonglong(handle));
        default:  // no value, null, unknown codes
            return {};
    }
}

}  // namespace

bool JsonObject::put(std::string_view key, std::string_view value) {
    return jsonpushstring(handle(), key, value) != 0;
}

bool JsonObject::putValue(std::string_view key, const JsonValue& other) {
    return jsonpushobject(handle(), key, other.handle()) != 0;
}

std::string JsonObject::get(std::string_view key) const {
    int32_t type = 0;
    return get(key, type);
}

std::string JsonObject::get(std::string_view key, int32_t& type) const {
    int32_t member = 0;
    type = jsongetobjectvalue(handle(), key, member);
    return valueText(member, type);
}

std::string JsonObject::getAt(int32_t index, int32_t& type, std::string& key) const {
    int32_t member = 0;
    type = jsongetat(handle(), index - 1, member, key);
    if (type < 0) {
        type = JsonType::None;
        return {};
    }
    return jsongetstring(member);
}

bool JsonObject::getMember(std::string_view key, JsonValue& target) const {
    int32_t copy = 0;
    const int32_t type = jsoncopyobjectvalue(handle(), key, copy);
    if (type != target.kind() || !target.attach(copy)) {
        jsonfree(copy);
        return false;
    }
    return true;
}

int32_t JsonObject::readAll(std::vector<std::string>& keys, std::vector<std::string>& values,
                            std::vector<int32_t>& types) const {
    if (type() != JsonType::Object) {
        return -1;
    }
    const int32_t count = size();
    keys.assign(count, {});
    values.assign(count, {});
    types.assign(count, 0);
    for (int32_t i = 0; i < count; ++i) {
        values[i] = getAt(i + 1, types[i], keys[i]);
    }
    return count;
}

}  // namespace k3
