// Self-registration of the control module: the entries DllRegisterServer writes, what
// DllUnregisterServer removes (including registrations it shares with 16-bit servers), and the
// failure codes.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/registry/registry.h"
#include "tests/signing/shell_fixture.h"
#include "tests/support/temp_dir.h"

namespace testing_support {
namespace {

constexpr HRESULT kTypeLibFailed = static_cast<HRESULT>(0x80040200u);

const std::string kControlKey = "CLSID\\{97385D32-8FC9-4930-9F33-17CD1CC91BDC}";
const std::string kPageKey = "CLSID\\{1CD2EE44-002A-48ED-B665-E8DACD547A5D}";
const std::string kProgIdKey = "SIGNING.SigningCtrl.1";
const std::string kLibKey = "TypeLib\\{8CC0627E-0EFD-46EA-8049-6EA94E246857}";
const std::string kDispatchKey = "Interface\\{4363F100-7913-43C0-B841-2C72C1B4D783}";
const std::string kEventsKey = "Interface\\{4F8A5F53-BADD-47F9-8588-07BDAD4B256B}";

struct Entry {
    std::string key;
    const char* value;  // null: the default value
    std::string data;   // "<path>" stands for the module's full path
};

std::string Expand(std::string data, const std::string& path) {
    const std::string mark = "<path>";
    if (auto at = data.find(mark); at != std::string::npos) data.replace(at, mark.size(), path);
    return data;
}

using RegistrationTest = ShellTest;

TEST_F(RegistrationTest, WritesEveryEntryOfTheControlPageAndTypeLibrary) {
    ASSERT_EQ(module_.Register(), S_OK);
    const Entry entries[] = {
        {kProgIdKey, nullptr, "Signing Control"},
        {kProgIdKey + "\\CLSID", nullptr, "{97385D32-8FC9-4930-9F33-17CD1CC91BDC}"},
        {kControlKey, nullptr, "Signing Control"},
        {kControlKey + "\\ProgID", nullptr, "SIGNING.SigningCtrl.1"},
        {kControlKey + "\\InprocServer32", nullptr, "<path>"},
        {kControlKey + "\\InprocServer32", "ThreadingModel", "Apartment"},
        {kControlKey + "\\ToolboxBitmap32", nullptr, "<path>, 1"},
        {kControlKey + "\\MiscStatus", nullptr, "0"},
        {kControlKey + "\\MiscStatus\\1", nullptr, "131473"},
        {kControlKey + "\\Control", nullptr, ""},
        {kControlKey + "\\TypeLib", nullptr, "{8CC0627E-0EFD-46EA-8049-6EA94E246857}"},
        {kControlKey + "\\Version", nullptr, "1.0"},
        {kPageKey, nullptr, "Signing Property Page"},
        {kPageKey + "\\InprocServer32", nullptr, "<path>"},
        {kLibKey + "\\1.0", nullptr, "Signing ActiveX Control module"},
        {kLibKey + "\\1.0\\0\\win32", nullptr, "<path>"},
        {kLibKey + "\\1.0\\FLAGS", nullptr, "2"},
        {kLibKey + "\\1.0\\HELPDIR", nullptr, ""},
        {kDispatchKey, nullptr, "_DSigning"},
        {kDispatchKey + "\\TypeLib", nullptr, "{8CC0627E-0EFD-46EA-8049-6EA94E246857}"},
        {kDispatchKey + "\\TypeLib", "Version", "1.0"},
        {kEventsKey, nullptr, "_DSigningEvents"},
    };
    for (const Entry& e : entries) {
        SCOPED_TRACE(e.key + (e.value ? std::string(" / ") + e.value : std::string()));
        EXPECT_EQ(ReadClassesRoot(e.key, e.value), Expand(e.data, module_.path()));
    }
    // What must not be there.
    EXPECT_FALSE(ReadClassesRoot(kPageKey + "\\InprocServer32", "ThreadingModel"));
    EXPECT_FALSE(ClassesRootKeyExists(kPageKey + "\\ProgID"));
    EXPECT_FALSE(ClassesRootKeyExists("SIGNING.SigningPropPage.1"));
    EXPECT_FALSE(ClassesRootKeyExists(kControlKey + "\\Insertable"));
    // The control class key holds exactly the subkeys above.
    const RegistryDump control = DumpClassesRoot(kControlKey);
    EXPECT_EQ(control.size(), 9u);
}

TEST_F(RegistrationTest, RegisteringTwiceGivesTheSameEntries) {
    ASSERT_EQ(module_.Register(), S_OK);
    const RegistryDump first = DumpClassesRoot("");
    ASSERT_EQ(module_.Register(), S_OK);
    EXPECT_EQ(DumpClassesRoot(""), first);
}

TEST_F(RegistrationTest, UnregisteringWhatWasNeverRegisteredSucceeds) { EXPECT_EQ(module_.Unregister(), S_OK); }

TEST_F(RegistrationTest, UnregisteringLeavesNoKeyOfTheModule) {
    ASSERT_EQ(module_.Register(), S_OK);
    ASSERT_EQ(module_.Unregister(), S_OK);
    for (const std::string& key : {kControlKey, kPageKey, kProgIdKey, kLibKey, kDispatchKey, kEventsKey})
        EXPECT_FALSE(ClassesRootKeyExists(key)) << key;
}

TEST_F(RegistrationTest, UnregisteringKeepsWhatSixteenBitServersShare) {
    ASSERT_EQ(module_.Register(), S_OK);
    WriteClassesRoot(kControlKey + "\\InprocServer", nullptr, "SIGNING16.OCX");
    WriteClassesRoot(kLibKey + "\\1.0\\0\\win16", nullptr, "SIGNING16.OCX");
    // A second locale under the same version, shared with a 16-bit registration, and another
    // version that only a 32-bit module had.
    WriteClassesRoot(kLibKey + "\\1.0\\9\\win32", nullptr, "other.ocx");
    WriteClassesRoot(kLibKey + "\\1.0\\9\\win16", nullptr, "other16.ocx");
    WriteClassesRoot(kLibKey + "\\2.0\\0\\win32", nullptr, "newer.ocx");
    ASSERT_EQ(module_.Unregister(), S_OK);

    struct Expect {
        std::string key;
        bool present;
    };
    const Expect expected[] = {
        {kControlKey + "\\InprocServer", true},
        {kControlKey + "\\InprocServer32", false},
        {kControlKey + "\\ToolboxBitmap32", false},
        {kControlKey + "\\MiscStatus", true},
        {kProgIdKey, true},
        {kPageKey, false},
        {kLibKey + "\\1.0\\0\\win16", true},
        {kLibKey + "\\1.0\\0\\win32", false},
        {kLibKey + "\\1.0\\9\\win16", true},
        {kLibKey + "\\1.0\\9\\win32", false},
        {kLibKey + "\\1.0\\FLAGS", true},
        {kLibKey + "\\2.0", false},
        // The library cannot be loaded through the registry any more: its interfaces go.
        {kDispatchKey, false},
        {kEventsKey, false},
    };
    for (const Expect& e : expected) EXPECT_EQ(ClassesRootKeyExists(e.key), e.present) << e.key;
}

TEST_F(RegistrationTest, ATypeLibraryThatCannotBeRegisteredStopsBeforeTheClasses) {
    // A hive that cannot be read refuses every write, the type library's first.
    const std::string hive = registry::HiveFilePath();
    const std::string garbage = "this is no hive\n\x01\x02";
    WriteFile(hive, garbage);
    EXPECT_EQ(module_.Register(), kTypeLibFailed);
    EXPECT_EQ(ReadFile(hive), garbage);
    // With the hive readable again nothing of the classes is there.
    std::filesystem::remove(hive);
    EXPECT_FALSE(ClassesRootKeyExists(kControlKey));
}

TEST_F(RegistrationTest, RegsvrThenCreationByProgIdThenRegsvrUndo) {
    const std::string bin = std::string(CS_BUILD_DIR) + "/bin/";
    const std::string out = prefix_.dir().str() + "/out.txt";
    ASSERT_EQ(std::system((bin + "regsvr " + module_.path() + " >/dev/null").c_str()), 0);
    EXPECT_EQ(ReadClassesRoot(kControlKey + "\\MiscStatus\\1"), "131473");
    ASSERT_EQ(std::system((bin + "comcall --ui none SIGNING.SigningCtrl.1 getErrorCode >" + out).c_str()), 0);
    EXPECT_EQ(ReadFile(out), "getErrorCode = \"0\"\n");
    ASSERT_EQ(std::system((bin + "regsvr /u " + module_.path() + " >/dev/null").c_str()), 0);
    EXPECT_FALSE(ClassesRootKeyExists(kControlKey));
    EXPECT_FALSE(ClassesRootKeyExists(kProgIdKey));
}

}  // namespace
}  // namespace testing_support
