// The control's identities, as hosts, the registration and the type library know them.
#pragma once

#include "platform/com/interfaces.h"
#include "platform/com/types.h"

namespace signing_ids {
inline const CLSID kControlClsid = MakeGuid("{97385D32-8FC9-4930-9F33-17CD1CC91BDC}");
inline const IID kDispatchIid = MakeGuid("{4363F100-7913-43C0-B841-2C72C1B4D783}");       // _DSigning
inline const IID kEventsIid = MakeGuid("{4F8A5F53-BADD-47F9-8588-07BDAD4B256B}");         // _DSigningEvents
inline const GUID kTypeLibId = MakeGuid("{8CC0627E-0EFD-46EA-8049-6EA94E246857}");        // SIGNINGLib
inline const CLSID kPropPageClsid = MakeGuid("{1CD2EE44-002A-48ED-B665-E8DACD547A5D}");
inline constexpr const char* kControlProgId = "SIGNING.SigningCtrl.1";
inline constexpr const char* kPropPageProgId = "SIGNING.SigningPropPage.1";

// The version of the type library, of the registration and of persisted data (1.0).
inline constexpr WORD kVerMajor = 1;
inline constexpr WORD kVerMinor = 0;
inline constexpr DWORD kPersistedVersion = (static_cast<DWORD>(kVerMajor) << 16) | kVerMinor;

// The members of _DSigning.
inline constexpr DISPID dispidSigning = 1;
inline constexpr DISPID dispidGetCertificate = 2;
inline constexpr DISPID dispidOpenSession = 3;
inline constexpr DISPID dispidCloseSession = 4;
inline constexpr DISPID dispidGetErrorCode = 5;
inline constexpr DISPID dispidFinalize = 6;
inline constexpr DISPID dispidEndSession = 7;
inline constexpr DISPID dispidXmlSigning = 8;
}  // namespace signing_ids
