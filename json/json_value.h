// The common base of the JSON value objects: owns one value of the JSON tree by its handle.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace k3 {

class JsonValue {
public:
    JsonValue(const JsonValue& other);  // deep copy
    JsonValue& operator=(const JsonValue& other);
    JsonValue(JsonValue&& other) noexcept;
    JsonValue& operator=(JsonValue&& other) noexcept;
    ~JsonValue();

    // Holds a new empty value, which becomes an object or an array with what is put into it.
    bool createEmpty();
    // Holds what the text parses to; false (and an invalid value held) when it is not JSON.
    bool parse(std::string_view text);
    // Takes ownership of a handle; false and nothing changed when it holds no value.
    bool attach(int32_t handle);
    // JSON text of the value; empty when it holds none.
    std::string toText() const;
    int32_t size() const;
    int32_t type() const;

    int32_t handle() const { return m_handle; }
    // The JsonType of the values this object stands for (Object or Array).
    int32_t kind() const { return m_kind; }

protected:
    explicit JsonValue(int32_t kind) : m_kind(kind) {}
    // Frees the value held and holds handle instead.
    void hold(int32_t handle);

private:
    int32_t m_handle = 0;
    int32_t m_kind;
};

}  // namespace k3
