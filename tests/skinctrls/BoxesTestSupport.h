#pragma once
// The fixture skin with records for the text and list controls, drawn on the fixture's
// button picture (75 x 25 faces stacked: normal at y 0, active at y 25, down at y 50).

#include "SkinCtrlsTestSupport.h"

#include "skin/bsSkinMenus.h"

namespace BoxesTest {

constexpr TColor EditFontColor = 0x00502010;
constexpr TColor EditActiveFontColor = 0x00104080;
constexpr TColor MemoBG = 0x00F0E0D0;
constexpr TColor MemoActiveBG = 0x00D0F0E0;

inline TControlsSkin& AddFrame(TControlsSkin& skin, const QString& name) {
    return skin.Set(name, "pictureindex", "0")
        .Set(name, "skinrect", "0,0,75,25")
        .Set(name, "lefttoppoint", "4,4")
        .Set(name, "righttoppoint", "71,4")
        .Set(name, "leftbottompoint", "4,21")
        .Set(name, "rightbottompoint", "71,21")
        .Set(name, "clientrect", "4,4,71,21")
        .Set(name, "fontname", "Arial")
        .Set(name, "fontheight", "14")
        .Set(name, "fontcolor", "0x00502010")
        .Set(name, "activefontcolor", "0x00104080")
        .Set(name, "disabledfontcolor", "0x00909090");
}

inline TControlsSkin BoxesSkin() {
    TControlsSkin skin;
    skin.AddControl("edit", "edit");
    AddFrame(skin, "edit")
        .Set("edit", "righttoppoint", "50,4")
        .Set("edit", "rightbottompoint", "50,21")
        .Set("edit", "activeskinrect", "0,25,75,50")
        .Set("edit", "buttonrect", "55,4,71,21")
        .Set("edit", "activebuttonrect", "55,29,71,46");
    // Popup menus framed by the panel picture (120 x 100, 4-pixel border).
    skin.Set("POPUPWINDOW", "windowpictureindex", "8")
        .Set("POPUPWINDOW", "lefttoppoint", "4,4")
        .Set("POPUPWINDOW", "righttoppoint", "116,4")
        .Set("POPUPWINDOW", "leftbottompoint", "4,96")
        .Set("POPUPWINDOW", "rightbottompoint", "116,96")
        .Set("POPUPWINDOW", "itemsrect", "4,4,116,96");
    skin.AddControl("memo", "memo");
    AddFrame(skin, "memo")
        .Set("memo", "bgcolor", "0x00F0E0D0")
        .Set("memo", "activebgcolor", "0x00D0F0E0");
    skin.AddControl("listbox", "listbox");
    AddFrame(skin, "listbox")
        .Set("listbox", "itemrect", "0,30,75,48")
        .Set("listbox", "activeitemrect", "0,55,75,73")
        .Set("listbox", "itemleftoffset", "4")
        .Set("listbox", "itemrightoffset", "4")
        .Set("listbox", "itemtextrect", "4,0,71,18")
        .Set("listbox", "focusfontcolor", "0x00FFFFFF")
        .Set("listbox", "vscrollbarname", "vscrollbar");
    skin.AddControl("combobox", "combobox");
    AddFrame(skin, "combobox")
        .Set("combobox", "righttoppoint", "50,4")
        .Set("combobox", "rightbottompoint", "50,21")
        .Set("combobox", "buttonrect", "55,4,71,21")
        .Set("combobox", "activebuttonrect", "55,29,71,46")
        .Set("combobox", "itemrect", "4,4,55,21")
        .Set("combobox", "itemtextrect", "0,0,51,17")
        .Set("combobox", "listboxname", "listbox");
    return skin;
}

// The popup window of a menu open on the screen, or null.
inline TbsSkinPopupWindow* OpenPopupWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<TbsSkinPopupWindow*>(widget); window && window->isVisible())
            return window;
    return nullptr;
}

// Runs the deferred deletions (closed menu windows, menus that freed themselves).
inline void RunDeferredDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

inline const QString& BoxesSkinPath() {
    static const QString path = SkinCtrlsTest::WriteSkin(BoxesSkin());
    return path;
}

} // namespace BoxesTest
