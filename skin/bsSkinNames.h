#pragma once
// The control record names the program's windows and the skinned controls look up by
// default, with the kind keyword of [SKINCONTROLS] each one needs. A skin without one of
// them draws that control without a skin.

#include <array>
#include <string_view>

namespace SkinNames {

struct TbsExpectedControl {
    std::string_view Name;
    std::string_view Kind;
};

inline constexpr std::array<TbsExpectedControl, 28> ExpectedControls = {{
    {"button", "button"},            // push buttons, message box buttons
    {"toolbutton", "button"},        // speed buttons of tool bars
    {"resizebutton", "button"},      // list view column headers
    {"groupbox", "panel"},           // group boxes, radio groups
    {"panel", "panel"},              // panels
    {"statusbar", "panel"},          // status bars
    {"toolpanel", "panel"},          // tool bars
    {"statuspanel", "label"},        // status bar panels
    {"label", "label"},              // labels
    {"stdlabel", "stdlabel"},        // plain labels, the message box text
    {"combobox", "combobox"},        // combo boxes
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
    {"treeview", "treeview"},        // tree views
    {"listview", "listview"},        // list views
    {"expanel", "expanel"},          // rolling panels
    {"vsplitter", "splitter"},       // splitters
    {"bevel", "bevel"},              // bevels
    {"hupdown", "updown"},           // horizontal up-down buttons
    {"vupdown", "updown"},           // vertical up-down buttons
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

} // namespace SkinNames
