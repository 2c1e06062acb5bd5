// Class registration helpers: the user type name falls back to the CLSID text, threading models
// as asked, and removal of keys that are already gone.
#include <gtest/gtest.h>

#include "platform/framework/ole_registration.h"
#include "platform/framework/registry_util.h"
#include "tests/support/temp_dir.h"

namespace testing_support {
namespace {

namespace reg = framework::reg;
const CLSID kClsid = MakeGuid("{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}");
const std::string kKey = "CLSID\\{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}";

// This test program is the module: it has no resources, so no user type name string.
TEST(ClassRegistration, MissingUserTypeNameIsTheClsidText) {
    ScopedPrefix prefix;
    framework::ModuleState& module = framework::ThisModuleState();
    ASSERT_FALSE(module.ModulePath().empty());
    const framework::ControlClassInfo info{kClsid, "Test.Control.1", 1, 1, framework::kRegInsertable, 0x10, GUID_NULL, 2, 5};
    ASSERT_TRUE(framework::RegisterControlClass(module, info));
    EXPECT_EQ(reg::ReadString(HKEY_CLASSES_ROOT, kKey), "{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}");
    EXPECT_EQ(reg::ReadString(HKEY_CLASSES_ROOT, "Test.Control.1"), "{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}");
    EXPECT_EQ(reg::ReadString(HKEY_CLASSES_ROOT, kKey + "\\Insertable"), "");
    EXPECT_EQ(reg::ReadString(HKEY_CLASSES_ROOT, kKey + "\\Version"), "2.5");
    EXPECT_FALSE(reg::ReadString(HKEY_CLASSES_ROOT, kKey + "\\InprocServer32", "ThreadingModel"));

    ASSERT_TRUE(framework::UnregisterClass(kClsid, "Test.Control.1"));
    EXPECT_FALSE(reg::KeyExists(HKEY_CLASSES_ROOT, kKey));
    EXPECT_FALSE(reg::KeyExists(HKEY_CLASSES_ROOT, "Test.Control.1"));
    EXPECT_TRUE(framework::UnregisterClass(kClsid, "Test.Control.1"));  // already gone

    ASSERT_TRUE(framework::RegisterPropertyPageClass(module, kClsid, 2, framework::kRegApartment));
    EXPECT_EQ(reg::ReadString(HKEY_CLASSES_ROOT, kKey + "\\InprocServer32", "ThreadingModel"), "Apartment");
    EXPECT_EQ(reg::ReadString(HKEY_CLASSES_ROOT, kKey + "\\InprocServer32"), module.ModulePath());
}

}  // namespace
}  // namespace testing_support
