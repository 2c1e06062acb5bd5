#include "platform/framework/dialog.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/framework/data_exchange.h"
#include "platform/ui/secure_wipe.h"

// ---- CWnd ----

CWnd::~CWnd() = default;

void CWnd::SetWindowTextA(const char* text) {
    if (dialog_) dialog_->SetText(id_, text ? text : "");
}

int CWnd::GetWindowTextA(char* buffer, int maxCount) const {
    if (buffer == nullptr || maxCount <= 0) return 0;
    std::string text = dialog_ ? dialog_->GetText(id_) : std::string();
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(maxCount - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    ui::SecureWipe(text);
    return static_cast<int>(n);
}

void CWnd::GetWindowTextA(std::string& text) const {
    ui::SecureWipe(text);
    if (!dialog_) return;
    std::string copy = dialog_->GetText(id_);
    text = copy;
    ui::SecureWipe(copy);
}

int CWnd::GetWindowTextLengthA() const {
    std::string text = dialog_ ? dialog_->GetText(id_) : std::string();
    const int length = static_cast<int>(text.size());
    ui::SecureWipe(text);
    return length;
}

BOOL CWnd::EnableWindow(BOOL enable) {
    if (!dialog_) return FALSE;
    const BOOL wasDisabled = dialog_->IsEnabled(id_) ? FALSE : TRUE;
    dialog_->Enable(id_, enable != FALSE);
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const { return dialog_ && dialog_->IsEnabled(id_) ? TRUE : FALSE; }

CWnd* CWnd::SetFocus() {
    if (dialog_) dialog_->SetFocus(id_);
    return nullptr;
}

// ---- CEdit ----

void CEdit::SetLimitText(UINT limit) {
    if (dialog_) dialog_->SetLimit(id_, limit);
}

UINT CEdit::GetLimitText() const { return dialog_ ? static_cast<UINT>(dialog_->GetLimit(id_)) : 0; }

// ---- CDialog ----

// Routes the running dialog's events to the CDialog's hooks.
class CDialog::Handler : public ui::DialogHandler {
public:
    explicit Handler(CDialog& owner) : owner_(owner) {}
    bool OnInit(ui::Dialog& dialog) override {
        owner_.AttachTo(&dialog, 0);
        return owner_.OnInitDialog() != FALSE;
    }
    void OnCommand(ui::Dialog&, int id) override {
        if (id == IDOK)
            owner_.OnOK();
        else if (id == IDCANCEL)
            owner_.OnCancel();
    }
    void OnEscape(ui::Dialog&) override { owner_.OnCancel(); }
    void OnClose(ui::Dialog&) override { owner_.OnCancel(); }

private:
    CDialog& owner_;
};

CDialog::CDialog(const ui::DialogTemplate& dialogTemplate, CWnd* parent)
    : template_(dialogTemplate), parent_(parent) {}

CDialog::~CDialog() { DetachAll(); }

INT_PTR CDialog::DoModal() {
    try {
        Handler handler(*this);
        const int result = ui::RunModal(template_, handler);
        DetachAll();
        return result;
    } catch (...) {
        DetachAll();
        std::fprintf(stderr, "chequesign framework: dialog %s failed\n", template_.Label().c_str());
        return ui::kDialogNotShown;
    }
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    if (dialog_ == nullptr) return FALSE;
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
        return TRUE;
    } catch (const CUserException&) {
    } catch (...) {
        std::fprintf(stderr, "chequesign framework: data exchange of dialog %s failed\n", template_.Label().c_str());
    }
    dx.Restore();
    return FALSE;
}

CWnd* CDialog::GetDlgItem(int id) {
    if (dialog_ == nullptr || !dialog_->HasControl(id)) return nullptr;
    std::unique_ptr<CWnd>& item = items_[id];
    if (!item) {
        if (dialog_->ControlOf(id)->kind == ui::ControlClass::Edit)
            item = std::make_unique<CEdit>();
        else
            item = std::make_unique<CWnd>();
        item->AttachTo(dialog_, id);
    }
    return item.get();
}

void CDialog::EndDialog(int result) {
    if (dialog_) dialog_->End(result);
}

void CDialog::RememberBound(CWnd* control) {
    if (std::find(bound_.begin(), bound_.end(), control) == bound_.end()) bound_.push_back(control);
}

void CDialog::DetachAll() {
    for (CWnd* control : bound_) control->Detach();
    bound_.clear();
    items_.clear();
    Detach();
}
