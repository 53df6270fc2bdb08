// Ownership of a JSON tree value: freed whenever another one is taken and on destruction.
#include "json/json_value.h"

#include "json/json_library.h"

#include <utility>

namespace k3 {

JsonValue::JsonValue(const JsonValue& other) : m_handle(jsonclone(other.m_handle)), m_kind(other.m_kind) {}

JsonValue& JsonValue::operator=(const JsonValue& other) {
    if (this != &other) {
        hold(jsonclone(other.m_handle));
    }
    return *this;
}

JsonValue::JsonValue(JsonValue&& other) noexcept
    : m_handle(std::exchange(other.m_handle, 0)), m_kind(other.m_kind) {}

JsonValue& JsonValue::operator=(JsonValue&& other) noexcept {
    if (this != &other) {
        hold(std::exchange(other.m_handle, 0));
    }
    return *this;
}

JsonValue::~JsonValue() { jsonfree(m_handle); }

bool JsonValue::createEmpty() {
    hold(jsoncreate());
    return m_handle != 0;
}

bool JsonValue::parse(std::string_view text) {
    hold(jsonparse(text));
    return type() != JsonType::None;
}

bool JsonValue::attach(int32_t handle) {
    if (jsongettype(handle) == JsonType::None) {
        return false;
    }
    hold(handle);
    return true;
}

std::string JsonValue::toText() const { return jsontostring(m_handle); }

int32_t JsonValue::size() const { return jsongetsize(m_handle); }

int32_t JsonValue::type() const { return jsongettype(m_handle); }

void JsonValue::hold(int32_t handle) {
    if (handle != m_handle) {
        jsonfree(m_handle);
        m_handle = handle;
    }
}

}  // namespace k3
