#include "signing/PinDlg.h"

#include "platform/ui/secure_wipe.h"
#include "signing/resources.h"

CPinDlg::CPinDlg(CWnd* parent) : CDialog(*signing_resources::FindDialog(signing_resources::IDD_PIN), parent) {}

CPinDlg::~CPinDlg() { ui::SecureWipe(m_pin); }

void CPinDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, signing_resources::IDC_PIN_EDIT, m_pinEdit);
    DDX_Text(pDX, signing_resources::IDC_PIN_EDIT, m_pin);
    DDV_MaxChars(pDX, m_pin, kMaxPinLength);
}

BOOL CPinDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_pinEdit.SetFocus();
    return FALSE;  // the focus is set
}

void CPinDlg::OnOK() {
    m_pinEdit.GetWindowText(m_pin);
    CDialog::OnOK();
}

void CPinDlg::OnCancel() { CDialog::OnCancel(); }
