// The dispatch interface _DSigning: each member once, with its DISPID, name and types.
#include "platform/com/dispatch_map.h"
#include "signing/SigningCtrl.h"
#include "signing/identities.h"

namespace {

const com::DispatchMap<CSigningCtrl>& Map() {
    static const com::DispatchMap<CSigningCtrl> map{
        "Signing",
        {
            {1, "signing", VT_BSTR, {VT_BSTR, VT_BSTR}, &CSigningCtrl::signing},
            {2, "getCertificate", VT_BSTR, {}, &CSigningCtrl::getCertificate},
            {3, "openSession", VT_BOOL, {}, &CSigningCtrl::openSession},
            {4, "closeSession", VT_BOOL, {}, &CSigningCtrl::closeSession},
            {5, "getErrorCode", VT_BSTR, {}, &CSigningCtrl::getErrorCode},
            {6, "finalize", VT_BOOL, {}, &CSigningCtrl::finalize},
            {7, "endSession", VT_BOOL, {}, &CSigningCtrl::endSession},
            {8, "xmlSigning", VT_I2, {VT_BSTR, VT_BSTR, VT_I2}, &CSigningCtrl::xmlSigning},
            {DISPID_ABOUTBOX, "AboutBox", VT_EMPTY, {}, &CSigningCtrl::AboutBox},
        }};
    return map;
}

}  // namespace

HRESULT CSigningCtrl::QueryInterface(REFIID iid, void** object) {
    return com::QueryFrom(iid, object, {{IID_IDispatch, this}, {signing_ids::kDispatchIid, this}});
}

HRESULT CSigningCtrl::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT CSigningCtrl::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info == nullptr) return E_POINTER;
    *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT CSigningCtrl::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) {
    return Map().GetIDsOfNames(iid, names, count, lcid, ids);
}

HRESULT CSigningCtrl::Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                             EXCEPINFO* excepInfo, UINT* argErr) {
    return Map().Invoke(this, id, iid, lcid, flags, params, result, excepInfo, argErr);
}

void CSigningCtrl::AboutBox() {}
