// The client's view of the outside class "Base64Lib.Base64": identities and its dual interface in
// slot order. Callers include this header only; they never link the component.
#pragma once

#include "platform/com/interfaces.h"

inline constexpr const char16_t* kBase64ProgId = u"Base64Lib.Base64";
inline const CLSID CLSID_Base64 = MakeGuid("{28656ABB-8E12-11D2-950F-000000000000}");
inline const IID IID_IBase64 = MakeGuid("{3A8BB631-588F-4994-B5CE-5AA6BD0FAFE3}");

// Dual interface: IDispatch, then three methods of its own. Callers of this system use only the
// third (vtable index 9): the base64 text of the bytes of the file that *fileName names.
struct IBase64 : IDispatch {
    virtual HRESULT EncodeText(BSTR text, BSTR* result) = 0;         // base64 of the text's ANSI bytes
    virtual HRESULT DecodeToFile(BSTR base64, BSTR fileName) = 0;    // writes the decoded bytes
    virtual HRESULT EncodeFile(BSTR* fileName, BSTR* result) = 0;    // base64 of a file's bytes
};
