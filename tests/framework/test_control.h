// A minimal control of the test's own on COleControl, for the framework's behaviour behind the hooks.
#pragma once

#include "platform/framework/ole_control.h"

namespace testing_support {

class TestControl final : public COleControl {
public:
    static constexpr DWORD kVersion = 0x00020003;

    TestControl() { ExternalAddRef(); }  // the test's reference
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override { return E_NOTIMPL; }
    HRESULT GetClassID(CLSID* clsid) override {
        *clsid = GUID_NULL;
        return S_OK;
    }
    void DoPropExchange(CPropExchange* pPX) override {
        ExchangeVersion(pPX, kVersion);
        COleControl::DoPropExchange(pPX);
        PX_Long(pPX, "Width", width, 100);
    }
    UINT GetUserTypeNameID() override { return 1; }
    DWORD GetControlMiscStatus() override { return 0; }

    LONG width = -1;
};

}  // namespace testing_support
