// COlePropertyPage: the base of a control's property page, a dialog (from the module's resources)
// with a tab caption, shown inside a property frame. Its class object makes it as a COM object;
// the property frame reaches it through framework::CmdTargetOf.
#pragma once

#include <string>

#include "platform/framework/data_exchange.h"
#include "platform/framework/dialog.h"

class COlePropertyPage : public CDialog {
public:
    static const CRuntimeClass classCOlePropertyPage;
    const CRuntimeClass* GetRuntimeClass() const override;

    IUnknown* GetIUnknown() override { return &unknown_; }
    // The caption of the page's tab.
    const std::string& GetCaption() const { return caption_; }
    // The page's class identifier.
    virtual const CLSID& GetClassID() const = 0;

protected:
    COlePropertyPage(const ui::DialogTemplate& dialogTemplate, std::string caption);
    ~COlePropertyPage() override;

private:
    // The page's COM identity: IUnknown, and the framework's own.
    struct Unknown final : IUnknown {
        explicit Unknown(COlePropertyPage& page) : page(page) {}
        HRESULT QueryInterface(REFIID iid, void** object) override;
        ULONG AddRef() override { return page.ExternalAddRef(); }
        ULONG Release() override { return page.ExternalRelease(); }
        COlePropertyPage& page;
    };

    Unknown unknown_;
    std::string caption_;
};

// The framework's own part of a property page's data exchange: the page applies what changed to
// the objects it shows. Pages call it from DoDataExchange.
void DDP_PostProcessing(CDataExchange* pDX);
