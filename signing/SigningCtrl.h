// CSigningCtrl: the token signing control. All of its function is in the dispatch methods of
// _DSigning; the state they work on is the process-wide token context, never the instance.
#pragma once

#include "platform/com/object.h"

class CSigningCtrl : public com::Object<IDispatch> {
public:
    // _DSigning
    BSTR signing(const char* datatobesign, const char* alg);
    BSTR getCertificate();
    BOOL openSession();
    BOOL closeSession();
    BSTR getErrorCode();
    BOOL finalize();
    BOOL endSession();
    short xmlSigning(const char* datatobesign, const char* alg, short signLength);
    void AboutBox();

    // IUnknown, IDispatch
    HRESULT QueryInterface(REFIID iid, void** object) override;
    HRESULT GetTypeInfoCount(UINT* count) override;
    HRESULT GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    HRESULT GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
    HRESULT Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                   EXCEPINFO* excepInfo, UINT* argErr) override;

private:
    // The last stage of openSession: ask for the PIN and log the user in.
    BOOL Login();
};
