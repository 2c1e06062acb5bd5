#include "platform/ui/dialog.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "platform/ui/messagebox.h"
#include "platform/ui/secure_wipe.h"

namespace ui {
namespace {

// The text limit of a fresh edit, and what a limit of 0 stands for.
constexpr std::size_t kDefaultEditLimit = 30000;
constexpr std::size_t kMaxEditLimit = 0x7FFFFFFE;

bool SameWord(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::optional<int> ParseId(std::string_view text) {
    if (text.empty()) return std::nullopt;
    int value = 0;
    bool negative = false;
    std::size_t i = 0;
    if (text[0] == '-') {
        negative = true;
        i = 1;
    }
    if (i == text.size()) return std::nullopt;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9' || value > 100000000) return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

}  // namespace

std::string WithoutAccelerator(std::string_view caption) {
    std::string out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        out += caption[i];
    }
    return out;
}

void DialogHandler::OnCommand(Dialog& dialog, int id) {
    if (id == IDOK || id == IDCANCEL) dialog.End(id);
}

void DialogHandler::OnEscape(Dialog& dialog) { OnCommand(dialog, IDCANCEL); }

void DialogHandler::OnClose(Dialog& dialog) { OnCommand(dialog, IDCANCEL); }

Dialog::Dialog(const DialogTemplate& tmpl, DialogHandler& handler) : tmpl_(tmpl), handler_(handler) {
    controls_.reserve(tmpl_.controls.size());
    for (const ControlTemplate& c : tmpl_.controls)
        controls_.push_back(Control{&c, c.text, kDefaultEditLimit, !c.Has(kDisabled)});
}

Dialog::~Dialog() {
    for (Control& c : controls_) SecureWipe(c.text);
}

Dialog::Control* Dialog::Find(int id) {
    if (id == kStaticId) return nullptr;
    for (Control& c : controls_)
        if (c.tmpl->id == id) return &c;
    return nullptr;
}

const Dialog::Control* Dialog::Find(int id) const { return const_cast<Dialog*>(this)->Find(id); }

bool Dialog::HasControl(int id) const { return Find(id) != nullptr; }

const ControlTemplate* Dialog::ControlOf(int id) const {
    const Control* c = Find(id);
    return c ? c->tmpl : nullptr;
}

std::optional<int> Dialog::FindControl(std::string_view idOrName) const {
    if (std::optional<int> id = ParseId(idOrName)) {
        if (HasControl(*id)) return id;
        return std::nullopt;
    }
    for (const Control& c : controls_)
        if (!c.tmpl->name.empty() && SameWord(c.tmpl->name, idOrName)) return c.tmpl->id;
    for (const Control& c : controls_)
        if (c.tmpl->kind == ControlClass::Button && SameWord(WithoutAccelerator(c.tmpl->text), idOrName))
            return c.tmpl->id;
    return std::nullopt;
}

std::string Dialog::GetText(int id) const {
    const Control* c = Find(id);
    return c ? c->text : std::string();
}

void Dialog::SetText(int id, std::string_view text) {
    Control* c = Find(id);
    if (c == nullptr || c->text == text) return;
    SecureWipe(c->text);
    c->text.assign(text);
    if (c->tmpl->kind == ControlClass::Edit) handler_.OnChange(*this, id);
}

std::string Dialog::DisplayText(int id) const {
    const Control* c = Find(id);
    if (c == nullptr) return {};
    if (c->tmpl->kind == ControlClass::Edit && c->tmpl->Has(kPassword))
        return std::string(c->text.size(), c->tmpl->passwordChar);
    return c->text;
}

std::size_t Dialog::GetLimit(int id) const {
    const Control* c = Find(id);
    return c ? c->limit : 0;
}

void Dialog::SetLimit(int id, std::size_t limit) {
    if (Control* c = Find(id)) c->limit = limit == 0 ? kMaxEditLimit : limit;
}

bool Dialog::IsEnabled(int id) const {
    const Control* c = Find(id);
    return c && c->enabled;
}

void Dialog::Enable(int id, bool enabled) {
    if (Control* c = Find(id)) c->enabled = enabled;
}

bool Dialog::IsEditable(int id) const {
    const Control* c = Find(id);
    return c && c->enabled && c->tmpl->kind == ControlClass::Edit && !c->tmpl->Has(kReadOnly);
}

bool Dialog::SetFocus(int id) {
    const Control* c = Find(id);
    if (c == nullptr || !c->enabled || c->tmpl->Has(kHidden)) return false;
    focus_ = id;
    return true;
}

bool Dialog::IsTabStop(const Control& c) const {
    return c.enabled && c.tmpl->Has(kTabStop) && !c.tmpl->Has(kHidden) && c.tmpl->id != kStaticId;
}

int Dialog::FirstTabStop() const {
    for (const Control& c : controls_)
        if (IsTabStop(c)) return c.tmpl->id;
    return kStaticId;
}

int Dialog::NextTabStop(int id) const {
    const auto here = std::find_if(controls_.begin(), controls_.end(),
                                   [id](const Control& c) { return c.tmpl->id == id; });
    if (here == controls_.end()) return FirstTabStop();
    for (auto it = here + 1; it != controls_.end(); ++it)
        if (IsTabStop(*it)) return it->tmpl->id;
    return FirstTabStop();
}

std::optional<int> Dialog::DefaultButton() const {
    for (const Control& c : controls_)
        if (c.tmpl->kind == ControlClass::Button && c.tmpl->Has(kDefaultButton)) return c.tmpl->id;
    const ControlTemplate* ok = ControlOf(IDOK);
    if (ok && ok->kind == ControlClass::Button) return IDOK;
    return std::nullopt;
}

std::string Dialog::LabelFor(int id) const {
    const Control* edit = Find(id);
    if (edit == nullptr) return {};
    const Rect& r = edit->tmpl->rect;
    const ControlTemplate* best = nullptr;
    for (const Control& c : controls_) {
        const ControlTemplate& t = *c.tmpl;
        if (t.kind != ControlClass::Static || t.text.empty()) continue;
        const bool sameLine = t.rect.y < r.y + r.height && r.y < t.rect.y + std::max(t.rect.height, 1);
        if (!sameLine || t.rect.x >= r.x) continue;
        if (best == nullptr || t.rect.x > best->rect.x) best = &t;
    }
    if (best) return best->text;
    return edit->tmpl->name.empty() ? std::to_string(id) : edit->tmpl->name;
}

bool Dialog::TypeChar(int id, char ch) {
    Control* c = Find(id);
    if (c == nullptr || !IsEditable(id) || c->text.size() >= c->limit) return false;
    // Grows without leaving copies of the text so far in freed storage (it may be a password).
    SecureAppend(c->text, std::string_view(&ch, 1));
    handler_.OnChange(*this, id);
    return true;
}

bool Dialog::Backspace(int id) {
    Control* c = Find(id);
    if (c == nullptr || !IsEditable(id) || c->text.empty()) return false;
    c->text.back() = '\0';
    c->text.pop_back();
    handler_.OnChange(*this, id);
    return true;
}

bool Dialog::Type(int id, std::string_view text) {
    Control* c = Find(id);
    if (c == nullptr || !IsEditable(id)) return false;
    SetFocus(id);
    if (!c->text.empty()) {
        SecureWipe(c->text);
        handler_.OnChange(*this, id);
    }
    for (char ch : text)
        if (!TypeChar(id, ch)) break;  // the rest goes past the limit (or a hook disabled the field)
    return true;
}

bool Dialog::Click(int id) {
    const Control* c = Find(id);
    if (c == nullptr || c->tmpl->kind != ControlClass::Button) return false;
    if (!c->enabled || c->tmpl->Has(kHidden)) return true;  // a disabled button takes no press
    SetFocus(id);
    handler_.OnCommand(*this, id);
    return true;
}

void Dialog::PressEscape() { handler_.OnEscape(*this); }

void Dialog::PressClose() { handler_.OnClose(*this); }

void Dialog::End(int result) {
    if (ended_) return;
    ended_ = true;
    result_ = result;
}

bool Dialog::Init() {
    if (handler_.OnInit(*this)) SetFocus(FirstTabStop());
    return !ended_;
}

void Dialog::Show() { handler_.OnShow(*this); }

}  // namespace ui
