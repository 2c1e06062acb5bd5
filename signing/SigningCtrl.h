// CSigningCtrl: the token signing control. All of its function is in the dispatch methods of
// _DSigning; the state they work on is the process-wide token context, never the instance. The
// rest is the control's shell on the framework's COleControl.
#pragma once

#include "platform/framework/ole_control.h"
#include "platform/framework/ole_module.h"

class CSigningCtrl : public COleControl {
    DECLARE_DYNCREATE(CSigningCtrl)

public:
    CSigningCtrl();

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

    // The dispatch map (SigningCtrl_dispatch.cpp).
    HRESULT GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
    HRESULT Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                   EXCEPINFO* excepInfo, UINT* argErr) override;
    // The class identifier.
    HRESULT GetClassID(CLSID* clsid) override;

    // The control's class object: it writes and removes the control's registry entries.
    class CSigningCtrlFactory : public COleObjectFactory {
    public:
        using COleObjectFactory::COleObjectFactory;
        BOOL UpdateRegistry(BOOL bRegister) override;
    };
    static CSigningCtrlFactory factory;

protected:
    ~CSigningCtrl() override;
    UINT OnGetTypeInfoCount() override;
    framework::TypeLibCache* GetTypeLibCache() override;
    HRESULT GetTypeLib(LCID lcid, ITypeLib** lib) override;
    const OleVerbMap& GetMessageMap() const override;
    void DoPropExchange(CPropExchange* pPX) override;
    void OnResetState() override;
    void OnDraw(CDC* pdc, const CRect& rcBounds, const CRect& rcInvalid) override;
    const EventMap& GetEventMap() const override;
    std::vector<CLSID> GetPropPageIDs() override;
    UINT GetUserTypeNameID() override;
    DWORD GetControlMiscStatus() override;

private:
    // The last stage of openSession: ask for the PIN and log the user in.
    BOOL Login();
};
