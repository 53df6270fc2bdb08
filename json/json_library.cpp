// The JSON tree behind the value objects: nlohmann's ordered JSON (member order is kept and
// observable) in a table of handles. A member handle names its root and a path, so it stays
// valid while the root grows and dies with the root.
#include "json/json_library.h"

#include <nlohmann/json.hpp>

#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace k3 {
namespace {

using Json = nlohmann::ordered_json;
using JsonPointer = Json::json_pointer;

struct Entry {
    std::unique_ptr<Json> value;                   // set for a root
    bool fresh = false;                            // a root from jsoncreate that has received nothing yet
    std::map<std::string, int32_t> memberHandles;  // of a root: path -> handle
    int32_t root = 0;                              // set for a member
    JsonPointer path;                              // of a member, inside its root
};

class HandleTable {
public:
    std::mutex mutex;

    int32_t addRoot(Json value, bool fresh = false) {
        const int32_t handle = nextHandle();
        Entry& entry = m_entries[handle];
        entry.value = std::make_unique<Json>(std::move(value));
        entry.fresh = fresh;
        return handle;
    }

    Entry* find(int32_t handle) {
        const auto it = m_entries.find(handle);
        return it == m_entries.end() ? nullptr : &it->second;
    }

    // The value a handle stands for; nullptr for an unknown handle or a vanished member.
    Json* resolve(int32_t handle) {
        Entry* entry = find(handle);
        if (!entry) {
            return nullptr;
        }
        if (entry->value) {
            return entry->value.get();
        }
        Entry* root = find(entry->root);
        if (!root || !root->value->contains(entry->path)) {
            return nullptr;
        }
        return &root->value->at(entry->path);
    }

    // The handle of a child of handle's value, reused when asked for again.
    int32_t memberHandle(int32_t handle, const std::string& key, bool isIndex, size_t index) {
        const Entry& parent = *find(handle);
        const int32_t rootHandle = parent.value ? handle : parent.root;
        JsonPointer path = parent.value ? JsonPointer() : parent.path;
        path = isIndex ? path / index : path / key;
        auto& handles = find(rootHandle)->memberHandles;
        const auto known = handles.find(path.to_string());
        if (known != handles.end()) {
            return known->second;
        }
        const int32_t member = nextHandle();
        Entry& entry = m_entries[member];
        entry.root = rootHandle;
        entry.path = path;
        handles[path.to_string()] = member;
        return member;
    }

    void erase(int32_t handle) {
        Entry* entry = find(handle);
        if (!entry) {
            return;
        }
        if (entry->value) {
            for (const auto& member : entry->memberHandles) {
                m_entries.erase(member.second);
            }
        } else if (Entry* root = find(entry->root)) {
            root->memberHandles.erase(entry->path.to_string());
        }
        m_entries.erase(handle);
    }

private:
    int32_t nextHandle() {
        do {
            m_next = m_next == std::numeric_limits<int32_t>::max() ? 1 : m_next + 1;
        } while (m_entries.contains(m_next));
        return m_next;
    }

    std::unordered_map<int32_t, Entry> m_entries;
    int32_t m_next = 0;
};

// Never destroyed: value objects with static storage may free their values after every other
// static is gone.
HandleTable& table() {
    static HandleTable* const instance = new HandleTable;
    return *instance;
}

int32_t typeOf(const Json* value) {
    if (!value) {
        return JsonType::None;
    }
    switch (value->type()) {
        case Json::value_t::null:
            return JsonType::Null;
        case Json::value_t::boolean:
            return JsonType::Bool;
        case Json::value_t::string:
            return JsonType::String;
        case Json::value_t::number_integer: {
            const int64_t number = value->get<int64_t>();
            const bool fits32 = number >= std::numeric_limits<int32_t>::min() &&
                                number <= std::numeric_limits<int32_t>::max();
            return fits32 ? JsonType::Int32 : JsonType::Int64;
        }
        case Json::value_t::number_unsigned: {
            const uint64_t number = value->get<uint64_t>();
            if (number <= static_cast<uint64_t>(std::numeric_limits<int32_t>::max())) {
                return JsonType::Int32;
            }
            return number <= static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) ? JsonType::Int64
                                                                                        : JsonType::UInt64;
        }
        case Json::value_t::number_float:
            return JsonType::Double;
        case Json::value_t::object:
            return JsonType::Object;
        case Json::value_t::array:
            return JsonType::Array;
        default:  // discarded (a failed parse) and binary
            return JsonType::None;
    }
}

std::string dump(const Json& value) { return value.dump(-1, ' ', false, Json::error_handler_t::replace); }

// A number as T: integers wrap like a C cast, doubles out of T's range give 0.
template <typename T>
T numberAs(const Json* value) {
    if (!value) {
        return 0;
    }
    if (value->is_number_unsigned()) {
        return static_cast<T>(value->get<uint64_t>());
    }
    if (value->is_number_integer()) {
        return static_cast<T>(value->get<int64_t>());
    }
    if (value->is_number_float()) {
        const double number = value->get<double>();
        const bool inRange = number >= static_cast<double>(std::numeric_limits<T>::lowest()) &&
                             number < static_cast<double>(std::numeric_limits<T>::max());
        return inRange ? static_cast<T>(number) : 0;
    }
    return 0;
}

// The target of a member write: an object, or a fresh value that now becomes one.
Json* objectTarget(HandleTable& handles, int32_t handle) {
    Entry* entry = handles.find(handle);
    Json* target = handles.resolve(handle);
    if (entry && entry->fresh) {
        *target = Json::object();
        entry->fresh = false;
    }
    return target && target->is_object() ? target : nullptr;
}

}  // namespace

int32_t jsoncreate() {
    std::scoped_lock lock(table().mutex);
    return table().addRoot(Json::array(), true);
}

int32_t jsonparse(std::string_view text) {
    Json parsed = Json::parse(text.begin(), text.end(), nullptr, false);
    std::scoped_lock lock(table().mutex);
    return table().addRoot(std::move(parsed));
}

void jsonfree(int32_t handle) {
    std::scoped_lock lock(table().mutex);
    table().erase(handle);
}

int32_t jsonclone(int32_t handle) {
    std::scoped_lock lock(table().mutex);
    const Json* value = table().resolve(handle);
    if (!value) {
        return 0;
    }
    const Entry* entry = table().find(handle);
    return table().addRoot(*value, entry->fresh);
}

int32_t jsongettype(int32_t handle) {
    std::scoped_lock lock(table().mutex);
    return typeOf(table().resolve(handle));
}

int32_t jsongetsize(int32_t handle) {
    std::scoped_lock lock(table().mutex);
    const Json* value = table().resolve(handle);
    if (!value || !(value->is_object() || value->is_array())) {
        return 0;
    }
    return static_cast<int32_t>(value->size());
}

std::string jsontostring(int32_t handle) {
    std::scoped_lock lock(table().mutex);
    const Json* value = table().resolve(handle);
    return typeOf(value) == JsonType::None ? std::string() : dump(*value);
}

int32_t jsongetobjectvalue(int32_t handle, std::string_view key, int32_t& member) {
    member = 0;
    std::scoped_lock lock(table().mutex);
    const Json* value = table().resolve(handle);
    if (!value || !value->is_object() || !value->contains(key)) {
        return JsonType::None;
    }
    member = table().memberHandle(handle, std::string(key), false, 0);
    return typeOf(table().resolve(member));
}

int32_t jsongetat(int32_t handle, int32_t index, int32_t& member, std::string& name) {
    member = 0;
    name.clear();
    std::scoped_lock lock(table().mutex);
    const Json* value = table().resolve(handle);
    const bool container = value && (value->is_object() || value->is_array());
    if (!container || index < 0 || static_cast<size_t>(index) >= value->size()) {
        return JsonType::None;
    }
    if (value->is_object()) {
        const auto& members = value->get_ref<const Json::object_t&>();
        name = (members.begin() + index)->first;
        member = table().memberHandle(handle, name, false, 0);
    } else {
        member = table().memberHandle(handle, {}, true, static_cast<size_t>(index));
    }
    return typeOf(table().resolve(member));
}

int32_t jsoncopyobjectvalue(int32_t handle, std::string_view key, int32_t& copy) {
    copy = 0;
    std::scoped_lock lock(table().mutex);
    const Json* value = table().resolve(handle);
    if (!value || !value->is_object() || !value->contains(key)) {
        return JsonType::None;
    }
    Json member = value->at(std::string(key));
    const int32_t type = typeOf(&member);
    copy = table().addRoot(std::move(member));
    return type;
}

int32_t jsonpushstring(int32_t handle, std::string_view key, std::string_view text) {
    std::scoped_lock lock(table().mutex);
    Json* target = objectTarget(table(), handle);
    if (!target) {
        return 0;
    }
    (*target)[std::string(key)] = std::string(text);
    return 1;
}

int32_t jsonpushobject(int32_t handle, std::string_view key, int32_t value) {
    std::scoped_lock lock(table().mutex);
    const Json* source = table().resolve(value);
    if (typeOf(source) == JsonType::None) {
        return 0;
    }
    Json copy = *source;  // taken first: the source may live inside the target
    Json* target = objectTarget(table(), handle);
    if (!target) {
        return 0;
    }
    (*target)[std::string(key)] = std::move(copy);
    return 1;
}

int32_t jsonarrayaddstring(int32_t handle, std::string_view text) {
    std::scoped_lock lock(table().mutex);
    Entry* entry = table().find(handle);
    Json* target = table().resolve(handle);
    if (!target || !target->is_array()) {
        return 0;
    }
    entry->fresh = false;
    target->push_back(std::string(text));
    return 1;
}

std::string jsongetstring(int32_t handle) {
    std::scoped_lock lock(table().mutex);
    const Json* value = table().resolve(handle);
    if (typeOf(value) == JsonType::None) {
        return {};
    }
    return value->is_string() ? value->get<std::string>() : dump(*value);
}

bool jsongetbool(int32_t handle) {
    std::scoped_lock lock(table().mutex);
    const Json* value = table().resolve(handle);
    return value && value->is_boolean() && value->get<bool>();
}

int32_t jsongetint(int32_t handle) {
    std::scoped_lock lock(table().mutex);
    return numberAs<int32_t>(table().resolve(handle));
}

uint32_t jsongetuint(int32_t handle) {
    std::scoped_lock lock(table().mutex);
    return numberAs<uint32_t>(table().resolve(handle));
}

int64_t jsongetlonglong(int32_t handle) {
    std::scoped_lock lock(table().mutex);
    return numberAs<int64_t>(table().resolve(handle));
}

uint64_t jsongetulonglong(int32_t handle) {
    std::scoped_lock lock(table().mutex);
    return numberAs<uint64_t>(table().resolve(handle));
}

double jsongetdouble(int32_t handle) {
    std::scoped_lock lock(table().mutex);
    const Json* value = table().resolve(handle);
    return value && value->is_number() ? value->get<double>() : 0.0;
}

}  // namespace k3
