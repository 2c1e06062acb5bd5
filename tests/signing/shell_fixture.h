// The control module as a host sees it: loaded from build/lib/Signing.so, with its exports, its
// resource table and its objects, in a fresh registry per test.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "platform/com/com_ptr.h"
#include "platform/framework/module_resources.h"
#include "platform/loader/loader.h"
#include "tests/support/temp_dir.h"

namespace testing_support {

class SigningModule {
public:
    SigningModule();
    ~SigningModule();
    const std::string& path() const { return path_; }

    HRESULT Register() const;
    HRESULT Unregister() const;
    HRESULT CanUnloadNow() const;
    HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object) const;
    // A new object of the class, asked for iid.
    template <class I>
    com::ComPtr<I> Create(REFCLSID clsid, REFIID iid) const {
        com::ComPtr<IClassFactory> factory;
        EXPECT_EQ(GetClassObject(clsid, IID_IClassFactory, factory.put_void()), S_OK);
        com::ComPtr<I> object;
        if (factory) {
            EXPECT_EQ(factory->CreateInstance(nullptr, iid, object.put_void()), S_OK);
        }
        return object;
    }
    const framework::ResourceTable& Resources() const { return *resources_; }

private:
    std::string path_;
    HMODULE module_;
    const framework::ResourceTable* resources_;
};

// Every key below HKEY_CLASSES_ROOT\path with its values: "key\\sub" -> {"name" -> data}, the
// default value under "". Missing key: empty map.
using RegistryDump = std::map<std::string, std::map<std::string, std::string>>;
RegistryDump DumpClassesRoot(const std::string& path);
std::optional<std::string> ReadClassesRoot(const std::string& key, const char* valueName = nullptr);
bool ClassesRootKeyExists(const std::string& key);
void WriteClassesRoot(const std::string& key, const char* valueName, const std::string& data);

// A fixture with a fresh registry.
class ShellTest : public ::testing::Test {
protected:
    ScopedPrefix prefix_;
    SigningModule module_;
};

}  // namespace testing_support
