#pragma once
// The context menu every skinned text control shows instead of the editor's own: six
// fixed commands (undo, cut, copy, paste, delete, select all) whose enabled states follow
// the control's text, selection, clipboard and read-only lock. It is a skinned popup menu
// drawn with the control's skin; it opens through the menu engine of the control's form
// frame, or, on a form without a frame, through an engine of its own.

#include "skin/bsSkinMenus.h"

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

// One built context menu of a control (owned by the control). Its form is the control's
// form; its skin is the control's. It frees itself once the engine tells the control that
// one of its commands ran.
class TbsEditPopupMenu : public TbsSkinPopupMenu {
    Q_OBJECT
public:
    explicit TbsEditPopupMenu(TControl* control);
    ~TbsEditPopupMenu() override;

    // Opens for the control at a screen point through the frame's engine or its own.
    void PopupForControl(TPoint screenPoint);
    // The engine the menu opens through while the form has no frame.
    TbsSkinMenu& OwnEngine() { return *FOwnEngine; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TControl* FControl;
    TbsSkinMenu* FOwnEngine;
};

// Builds a new menu for `control` into `menu` (the previous one is freed; the new one is
// owned by the control) and opens it at `screenPoint`, or at the control's centre for a
// keyboard request (-1, -1).
void PopupEditMenu(TControl* control, QPointer<TbsEditPopupMenu>& menu,
                   const TbsEditCommands& commands, TPoint screenPoint);

// Builds the menu's items without opening it (for tests and the gallery).
TbsEditPopupMenu* BuildEditMenu(TControl* control, const TbsEditCommands& commands);
