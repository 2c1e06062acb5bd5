// Data exchange between a dialog's members and its controls: DoDataExchange calls these once to
// load the controls (when the dialog opens) and once to save and validate them (on OK).
#pragma once

#include <deque>
#include <string>
#include <utility>

#include "platform/framework/dialog.h"

// Thrown by CDataExchange::Fail; UpdateData turns it into FALSE.
class CUserException {};

class CDataExchange {
public:
    CDataExchange(CDialog* dialog, BOOL saveAndValidate);
    ~CDataExchange();
    CDataExchange(const CDataExchange&) = delete;
    CDataExchange& operator=(const CDataExchange&) = delete;

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

    // The control that the following DDV_ calls are about. Unknown ids fail the exchange.
    int PrepareCtrl(int id);
    int PrepareEditCtrl(int id);
    // Attaches the window object to control id of the running dialog, once per showing.
    void Bind(int id, CWnd& control);
    // Ends the exchange as invalid: the focus goes to the last prepared control.
    [[noreturn]] void Fail();

    // Before a save changes a member: keep its old text, to put back if the exchange fails.
    void Remember(std::string* member);
    // After a failed save: every remembered member gets its old text back.
    void Restore();

    CDialog* Dialog() const { return dialog_; }
    ui::Dialog* Running() const;
    int LastControl() const { return lastControl_; }
    bool LastWasEdit() const { return lastWasEdit_; }

private:
    CDialog* dialog_;
    int lastControl_ = 0;
    bool lastWasEdit_ = false;
    // A deque, so that keeping one more old text never moves (and leaves behind) the others.
    std::deque<std::pair<std::string*, std::string>> saved_;
};

// Binds a window object to the control with this id (once per showing of the dialog).
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
// The text of an edit: into the control when loading, into value when saving.
void DDX_Text(CDataExchange* pDX, int id, std::string& value);
// Loading: limits the edit last exchanged to maxChars. Saving: value must not be longer, else the
// user is told so and the exchange fails.
void DDV_MaxChars(CDataExchange* pDX, const std::string& value, int maxChars);
