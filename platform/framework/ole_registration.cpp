#include "platform/framework/ole_registration.h"

#include <string>

#include "platform/framework/registry_util.h"

namespace framework {
namespace {

// Writes entries one after the other and remembers whether all of them were written.
class EntryWriter {
public:
    void Set(const std::string& key, const char* valueName, const std::string& value) {
        if (ok_) ok_ = reg::SetString(HKEY_CLASSES_ROOT, key, valueName, value) == ERROR_SUCCESS;
    }
    bool Ok() const { return ok_; }

private:
    bool ok_ = true;
};

std::string UserTypeName(const ModuleState& module, UINT id, const std::string& clsidText) {
    const char* name = module.LoadString(id);
    return name ? std::string(name) : clsidText;
}

std::string ClassKey(const std::string& clsidText) { return "CLSID\\" + clsidText; }

}  // namespace

bool RegisterControlClass(ModuleState& module, const ControlClassInfo& info) {
    const std::string clsid = GuidToString(info.clsid);
    const std::string name = UserTypeName(module, info.userTypeNameId, clsid);
    const std::string path = module.ModulePath();
    const std::string key = ClassKey(clsid);
    if (path.empty() || info.progId == nullptr) return false;
    EntryWriter w;
    w.Set(info.progId, nullptr, name);
    w.Set(std::string(info.progId) + "\\CLSID", nullptr, clsid);
    w.Set(key, nullptr, name);
    w.Set(key + "\\ProgID", nullptr, info.progId);
    w.Set(key + "\\InprocServer32", nullptr, path);
    if (info.flags & kRegApartment) w.Set(key + "\\InprocServer32", "ThreadingModel", "Apartment");
    w.Set(key + "\\ToolboxBitmap32", nullptr, path + ", " + std::to_string(info.bitmapId));
    w.Set(key + "\\MiscStatus", nullptr, "0");
    w.Set(key + "\\MiscStatus\\1", nullptr, std::to_string(info.miscStatus));
    w.Set(key + "\\Control", nullptr, "");
    if (info.flags & kRegInsertable) w.Set(key + "\\Insertable", nullptr, "");
    w.Set(key + "\\TypeLib", nullptr, GuidToString(info.libid));
    w.Set(key + "\\Version", nullptr, std::to_string(info.majorVersion) + "." + std::to_string(info.minorVersion));
    return w.Ok();
}

bool RegisterPropertyPageClass(ModuleState& module, REFCLSID clsid, UINT userTypeNameId, unsigned flags) {
    const std::string text = GuidToString(clsid);
    const std::string path = module.ModulePath();
    if (path.empty()) return false;
    const std::string key = ClassKey(text);
    EntryWriter w;
    w.Set(key, nullptr, UserTypeName(module, userTypeNameId, text));
    w.Set(key + "\\InprocServer32", nullptr, path);
    if (flags & kRegApartment) w.Set(key + "\\InprocServer32", "ThreadingModel", "Apartment");
    return w.Ok();
}

bool UnregisterClass(REFCLSID clsid, const char* progId) {
    const std::string key = ClassKey(GuidToString(clsid));
    if (reg::KeyExists(HKEY_CLASSES_ROOT, key + "\\InprocServer")) {
        // A 16-bit server shares the class: take back only what the 32-bit module wrote.
        const bool server = reg::Removed(reg::DeleteTree(HKEY_CLASSES_ROOT, key + "\\InprocServer32"));
        const bool bitmap = reg::Removed(reg::DeleteTree(HKEY_CLASSES_ROOT, key + "\\ToolboxBitmap32"));
        return server && bitmap;
    }
    bool ok = reg::Removed(reg::DeleteTree(HKEY_CLASSES_ROOT, key));
    if (progId != nullptr) ok = reg::Removed(reg::DeleteTree(HKEY_CLASSES_ROOT, progId)) && ok;
    return ok;
}

}  // namespace framework
