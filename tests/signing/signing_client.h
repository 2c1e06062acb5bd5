// A host of the token control for tests: loads build/lib/Signing.so, creates the control from its
// class object and calls it late-bound by DISPID, passing arguments by reference as a script host
// does.
#pragma once

#include <string>
#include <vector>

#include "platform/com/com_ptr.h"
#include "platform/com/interfaces.h"
#include "platform/loader/loader.h"

namespace testing_support {

inline const CLSID kSigningClsid = MakeGuid("{97385D32-8FC9-4930-9F33-17CD1CC91BDC}");

struct CallResult {
    HRESULT hr = S_OK;
    VARIANT value{};           // the result (VT_EMPTY when the call failed)
    std::string description;   // EXCEPINFO description of a failed call
    ~CallResult() { VariantClear(&value); }
};

class SigningClient {
public:
    SigningClient();
    IDispatch* dispatch() const { return control_.get(); }

    // Calls a member by DISPID with text arguments (UTF-8, passed by reference) and a short.
    CallResult Invoke(DISPID id, const std::vector<std::string>& texts = {}, const short* number = nullptr);

    bool openSession();
    bool closeSession();
    bool endSession();
    bool finalize();
    std::string getErrorCode();
    // A null BSTR result reads as empty; *wasNull tells it apart.
    std::string signing(const std::string& data, const std::string& alg = "rsa-sha1", bool* wasNull = nullptr);
    std::string getCertificate(bool* wasNull = nullptr);
    short xmlSigning(const std::string& data, const std::string& alg = "rsa-sha1", short length = 0);

private:
    com::ComPtr<IDispatch> control_;
};

// The module file of the control in the build tree.
std::string SigningModulePath();

}  // namespace testing_support
