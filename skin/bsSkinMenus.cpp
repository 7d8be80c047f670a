// The menu engine and the popup-menu component.

#include "skin/bsSkinMenus.h"

#include "framework/Forms.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

namespace {

TbsSkinMenuFormLookup& FormLookup() {
    static TbsSkinMenuFormLookup lookup;
    return lookup;
}

// The visible children of `parent` from `start` on.
void AppendVisibleChildren(std::vector<TMenuItem*>& items, TMenuItem* parent, int start) {
    for (int i = std::max(0, start); i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        item->InitiateAction(); // the program may change the item's state first
        if (item->Visible())
            items.push_back(item);
    }
}

TImageList* ImagesOf(TMenuItem* item) {
    TMenu* menu = item ? item->GetParentMenu() : nullptr;
    return menu ? menu->Images() : nullptr;
}

bool IsMousePress(QEvent::Type type) {
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
           type == QEvent::NonClientAreaMouseButtonPress ||
           type == QEvent::NonClientAreaMouseButtonDblClick;
}

} // namespace

void SetSkinMenuFormLookup(TbsSkinMenuFormLookup lookup) {
    FormLookup() = std::move(lookup);
}

// ---------------------------------------------------------------- engine

TbsSkinMenu::TbsSkinMenu(QObject* owner) : TComponent(owner) {
    FDefMenuItemFont.SetName(QStringLiteral("Arial"));
    FDefMenuItemFont.SetHeight(14);
    FSubmenuTimer.setInterval(500);
    connect(&FSubmenuTimer, &QTimer::timeout, this, &TbsSkinMenu::SubmenuTimerFired);
    if (auto* form = qobject_cast<QWidget*>(owner))
        FHostForm = form->window();
}

TbsSkinMenu::~TbsSkinMenu() {
    CloseLevels(0);
    WatchEvents(false);
}

void TbsSkinMenu::BeginOpening(QWidget* opener, TbsSkinData* skinData) {
    FFreshOpen = !FEngineActive;
    FOpener = opener;
    if (!FLevels.empty()) {
        // The new menu replaces the open one; the opener just recorded hears the close,
        // and stays the opener of the new menu so that it hears that one close too.
        CloseLevels(0);
        FOpener = opener;
    }
    FWorkArea = GetMonitorWorkArea(FHostForm, true);
    FSkinData = skinData;
}

void TbsSkinMenu::PopupItems(QWidget* opener, TbsSkinData* skinData, bool upward, TMenuItem* root,
                             const TRect& anchor, int startIndex) {
    BeginOpening(opener, skinData);
    if (!root || root->Count() == 0 || startIndex >= root->Count())
        return;
    TbsPopupRequest request;
    AppendVisibleChildren(request.Items, root, startIndex);
    request.Images = ImagesOf(root);
    request.Opening.Anchor = anchor;
    request.Opening.Upward = upward;
    OpenWindow(std::move(request));
}

void TbsSkinMenu::PopupItemsMerged(QWidget* opener, TbsSkinData* skinData, bool upward,
                                   TMenuItem* first, TMenuItem* second, const TRect& anchor,
                                   int startIndex) {
    BeginOpening(opener, skinData);
    if (!first || !second || second->Count() == 0 || startIndex >= first->Count() + second->Count())
        return;
    TbsPopupRequest request;
    AppendVisibleChildren(request.Items, second, startIndex);
    AppendVisibleChildren(request.Items, first, startIndex - second->Count());
    request.Images = ImagesOf(second);
    request.Opening.Anchor = anchor;
    request.Opening.Upward = upward;
    OpenWindow(std::move(request));
}

void TbsSkinMenu::OpenWindow(TbsPopupRequest request) {
    if (FLevels.empty()) {
        FEngineActive = true;
        WatchEvents(true);
    }
    auto* window = new TbsSkinPopupWindow(this);
    FLevels.push_back(window);
    window->Open(request);
    FFreshOpen = false;
}

void TbsSkinMenu::CloseLevels(int level) {
    level = std::max(0, level);
    while (static_cast<int>(FLevels.size()) > level) {
        TbsSkinPopupWindow* window = FLevels.back();
        FLevels.pop_back();
        window->Dismiss();
        window->deleteLater();
    }
    if (level > 0)
        return;
    const bool wasActive = FEngineActive;
    FEngineActive = false;
    FSubmenuTimer.stop();
    WatchEvents(false);
    if (!wasActive)
        return;
    FCommandReceiver = FOpener;
    QPointer<QWidget> opener = FOpener;
    FOpener = nullptr;
    SendSkinMessage(opener, SkinMenuClosed);
}

void TbsSkinMenu::CloseMenus() {
    const bool wasActive = FEngineActive;
    CloseLevels(0);
    StopSubmenuTimer();
    if (wasActive)
        SendSkinMessage(FHostForm, SkinMenuClosed);
}

void TbsSkinMenu::CloseWindowsAfter(TbsSkinPopupWindow* window) {
    const int level = LevelOf(window);
    if (level >= 0)
        CloseLevels(level + 1);
}

int TbsSkinMenu::LevelOf(const TbsSkinPopupWindow* window) const {
    for (int i = 0; i < LevelCount(); ++i)
        if (FLevels[i] == window)
            return i;
    return -1;
}

void TbsSkinMenu::SendSkinMessage(QObject* receiver, QEvent::Type type) {
    if (!receiver)
        return;
    TbsSkinMessageEvent event(type, FSkinData);
    QCoreApplication::sendEvent(receiver, &event);
}

void TbsSkinMenu::StopSubmenuTimer() {
    FSubmenuTimer.stop();
    FPendingItem = nullptr;
}

void TbsSkinMenu::SubmenuTimerFired() {
    FSubmenuTimer.stop();
    TMenuItem* item = FPendingItem;
    FPendingItem = nullptr;
    if (!item)
        return;
    for (TbsSkinPopupWindow* window : FLevels)
        if (int index = window->IndexOfMenuItem(item); index >= 0) {
            ChooseItem(window, index);
            return;
        }
}

void TbsSkinMenu::ItemActivated(TbsSkinPopupWindow* window, TbsSkinMenuItem* item, bool byMouse) {
    StopSubmenuTimer();
    CloseWindowsAfter(window);
    if (item->HasChildren() && byMouse) {
        FPendingItem = item->MenuItem.data();
        FSubmenuTimer.start();
    }
}

void TbsSkinMenu::ItemDeactivated(TbsSkinMenuItem* item) {
    if (FPendingItem && FPendingItem == item->MenuItem)
        StopSubmenuTimer();
}

void TbsSkinMenu::ChooseItem(TbsSkinPopupWindow* window, int index) {
    if (LevelOf(window) < 0 || index < 0 || index >= window->ItemCount())
        return;
    TbsSkinMenuItem* item = window->Items(index);
    if (item->Expanded || !item->IsEnabled() || item->IsSeparator())
        return;
    QPointer<TMenuItem> menuItem = item->MenuItem;
    if (!item->HasChildren()) {
        FSubmenuTimer.stop();
        CloseMenus();
        if (menuItem)
            menuItem->Click();
        QPointer<QWidget> receiver = FCommandReceiver;
        FCommandReceiver = nullptr;
        SendSkinMessage(receiver, SkinMenuCommandDone);
        return;
    }
    menuItem->Click();
    if (!menuItem || LevelOf(window) < 0)
        return; // the command changed the menu under us
    FSubmenuTimer.stop();
    CloseWindowsAfter(window);
    item->Expanded = true;
    window->update();
    TbsPopupRequest request;
    AppendVisibleChildren(request.Items, menuItem, 0);
    request.Images = ImagesOf(menuItem);
    request.Opening.Anchor = window->ItemScreenRect(index);
    request.Opening.Submenu = true;
    OpenWindow(std::move(request));
}

void TbsSkinMenu::MenuKeyDown(TbsSkinPopupWindow* window, int key) {
    if (!window || LevelOf(window) < 0 || !window->isVisible())
        return;
    for (int i = 0; i < window->ItemCount(); ++i) {
        TbsSkinMenuItem* item = window->Items(i);
        if (item->MenuItem && !item->IsSeparator() && IsAccel(key, item->Caption())) {
            window->SetHot(i, true);
            ChooseItem(window, i);
            return;
        }
    }
    const int hot = window->HotIndex();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (hot >= 0)
            ChooseItem(window, hot);
        break;
    case Qt::Key_Left:
        if (LevelCount() < 2)
            break;
        [[fallthrough]];
    case Qt::Key_Escape:
        CloseLevels(LevelCount() - 1);
        if (TbsSkinPopupWindow* outer = Innermost())
            outer->CollapseItems();
        break;
    case Qt::Key_Up:
        window->PrevItem();
        break;
    case Qt::Key_Right:
        if (hot >= 0 && window->Items(hot)->HasChildren())
            ChooseItem(window, hot);
        break;
    case Qt::Key_Down:
        window->NextItem();
        break;
    default:
        break;
    }
}

bool TbsSkinMenu::UsesOpacity() const {
    return MenusAlphaBlend && IsLayeredWindowsSupported();
}

bool TbsSkinMenu::FadesIn() const {
    return UsesOpacity() && MenusAlphaBlendAnimation && FFreshOpen;
}

// ---------------------------------------------------------------- closing message set

void TbsSkinMenu::WatchEvents(bool on) {
    if (on == FWatching || !qApp)
        return;
    FWatching = on;
    if (on)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

bool TbsSkinMenu::InsideOpenWindow(QObject* watched) const {
    // A press reaches the window-system window first, then the widget under it.
    auto* widget = qobject_cast<QWidget*>(watched);
    auto* windowHandle = qobject_cast<QWindow*>(watched);
    if (!widget && !windowHandle)
        return true; // not a press on a window: nothing to close for
    for (TbsSkinPopupWindow* level : FLevels)
        if ((widget && widget->window() == level) ||
            (windowHandle && level->windowHandle() == windowHandle))
            return true;
    return false;
}

bool TbsSkinMenu::eventFilter(QObject* watched, QEvent* event) {
    if (!FEngineActive)
        return false;
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress || type == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (type == QEvent::ShortcutOverride) {
            key->accept(); // deliver it as a key press, which the menu takes
            return true;
        }
        if (!KeyPreview || !KeyPreview(key->key()))
            MenuKeyDown(Innermost(), key->key());
        return true;
    }
    if (type == QEvent::KeyRelease)
        return true;
    if (IsMousePress(type)) {
        if (!InsideOpenWindow(watched))
            CloseMenus();
        return false;
    }
    if (type == QEvent::ApplicationStateChange) {
        if (QGuiApplication::applicationState() != Qt::ApplicationActive)
            CloseMenus();
        return false;
    }
    if (FHostForm && watched == FHostForm.data() &&
        (type == QEvent::Move || type == QEvent::Resize || type == QEvent::WindowDeactivate))
        CloseMenus();
    return false;
}

// ---------------------------------------------------------------- popup menu component

TbsSkinPopupMenu::TbsSkinPopupMenu(QObject* owner) : TPopupMenu(owner) {}

TbsSkinPopupMenu::~TbsSkinPopupMenu() = default;

QWidget* TbsSkinPopupMenu::FindSkinnedForm() const {
    if (FTargetForm)
        return FTargetForm;
    // The form the menu belongs to: its owner, or the form its owning control sits on,
    // however deep.
    for (QObject* owner = parent(); owner; owner = owner->parent())
        if (auto* form = qobject_cast<TForm*>(owner))
            return form;
    return nullptr;
}

TbsSkinMenuFormLink TbsSkinPopupMenu::FormLink() const {
    QWidget* form = FindSkinnedForm();
    TbsSkinMenuFormLink link;
    if (form && FormLookup())
        link = FormLookup()(form);
    if (!link.Engine) {
        link = TbsSkinMenuFormLink();
        link.Engine = FFallbackEngine;
    }
    if (!link.Engine)
        return link;
    if (FSkinData)
        link.SkinData = FSkinData;
    else if (link.MenusSkinData)
        link.SkinData = link.MenusSkinData;
    return link;
}

void TbsSkinPopupMenu::Popup(int x, int y) {
    if (OnPopup)
        OnPopup(this);
    const TbsSkinMenuFormLink link = FormLink();
    if (!link.Engine)
        return;
    if (link.MenuOpened)
        link.MenuOpened();
    link.Engine->PopupItems(nullptr, link.SkinData, false, Items(), TRect(x, y, x, y), 0);
}

void TbsSkinPopupMenu::PopupFromEdit(QWidget* edit, int x, int y) {
    if (OnPopup)
        OnPopup(this);
    const TbsSkinMenuFormLink link = FormLink();
    if (!link.Engine || !link.SkinData)
        return;
    SetPopupComponent(edit);
    if (link.MenuOpened)
        link.MenuOpened();
    link.Engine->PopupItems(edit, link.SkinData, false, Items(), TRect(x, y, x, y), 0);
}

void TbsSkinPopupMenu::PopupAtRect(const TRect& anchor, bool upward) {
    if (OnPopup)
        OnPopup(this);
    const TbsSkinMenuFormLink link = FormLink();
    if (!link.Engine)
        return;
    if (link.MenuOpened)
        link.MenuOpened();
    link.Engine->PopupItems(nullptr, link.SkinData, upward, Items(), anchor, 0);
}

void TbsSkinPopupMenu::PopupThrough(TbsSkinMenu& engine, int x, int y) {
    if (OnPopup)
        OnPopup(this);
    engine.PopupItems(nullptr, FSkinData, false, Items(), TRect(x, y, x, y), 0);
}
