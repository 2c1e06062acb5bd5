#include "platform/framework/property_frame.h"

#include <algorithm>

#include "platform/ui/dialog.h"

namespace framework {
namespace {

constexpr int kMargin = 7;
constexpr int kTabHeight = 14;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;

}  // namespace

ui::DialogTemplate BuildPropertyFrame(const std::string& objectName, const std::vector<COlePropertyPage*>& pages) {
    ui::DialogTemplate frame;
    frame.name = "PropertyFrame";
    frame.caption = objectName.empty() ? std::string("Properties") : objectName + " Properties";
    frame.style = ui::kPopup | ui::kCaption | ui::kSysMenu | ui::kModalFrame;
    int pageWidth = 0, pageHeight = 0;
    for (const COlePropertyPage* page : pages) {
        pageWidth = std::max(pageWidth, page->GetTemplate().rect.width);
        pageHeight = std::max(pageHeight, page->GetTemplate().rect.height);
    }
    const int width = std::max(pageWidth, 3 * kButtonWidth + 2 * kMargin) + 2 * kMargin;
    const int buttonsTop = kMargin + kTabHeight + pageHeight + kMargin;
    frame.rect = {0, 0, width, buttonsTop + kButtonHeight + kMargin};

    int tabLeft = kMargin;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const std::string& caption = pages[i]->GetCaption();
        const int tabWidth = 8 + 4 * static_cast<int>(caption.size());
        frame.controls.push_back(ui::ControlTemplate{ui::kStaticId, "tab" + std::to_string(i + 1), ui::ControlClass::Frame,
                                                     caption, {tabLeft, kMargin, tabWidth, kTabHeight}, 0});
        tabLeft += tabWidth;
    }
    if (!pages.empty()) {
        // The first tab is the one shown.
        for (ui::ControlTemplate c : pages.front()->GetTemplate().controls) {
            c.rect.x += kMargin;
            c.rect.y += kMargin + kTabHeight;
            frame.controls.push_back(std::move(c));
        }
    }
    int x = width - kMargin - 3 * kButtonWidth - 2 * 4;
    auto button = [&](int id, const char* text, std::uint32_t style) {
        frame.controls.push_back(ui::ControlTemplate{id, "", ui::ControlClass::Button, text,
                                                     {x, buttonsTop, kButtonWidth, kButtonHeight}, style});
        x += kButtonWidth + 4;
    };
    button(1, "OK", ui::kDefaultButton | ui::kTabStop);
    button(2, "Cancel", ui::kTabStop);
    button(kApplyButtonId, "&Apply", ui::kTabStop | ui::kDisabled);  // nothing to apply until a page changes
    return frame;
}

int ShowPropertyFrame(const std::string& objectName, const std::vector<COlePropertyPage*>& pages) {
    const ui::DialogTemplate frame = BuildPropertyFrame(objectName, pages);
    ui::DialogHandler plain;  // OK and Cancel end the frame
    return ui::RunModal(frame, plain);
}

}  // namespace framework
