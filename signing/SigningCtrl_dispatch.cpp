// The dispatch interface _DSigning: each member once, with its DISPID, name and types.
#include "platform/com/dispatch_map.h"
#include "signing/SigningCtrl.h"
#include "signing/identities.h"

namespace {

using namespace signing_ids;

const com::DispatchMap<CSigningCtrl>& Map() {
    static const com::DispatchMap<CSigningCtrl> map{
        "Signing",
        {
            {dispidSigning, "signing", VT_BSTR, {VT_BSTR, VT_BSTR}, &CSigningCtrl::signing},
            {dispidGetCertificate, "getCertificate", VT_BSTR, {}, &CSigningCtrl::getCertificate},
            {dispidOpenSession, "openSession", VT_BOOL, {}, &CSigningCtrl::openSession},
            {dispidCloseSession, "closeSession", VT_BOOL, {}, &CSigningCtrl::closeSession},
            {dispidGetErrorCode, "getErrorCode", VT_BSTR, {}, &CSigningCtrl::getErrorCode},
            {dispidFinalize, "finalize", VT_BOOL, {}, &CSigningCtrl::finalize},
            {dispidEndSession, "endSession", VT_BOOL, {}, &CSigningCtrl::endSession},
            {dispidXmlSigning, "xmlSigning", VT_I2, {VT_BSTR, VT_BSTR, VT_I2}, &CSigningCtrl::xmlSigning},
            {DISPID_ABOUTBOX, "AboutBox", VT_EMPTY, {}, &CSigningCtrl::AboutBox},
        }};
    return map;
}

}  // namespace

HRESULT CSigningCtrl::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) {
    return Map().GetIDsOfNames(iid, names, count, lcid, ids);
}

HRESULT CSigningCtrl::Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                             EXCEPINFO* excepInfo, UINT* argErr) {
    return Map().Invoke(this, id, iid, lcid, flags, params, result, excepInfo, argErr);
}
