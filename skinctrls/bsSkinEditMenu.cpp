#include "skinctrls/bsSkinEditMenu.h"

#include "skinctrls/bsSkinCtrls.h"

#include "framework/Controls.h"

#include <QClipboard>
#include <QGuiApplication>

const char* const bsEditMenuCaptions[8] = {"撤消", "-",    "剪切", "复制",
                                           "粘贴", "删除", "-",    "全选"};

namespace {

bool ClipboardHasText() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard && !clipboard->text().isEmpty();
}

TMenuItem* AddItem(TPopupMenu* menu, int captionIndex, bool enabled,
                   const std::function<void()>& action) {
    auto* item = new TMenuItem(menu);
    item->SetCaption(QString::fromUtf8(bsEditMenuCaptions[captionIndex]));
    item->SetEnabled(enabled);
    if (action)
        item->OnClick = [action](TObject*) { action(); };
    menu->Items()->Add(item);
    return item;
}

// The skin of the control, or of the skinned control it is part of (the edit of a combo
// box has no skin of its own).
TbsSkinData* SkinDataOf(QWidget* control) {
    for (QWidget* w = control; w; w = w->isWindow() ? nullptr : w->parentWidget())
        if (auto* client = dynamic_cast<TbsSkinClient*>(w))
            return client->SkinData();
    return nullptr;
}

} // namespace

// ---------------------------------------------------------------- TbsEditPopupMenu

TbsEditPopupMenu::TbsEditPopupMenu(TControl* control)
    : TbsSkinPopupMenu(control), FControl(control), FOwnEngine(new TbsSkinMenu(this)) {
    SetTargetForm(control->window());
    SetSkinData(SkinDataOf(control));
    SetFallbackEngine(FOwnEngine);
    control->installEventFilter(this);
}

TbsEditPopupMenu::~TbsEditPopupMenu() = default;

void TbsEditPopupMenu::PopupForControl(TPoint screenPoint) {
    // The control may have moved to another form since the menu was built.
    SetTargetForm(FControl->window());
    FOwnEngine->SetHostForm(FControl->window());
    PopupFromEdit(FControl, screenPoint.X, screenPoint.Y);
}

bool TbsEditPopupMenu::eventFilter(QObject* watched, QEvent* event) {
    // Freed later: the engine is still running the command's click when it reports it.
    if (watched == FControl && event->type() == SkinMenuCommandDone)
        deleteLater();
    return TbsSkinPopupMenu::eventFilter(watched, event);
}

// ---------------------------------------------------------------- building

TbsEditPopupMenu* BuildEditMenu(TControl* control, const TbsEditCommands& c) {
    auto* menu = new TbsEditPopupMenu(control);
    const bool selection = c.HasSelection();
    const bool writable = !c.ReadOnly();
    AddItem(menu, 0, c.CanUndo(), c.Undo);
    AddItem(menu, 1, true, nullptr);
    AddItem(menu, 2, selection && writable, c.Cut);
    AddItem(menu, 3, selection, c.Copy);
    AddItem(menu, 4, ClipboardHasText() && writable, c.Paste);
    AddItem(menu, 5, selection && writable, c.ClearSelection);
    AddItem(menu, 6, true, nullptr);
    AddItem(menu, 7, !c.AllSelected(), c.SelectAll);
    menu->SetPopupComponent(control);
    return menu;
}

void PopupEditMenu(TControl* control, QPointer<TbsEditPopupMenu>& menu,
                   const TbsEditCommands& commands, TPoint screenPoint) {
    delete menu.data();
    menu = BuildEditMenu(control, commands);
    if (screenPoint.X == -1 && screenPoint.Y == -1)
        screenPoint = control->ClientToScreen(TPoint(control->Width() / 2, control->Height() / 2));
    menu->PopupForControl(screenPoint);
}
