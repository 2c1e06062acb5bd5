// Registering classes in the test's registry: through a module's own DllRegisterServer, or by
// writing the two keys class creation reads, for test-only modules.
#pragma once

#include <string>

namespace testing_support {

// Loads the module and calls its DllRegisterServer; throws when that fails.
void RegisterModule(const std::string& modulePath);
// HKCR\<progId>\CLSID and HKCR\CLSID\<clsid>\InprocServer32 = modulePath.
void RegisterClassEntries(const std::string& progId, const std::string& clsid, const std::string& modulePath);
// Standard base64 of bytes (RFC 4648, "=" padding, no line breaks).
std::string Base64Of(const std::string& bytes);
// The bytes of base64 text; throws on text that is not base64.
std::string BytesOfBase64(const std::string& text);

}  // namespace testing_support
