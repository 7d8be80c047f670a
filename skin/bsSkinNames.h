#pragma once
// What a complete skin provides: the control records the program's windows and the skinned
// controls look up by name, with the kind keyword of [SKINCONTROLS] each one needs, and the
// frame objects the form frame, the menus and the hints find by kind or command.

#include <array>
#include <string_view>

namespace SkinNames {

// How a control name comes to be used, and so what its absence means.
enum class TbsNameUse {
    // A control looks the name up by default; without the record it draws without a skin.
    LookedUp,
    // Looked up only when the skin has it; without it the control falls back to another
    // record.
    Optional,
    // No control looks it up by default; our installed skins carry it all the same, so
    // that a control given that name (or a record naming it) finds a skin.
    OurSkins,
};

struct TbsExpectedControl {
    std::string_view Name;
    std::string_view Kind;
    TbsNameUse Use = TbsNameUse::LookedUp;
    // For an optional name: the record used in its place.
    std::string_view Fallback = {};
};

inline constexpr std::array<TbsExpectedControl, 35> ExpectedControls = {{
    {"button", "button"},            // push buttons, message box buttons
    {"toolbutton", "button"},        // speed buttons of tool bars and the file dialogs
    {"resizebutton", "button"},      // list view column headers, the file dialogs' list
    {"groupbox", "panel"},           // group boxes, radio groups
    {"panel", "panel"},              // panels
    {"statusbar", "panel"},          // status bars
    {"toolpanel", "panel"},          // tool bars, the file dialogs' button row
    {"statuspanel", "label"},        // status bar panels
    {"label", "label"},              // labels
    {"stdlabel", "stdlabel"},        // plain labels, the message box text
    {"combobox", "combobox"},        // combo boxes, filter boxes, drive boxes
    {"listbox", "listbox"},          // list boxes, file list boxes
    {"memo", "memo"},                // memos
    {"edit", "edit"},                // edits
    {"buttonedit", "edit"},          // edits with a button
    {"vscrollbar", "scrollbar"},     // vertical scroll bars
    {"hscrollbar", "scrollbar"},     // horizontal scroll bars
    {"bothhscrollbar", "scrollbar"}, // horizontal bars beside a vertical one
    {"mainmenubar", "mainmenubar"},  // the main menu bar
    {"checkbox", "checkradio"},      // check boxes
    {"radiobox", "checkradio"},      // radio buttons, radio group buttons
    {"treeview", "treeview"},        // tree views, the file dialogs' folder tree
    {"listview", "listview"},        // list views, the file dialogs' file list
    {"expanel", "expanel"},          // rolling panels, the file dialogs' folder panel
    {"vsplitter", "splitter"},       // splitters, the file dialogs' splitter
    {"bevel", "bevel"},              // bevels
    {"hupdown", "updown"},           // horizontal up-down buttons
    {"vupdown", "updown"},           // vertical up-down buttons
    // The file dialogs' drive box takes it when the skin has one, else "combobox".
    {"toolcombobox", "combobox", TbsNameUse::Optional, "combobox"},
    // The up-down buttons a "tab" record names in its "updown" key.
    {"updown", "updown", TbsNameUse::OurSkins},
    // A splitter record under the kind's own name, for splitters renamed to it.
    {"splitter", "splitter", TbsNameUse::OurSkins},
    {"gauge", "gauge", TbsNameUse::OurSkins},       // progress gauges
    {"trackbar", "trackbar", TbsNameUse::OurSkins}, // track bars
    {"tab", "tab", TbsNameUse::OurSkins},           // tab and page controls
    {"grid", "grid", TbsNameUse::OurSkins},         // string and draw grids
}};

// True when a record of kind `actual` serves where kind `expected` is looked for: the
// same kind or one whose record class derives from the expected one (a menu button is a
// button, a memo an edit, a check list box a list box).
constexpr bool KindServesAs(std::string_view actual, std::string_view expected) {
    if (actual == expected)
        return true;
    return (expected == "button" && actual == "menubutton") ||
           (expected == "edit" && actual == "memo") ||
           (expected == "listbox" && actual == "checklistbox");
}

// ---------------------------------------------------------------- frame objects
// These are found by kind (and command), not by name.

// The form frame draws the window title from every "caption" record.
inline constexpr std::string_view CaptionKind = "caption";

// The window commands the caption buttons carry: a "stdbutton" record, or an "animate"
// record with "buttonstyle" 1, for each. A window shows the buttons its border icons ask
// for; a skin without one of them leaves that command without a button.
inline constexpr std::array<std::string_view, 6> CaptionButtonCommands = {
    "cmclose", "cmmaximize", "cmminimize", "cmrollup", "cmminimizetotray", "cmsysmenu"};

// Popup menus draw their items from the first record of this kind, with its active picture
// ("activepictureindex"); the menu frame comes from [POPUPWINDOW] "windowpictureindex".
inline constexpr std::string_view MenuItemKind = "menuitem";

// The main menu bar draws its items from the object record its "menubaritem" key names.
inline constexpr std::string_view MenuBarItemKind = "mainmenubaritem";

} // namespace SkinNames
