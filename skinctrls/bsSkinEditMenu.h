#pragma once
// The context menu every skinned text control shows instead of the editor's own: six
// fixed commands (undo, cut, copy, paste, delete, select all) whose enabled states follow
// the control's text, selection, clipboard and read-only lock.

#include "framework/Menus.h"
#include "framework/Types.h"

#include <QPointer>
#include <functional>

class TControl;

// What the menu asks of the control and what its commands do to it.
struct TbsEditCommands {
    std::function<bool()> CanUndo;
    std::function<bool()> HasSelection;
    std::function<bool()> AllSelected;
    std::function<bool()> ReadOnly;
    std::function<void()> Undo;
    std::function<void()> Cut;
    std::function<void()> Copy;
    std::function<void()> Paste;
    std::function<void()> ClearSelection;
    std::function<void()> SelectAll;
};

// The captions, in menu order ("-" for the two separators).
extern const char* const bsEditMenuCaptions[8];

// Builds a new menu for `control` into `menu` (the previous one is freed; the new one is
// owned by the control) and opens it at `screenPoint`, or at the control's centre for a
// keyboard request (-1, -1).
void PopupEditMenu(TControl* control, QPointer<TPopupMenu>& menu, const TbsEditCommands& commands,
                   TPoint screenPoint);

// Builds the menu's items without opening it (for tests and the gallery).
TPopupMenu* BuildEditMenu(TControl* control, const TbsEditCommands& commands);
