// Class creation through the registry: ProgID to CLSID, CLSID to module, module to class factory.
#include "platform/com/creation.h"

#include <map>
#include <mutex>
#include <vector>

#include "platform/com/apartment.h"
#include "platform/com/com_ptr.h"
#include "platform/loader/loader.h"
#include "platform/registry/registry.h"
#include "platform/text/codepage.h"

namespace {

thread_local std::string t_lastError;

// A string value (the default value for an empty name) of HKEY_CLASSES_ROOT\path.
bool ReadClassesString(const std::string& path, const char* valueName, std::string* out) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    bool ok = false;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key, valueName, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ)) {
        std::vector<BYTE> data(size + 1, 0);
        DWORD got = size;
        if (RegQueryValueExA(key, valueName, nullptr, &type, data.data(), &got) == ERROR_SUCCESS) {
            out->assign(reinterpret_cast<const char*>(data.data()));  // up to the terminator
            ok = true;
        }
    }
    RegCloseKey(key);
    return ok;
}

// Modules stay loaded for the life of the process, one handle per path.
HMODULE LoadServerModule(const std::string& path) {
    static std::mutex lock;
    static std::map<std::string, HMODULE> loaded;
    std::lock_guard<std::mutex> guard(lock);
    auto found = loaded.find(path);
    if (found != loaded.end()) return found->second;
    HMODULE module = LoadLibraryA(path.c_str());
    if (module != nullptr) loaded.emplace(path, module);
    return module;
}

bool ProgIdText(LPCOLESTR progId, std::string* out) {
    if (progId == nullptr || *progId == 0) return false;
    std::u16string_view view(progId);
    for (char16_t c : view)
        if (c >= 0x80 || c == u'\\') return false;  // a ProgID is plain ASCII and one key name
    *out = text::ToAnsi(view);
    return true;
}

}  // namespace

HRESULT CLSIDFromString(LPCOLESTR text, CLSID* clsid) {
    if (clsid == nullptr) return E_INVALIDARG;
    std::string ascii;
    if (!ProgIdText(text, &ascii) || !GuidFromString(ascii, clsid)) {
        *clsid = GUID_NULL;
        return CO_E_CLASSSTRING;
    }
    return S_OK;
}

HRESULT CLSIDFromProgID(LPCOLESTR progId, CLSID* clsid) {
    if (clsid == nullptr) return E_INVALIDARG;
    *clsid = GUID_NULL;
    std::string name, value;
    if (!ProgIdText(progId, &name)) return CO_E_CLASSSTRING;
    if (!ReadClassesString(name + "\\CLSID", "", &value)) {
        // A version-independent ProgID names its current version.
        std::string current;
        if (!ReadClassesString(name + "\\CurVer", "", &current) || current.empty() ||
            current.find('\\') != std::string::npos ||
            !ReadClassesString(current + "\\CLSID", "", &value))
            return CO_E_CLASSSTRING;
    }
    return GuidFromString(value, clsid) ? S_OK : CO_E_CLASSSTRING;
}

HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void*, REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    t_lastError.clear();
    const std::string name = GuidToString(clsid);
    if (!com::ThreadInitialized()) {
        t_lastError = "creating " + name + ": the thread has not initialised the object model";
        return CO_E_NOTINITIALIZED;
    }
    std::string path;
    if (!(context & CLSCTX_INPROC_SERVER) ||
        !ReadClassesString("CLSID\\" + name + "\\InprocServer32", "", &path) || path.empty()) {
        t_lastError = "class " + name + " has no in-process server registered";
        return REGDB_E_CLASSNOTREG;
    }
    HMODULE module = LoadServerModule(path);
    if (module == nullptr) {
        t_lastError = "class " + name + ": " + loader::LastError();
        return CO_E_DLLNOTFOUND;
    }
    auto getClassObject = loader::Lookup<PFN_DllGetClassObject>(module, "DllGetClassObject");
    if (getClassObject == nullptr) {
        t_lastError = "class " + name + ": module \"" + path + "\" has no DllGetClassObject";
        return CO_E_ERRORINDLL;
    }
    HRESULT hr;
    try {
        hr = getClassObject(clsid, iid, object);
    } catch (...) {  // a module that lets an exception through its export
        hr = E_UNEXPECTED;
    }
    if (FAILED(hr)) {
        *object = nullptr;
        t_lastError = "class " + name + ": DllGetClassObject of \"" + path + "\" failed";
    } else if (*object == nullptr) {  // a success with nothing to call through
        hr = E_UNEXPECTED;
        t_lastError = "class " + name + ": DllGetClassObject of \"" + path + "\" gave no class object";
    }
    return hr;
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    com::ComPtr<IClassFactory> factory;
    HRESULT hr = CoGetClassObject(clsid, context, nullptr, IID_IClassFactory, factory.put_void());
    if (FAILED(hr)) return hr;
    try {
        hr = factory->CreateInstance(outer, iid, object);
    } catch (...) {
        hr = E_UNEXPECTED;
    }
    if (FAILED(hr)) {
        *object = nullptr;
        t_lastError = "class " + GuidToString(clsid) + ": the class factory refused the instance";
    }
    return hr;
}

namespace com {
std::string LastCreationError() { return t_lastError; }
}  // namespace com
