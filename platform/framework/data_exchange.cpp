#include "platform/framework/data_exchange.h"

#include <cstdio>

#include "platform/ui/secure_wipe.h"

namespace {

// What the user is told when a field holds more than its member may take.
constexpr const char* kTooManyCharacters = "Please enter no more than %d characters.";

}  // namespace

CDataExchange::CDataExchange(CDialog* dialog, BOOL saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog), dialog_(dialog) {}

CDataExchange::~CDataExchange() {
    for (auto& entry : saved_) ui::SecureWipe(entry.second);
}

ui::Dialog* CDataExchange::Running() const { return dialog_->dialog_; }

int CDataExchange::PrepareCtrl(int id) {
    if (Running() == nullptr || !Running()->HasControl(id)) {
        std::fprintf(stderr, "chequesign framework: dialog %s has no control %d\n",
                     dialog_->GetTemplate().Label().c_str(), id);
        throw CUserException();
    }
    lastControl_ = id;
    lastWasEdit_ = false;
    return id;
}

int CDataExchange::PrepareEditCtrl(int id) {
    PrepareCtrl(id);
    lastWasEdit_ = Running()->ControlOf(id)->kind == ui::ControlClass::Edit;
    return id;
}

void CDataExchange::Fail() {
    if (m_bSaveAndValidate && lastControl_ != 0 && Running()) Running()->SetFocus(lastControl_);
    throw CUserException();
}

void CDataExchange::Remember(std::string* member) {
    for (const auto& entry : saved_)
        if (entry.first == member) return;  // the first old text is the one to go back to
    saved_.emplace_back(member, *member);
}

void CDataExchange::Restore() {
    for (auto& [member, old] : saved_) {
        ui::SecureWipe(*member);
        *member = old;
    }
}

void CDataExchange::Bind(int id, CWnd& control) {
    if (control.dialog_ == Running() && control.id_ == id) return;
    PrepareCtrl(id);
    control.AttachTo(Running(), id);
    dialog_->RememberBound(&control);
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) { pDX->Bind(id, control); }

void DDX_Text(CDataExchange* pDX, int id, std::string& value) {
    pDX->PrepareEditCtrl(id);
    ui::Dialog* dialog = pDX->Running();
    if (!pDX->m_bSaveAndValidate) {
        dialog->SetText(id, value);
        return;
    }
    pDX->Remember(&value);
    std::string text = dialog->GetText(id);
    ui::SecureWipe(value);
    value = text;  // a copy, so that the wipe below also covers a short text held in place
    ui::SecureWipe(text);
}

void DDV_MaxChars(CDataExchange* pDX, const std::string& value, int maxChars) {
    if (!pDX->m_bSaveAndValidate) {
        if (pDX->LastWasEdit() && maxChars > 0) pDX->Running()->SetLimit(pDX->LastControl(), maxChars);
        return;
    }
    if (maxChars < 0 || value.size() <= static_cast<std::size_t>(maxChars)) return;
    char message[80];
    std::snprintf(message, sizeof message, kTooManyCharacters, maxChars);
    MessageBoxA(nullptr, message, nullptr, MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}
