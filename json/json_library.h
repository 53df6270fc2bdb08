// A handle-based JSON tree: values live in one table and callers hold int32 handles. Member
// handles stay owned by the tree they came from; roots are freed with jsonfree.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace k3 {

// Type codes of a value.
namespace JsonType {
inline constexpr int32_t None = -1;  // missing member, index out of range, invalid handle
inline constexpr int32_t Null = 0;
inline constexpr int32_t Bool = 1;
inline constexpr int32_t String = 2;
inline constexpr int32_t Int32 = 3;
inline constexpr int32_t Double = 4;
inline constexpr int32_t Int64 = 5;
inline constexpr int32_t Object = 6;
inline constexpr int32_t Array = 7;
inline constexpr int32_t UInt32 = 8;  // never produced by this library; kept for the code table
inline constexpr int32_t UInt64 = 9;
}  // namespace JsonType

// A new empty value: it becomes an object with its first member, an array with its first
// element, and is written as "[]" until then.
int32_t jsoncreate();
// Always a new handle; its type is None when the text is not JSON.
int32_t jsonparse(std::string_view text);
// Frees a value and every member handle taken from it; accepts 0 and unknown handles.
void jsonfree(int32_t handle);
// Independent copy of any value (a new root), 0 when the handle holds nothing.
int32_t jsonclone(int32_t handle);

int32_t jsongettype(int32_t handle);
// Members of an object, elements of an array, 0 otherwise.
int32_t jsongetsize(int32_t handle);
// Compact JSON text, UTF-8 kept as it is; empty for a handle that holds no value.
std::string jsontostring(int32_t handle);

// Type code of member key and its handle (owned by the tree); None and 0 when missing.
int32_t jsongetobjectvalue(int32_t handle, std::string_view key, int32_t& member);
// Type code of the member (or element) at the 0-based index, its handle and its name (empty for
// an array element); None when out of range.
int32_t jsongetat(int32_t handle, int32_t index, int32_t& member, std::string& name);
// Type code of member key and a new root holding a copy of it; None and 0 when missing.
int32_t jsoncopyobjectvalue(int32_t handle, std::string_view key, int32_t& copy);

// Set a member of an object (replacing one of the same name), append to an array. Non-zero on
// success; zero when the target is of another kind or the handle holds nothing.
int32_t jsonpushstring(int32_t handle, std::string_view key, std::string_view text);
int32_t jsonpushobject(int32_t handle, std::string_view key, int32_t value);
int32_t jsonarrayaddstring(int32_t handle, std::string_view text);

// A string as it is; any other value as its JSON text; empty for no value.
std::string jsongetstring(int32_t handle);
bool jsongetbool(int32_t handle);
int32_t jsongetint(int32_t handle);
uint32_t jsongetuint(int32_t handle);
int64_t jsongetlonglong(int32_t handle);
uint64_t jsongetulonglong(int32_t handle);
double jsongetdouble(int32_t handle);

}  // namespace k3
