// The hive in memory: a tree of keys, each with its values and subkeys.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/com/types.h"
#include "platform/registry/names.h"

namespace registry::detail {

// A value's data as stored: for string types the text without its terminator (the terminator is
// added on reading), for every other type the bytes as given.
struct Value {
    std::string name;
    DWORD type = 0;
    std::string data;
};

struct Key {
    std::vector<Value> values;  // in the order they were created
    std::map<std::string, std::unique_ptr<Key>, NameLess> subkeys;

    Value* FindValue(std::string_view name);
    const Value* FindValue(std::string_view name) const;
    // Sets or replaces a value; a replaced value keeps its place and its name's case.
    // False when the value already held exactly this type and data.
    bool SetValue(std::string_view name, DWORD type, std::string data);
    bool DeleteValue(std::string_view name);

    Key* Child(std::string_view name);
    const Key* Child(std::string_view name) const;
};

// The key at the path below `from`, or null.
Key* FindKey(Key& from, const KeyPath& path);
const Key* FindKey(const Key& from, const KeyPath& path);
// The key at the path, created with every missing key on the way; *created tells whether the
// last one was new.
Key& CreateKey(Key& from, const KeyPath& path, bool* created);

bool IsStringType(DWORD type);

}  // namespace registry::detail
