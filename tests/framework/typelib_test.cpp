// Type library loading and registration failures, and registration of a library described here.
#include <gtest/gtest.h>

#include "platform/com/com_ptr.h"
#include "platform/com/typelib.h"
#include "platform/framework/registry_util.h"
#include "platform/text/codepage.h"
#include "tests/support/temp_dir.h"

namespace testing_support {
namespace {

namespace reg = framework::reg;
const GUID kLibId = MakeGuid("{11111111-2222-3333-4444-555555555555}");
const IID kIid = MakeGuid("{11111111-2222-3333-4444-666666666666}");

const com::MemberDesc kMembers[] = {{7, "Go", VT_BOOL, {}, "Goes"}};
const com::InterfaceDesc kInterfaces[] = {
    {"_DThing", &kIid, com::InterfaceKind::Dispatch, com::TYPEFLAG_FDISPATCHABLE, "The thing", com::List(kMembers)}};
const com::TypeLibDesc kLib{"THINGLib", &kLibId, 2, 1, 0, 0, "Thing library", nullptr, com::List(kInterfaces), {}};

TEST(TypeLibrary, FilesWithoutALibraryDoNotLoad) {
    TempDir dir;
    WriteFile(dir.path() / "not-a-module.so", "text");
    for (const std::string& file : {dir.str() + "/missing.so", dir.str() + "/not-a-module.so",
                                    std::string(CS_BUILD_DIR) + "/lib/libchequesign_platform.so"}) {
        com::ComPtr<ITypeLib> lib;
        EXPECT_EQ(LoadTypeLib(text::FromUtf8(file).c_str(), lib.put()), TYPE_E_CANTLOADLIBRARY) << file;
        EXPECT_FALSE(lib);
    }
}

TEST(TypeLibrary, RegistersAndUnregistersOneVersion) {
    ScopedPrefix prefix;
    com::ComPtr<ITypeLib> lib;
    ASSERT_EQ(com::CreateTypeLib(kLib, nullptr, lib.put()), S_OK);
    ASSERT_EQ(RegisterTypeLib(lib.get(), u"/nowhere/thing.so", u"/help"), S_OK);
    const std::string version = "TypeLib\\{11111111-2222-3333-4444-555555555555}\\2.1";
    EXPECT_EQ(reg::ReadString(HKEY_CLASSES_ROOT, version), "Thing library");
    EXPECT_EQ(reg::ReadString(HKEY_CLASSES_ROOT, version + "\\0\\win32"), "/nowhere/thing.so");
    EXPECT_EQ(reg::ReadString(HKEY_CLASSES_ROOT, version + "\\HELPDIR"), "/help");
    EXPECT_EQ(reg::ReadString(HKEY_CLASSES_ROOT, version + "\\FLAGS"), "0");
    EXPECT_EQ(reg::ReadString(HKEY_CLASSES_ROOT, "Interface\\{11111111-2222-3333-4444-666666666666}"), "_DThing");

    // The registered path is found for any locale, but it does not load.
    com::BStr path;
    ASSERT_EQ(QueryPathOfRegTypeLib(kLibId, 2, 1, 0x0409, path.put()), S_OK);
    EXPECT_EQ(path.ToUtf8(), "/nowhere/thing.so");
    com::ComPtr<ITypeLib> registered;
    EXPECT_EQ(LoadRegTypeLib(kLibId, 2, 1, 0x0409, registered.put()), TYPE_E_CANTLOADLIBRARY);
    EXPECT_EQ(LoadRegTypeLib(kLibId, 3, 0, 0x0409, registered.put()), TYPE_E_LIBNOTREGISTERED);

    ASSERT_EQ(UnRegisterTypeLib(kLibId, 2, 1, 0, SYS_WIN32), S_OK);
    EXPECT_FALSE(reg::KeyExists(HKEY_CLASSES_ROOT, "TypeLib\\{11111111-2222-3333-4444-555555555555}"));
    EXPECT_EQ(UnRegisterTypeLib(kLibId, 2, 1, 0, SYS_WIN32), TYPE_E_LIBNOTREGISTERED);
}

TEST(TypeLibrary, TypeInfoInvokesThroughTheInstance) {
    com::ComPtr<ITypeLib> lib;
    ASSERT_EQ(com::CreateTypeLib(kLib, nullptr, lib.put()), S_OK);
    com::ComPtr<ITypeInfo> info;
    ASSERT_EQ(lib->GetTypeInfo(0, info.put()), S_OK);
    com::BStr name, help;
    ASSERT_EQ(info->GetDocumentation(7, name.put(), help.put(), nullptr, nullptr), S_OK);
    EXPECT_EQ(name.ToUtf8(), "Go");
    EXPECT_EQ(help.ToUtf8(), "Goes");
    EXPECT_EQ(info->Invoke(nullptr, 7, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr), E_INVALIDARG);
    EXPECT_EQ(lib->GetTypeInfo(1, info.put()), TYPE_E_ELEMENTNOTFOUND);
}

}  // namespace
}  // namespace testing_support
