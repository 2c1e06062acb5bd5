// The registry calls on keys and values: creation, case rules, the HKCR view, the size protocol,
// deletion rules, enumeration and bad handles.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "tests/registry/registry_helpers.h"
#include "tests/support/temp_dir.h"

using namespace registry_test;
using testing::ElementsAre;

namespace {

class RegistryTest : public testing::Test {
protected:
    testing_support::ScopedPrefix prefix_;
};

TEST_F(RegistryTest, CreateReportsNewOrExistingAndMakesIntermediateKeys) {
    Key first, second;
    DWORD disposition = 0;
    ASSERT_EQ(ERROR_SUCCESS, Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\OVREL\\SIGN", &first, &disposition));
    EXPECT_EQ(REG_CREATED_NEW_KEY, disposition);
    ASSERT_EQ(ERROR_SUCCESS, Create(HKEY_LOCAL_MACHINE, "software\\ovrel\\sign", &second, &disposition));
    EXPECT_EQ(REG_OPENED_EXISTING_KEY, disposition);
    EXPECT_TRUE(Exists(HKEY_LOCAL_MACHINE, "SOFTWARE\\OVREL"));

    Key missing;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\OVREL\\NONE", &missing));
    EXPECT_EQ(nullptr, missing.get());
}

TEST_F(RegistryTest, KeysDeeperThan512LevelsAreRefused) {
    std::string path = "k";
    for (int level = 2; level <= 512; ++level) path += "\\k";
    Key deepest, tooDeep, relative;
    ASSERT_EQ(ERROR_SUCCESS, Create(HKEY_LOCAL_MACHINE, path.c_str(), &deepest, nullptr));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, Create(HKEY_LOCAL_MACHINE, (path + "\\k").c_str(), &tooDeep, nullptr));
    // Counted from the root, also below an open key.
    EXPECT_EQ(ERROR_INVALID_PARAMETER, Create(deepest.get(), "k", &relative, nullptr));
    EXPECT_FALSE(Exists(HKEY_LOCAL_MACHINE, (path + "\\k").c_str()));
}

TEST_F(RegistryTest, ValuesOfEachTypeReadBackWithTypeAndBytes) {
    Key key;
    ASSERT_EQ(ERROR_SUCCESS, Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\T", &key));
    const DWORD number = 0x12345678;
    const struct {
        const char* name;
        DWORD type;
        std::string data;      // as set
        std::string expected;  // as read back
    } cases[] = {
        {"Text", REG_SZ, std::string("pk2priv.dll", 12), std::string("pk2priv.dll", 12)},
        {"Unterminated", REG_SZ, "abc", std::string("abc", 4)},
        {"Expand", REG_EXPAND_SZ, std::string("%HOME%\\x", 9), std::string("%HOME%\\x", 9)},
        {"Number", REG_DWORD, std::string(reinterpret_cast<const char*>(&number), 4),
         std::string(reinterpret_cast<const char*>(&number), 4)},
        {"Bytes", REG_BINARY, std::string("\0\xff\n\"%", 5), std::string("\0\xff\n\"%", 5)},
        {"Empty", REG_BINARY, "", ""},
        {"Multi", REG_MULTI_SZ, std::string("a\0b\0\0", 5), std::string("a\0b\0\0", 5)},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(ERROR_SUCCESS,
                  RegSetValueExA(key.get(), c.name, 0, c.type, reinterpret_cast<const BYTE*>(c.data.data()),
                                 static_cast<DWORD>(c.data.size())))
            << c.name;
    }
    for (const auto& c : cases) {
        std::string bytes;
        DWORD type = 99;
        EXPECT_EQ(ERROR_SUCCESS, Read(key.get(), c.name, &bytes, &type)) << c.name;
        EXPECT_EQ(c.type, type) << c.name;
        EXPECT_EQ(c.expected, bytes) << c.name;
    }
}

TEST_F(RegistryTest, NamesMatchWithoutCaseAndKeepTheirFirstCase) {
    Key key;
    ASSERT_EQ(ERROR_SUCCESS, Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\MixedCase\\Sub", &key));
    ASSERT_EQ(ERROR_SUCCESS, SetString(key.get(), "ThreadingModel", "Apartment"));
    ASSERT_EQ(ERROR_SUCCESS, SetString(key.get(), "THREADINGMODEL", "Both"));

    EXPECT_EQ("Both", ReadString(HKEY_LOCAL_MACHINE, "software\\MIXEDCASE\\sub", "threadingmodel"));
    EXPECT_THAT(ValueNames(key.get()), ElementsAre("ThreadingModel"));
    Key parent;
    ASSERT_EQ(ERROR_SUCCESS, Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\MIXEDCASE", &parent));
    EXPECT_THAT(SubkeyNames(parent.get()), ElementsAre("Sub"));
    Key software;
    ASSERT_EQ(ERROR_SUCCESS, Open(HKEY_LOCAL_MACHINE, "SOFTWARE", &software));
    EXPECT_THAT(SubkeyNames(software.get()), ElementsAre("MixedCase"));
}

TEST_F(RegistryTest, ClassesRootIsSoftwareClassesOfLocalMachine) {
    const char* clsid = "CLSID\\{97385D32-8FC9-4930-9F33-17CD1CC91BDC}\\InprocServer32";
    // HKCR reads as an (empty) key even before SOFTWARE\Classes exists.
    std::string bytes;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, Read(HKEY_CLASSES_ROOT, "x", &bytes));
    EXPECT_THAT(SubkeyNames(HKEY_CLASSES_ROOT), ElementsAre());

    Key key;
    ASSERT_EQ(ERROR_SUCCESS, Create(HKEY_CLASSES_ROOT, clsid, &key));
    ASSERT_EQ(ERROR_SUCCESS, SetString(key.get(), nullptr, "/lib/Signing.so"));
    ASSERT_EQ(ERROR_SUCCESS, SetString(key.get(), "ThreadingModel", "Apartment"));

    const std::string viaMachine = std::string("SOFTWARE\\Classes\\") + clsid;
    EXPECT_EQ("/lib/Signing.so", ReadString(HKEY_LOCAL_MACHINE, viaMachine.c_str(), ""));
    EXPECT_EQ("/lib/Signing.so", ReadString(HKEY_LOCAL_MACHINE, viaMachine.c_str(), nullptr));
    EXPECT_EQ("Apartment", ReadString(HKEY_CLASSES_ROOT, clsid, "ThreadingModel"));
    // A default value that was never set is missing, not empty.
    EXPECT_EQ("<error 2>", ReadString(HKEY_CLASSES_ROOT, "CLSID", nullptr));
}

TEST_F(RegistryTest, QueryFollowsTheTwoCallSizeProtocol) {
    Key key;
    ASSERT_EQ(ERROR_SUCCESS, Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\OVREL\\SIGN", &key));
    ASSERT_EQ(ERROR_SUCCESS, SetString(key.get(), "SigningComponent", "abc"));
    ASSERT_EQ(ERROR_SUCCESS, SetDword(key.get(), "Count", 7));

    BYTE buffer[8];
    const struct {
        const char* what;
        const char* name;
        bool withData;
        DWORD size;  // buffer size given
        LONG rc;
        DWORD sizeAfter;
    } cases[] = {
        {"size only", "SigningComponent", false, 0, ERROR_SUCCESS, 4},
        {"too small by the terminator", "SigningComponent", true, 3, ERROR_MORE_DATA, 4},
        {"empty buffer", "SigningComponent", true, 0, ERROR_MORE_DATA, 4},
        {"exact", "SigningComponent", true, 4, ERROR_SUCCESS, 4},
        {"larger", "SigningComponent", true, 8, ERROR_SUCCESS, 4},
        {"dword size", "Count", false, 0, ERROR_SUCCESS, 4},
        {"dword too small", "Count", true, 2, ERROR_MORE_DATA, 4},
        {"missing", "Nothing", true, 8, ERROR_FILE_NOT_FOUND, 8},
    };
    for (const auto& c : cases) {
        std::memset(buffer, 'x', sizeof buffer);
        DWORD size = c.size;
        DWORD type = 0;
        EXPECT_EQ(c.rc,
                  RegQueryValueExA(key.get(), c.name, nullptr, &type, c.withData ? buffer : nullptr, &size))
            << c.what;
        EXPECT_EQ(c.sizeAfter, size) << c.what;
        if (c.rc == ERROR_SUCCESS && c.withData) {
            EXPECT_STREQ("abc", reinterpret_cast<char*>(buffer)) << c.what;
        }
    }
    DWORD type = 0;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(key.get(), "Count", nullptr, &type, nullptr, nullptr));
    EXPECT_EQ(REG_DWORD, type);
    EXPECT_EQ(ERROR_INVALID_PARAMETER, RegQueryValueExA(key.get(), "Count", nullptr, &type, buffer, nullptr));
}

TEST_F(RegistryTest, BadSetArgumentsAreRefusedAndChangeNothing) {
    Key key;
    ASSERT_EQ(ERROR_SUCCESS, Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\T", &key));
    const BYTE two[2] = {1, 2};
    EXPECT_EQ(ERROR_INVALID_PARAMETER, RegSetValueExA(key.get(), "Short", 0, REG_DWORD, two, 2));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, RegSetValueExA(key.get(), "NoData", 0, REG_BINARY, nullptr, 4));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, SetString(key.get(), std::string(16384, 'n').c_str(), "x"));
    Key bad;
    EXPECT_EQ(ERROR_INVALID_PARAMETER, Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\\\Empty", &bad));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, Create(HKEY_LOCAL_MACHINE, std::string(256, 'k').c_str(), &bad));
    EXPECT_THAT(ValueNames(key.get()), ElementsAre());
}

TEST_F(RegistryTest, DeleteKeyRefusesChildrenDeleteTreeTakesAll) {
    Key leaf;
    ASSERT_EQ(ERROR_SUCCESS, Create(HKEY_CLASSES_ROOT, "TypeLib\\{L}\\1.0\\0\\win32", &leaf));
    ASSERT_EQ(ERROR_SUCCESS, SetString(leaf.get(), nullptr, "/lib/Signing.so"));

    EXPECT_EQ(ERROR_ACCESS_DENIED, RegDeleteKeyA(HKEY_CLASSES_ROOT, "TypeLib\\{L}\\1.0"));
    EXPECT_TRUE(Exists(HKEY_CLASSES_ROOT, "TypeLib\\{L}\\1.0\\0\\win32"));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyA(HKEY_CLASSES_ROOT, "typelib\\{l}\\1.0\\0\\WIN32"));
    EXPECT_FALSE(Exists(HKEY_CLASSES_ROOT, "TypeLib\\{L}\\1.0\\0\\win32"));

    EXPECT_EQ(ERROR_SUCCESS, RegDeleteTreeA(HKEY_CLASSES_ROOT, "TypeLib\\{L}"));
    EXPECT_FALSE(Exists(HKEY_CLASSES_ROOT, "TypeLib\\{L}"));
    EXPECT_TRUE(Exists(HKEY_CLASSES_ROOT, "TypeLib"));

    const struct {
        const char* what;
        LONG rc;
    } missing[] = {
        {"DeleteKey", RegDeleteKeyA(HKEY_CLASSES_ROOT, "TypeLib\\{L}")},
        {"DeleteTree", RegDeleteTreeA(HKEY_CLASSES_ROOT, "TypeLib\\{L}")},
        {"DeleteKey below missing", RegDeleteKeyA(HKEY_CLASSES_ROOT, "Nothing\\Below")},
        {"DeleteValue", RegDeleteValueA(HKEY_CLASSES_ROOT, "Nothing")},
    };
    for (const auto& m : missing) EXPECT_EQ(ERROR_FILE_NOT_FOUND, m.rc) << m.what;

    // The roots themselves cannot go.
    EXPECT_EQ(ERROR_ACCESS_DENIED, RegDeleteKeyA(HKEY_LOCAL_MACHINE, ""));
    EXPECT_EQ(ERROR_ACCESS_DENIED, RegDeleteKeyA(HKEY_CLASSES_ROOT, ""));
}

TEST_F(RegistryTest, DeleteTreeWithoutSubkeyEmptiesTheKeyButKeepsIt) {
    Key key, child;
    ASSERT_EQ(ERROR_SUCCESS, Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Full", &key));
    ASSERT_EQ(ERROR_SUCCESS, Create(key.get(), "Child", &child));
    ASSERT_EQ(ERROR_SUCCESS, SetString(key.get(), "v", "x"));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteTreeA(key.get(), nullptr));
    EXPECT_TRUE(Exists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Full"));
    EXPECT_THAT(SubkeyNames(key.get()), ElementsAre());
    EXPECT_THAT(ValueNames(key.get()), ElementsAre());
}

TEST_F(RegistryTest, HandleOfADeletedKeyFailsAndDoesNotRecreateIt) {
    Key key, child;
    ASSERT_EQ(ERROR_SUCCESS, Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Gone", &key));
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Gone"));

    std::string bytes;
    char name[16];
    DWORD size = sizeof name;
    EXPECT_EQ(ERROR_BADKEY, SetString(key.get(), "v", "x"));
    EXPECT_EQ(ERROR_BADKEY, Read(key.get(), "v", &bytes));
    EXPECT_EQ(ERROR_BADKEY, RegDeleteValueA(key.get(), "v"));
    EXPECT_EQ(ERROR_BADKEY, RegEnumKeyExA(key.get(), 0, name, &size, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(ERROR_BADKEY, Create(key.get(), "Child", &child));
    EXPECT_EQ(ERROR_BADKEY, RegDeleteKeyA(key.get(), ""));
    EXPECT_FALSE(Exists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Gone"));
}

TEST_F(RegistryTest, NullClosedAndForeignHandlesAreRefused) {
    Key key;
    ASSERT_EQ(ERROR_SUCCESS, Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\H", &key));
    HKEY closed = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\H", 0, KEY_READ, &closed));
    ASSERT_EQ(ERROR_SUCCESS, RegCloseKey(closed));
    int notAKey = 0;
    const HKEY bad[] = {nullptr, closed, reinterpret_cast<HKEY>(&notAKey)};
    for (HKEY h : bad) {
        Key out;
        std::string bytes;
        EXPECT_EQ(ERROR_INVALID_HANDLE, Open(h, "x", &out));
        EXPECT_EQ(ERROR_INVALID_HANDLE, Read(h, "x", &bytes));
        EXPECT_EQ(ERROR_INVALID_HANDLE, SetString(h, "x", "y"));
        EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(h));
    }
    EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(HKEY_LOCAL_MACHINE));  // roots are never really closed
    EXPECT_TRUE(Exists(HKEY_LOCAL_MACHINE, "SOFTWARE\\H"));
}

TEST_F(RegistryTest, EnumerationOrderBuffersAndEnd) {
    Key key, sub;
    ASSERT_EQ(ERROR_SUCCESS, Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\E", &key));
    for (const char* name : {"beta", "Alpha", "gamma", "_under"})
        ASSERT_EQ(ERROR_SUCCESS, Create(key.get(), name, &sub));
    for (const char* name : {"z", "A", "m"}) ASSERT_EQ(ERROR_SUCCESS, SetString(key.get(), name, name));

    // Subkeys sort without regard to case (letters as upper case, so "_" comes after them);
    // values keep their creation order.
    EXPECT_THAT(SubkeyNames(key.get()), ElementsAre("Alpha", "beta", "gamma", "_under"));
    EXPECT_THAT(ValueNames(key.get()), ElementsAre("z", "A", "m"));

    char name[4];
    DWORD size = 3;
    EXPECT_EQ(ERROR_MORE_DATA, RegEnumKeyExA(key.get(), 0, name, &size, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(6u, size);
    size = sizeof name;
    EXPECT_EQ(ERROR_NO_MORE_ITEMS,
              RegEnumKeyExA(key.get(), 4, name, &size, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(ERROR_NO_MORE_ITEMS,
              RegEnumValueA(key.get(), 3, name, &size, nullptr, nullptr, nullptr, nullptr));

    BYTE data[1];
    DWORD type = 0, dataSize = sizeof data;
    size = sizeof name;
    EXPECT_EQ(ERROR_MORE_DATA, RegEnumValueA(key.get(), 0, name, &size, nullptr, &type, data, &dataSize));
    EXPECT_EQ(2u, dataSize);
    EXPECT_EQ(REG_SZ, type);
}

TEST_F(RegistryTest, AccessGrantedAtOpenLimitsTheHandle) {
    Key created;
    ASSERT_EQ(ERROR_SUCCESS, Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\OVREL\\SIGN", &created));
    ASSERT_EQ(ERROR_SUCCESS, SetString(created.get(), "SigningComponent", "a.so"));

    Key reader, writer, sub;
    ASSERT_EQ(ERROR_SUCCESS, Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\OVREL\\SIGN", &reader, KEY_READ));
    ASSERT_EQ(ERROR_SUCCESS, Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\OVREL\\SIGN", &writer, KEY_SET_VALUE));
    std::string bytes;
    EXPECT_EQ(ERROR_SUCCESS, Read(reader.get(), "SigningComponent", &bytes));
    EXPECT_EQ(ERROR_ACCESS_DENIED, SetString(reader.get(), "SigningComponent", "b.so"));
    EXPECT_EQ(ERROR_ACCESS_DENIED, RegDeleteValueA(reader.get(), "SigningComponent"));
    EXPECT_EQ(ERROR_ACCESS_DENIED, Create(reader.get(), "New", &sub));
    EXPECT_EQ(ERROR_ACCESS_DENIED, Read(writer.get(), "SigningComponent", &bytes));
    EXPECT_EQ(ERROR_SUCCESS, SetString(writer.get(), "SigningComponent", "c.so"));
    EXPECT_EQ("c.so", ReadString(HKEY_LOCAL_MACHINE, "SOFTWARE\\OVREL\\SIGN", "SigningComponent"));
}

TEST_F(RegistryTest, DeleteValueRemovesOnlyThatValue) {
    Key key;
    ASSERT_EQ(ERROR_SUCCESS, Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\V", &key));
    ASSERT_EQ(ERROR_SUCCESS, SetString(key.get(), nullptr, "default"));
    ASSERT_EQ(ERROR_SUCCESS, SetString(key.get(), "keep", "k"));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteValueA(key.get(), ""));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegDeleteValueA(key.get(), nullptr));
    EXPECT_THAT(ValueNames(key.get()), ElementsAre("keep"));
}

TEST(RegistryKeyPath, RootNamesInAnyCase) {
    const struct {
        const char* text;
        bool ok;
        HKEY root;
        const char* sub;
    } cases[] = {
        {"HKLM\\SOFTWARE\\OVREL\\SIGN", true, HKEY_LOCAL_MACHINE, "SOFTWARE\\OVREL\\SIGN"},
        {"hkey_local_machine\\x", true, HKEY_LOCAL_MACHINE, "x"},
        {"HKCR", true, HKEY_CLASSES_ROOT, ""},
        {"HKEY_CLASSES_ROOT\\CLSID\\{A}", true, HKEY_CLASSES_ROOT, "CLSID\\{A}"},
        {"hkcr\\", true, HKEY_CLASSES_ROOT, ""},
        {"HKCU\\Software", false, nullptr, ""},
        {"HKLMX\\a", false, nullptr, ""},
        {"", false, nullptr, ""},
    };
    for (const auto& c : cases) {
        HKEY root = nullptr;
        std::string sub;
        EXPECT_EQ(c.ok, registry::ParseKeyPath(c.text, &root, &sub)) << c.text;
        EXPECT_EQ(c.root, root) << c.text;
        EXPECT_EQ(c.sub, sub) << c.text;
    }
}

}  // namespace
