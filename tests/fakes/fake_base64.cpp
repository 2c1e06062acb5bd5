// A stand-in for the outside class "Base64Lib.Base64" whose conversion misbehaves on purpose, for
// the failure paths a real component does not produce: FAKE_BASE64_MODE=fail answers E_FAIL,
// "null" succeeds with no string, "delete" removes the file it was given before answering, and
// "mode" answers with the file's permission bits in octal.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include <cstdlib>
#include <string>

#include "components/base64lib/base64_interface.h"
#include "platform/com/object.h"
#include "platform/text/codepage.h"

namespace {

class FakeBase64 : public com::Object<base64lib::IBase64> {
public:
    HRESULT QueryInterface(REFIID iid, void** object) override {
        static const IID kIid = MakeGuid(base64lib::kIid);
        return com::QueryFrom(iid, object, {{kIid, this}, {IID_IDispatch, this}});
    }
    HRESULT GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }
    HRESULT EncodeText(BSTR, BSTR*) override { return E_NOTIMPL; }
    HRESULT DecodeToFile(BSTR, BSTR) override { return E_NOTIMPL; }
    HRESULT EncodeFile(BSTR* fileName, BSTR* result) override {
        const char* mode = std::getenv("FAKE_BASE64_MODE");
        std::string m = mode ? mode : "";
        *result = nullptr;
        if (m == "fail") return E_FAIL;
        if (m == "null") return S_OK;
        std::string path = text::ToUtf8(text::View(*fileName));
        if (m == "delete") unlink(path.c_str());
        if (m == "mode") {
            struct stat st {};
            if (stat(path.c_str(), &st) != 0) return E_FAIL;
            char bits[8];
            std::snprintf(bits, sizeof bits, "%o", static_cast<unsigned>(st.st_mode & 0777));
            *result = SysAllocString(text::FromUtf8(bits).c_str());
            return S_OK;
        }
        *result = SysAllocString(u"RkFLRQ==");
        return S_OK;
    }
};

}  // namespace

extern "C" __attribute__((visibility("default"))) HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid,
                                                                           void** object) {
    static const CLSID kClsid = MakeGuid(base64lib::kClsid);
    return com::GetClassObject<FakeBase64>(clsid, kClsid, iid, object);
}
