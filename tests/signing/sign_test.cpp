// Signing and certificate export against the scriptable test module, with the real Base64Lib
// and, for the conversion's failure paths, a misbehaving stand-in for it.
#include <gtest/gtest.h>

#include <ostream>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "components/base64lib/base64_interface.h"
#include "tests/signing/mock_token.h"
#include "tests/signing/signing_client.h"
#include "tests/support/com_registration.h"
#include "tests/support/ui_script.h"

namespace ts = testing_support;
using Lines = std::vector<std::string>;

namespace {

const Lines kLogin = {"type 201 1234", "click OK"};


// The mock's signature for data of n bytes: 128 bytes counting up from n.
std::string MockSignature(std::size_t dataLength, std::size_t length = 128) {
    std::string s;
    for (std::size_t i = 0; i < length; ++i) s.push_back(static_cast<char>(dataLength + i));
    return s;
}

class SignTest : public ::testing::Test {
protected:
    void SetUp() override {
        ts::RegisterModule(std::string(CS_BUILD_DIR) + "/lib/Base64Lib.so");
        ts::UiScript ui(kLogin);
        ASSERT_TRUE(control.openSession());
        token.ClearLog();
    }
    void TearDown() override { control.closeSession(); }
    void UseFakeBase64(const char* mode) {
        ts::RegisterClassEntries(base64lib::kProgId, base64lib::kClsid,
                                 std::string(CS_BUILD_DIR) + "/tests/fakes/fake_base64.so");
        mode_.reset();  // restore the old value before taking the new one
        mode_ = std::make_unique<ts::ScopedEnv>("FAKE_BASE64_MODE", mode);
    }

    ts::MockToken token;
    ts::TempDir cwdDir;
    ts::ScopedCwd cwd{cwdDir.path()};
    ts::SigningClient control;
    std::unique_ptr<ts::ScopedEnv> mode_;
};

TEST_F(SignTest, SigningSignsTheAnsiBytesOnTheTokenAndReturnsTheirBase64) {
    bool wasNull = true;
    std::string signature = control.signing("hello", "rsa-sha1", &wasNull);
    EXPECT_FALSE(wasNull);
    EXPECT_EQ(signature, ts::Base64Of(MockSignature(5)));
    EXPECT_EQ(token.Calls(),
              (Lines{"C_FindObjectsInit(session=85,template=[0:8:0300000000000000 264:1:01],count=2)",
                     "C_FindObjects(session=85,max=5)", "C_FindObjectsFinal(session=85)",
                     "C_SignInit(session=85,mechanism=6,param=null:0,key=256)",
                     "C_Sign(session=85,data=68656c6c6f,len=5,buffer=ptr,siglen=512)"}));
    EXPECT_EQ(control.getErrorCode(), "0");
    EXPECT_FALSE(std::filesystem::exists(cwdDir.path() / "Base64.enc"));
}

struct DataRow {
    const char* name;
    std::string text;  // UTF-8, as the host holds it
    const char* bytes; // what C_Sign receives, in hex
    // Names the case in test listings instead of dumping its bytes.
    friend void PrintTo(const DataRow& c, std::ostream* os) { *os << c.name; }
};

class SignedBytesTest : public SignTest, public ::testing::WithParamInterface<DataRow> {};

TEST_P(SignedBytesTest, ReachTheTokenAsAnsiBytesUpToTheFirstNul) {
    std::string alg = GetParam().name == std::string("AnyAlgorithm") ? "" : "rsa-sha256";
    EXPECT_FALSE(control.signing(GetParam().text, alg).empty());
    Lines calls = token.Calls();
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_NE(calls[3].find("mechanism=6"), std::string::npos) << "the mechanism is fixed";
    std::string bytes = GetParam().bytes;
    EXPECT_EQ(calls[4], "C_Sign(session=85,data=" + bytes + ",len=" + std::to_string(bytes.size() / 2) +
                            ",buffer=ptr,siglen=512)");
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SignedBytesTest,
    ::testing::Values(DataRow{"StopsAtAnEmbeddedNul", std::string("ab\0cd", 5), "6162"},
                      DataRow{"CodePageCharacter", "\xC3\xA9", "e9"},
                      DataRow{"OutsideTheCodePageBecomesQuestionMark", "x\xC5\x9Dy", "783f79"},
                      DataRow{"EmptyDataHasLengthZero", "", ""},
                      DataRow{"AnyAlgorithm", "abc", "616263"}),
    [](const auto& info) { return std::string(info.param.name); });

struct FailureRow {
    const char* name;
    bool certificate;         // getCertificate rather than signing
    const char* failing;      // function that fails, or null
    unsigned long rv;
    const char* alsoFailing;  // a second function failing (the closing call), or null
    unsigned long keys, certificates;
    Lines expectedCalls;
    const char* expectedCode;
    // Names the case in test listings instead of dumping its bytes.
    friend void PrintTo(const FailureRow& c, std::ostream* os) { *os << c.name; }
};

class SignFailureTest : public SignTest, public ::testing::WithParamInterface<FailureRow> {};

TEST_P(SignFailureTest, ReturnsEmptyWithTheCodeAndClosesTheSearch) {
    const FailureRow& row = GetParam();
    token.setObjects(row.keys, row.certificates);
    if (row.failing) token.pushRv(row.failing, row.rv);
    if (row.alsoFailing) token.pushRv(row.alsoFailing, 0x5);
    bool wasNull = false;
    std::string result = row.certificate ? control.getCertificate(&wasNull) : control.signing("data", "", &wasNull);
    EXPECT_TRUE(result.empty());
    EXPECT_TRUE(wasNull);
    EXPECT_EQ(token.Names(), row.expectedCalls);
    EXPECT_EQ(control.getErrorCode(), row.expectedCode);

    // Every search was closed: a later search in the same session works.
    token.setObjects(1, 1);
    EXPECT_FALSE((row.certificate ? control.getCertificate() : control.signing("data")).empty());
    EXPECT_EQ(control.getErrorCode(), row.expectedCode) << "a later success clears nothing";
}

const Lines kSearch = {"C_FindObjectsInit", "C_FindObjects", "C_FindObjectsFinal"};
Lines SearchThen(Lines more) {
    Lines all = kSearch;
    all.insert(all.end(), more.begin(), more.end());
    return all;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SignFailureTest,
    ::testing::Values(
        FailureRow{"KeySearchInitFails", false, "C_FindObjectsInit", 0x12, nullptr, 1, 1, {"C_FindObjectsInit"}, "18"},
        FailureRow{"KeySearchFindFailsAndItsCodeStays", false, "C_FindObjects", 0x30, "C_FindObjectsFinal", 1, 1,
                   kSearch, "48"},
        FailureRow{"NoKeyGives418AfterClosing", false, nullptr, 0, "C_FindObjectsFinal", 0, 1, kSearch, "418"},
        FailureRow{"KeySearchFinalFails", false, "C_FindObjectsFinal", 0x32, nullptr, 1, 1, kSearch, "50"},
        FailureRow{"SignInitFails", false, "C_SignInit", 0x60, nullptr, 1, 1, SearchThen({"C_SignInit"}), "96"},
        FailureRow{"SignFails", false, "C_Sign", 0x150, nullptr, 1, 1, SearchThen({"C_SignInit", "C_Sign"}), "336"},
        FailureRow{"CertSearchInitFails", true, "C_FindObjectsInit", 0x12, nullptr, 1, 1, {"C_FindObjectsInit"},
                   "18"},
        FailureRow{"CertSearchFindFails", true, "C_FindObjects", 0x30, "C_FindObjectsFinal", 1, 1, kSearch, "48"},
        FailureRow{"NoCertificateGives419", true, nullptr, 0, nullptr, 1, 0, kSearch, "419"},
        FailureRow{"LengthQueryFails", true, "C_GetAttributeValue", 0x12, nullptr, 1, 1,
                   SearchThen({"C_GetAttributeValue"}), "18"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SignTest, SecondCertificateReadFailingKeepsItsCode) {
    token.pushRv("C_GetAttributeValue", 0);
    token.pushRv("C_GetAttributeValue", 0x13);
    EXPECT_TRUE(control.getCertificate().empty());
    EXPECT_EQ(token.Names(), SearchThen({"C_GetAttributeValue", "C_GetAttributeValue"}));
    EXPECT_EQ(control.getErrorCode(), "19");
}

TEST_F(SignTest, GetCertificateReadsTheValueInTwoCallsAndReturnsItsBase64) {
    const std::string der("\x30\x82\x01\x0a\x02\x82\x01\x01\x00\xff", 10);
    token.setCertificate(reinterpret_cast<const unsigned char*>(der.data()), der.size());
    EXPECT_EQ(control.getCertificate(), ts::Base64Of(der));
    EXPECT_EQ(token.Calls(),
              (Lines{"C_FindObjectsInit(session=85,template=[0:8:0100000000000000],count=1)",
                     "C_FindObjects(session=85,max=5)", "C_FindObjectsFinal(session=85)",
                     "C_GetAttributeValue(session=85,object=512,type=17,value=null,len=0,count=1)",
                     "C_GetAttributeValue(session=85,object=512,type=17,value=ptr,len=10,count=1)"}));
}

TEST_F(SignTest, ACertificateLengthThatCannotBeRealGives419WithoutReading) {
    for (unsigned long length : {~0UL, 1024UL * 1024 + 1}) {
        token.ClearLog();
        token.setReportedCertLength(length);
        EXPECT_TRUE(control.getCertificate().empty());
        EXPECT_EQ(control.getErrorCode(), "419");
        EXPECT_EQ(token.Names().back(), "C_GetAttributeValue");
        EXPECT_EQ(token.Names().size(), 4u) << "no second read";
    }
}

TEST_F(SignTest, XmlSigningSignsButReturnsNothingButZero) {
    EXPECT_EQ(control.xmlSigning("hello", "rsa-sha1", 128), 0);
    EXPECT_EQ(token.Names(), SearchThen({"C_SignInit", "C_Sign"}));
    EXPECT_EQ(control.getErrorCode(), "0");
    token.setObjects(0, 1);
    EXPECT_EQ(control.xmlSigning("hello", "", 0), 0);
    EXPECT_EQ(control.getErrorCode(), "418");
}

TEST_F(SignTest, AnExistingBase64EncIsOverwrittenAndRemoved) {
    ts::WriteFile(cwdDir.path() / "Base64.enc", std::string(4096, 'x'));
    EXPECT_EQ(control.signing("hello"), ts::Base64Of(MockSignature(5)));
    EXPECT_FALSE(std::filesystem::exists(cwdDir.path() / "Base64.enc"));
}

TEST_F(SignTest, ASymbolicLinkNamedBase64EncIsNotFollowed) {
    ts::TempDir elsewhere;
    auto target = elsewhere.path() / "victim.txt";
    ts::WriteFile(target, "keep me");
    std::filesystem::create_symlink(target, cwdDir.path() / "Base64.enc");
    bool wasNull = false;
    EXPECT_TRUE(control.signing("hello", "", &wasNull).empty());
    EXPECT_TRUE(wasNull);
    EXPECT_EQ(ts::ReadFile(target), "keep me");
    EXPECT_EQ(control.getErrorCode(), "0");
}

TEST_F(SignTest, TheTemporaryFileIsReadableByItsOwnerOnly) {
    UseFakeBase64("mode");  // the stand-in answers with the file's permission bits
    ts::WriteFile(cwdDir.path() / "Base64.enc", "");
    chmod((cwdDir.path() / "Base64.enc").c_str(), 0644);
    EXPECT_EQ(control.signing("hello"), "600");
    EXPECT_FALSE(std::filesystem::exists(cwdDir.path() / "Base64.enc"));
}

TEST_F(SignTest, Base64LibNotRegisteredShowsCreationFailedAfterTheTokenSigned) {
    ts::ScopedPrefix emptyRegistry;
    ts::SetSigningComponent(ts::MockModulePath());
    ts::UiScript ui({"answer ok"});
    bool wasNull = false;
    EXPECT_TRUE(control.signing("hello", "", &wasNull).empty());
    EXPECT_TRUE(wasNull);
    EXPECT_EQ(token.Names().back(), "C_Sign");
    auto boxes = ui.Shown("Creation Failed");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("title=\"Signing\" text=\"Creation Failed\" buttons=ok icon=exclamation"),
              std::string::npos)
        << boxes[0];
    EXPECT_EQ(control.getErrorCode(), "0");
}

TEST_F(SignTest, AFailingConversionLeavesNoTextNoFileAndTheCodeUnchanged) {
    for (const char* mode : {"fail", "null"}) {
        UseFakeBase64(mode);
        bool wasNull = false;
        EXPECT_TRUE(control.signing("hello", "", &wasNull).empty()) << mode;
        EXPECT_TRUE(wasNull) << mode;
        EXPECT_FALSE(std::filesystem::exists(cwdDir.path() / "Base64.enc")) << mode;
        EXPECT_EQ(control.getErrorCode(), "0") << mode;
    }
}

TEST_F(SignTest, ATemporaryFileThatCannotBeDeletedFailsTheCall) {
    UseFakeBase64("delete");
    ts::CallResult r = control.Invoke(1, {"hello", "rsa-sha1"});
    EXPECT_EQ(r.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(r.value.vt, VT_EMPTY);
    EXPECT_NE(r.description.find("Base64.enc"), std::string::npos) << r.description;
    EXPECT_EQ(control.getErrorCode(), "0");
}

}  // namespace
