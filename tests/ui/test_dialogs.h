// A generic dialog for the tests: a password edit (201) with its label, OK (default), Cancel and
// a button that starts disabled (300, "Later"); and a CDialog that exchanges the edit with m_text.
#pragma once

#include <optional>
#include <string>

#include "platform/framework/data_exchange.h"
#include "platform/framework/dialog.h"

namespace ui_test {

inline constexpr int kEditId = 201;
inline constexpr int kLaterId = 300;

inline ui::DialogTemplate TestTemplate() {
    ui::DialogTemplate t;
    t.id = 201;
    t.caption = "PIN";
    t.rect = {0, 0, 167, 82};
    t.style = ui::kPopup | ui::kCaption | ui::kSysMenu | ui::kModalFrame;
    t.controls = {
        {kEditId, "", ui::ControlClass::Edit, "", {59, 22, 55, 14}, ui::kBorder | ui::kTabStop | ui::kPassword | ui::kAutoHScroll},
        {IDOK, "", ui::ControlClass::Button, "OK", {29, 52, 50, 14}, ui::kDefaultButton | ui::kTabStop},
        {IDCANCEL, "", ui::ControlClass::Button, "Cancel", {95, 51, 50, 14}, ui::kTabStop},
        {kLaterId, "cmdLater", ui::ControlClass::Button, "&Later", {95, 70, 50, 14}, ui::kTabStop | ui::kDisabled},
        {ui::kStaticId, "", ui::ControlClass::Static, "PIN", {25, 25, 25, 11}, ui::kLeftAlign | ui::kGroup},
    };
    return t;
}

// Exchanges the edit with m_text, limited to 8 characters. editLimit, when set, replaces the
// edit's limit after the framework set it (so that a too-long text can reach validation).
class TestDialog : public CDialog {
public:
    TestDialog() : CDialog(TestTemplate()) {}

    CEdit m_edit;
    std::string m_text;
    std::optional<UINT> editLimit;
    int initCalls = 0;

    void DoDataExchange(CDataExchange* pDX) override {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, kEditId, m_edit);
        DDX_Text(pDX, kEditId, m_text);
        DDV_MaxChars(pDX, m_text, 8);
    }
    BOOL OnInitDialog() override {
        ++initCalls;
        CDialog::OnInitDialog();
        if (editLimit) m_edit.SetLimitText(*editLimit);
        m_edit.SetFocus();
        return FALSE;
    }
};

}  // namespace ui_test
