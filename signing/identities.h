// The control's identities, as hosts and the registration know them.
#pragma once

#include "platform/com/types.h"

namespace signing_ids {
inline const CLSID kControlClsid = MakeGuid("{97385D32-8FC9-4930-9F33-17CD1CC91BDC}");
inline const IID kDispatchIid = MakeGuid("{4363F100-7913-43C0-B841-2C72C1B4D783}");       // _DSigning
inline const IID kEventsIid = MakeGuid("{4F8A5F53-BADD-47F9-8588-07BDAD4B256B}");         // _DSigningEvents
inline const GUID kTypeLibId = MakeGuid("{8CC0627E-0EFD-46EA-8049-6EA94E246857}");        // SIGNINGLib
inline const CLSID kPropPageClsid = MakeGuid("{1CD2EE44-002A-48ED-B665-E8DACD547A5D}");
inline constexpr const char* kControlProgId = "SIGNING.SigningCtrl.1";
inline constexpr const char* kPropPageProgId = "SIGNING.SigningPropPage.1";
}  // namespace signing_ids
