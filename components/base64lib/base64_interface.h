// The class "Base64Lib.Base64" and its dual interface. The methods follow IDispatch's in this
// order, so EncodeFile is entry 9 of the interface table.
#pragma once

#include "platform/com/interfaces.h"
#include "platform/com/types.h"

namespace base64lib {

inline constexpr const char* kProgId = "Base64Lib.Base64";
inline constexpr const char* kClsid = "{28656ABB-8E12-11D2-950F-000000000000}";
inline constexpr const char* kIid = "{3A8BB631-588F-4994-B5CE-5AA6BD0FAFE3}";

// DISPIDs of the three methods.
inline constexpr DISPID kDispEncodeText = 1;
inline constexpr DISPID kDispDecodeToFile = 2;
inline constexpr DISPID kDispEncodeFile = 3;

struct IBase64 : IDispatch {
    // The base64 of the text's bytes in the ANSI code page.
    virtual HRESULT EncodeText(BSTR text, BSTR* result) = 0;
    // Decodes the base64 text and writes the bytes to the file (created or truncated).
    virtual HRESULT DecodeToFile(BSTR base64, BSTR fileName) = 0;
    // The base64 of the file's bytes: RFC 4648 alphabet, "=" padding, no line breaks. *result is a
    // new BSTR the caller frees.
    virtual HRESULT EncodeFile(BSTR* fileName, BSTR* result) = 0;
};

}  // namespace base64lib
