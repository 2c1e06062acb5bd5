// Dialogs of the control framework: CDialog with data exchange and the OnInitDialog/OnOK/OnCancel
// hooks, and the window objects a dialog's code holds for its controls (CWnd, CEdit).
// A dialog is shown through the UI service (platform/ui), from a template that the module keeps
// in its resources and hands to the constructor.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/com/types.h"
#include "platform/framework/cmd_target.h"
#include "platform/ui/dialog.h"
#include "platform/ui/messagebox.h"

using INT_PTR = std::intptr_t;

class CDataExchange;
class CDialog;

// A window object. Attached to a control of a running dialog it reads and changes that control;
// detached (before and after the dialog runs) its operations do nothing and read as empty.
class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    bool IsAttached() const { return dialog_ != nullptr; }
    int GetDlgCtrlID() const { return id_; }

    void SetWindowTextA(const char* text);
    // Copies at most maxCount-1 characters and a terminator; returns the number copied.
    int GetWindowTextA(char* buffer, int maxCount) const;
    void GetWindowTextA(std::string& text) const;
    int GetWindowTextLengthA() const;
    void SetWindowText(const char* text) { SetWindowTextA(text); }
    void GetWindowText(std::string& text) const { GetWindowTextA(text); }

    BOOL EnableWindow(BOOL enable = TRUE);  // returns whether it was disabled before
    BOOL IsWindowEnabled() const;
    // Gives the control the keyboard focus. Returns nullptr: no object for the previous focus.
    CWnd* SetFocus();

protected:
    friend class CDialog;
    friend class CDataExchange;
    void AttachTo(ui::Dialog* dialog, int id) {
        dialog_ = dialog;
        id_ = id;
    }
    void Detach() {
        dialog_ = nullptr;
        id_ = 0;
    }
    ui::Dialog* dialog_ = nullptr;
    int id_ = 0;
};

// An edit control.
class CEdit : public CWnd {
public:
    // At most limit characters can be typed; 0 lifts the limit to the largest there is.
    void SetLimitText(UINT limit);
    void LimitText(int limit) { SetLimitText(static_cast<UINT>(limit)); }
    UINT GetLimitText() const;
};

class CDialog : public CWnd {
public:
    // The template is copied; a module passes the one from its resources.
    explicit CDialog(const ui::DialogTemplate& dialogTemplate, CWnd* parent = nullptr);
    ~CDialog() override;

    // Shows the dialog modally: IDOK, IDCANCEL, the value given to EndDialog, or -1 when it could
    // not be shown.
    virtual INT_PTR DoModal();

    // Loads the members into the controls (UpdateData(FALSE)). TRUE: the focus goes to the first
    // tab stop; return FALSE after setting the focus yourself.
    virtual BOOL OnInitDialog();
    // Reads and validates the controls (UpdateData(TRUE)); when valid, ends with IDOK.
    virtual void OnOK();
    // Ends with IDCANCEL; the members are left as they are. Escape and the close box come here too.
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX);

    // FALSE when a validation failed or no dialog is running. A failed save leaves every member
    // that the exchange had already changed as it was before.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    // The control with this id while the dialog runs; nullptr otherwise. An edit's object is a CEdit.
    CWnd* GetDlgItem(int id);
    void EndDialog(int result);

    const ui::DialogTemplate& GetTemplate() const { return template_; }
    CWnd* GetParent() const { return parent_; }

private:
    class Handler;
    friend class CDataExchange;
    // Keeps the window object bound by data exchange, to detach it when the dialog ends.
    void RememberBound(CWnd* control);
    void DetachAll();

    ui::DialogTemplate template_;
    CWnd* parent_;
    std::vector<CWnd*> bound_;
    std::map<int, std::unique_ptr<CWnd>> items_;
};
