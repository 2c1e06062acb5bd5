// CPinDlg: the modal dialog in which the user types the token's user PIN (dialog 201).
#pragma once

#include <string>

#include "platform/framework/data_exchange.h"
#include "platform/framework/dialog.h"

class CPinDlg : public CDialog {
public:
    static constexpr int kMaxPinLength = 8;

    explicit CPinDlg(CWnd* parent = nullptr);
    // Wipes the PIN text from memory.
    ~CPinDlg() override;

    CEdit m_pinEdit;
    // The PIN in the ANSI code page. At most 8 characters, so it lives inside the string object
    // itself (no heap copy) and is wiped with it.
    std::string m_pin;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
};
