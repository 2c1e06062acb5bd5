// CSigningPropPage: the control's property page (dialog 200, tab "General"). It edits nothing.
#pragma once

#include "platform/framework/ole_module.h"
#include "platform/framework/ole_proppage.h"

class CSigningPropPage : public COlePropertyPage {
    DECLARE_DYNCREATE(CSigningPropPage)

public:
    CSigningPropPage();

    // The page's class object: it writes and removes the page's registry entries.
    class CSigningPropPageFactory : public COleObjectFactory {
    public:
        using COleObjectFactory::COleObjectFactory;
        BOOL UpdateRegistry(BOOL bRegister) override;
    };
    static CSigningPropPageFactory factory;

protected:
    ~CSigningPropPage() override;
    void DoDataExchange(CDataExchange* pDX) override;
    const CLSID& GetClassID() const override;
};
