// A fresh registry for each test, and the test server's registration exports at hand.
#pragma once

#include <gtest/gtest.h>

#include "platform/com/interfaces.h"
#include "platform/loader/loader.h"
#include "tests/support/temp_dir.h"

class ServerFixture : public ::testing::Test {
protected:
    testing_support::ScopedPrefix prefix;

    static HMODULE Server() {
        static HMODULE module = LoadLibraryA(COM_TEST_SERVER);
        return module;
    }
    static HRESULT CallExport(const char* name) {
        auto fn = loader::Lookup<PFN_DllRegisterServer>(Server(), name);
        return fn ? fn() : E_FAIL;
    }
    void SetUp() override { ASSERT_NE(Server(), nullptr) << loader::LastError(); }
};
