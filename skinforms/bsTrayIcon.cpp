#include "skinforms/bsTrayIcon.h"

#include "skin/bsSkinMenus.h"

#include "platform/Gbk.h"

#include "framework/Forms.h"
#include "framework/ImgList.h"
#include "framework/Menus.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QStyle>
#include <QStyleHints>
#include <QSystemTrayIcon>
#include <QWindowStateChangeEvent>

namespace {

// How often the component looks whether the notification area came back (the stand-in
// for the shell's "TaskbarCreated" message).
constexpr int TrayWatchInterval = 1000;

// The keyboard part of the shift state, read now.
TShiftState KeyboardShift() {
    return ShiftStateOf(QGuiApplication::queryKeyboardModifiers());
}

} // namespace

QString TrayTipText(const QString& hint, bool showHint) {
    if (hint.isEmpty() || !showHint)
        return QString();
    // Whole characters only: a cut inside a two-byte character would show a broken one.
    int bytes = 0;
    qsizetype end = 0;
    while (end < hint.size()) {
        qsizetype next = end + (hint.at(end).isHighSurrogate() && end + 1 < hint.size() ? 2 : 1);
        int length = Gbk::AnsiLength(hint.mid(end, next - end));
        if (bytes + length > TbsTrayIcon::MaxTipBytes)
            break;
        bytes += length;
        end = next;
    }
    return hint.left(end);
}

TbsTrayIcon::TbsTrayIcon(QObject* owner)
    : TComponent(owner), FTray(std::make_unique<QSystemTrayIcon>()),
      FMenuEngine(new TbsSkinMenu(this)) {
    FClickTimer.setSingleShot(false);
    FClickTimer.setInterval(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    connect(&FClickTimer, &QTimer::timeout, this,
            [this] { Guarded([this] { ClickTimerTick(); }); });
    FAnimateTimer.setInterval(static_cast<int>(FAnimateInterval));
    connect(&FAnimateTimer, &QTimer::timeout, this,
            [this] { Guarded([this] { AnimateTimerTick(); }); });
    connect(FTray.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                Guarded([&] {
                    switch (reason) {
                    case QSystemTrayIcon::Trigger:
                        Notify(TTrayMouseMessage::LeftDown);
                        Notify(TTrayMouseMessage::LeftUp);
                        break;
                    case QSystemTrayIcon::DoubleClick:
                        Notify(TTrayMouseMessage::LeftDblClick);
                        Notify(TTrayMouseMessage::LeftUp);
                        break;
                    case QSystemTrayIcon::Context:
                        Notify(TTrayMouseMessage::RightDown);
                        Notify(TTrayMouseMessage::RightUp);
                        break;
                    case QSystemTrayIcon::MiddleClick:
                        Notify(TTrayMouseMessage::MiddleDown);
                        Notify(TTrayMouseMessage::MiddleUp);
                        break;
                    case QSystemTrayIcon::Unknown:
                        break;
                    }
                });
            });
    if (FIcon.isNull() && UseApplicationIcon())
        FIcon = Application->Icon();
    if (TForm* form = OwnerForm())
        form->installEventFilter(this);
    WatchTrayAvailability();
    UpdateTrayIcon();
}

TbsTrayIcon::~TbsTrayIcon() {
    HideTrayIcon();
    if (TForm* form = OwnerForm())
        form->removeEventFilter(this);
}

TForm* TbsTrayIcon::OwnerForm() const {
    return qobject_cast<TForm*>(parent());
}

void TbsTrayIcon::Loaded() {
    if (OwnerForm() && MinimizedOnStart) {
        FIconVisible = true;
        MinimizeToTray = true;
        HideMainWindow();
    }
    UpdateTrayIcon();
    if (FIconVisible)
        ShowTrayIcon();
    else
        HideTrayIcon();
}

// ---------------------------------------------------------------- properties

void TbsTrayIcon::SetIcon(const QIcon& icon) {
    FIcon = icon;
    UpdateTrayIcon();
}

void TbsTrayIcon::SetIconVisible(bool value) {
    if (value)
        ShowTrayIcon();
    else
        HideTrayIcon();
}

void TbsTrayIcon::SetHint(const QString& hint) {
    FHint = hint;
    UpdateTrayIcon();
}

void TbsTrayIcon::SetShowHint(bool value) {
    FShowHint = value;
    UpdateTrayIcon();
}

TPopupMenu* TbsTrayIcon::PopupMenu() const {
    return FPopupMenu.data();
}

void TbsTrayIcon::SetPopupMenu(TPopupMenu* menu) {
    FPopupMenu = menu;
}

TImageList* TbsTrayIcon::IconList() const {
    return FIconList.data();
}

void TbsTrayIcon::SetIconList(TImageList* list) {
    FIconList = list;
    SetIconIndex(0);
}

void TbsTrayIcon::SetIconIndex(int value) {
    TImageList* list = IconList();
    if (list && list->Count() > 0) {
        FIconIndex = std::clamp(value, 0, list->Count() - 1);
        FIcon = list->Icon(FIconIndex);
    } else {
        FIconIndex = 0;
    }
    UpdateTrayIcon();
}

void TbsTrayIcon::SetCycleIcons(bool value) {
    if (value == FCycleIcons)
        return;
    FCycleIcons = value;
    if (value) {
        SetIconIndex(0);
        FAnimateTimer.start();
    } else {
        FAnimateTimer.stop();
    }
}

void TbsTrayIcon::SetAnimateTimerInterval(unsigned value) {
    FAnimateInterval = value;
    FAnimateTimer.setInterval(static_cast<int>(value));
}

// ---------------------------------------------------------------- the notification area

QIcon TbsTrayIcon::ShownIcon() const {
    if (!FIcon.isNull())
        return FIcon;
    if (!Application->Icon().isNull())
        return Application->Icon();
    // The notification area needs a picture to show anything at all.
    return QApplication::style()->standardIcon(QStyle::SP_ComputerIcon);
}

void TbsTrayIcon::ShowTrayIcon() {
    FIconVisible = true;
    FTray->setIcon(ShownIcon());
    UpdateTrayIcon();
    FTray->show();
}

void TbsTrayIcon::HideTrayIcon() {
    FIconVisible = false;
    UpdateTrayIcon();
    FTray->hide();
}

void TbsTrayIcon::UpdateTrayIcon() {
    // Only a shown icon needs its picture (ShowTrayIcon gives it one): the start then reads
    // no icon theme for an icon nobody sees.
    if (FTray->isVisible())
        FTray->setIcon(ShownIcon());
    FTray->setToolTip(TipText());
}

void TbsTrayIcon::TaskbarCreated() {
    if (!FIconVisible)
        return;
    // A new notification area knows nothing of the old entry: add it again.
    FTray->hide();
    ShowTrayIcon();
}

namespace {
std::optional<bool> TrayAvailableOverride;
}

bool TbsTrayIcon::TrayAvailable() {
    return TrayAvailableOverride ? *TrayAvailableOverride
                                 : QSystemTrayIcon::isSystemTrayAvailable();
}

void TbsTrayIcon::SetTrayAvailableOverride(std::optional<bool> available) {
    TrayAvailableOverride = available;
}

void TbsTrayIcon::WatchTrayAvailability() {
    FTrayWasAvailable = QSystemTrayIcon::isSystemTrayAvailable();
    FTrayWatch.setInterval(TrayWatchInterval);
    connect(&FTrayWatch, &QTimer::timeout, this, [this] {
        bool available = QSystemTrayIcon::isSystemTrayAvailable();
        if (available && !FTrayWasAvailable)
            Guarded([this] { TaskbarCreated(); });
        FTrayWasAvailable = available;
    });
    FTrayWatch.start();
}

// ---------------------------------------------------------------- main window

void TbsTrayIcon::HideMainWindow() {
    TForm* form = OwnerForm();
    if (!form || !Application->MainForm())
        return;
    // A hidden top-level has no taskbar entry either.
    form->Hide();
}

void TbsTrayIcon::RestoreMainWindow() {
    TForm* form = OwnerForm();
    if (!form || !Application->MainForm())
        return;
    form->setWindowState(form->windowState() & ~Qt::WindowMinimized);
    form->Show();
    form->raise();
    form->activateWindow();
}

void TbsTrayIcon::HandleMinimizeToTray() {
    HideMainWindow();
    ShowTrayIcon();
}

bool TbsTrayIcon::eventFilter(QObject* watched, QEvent* event) {
    if (watched == OwnerForm() && event->type() == QEvent::WindowStateChange && MinimizeToTray &&
        !FMinimizePending) {
        auto* form = static_cast<TForm*>(watched);
        if (form->windowState() & Qt::WindowMinimized) {
            // Hiding inside the state change would fight the window manager: hide once the
            // minimisation has been handled.
            FMinimizePending = true;
            QPointer<TbsTrayIcon> self(this);
            QTimer::singleShot(0, this, [self] {
                if (!self)
                    return;
                self->FMinimizePending = false;
                if (self->OwnerForm() && self->OwnerForm()->windowState() & Qt::WindowMinimized &&
                    self->MinimizeToTray)
                    Guarded([&] { self->HandleMinimizeToTray(); });
            });
        }
    }
    return TComponent::eventFilter(watched, event);
}

// ---------------------------------------------------------------- mouse

void TbsTrayIcon::Notify(TTrayMouseMessage message) {
    if (!FEnabled)
        return;
    QPoint p = QCursor::pos();
    TShiftState shift = KeyboardShift();
    switch (message) {
    case TTrayMouseMessage::Move:
        HandleMouseMove(shift, p.x(), p.y());
        break;
    case TTrayMouseMessage::LeftDown:
        FClickTimer.start();
        HandleMouseDown(mbLeft, shift | ssLeft, p.x(), p.y());
        FClickStart = true;
        if (PopupByLeftButton)
            PopupAtCursor();
        break;
    case TTrayMouseMessage::LeftUp:
        if (FClickStart)
            FClickReady = true;
        if (FClickStart && !FClickTimer.isActive()) {
            FClickStart = false;
            FClickReady = false;
            HandleClick();
        }
        FClickStart = false;
        HandleMouseUp(mbLeft, shift | ssLeft, p.x(), p.y());
        break;
    case TTrayMouseMessage::LeftDblClick:
        FClickReady = false;
        FDoubleClickSeen = true;
        HandleDblClick();
        if (FPopupMenu && FPopupMenu->AutoPopup() && !PopupByLeftButton)
            ClickDefaultMenuItem();
        break;
    case TTrayMouseMessage::RightDown:
        HandleMouseDown(mbRight, shift | ssRight, p.x(), p.y());
        PopupAtCursor();
        break;
    case TTrayMouseMessage::RightUp:
        HandleMouseUp(mbRight, shift | ssRight, p.x(), p.y());
        break;
    case TTrayMouseMessage::MiddleDown:
        HandleMouseDown(mbMiddle, shift | ssMiddle, p.x(), p.y());
        break;
    case TTrayMouseMessage::MiddleUp:
        HandleMouseUp(mbMiddle, shift | ssMiddle, p.x(), p.y());
        break;
    }
}

void TbsTrayIcon::ClickTimerTick() {
    FClickTimer.stop();
    if (!FDoubleClickSeen && FClickReady) {
        FClickReady = false;
        HandleClick();
    }
    FDoubleClickSeen = false;
}

void TbsTrayIcon::PopupAtCursor() {
    TPopupMenu* menu = PopupMenu();
    if (!menu || !menu->AutoPopup())
        return;
    QApplication::processEvents();
    QPointer<TPopupMenu> alive(menu);
    if (!alive)
        return;
    TForm* form = OwnerForm();
    if (form && form->isVisible())
        form->activateWindow();
    menu->SetPopupComponent(this);
    // Until the owner form has a frame whose engine takes over, the icon's own engine
    // opens a skinned menu, on the owner form (shown or hidden in the tray).
    auto* skinned = qobject_cast<TbsSkinPopupMenu*>(menu);
    if (skinned && !skinned->FallbackEngine()) {
        FMenuEngine->SetHostForm(form);
        skinned->SetFallbackEngine(FMenuEngine);
    }
    QPoint p = QCursor::pos();
    menu->Popup(p.x(), p.y());
}

void TbsTrayIcon::ClickDefaultMenuItem() {
    TMenuItem* items = FPopupMenu->Items();
    TMenuItem* found = nullptr;
    for (int i = items->Count() - 1; i >= 0; --i)
        if (items->Items(i)->Default())
            found = items->Items(i);
    if (found)
        found->Click();
}

// ---------------------------------------------------------------- animation

void TbsTrayIcon::AnimateTimerTick() {
    TImageList* list = IconList();
    if (!list || list->Count() == 0)
        return;
    FIconIndex = std::clamp(FIconIndex, 0, list->Count() - 1);
    FIcon = list->Icon(FIconIndex);
    HandleCycle();
    UpdateTrayIcon();
    FIconIndex = FIconIndex + 1 < list->Count() ? FIconIndex + 1 : 0;
}

// ---------------------------------------------------------------- events

void TbsTrayIcon::HandleClick() {
    FireEvent(OnClick, this);
}

void TbsTrayIcon::HandleDblClick() {
    FireEvent(OnDblClick, this);
}

void TbsTrayIcon::HandleCycle() {
    TImageList* list = IconList();
    int next = 0;
    if (list && FIconIndex + 1 < list->Count())
        next = FIconIndex + 1;
    FireEvent(OnCycle, this, next);
}

void TbsTrayIcon::HandleMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    FireEvent(OnMouseDown, this, button, shift, x, y);
}

void TbsTrayIcon::HandleMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    FireEvent(OnMouseUp, this, button, shift, x, y);
}

void TbsTrayIcon::HandleMouseMove(TShiftState shift, int x, int y) {
    FireEvent(OnMouseMove, this, shift, x, y);
}
