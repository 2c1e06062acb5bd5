// What a dialog or form looks like: the description a module keeps in its resources and hands
// to the UI service to show it. Geometry is kept as designed (dialog units or twips); backends
// decide how to draw it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ui {

enum class Units { DialogUnits, Twips };

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

enum class ControlClass {
    Edit,     // a text field
    Button,   // a push button
    Static,   // a text label
    Icon,     // an icon (text holds the icon's resource name or number)
    Picture,  // decoration
    Frame,    // a panel or group that only holds other controls
};

// Dialog styles.
enum DialogStyle : std::uint32_t {
    kPopup = 1u << 0,
    kChild = 1u << 1,        // a page inside another window (property page): no caption
    kCaption = 1u << 2,
    kSysMenu = 1u << 3,
    kModalFrame = 1u << 4,
    kFixedFrame = 1u << 5,   // a form's fixed dialog border
    kCenterScreen = 1u << 6,
    kNoTaskbar = 1u << 7,
};

// Control styles.
enum ControlStyle : std::uint32_t {
    kBorder = 1u << 0,
    kTabStop = 1u << 1,
    kPassword = 1u << 2,       // an edit that shows the mask character for each character
    kAutoHScroll = 1u << 3,
    kDefaultButton = 1u << 4,  // pressed by Enter
    kReadOnly = 1u << 5,
    kDisabled = 1u << 6,
    kGroup = 1u << 7,
    kLeftAlign = 1u << 8,
    kBold = 1u << 9,
    kHidden = 1u << 10,
    kCancelButton = 1u << 11,  // pressed by Escape (forms)
};

// An identifier for a control that no code refers to (labels).
inline constexpr int kStaticId = -1;

struct ControlTemplate {
    int id = kStaticId;
    std::string name;  // forms name their controls ("cmdBrowse"); may be empty
    ControlClass kind = ControlClass::Static;
    std::string text;
    Rect rect;
    std::uint32_t style = 0;
    char passwordChar = '*';  // used when style has kPassword

    bool Has(ControlStyle s) const { return (style & s) != 0; }
};

struct DialogTemplate {
    int id = 0;          // resource number (201); 0 for a form, which is known by its name
    std::string name;    // a form's name ("dlgUnlocking"); may be empty for a resource dialog
    std::string caption;
    std::string fontName = "MS Sans Serif";
    double fontSize = 8;
    Units units = Units::DialogUnits;
    Rect rect;
    std::uint32_t style = 0;
    std::vector<ControlTemplate> controls;  // in tab order

    bool Has(DialogStyle s) const { return (style & s) != 0; }
    // "201" for a resource dialog, the name for a form.
    std::string Label() const { return name.empty() ? std::to_string(id) : name; }
};

}  // namespace ui
