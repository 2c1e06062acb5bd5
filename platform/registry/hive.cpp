#include "platform/registry/hive.h"

#include <algorithm>

#include "platform/registry/registry.h"

namespace registry::detail {

Value* Key::FindValue(std::string_view name) {
    auto it =
        std::find_if(values.begin(), values.end(), [&](const Value& v) { return NamesEqual(v.name, name); });
    return it == values.end() ? nullptr : &*it;
}

const Value* Key::FindValue(std::string_view name) const {
    return const_cast<Key*>(this)->FindValue(name);
}

bool Key::SetValue(std::string_view name, DWORD type, std::string data) {
    if (Value* existing = FindValue(name)) {
        if (existing->type == type && existing->data == data) return false;
        existing->type = type;
        existing->data = std::move(data);
        return true;
    }
    values.push_back(Value{std::string(name), type, std::move(data)});
    return true;
}

bool Key::DeleteValue(std::string_view name) {
    auto it =
        std::find_if(values.begin(), values.end(), [&](const Value& v) { return NamesEqual(v.name, name); });
    if (it == values.end()) return false;
    values.erase(it);
    return true;
}

Key* Key::Child(std::string_view name) {
    auto it = subkeys.find(name);
    return it == subkeys.end() ? nullptr : it->second.get();
}

const Key* Key::Child(std::string_view name) const {
    return const_cast<Key*>(this)->Child(name);
}

Key* FindKey(Key& from, const KeyPath& path) {
    Key* key = &from;
    for (const std::string& part : path) {
        key = key->Child(part);
        if (key == nullptr) return nullptr;
    }
    return key;
}

const Key* FindKey(const Key& from, const KeyPath& path) {
    return FindKey(const_cast<Key&>(from), path);
}

Key& CreateKey(Key& from, const KeyPath& path, bool* created) {
    Key* key = &from;
    *created = false;
    for (const std::string& part : path) {
        Key* child = key->Child(part);
        *created = child == nullptr;
        if (child == nullptr) {
            auto inserted = key->subkeys.emplace(part, std::make_unique<Key>());
            child = inserted.first->second.get();
        }
        key = child;
    }
    return *key;
}

bool IsStringType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

}  // namespace registry::detail
