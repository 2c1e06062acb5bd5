#include "tests/signer/signer_fixture.h"

#include <locale.h>

#include "platform/runtime/clock.h"
#include "platform/text/codepage.h"
#include "signer/component_folder.h"
#include "signer/globals.h"

void SignerTest::SetUp() {
    savedCodePage_ = GetACP();
    ASSERT_TRUE(SetACP(1252));
    setlocale(LC_TIME, "C");
    runtime::SetClockForTesting([] { return runtime::LocalTime{2003, 12, 9, 17, 5, 9}; });
    signer::SetComponentFolderForTesting(folder_.str());
    signer::ResetComponentStateForTesting();
}

void SignerTest::TearDown() {
    signer::ResetComponentStateForTesting();
    signer::SetComponentFolderForTesting(std::nullopt);
    runtime::SetClockForTesting({});
    SetACP(savedCodePage_);
}

std::string SignerTest::ErrorLine(LONG code, const std::string& description) {
    return "\"09/Dec/2003 17:05:09 " + std::to_string(code) + "   " + description + "\"\r\n";
}

void SignerTest::LoseFolder() { signer::SetComponentFolderForTesting((folder_.path() / "gone").string()); }
