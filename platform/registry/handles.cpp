#include "platform/registry/handles.h"

#include <memory>
#include <mutex>
#include <unordered_map>

namespace {
// Only their addresses are used: they stand for the roots and are never read.
RegKey g_classesRoot;
RegKey g_localMachine;

std::mutex g_mutex;
std::unordered_map<HKEY, std::unique_ptr<RegKey>>& OpenHandles() {
    static auto* handles = new std::unordered_map<HKEY, std::unique_ptr<RegKey>>();
    return *handles;
}
}  // namespace

const HKEY HKEY_CLASSES_ROOT = &g_classesRoot;
const HKEY HKEY_LOCAL_MACHINE = &g_localMachine;

namespace registry::detail {

LONG LookUpHandle(HKEY key, KeyRef* ref) {
    if (key == &g_localMachine || key == &g_classesRoot) {
        ref->path = key == &g_localMachine ? KeyPath{} : KeyPath{"SOFTWARE", "Classes"};
        ref->access = KEY_ALL_ACCESS;
        ref->predefined = true;
        return ERROR_SUCCESS;
    }
    std::lock_guard<std::mutex> guard(g_mutex);
    auto it = OpenHandles().find(key);
    if (key == nullptr || it == OpenHandles().end()) return ERROR_INVALID_HANDLE;
    ref->path = it->second->path;
    ref->access = it->second->access;
    ref->predefined = false;
    return ERROR_SUCCESS;
}

HKEY NewHandle(KeyPath path, REGSAM access) {
    auto key = std::make_unique<RegKey>();
    key->path = std::move(path);
    key->access = access;
    std::lock_guard<std::mutex> guard(g_mutex);
    HKEY handle = key.get();
    OpenHandles().emplace(handle, std::move(key));
    return handle;
}

LONG CloseHandle(HKEY key) {
    if (key == &g_localMachine || key == &g_classesRoot) return ERROR_SUCCESS;
    std::unique_ptr<RegKey> closing;
    std::lock_guard<std::mutex> guard(g_mutex);
    auto it = OpenHandles().find(key);
    if (key == nullptr || it == OpenHandles().end()) return ERROR_INVALID_HANDLE;
    closing = std::move(it->second);
    OpenHandles().erase(it);
    return ERROR_SUCCESS;
}

}  // namespace registry::detail
