// TbsBusinessSkinForm: frame states, roll-up, the system and tray menus, timers, fading and
// the window events of the frame.

#include "skinforms/bsSkinForm.h"

#include "skin/bsSkinData.h"
#include "skin/bsUtils.h"
#include "skinforms/bsSkinMainMenu.h"
#include "skinforms/bsTrayIcon.h"

#include "framework/Canvas.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWindow>
#include <algorithm>

namespace {

TRect BoundsOf(const TForm* form) {
    return TRect(form->Left(), form->Top(), form->Left() + form->Width(),
                 form->Top() + form->Height());
}

bool IsBorderCode(int code) {
    return code >= HTLEFT && code <= HTBOTTOMRIGHT;
}

TMouseButton ButtonOf(Qt::MouseButton button) {
    switch (button) {
    case Qt::RightButton:
        return mbRight;
    case Qt::MiddleButton:
        return mbMiddle;
    default:
        return mbLeft;
    }
}

Qt::Edges EdgesOf(int code) {
    switch (code) {
    case HTLEFT:
        return Qt::LeftEdge;
    case HTRIGHT:
        return Qt::RightEdge;
    case HTTOP:
        return Qt::TopEdge;
    case HTBOTTOM:
        return Qt::BottomEdge;
    case HTTOPLEFT:
        return Qt::TopEdge | Qt::LeftEdge;
    case HTTOPRIGHT:
        return Qt::TopEdge | Qt::RightEdge;
    case HTBOTTOMLEFT:
        return Qt::BottomEdge | Qt::LeftEdge;
    default:
        return Qt::BottomEdge | Qt::RightEdge;
    }
}

Qt::CursorShape CursorOf(int code) {
    switch (code) {
    case HTLEFT:
    case HTRIGHT:
        return Qt::SizeHorCursor;
    case HTTOP:
    case HTBOTTOM:
        return Qt::SizeVerCursor;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
        return Qt::SizeFDiagCursor;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
        return Qt::SizeBDiagCursor;
    default:
        return Qt::ArrowCursor;
    }
}

} // namespace

// ---------------------------------------------------------------- frame states

void TbsBusinessSkinForm::SetFrameState(TbsFrameState state) {
    if (state == FFrameState || !FForm)
        return;
    switch (state) {
    case TbsFrameState::Maximized:
        Maximize();
        break;
    case TbsFrameState::Minimized:
        Minimize();
        break;
    case TbsFrameState::Normal:
        Restore();
        break;
    }
}

void TbsBusinessSkinForm::Maximize() {
    if (FRestoreBounds.IsEmpty())
        FRestoreBounds = BoundsOf(FForm);
    const TRect monitor = Screen->MonitorRect(FForm);
    TRect area = MaximizeOnFullScreen ? monitor : Screen->MonitorWorkArea(FForm);
    // Without a panel the window would cover the whole monitor: leave a pixel all round.
    if (area == monitor)
        area = TRect(area.Left + 1, area.Top + 1, area.Right - 1, area.Bottom - 1);
    FFrameState = TbsFrameState::Maximized;
    FMaximizedAt = TPoint(area.Left, area.Top);
    FSettingBounds = true;
    FForm->SetBounds(area.Left, area.Top, area.Width(), area.Height());
    FSettingBounds = false;
    FitToSize();
}

void TbsBusinessSkinForm::Minimize() {
    // The main form stands for the application.
    if (IsMainForm()) {
        Application->Minimize();
        return;
    }
    if (FRestoreBounds.IsEmpty())
        FRestoreBounds = BoundsOf(FForm);
    FFrameState = TbsFrameState::Minimized;
    ParkMinimized();
    FitToSize();
}

void TbsBusinessSkinForm::ParkMinimized() {
    const int w = MinFrameWidth(), h = MinFrameHeight();
    const TRect area = Screen->MonitorWorkArea(FForm);
    auto taken = [&](int x, int y) {
        for (TForm* other : Screen->FormList()) {
            TbsBusinessSkinForm* frame = FindSkinForm(other);
            if (other == FForm || !frame || !other->isVisible() ||
                other == Application->MainForm() ||
                frame->FrameState() != TbsFrameState::Minimized || !frame->SkinActive())
                continue;
            if (other->Left() == x && other->Top() == y)
                return true;
        }
        return false;
    };
    int x = area.Left, y = area.Bottom - h;
    // At most one try per spot of the work area.
    const int spots =
        std::max(1, (area.Width() / std::max(1, w)) * (area.Height() / std::max(1, h)));
    for (int i = 0; i < spots && taken(x, y); ++i) {
        x += w;
        if (x + w > area.Right) {
            x = area.Left;
            y -= h;
            if (y < area.Top)
                y = area.Bottom - h;
        }
    }
    FSettingBounds = true;
    FForm->SetBounds(x, y, w, h);
    FSettingBounds = false;
}

void TbsBusinessSkinForm::Restore() {
    FRolledUpWhileMaximized = false;
    FFrameState = TbsFrameState::Normal;
    const TRect r = FRestoreBounds;
    FSettingBounds = true;
    if (!r.IsEmpty())
        FForm->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    FSettingBounds = false;
    ApplyMinimumSize();
    FitToSize();
    if (FormActive())
        FTrackingTimer.start();
    FForm->update();
    FRestoreBounds = TRect();
}

void TbsBusinessSkinForm::SetRolledUp(bool value) {
    if (!(FBorderIcons & biRollUp) || FFrameState == TbsFrameState::Minimized || !FForm)
        return;
    if (value == FRolledUp)
        return;
    if (FFrameState == TbsFrameState::Maximized)
        FRolledUpWhileMaximized = value;
    FRolledUp = value;
    FSettingBounds = true;
    if (value) {
        FRollUpHeight = FForm->Height();
        FForm->setMinimumSize(0, 0);
        FForm->SetBounds(FForm->Left(), FForm->Top(), FForm->Width(), MinFrameHeight());
    } else {
        FForm->SetBounds(FForm->Left(), FForm->Top(), FForm->Width(),
                         std::max(FRollUpHeight, MinFrameHeight()));
    }
    FSettingBounds = false;
    ApplyMinimumSize();
    FitToSize();
    FireEvent(OnChangeRollUpState, this);
}

void TbsBusinessSkinForm::DoubleClickCaption() {
    const bool sizeable = Sizeable();
    if (sizeable && FFrameState == TbsFrameState::Minimized)
        SetFrameState(TbsFrameState::Normal);
    else if (sizeable && FFrameState == TbsFrameState::Normal && !FRolledUp &&
             (FBorderIcons & biMaximize))
        SetFrameState(TbsFrameState::Maximized);
    else if (sizeable && FFrameState == TbsFrameState::Maximized && !FRolledUpWhileMaximized)
        SetFrameState(TbsFrameState::Normal);
    else
        SetRolledUp(!FRolledUp);
}

void TbsBusinessSkinForm::RunCommand(TbsStdCommand command) {
    switch (command) {
    case TbsStdCommand::cmClose:
        CloseForm();
        break;
    case TbsStdCommand::cmMaximize:
        SetFrameState(FFrameState == TbsFrameState::Maximized ? TbsFrameState::Normal
                                                              : TbsFrameState::Maximized);
        break;
    case TbsStdCommand::cmMinimize:
        if (AlwaysMinimizeToTray)
            MinimizeToTray();
        else
            SetFrameState(FFrameState == TbsFrameState::Minimized ? TbsFrameState::Normal
                                                                  : TbsFrameState::Minimized);
        break;
    case TbsStdCommand::cmRollUp:
        SetRolledUp(!FRolledUp);
        break;
    case TbsStdCommand::cmMinimizeToTray:
        MinimizeToTray();
        break;
    default:
        break;
    }
}

void TbsBusinessSkinForm::CloseForm() {
    if (FForm)
        FForm->Close();
}

// ---------------------------------------------------------------- tray

void TbsBusinessSkinForm::MinimizeToTray() {
    TbsTrayIcon* tray = TrayIcon();
    if (!tray)
        return;
    // Without a notification area the icon could not be seen, and the window would be lost:
    // it goes to the taskbar instead.
    if (!TbsTrayIcon::TrayAvailable()) {
        tray->MinimizeToTray = false;
        Application->Minimize();
        return;
    }
    // The icon hides the minimized window and shows itself.
    tray->MinimizeToTray = true;
    Application->Minimize();
    FireEvent(OnMinimizeToTray, this);
}

void TbsBusinessSkinForm::RestoreFromTray() {
    TbsTrayIcon* tray = TrayIcon();
    if (!tray)
        return;
    // Off first: the window manager may report the window minimized once more while it maps
    // it again, and that must not send it back into the tray.
    tray->MinimizeToTray = false;
    tray->RestoreMainWindow();
    Application->Restore();
    if (!AlwaysShowInTray)
        tray->HideTrayIcon();
    // The window manager may map the window iconic once more, as it was when it was hidden:
    // once it has answered, a window still minimised or hidden is restored again, so the
    // user is never left with neither a window nor an icon.
    QPointer<TbsTrayIcon> icon(tray);
    QTimer::singleShot(RestoreCheckMs, this, [icon] {
        TForm* form = Application->MainForm();
        if (icon && form && (!form->isVisible() || form->isMinimized()))
            Guarded([&] { icon->RestoreMainWindow(); });
    });
    FireEvent(OnRestoreFromTray, this);
}

// ---------------------------------------------------------------- system menu

TMenuItem* TbsBusinessSkinForm::AddSystemItem(TMenuItem* root, int index, const QString& name) {
    auto* item = new TMenuItem(root->GetParentMenu() ? static_cast<QObject*>(root->GetParentMenu())
                                                     : static_cast<QObject*>(this));
    item->SetName(name);
    if (index < 0)
        root->Add(item);
    else
        root->Insert(index, item);
    return item;
}

TMenuItem* TbsBusinessSkinForm::GetSystemMenu() {
    const bool minimized = FFrameState == TbsFrameState::Minimized;
    const bool maximized = FFrameState == TbsFrameState::Maximized;
    const bool canRollUp = (FBorderIcons & biRollUp) && !FRolledUp && !minimized;
    const bool canRestore = FFrameState != TbsFrameState::Normal || FRolledUp;
    const bool canMaximize = (FBorderIcons & biMaximize) && !maximized;
    const bool canMinimize = (FBorderIcons & biMinimize) && !minimized;
    const bool canTray = FBorderIcons & biMinimizeToTray;

    auto fill = [this](TMenuItem* item, const QString& name) {
        if (name == QLatin1String("BSF_MINITEM")) {
            item->SetCaption(QStringLiteral("最小化(&N)"));
            item->OnClick = [this](TObject*) { RunCommand(TbsStdCommand::cmMinimize); };
        } else if (name == QLatin1String("BSF_MAXITEM")) {
            item->SetCaption(QStringLiteral("最大化(&X)"));
            item->OnClick = [this](TObject*) { SetFrameState(TbsFrameState::Maximized); };
        } else if (name == QLatin1String("BSF_RESTORE")) {
            item->SetCaption(QStringLiteral("恢复(&R)"));
            item->OnClick = [this](TObject*) {
                if (FRolledUp)
                    SetRolledUp(false);
                else
                    SetFrameState(TbsFrameState::Normal);
            };
        } else if (name == QLatin1String("BSF_ROLLUP")) {
            item->SetCaption(QStringLiteral("卷起(&L)"));
            item->OnClick = [this](TObject*) { SetRolledUp(true); };
        } else if (name == QLatin1String("BSF_MINTOTRAY")) {
            item->SetCaption(QStringLiteral("最小化到系统托盘区(&T)"));
            item->OnClick = [this](TObject*) { MinimizeToTray(); };
        } else if (name == QLatin1String("BSF_CLOSE")) {
            item->SetCaption(QStringLiteral("关闭(&C)"));
            item->SetShortCut(TextToShortCut(QStringLiteral("Alt+F4")));
            item->OnClick = [this](TObject*) { CloseForm(); };
        }
    };

    if (FSystemMenu && UseDefaultSysMenu) {
        TMenuItem* root = FSystemMenu->Items();
        static const QStringList standard = {
            QStringLiteral("BSF_MINITEM"), QStringLiteral("BSF_MAXITEM"),
            QStringLiteral("BSF_CLOSE"),   QStringLiteral("BSF_MINTOTRAY"),
            QStringLiteral("BSF_ROLLUP"),  QStringLiteral("BSF_RESTORE")};
        for (int i = root->Count() - 1; i >= 0; --i)
            if (standard.contains(root->Items(i)->Name()))
                root->Delete(i);
        auto top = [&](bool wanted, const QString& name) {
            if (wanted)
                fill(AddSystemItem(root, 0, name), name);
        };
        top(canTray, QStringLiteral("BSF_MINTOTRAY"));
        top(canRollUp, QStringLiteral("BSF_ROLLUP"));
        top(canMaximize, QStringLiteral("BSF_MAXITEM"));
        top(canRestore, QStringLiteral("BSF_RESTORE"));
        top(canMinimize, QStringLiteral("BSF_MINITEM"));
        fill(AddSystemItem(root, -1, QStringLiteral("BSF_CLOSE")), QStringLiteral("BSF_CLOSE"));
        return root;
    }
    if (FSystemMenu)
        return FSystemMenu->Items();

    TMenuItem* root = FDefaultSystemMenu->Items();
    root->Clear();
    auto add = [&](bool wanted, const QString& name) {
        if (wanted)
            fill(AddSystemItem(root, -1, name), name);
    };
    add(canMinimize, QStringLiteral("BSF_MINITEM"));
    add(canMaximize, QStringLiteral("BSF_MAXITEM"));
    add(canRestore, QStringLiteral("BSF_RESTORE"));
    add(canRollUp, QStringLiteral("BSF_ROLLUP"));
    add(canTray, QStringLiteral("BSF_MINTOTRAY"));
    if (root->Count() > 0) {
        auto* line = new TMenuItem(FDefaultSystemMenu);
        line->SetCaption(QStringLiteral("-"));
        root->Add(line);
    }
    add(true, QStringLiteral("BSF_CLOSE"));
    return root;
}

void TbsBusinessSkinForm::PopupSystemMenu(int x, int y) {
    TMenuItem* items = GetSystemMenu();
    if (!items || !FForm)
        return;
    SkinMenuOpened();
    WatchMenuKeys();
    // The form opens it, so the form hears it close (SkinMenuClosed).
    FMenuEngine->PopupItems(FForm, MenusSkin(), false, items, TRect(x, y, x, y));
}

void TbsBusinessSkinForm::WatchMenuKeys() {
    // Alt while a menu of the frame is open closes it and puts the menu bar into keyboard
    // mode, as it does with no menu open.
    QPointer<TbsBusinessSkinForm> self(this);
    FMenuEngine->KeyPreview = [self](int key) {
        if (!self || key != Qt::Key_Alt || !self->FMainMenuBar || !self->FMainMenuBar->isVisible())
            return false;
        self->FMenuEngine->CloseMenus();
        self->FMainMenuBar->EnterKeyboardMode();
        return true;
    };
}

void TbsBusinessSkinForm::PopupMenuBelow(TMenuItem* items, const TRect& rect) {
    if (!items || !FForm)
        return;
    const QPoint at = FForm->mapToGlobal(QPoint(rect.Left, rect.Top));
    TbsSkinData* skin = MenusSkin();
    // A skinned popup menu brings its own skin; a skinned main menu's items theirs.
    if (auto* popup = dynamic_cast<TbsSkinPopupMenu*>(items->GetParentMenu());
        popup && popup->SkinData())
        skin = popup->SkinData();
    else if (auto* main = dynamic_cast<TbsSkinMainMenu*>(items->GetParentMenu());
             main && main->SkinData())
        skin = main->SkinData();
    SkinMenuOpened();
    WatchMenuKeys();
    FMenuEngine->PopupItems(FForm, skin, false, items,
                            TRect(at.x(), at.y(), at.x() + rect.Width(), at.y() + rect.Height()));
}

void TbsBusinessSkinForm::SkinMenuEnded() {
    if (!FSkinMenuOpen)
        return;
    FSkinMenuOpen = false;
    FireEvent(OnSkinMenuClose, this);
}

void TbsBusinessSkinForm::SkinMenuClosed() {
    for (const auto& o : FObjects)
        if (auto* button = dynamic_cast<TbsSkinButtonObject*>(o.get()); button && button->Down()) {
            button->Menu = nullptr;
            button->SetDown(false);
        }
    FPressedObject = -1;
    SkinMenuEnded();
    if (FMainMenuBar && FMainMenuBar->KeyboardMode())
        FMainMenuBar->LeaveMenuMode();
    MainMenuExited();
}

// ---------------------------------------------------------------- timers

void TbsBusinessSkinForm::StartMorphTimer() {
    if (!FMorphTimer.isActive())
        FMorphTimer.start();
}

void TbsBusinessSkinForm::StartAnimationTimer() {
    if (!FAnimationTimer.isActive())
        FAnimationTimer.start();
}

void TbsBusinessSkinForm::MorphTick() {
    bool stepped = false;
    for (const auto& o : FObjects)
        stepped = o->MorphStep() || stepped;
    if (!stepped)
        FMorphTimer.stop();
}

void TbsBusinessSkinForm::AnimationTick() {
    bool played = false;
    for (const auto& o : FObjects)
        if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o.get()))
            played = a->AnimationTick() || played;
    if (!played)
        FAnimationTimer.stop();
}

void TbsBusinessSkinForm::StopTimers() {
    FTrackingTimer.stop();
    FMorphTimer.stop();
    FAnimationTimer.stop();
}

void TbsBusinessSkinForm::ResetObjects() {
    for (const auto& o : FObjects) {
        if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o.get())) {
            a->Reset();
        } else if (!dynamic_cast<TbsSkinCaptionObject*>(o.get())) {
            o->MouseInside = false;
            o->Active = false;
            o->Morph.SetValue(0.0);
        }
    }
    FHotObject = FPreviousHotObject = FPressedObject = -1;
}

void TbsBusinessSkinForm::UpdateCaptionActive() {
    const bool active = FormActive();
    for (const auto& o : FObjects)
        if (auto* caption = dynamic_cast<TbsSkinCaptionObject*>(o.get()))
            caption->SetActive(active, true);
}

// ---------------------------------------------------------------- fading

void TbsBusinessSkinForm::StartFade() {
    if (!(AlphaBlend || AlphaBlendAnimation) || !IsLayeredWindowsSupported())
        return;
    SetWindowAlpha(FForm, 0);
    const int target = AlphaBlend ? AlphaBlendValue : 255;
    FFadeSteps = AlphaBlendAnimation ? FadeInSteps(target) : std::vector<int>{target};
    FFadeStep = 0;
    QTimer::singleShot(1, this, [this] { Guarded([this] { FFadeTimer.start(); }); });
}

void TbsBusinessSkinForm::FadeTick() {
    if (FFadeStep >= FFadeSteps.size()) {
        FFadeTimer.stop();
        return;
    }
    SetWindowAlpha(FForm, FFadeSteps[FFadeStep++]);
}

// ---------------------------------------------------------------- window events

void TbsBusinessSkinForm::UpdateCursor(int code) {
    const Qt::CursorShape shape = IsBorderCode(code) ? CursorOf(code) : Qt::ArrowCursor;
    if (FForm->cursor().shape() != shape)
        FForm->setCursor(shape);
}

void TbsBusinessSkinForm::BeginSystemMoveOrResize(int code) {
    QWindow* window = FForm->windowHandle();
    if (!window)
        return;
    ResetObjects();
    FTrackingTimer.stop();
    if (code == HTCAPTION)
        window->startSystemMove();
    else
        window->startSystemResize(EdgesOf(code));
}

bool TbsBusinessSkinForm::FrameMouse(QMouseEvent* event) {
    const TPoint p = TPoint::FromQPoint(event->position().toPoint());
    const TMouseButton button = ButtonOf(event->button());
    auto object = [this](int index) -> TbsActiveSkinObject* {
        return index >= 0 && index < static_cast<int>(FObjects.size()) ? FObjects[index].get()
                                                                       : nullptr;
    };
    switch (event->type()) {
    case QEvent::MouseMove: {
        FInSizeMove = false;
        // A caption drag starts the window manager's move once the mouse really moves.
        if ((event->buttons() & Qt::LeftButton) && FCaptionPress &&
            (event->position().toPoint() - FCaptionPressPoint).manhattanLength() >=
                QApplication::startDragDistance()) {
            FCaptionPress = false;
            BeginSystemMoveOrResize(HTCAPTION);
            return true;
        }
        TrackObjects(p);
        if (TbsActiveSkinObject* o = object(FPressedObject >= 0 ? FPressedObject : FHotObject))
            o->MouseMove(p.X, p.Y);
        UpdateCursor(HitTest(p));
        return true;
    }
    case QEvent::MouseButtonPress: {
        TrackObjects(p);
        const int code = HitTest(p);
        if (button == mbLeft && IsBorderCode(code)) {
            BeginSystemMoveOrResize(code);
            return true;
        }
        if (button == mbLeft && code == HTCAPTION && FFrameState != TbsFrameState::Maximized) {
            FCaptionPress = true;
            FCaptionPressPoint = event->position().toPoint();
        }
        FPressedObject = FHotObject;
        if (TbsActiveSkinObject* o = object(FPressedObject))
            o->MouseDown(p.X, p.Y, button);
        if (button == mbRight && code == HTCAPTION) {
            const QPoint at = event->globalPosition().toPoint();
            PopupSystemMenu(at.x(), at.y());
        }
        return true;
    }
    case QEvent::MouseButtonRelease: {
        FCaptionPress = false;
        if (TbsActiveSkinObject* o = object(FPressedObject))
            o->MouseUp(p.X, p.Y, button);
        FPressedObject = -1;
        TrackObjects(p);
        return true;
    }
    case QEvent::MouseButtonDblClick: {
        FCaptionPress = false;
        TrackObjects(p);
        if (button != mbLeft)
            return true;
        if (TbsActiveSkinObject* o = object(FHotObject))
            o->DblClick();
        if (HitTest(p) == HTCAPTION)
            DoubleClickCaption();
        return true;
    }
    default:
        return false;
    }
}

bool TbsBusinessSkinForm::FrameEvent(QEvent* event) {
    if (auto* message = dynamic_cast<TbsSkinMessageEvent*>(event)) {
        const QEvent::Type type = message->type();
        if (type == SkinChanging) {
            if (message->SkinData == FSkinData && FSkinData) {
                FSkinActive = false;
                StopTimers();
                FreeObjects();
            }
            // Every control bound to the changing skin forgets it, whatever skin the
            // frame wears: a record index kept across the change would point at nothing.
            RelaySkinChange(SkinChanging, message->SkinData);
        } else if (type == SkinChanged) {
            if (message->SkinData == FSkinData && FSkinData)
                ApplySkin();
            RelaySkinChange(SkinChanged, message->SkinData);
        } else if (type == ::SkinMenuClosed) {
            this->SkinMenuClosed();
        }
        return false;
    }
    if (!HasBorder())
        return false;
    switch (event->type()) {
    case QEvent::Paint: {
        QPainter painter(FForm);
        const QRegion client(FrameClientRect(FForm->Width(), FForm->Height()).ToQRect());
        painter.setClipRegion(static_cast<QPaintEvent*>(event)->region().subtracted(client));
        TCanvas canvas(&painter);
        PaintFrame(canvas);
        return true;
    }
    case QEvent::Resize:
        if (!FSettingBounds)
            ApplyMinimumSize();
        FitToSize();
        return false;
    case QEvent::Move:
        if (!FSettingBounds && FForm->isVisible()) {
            if (FFrameState == TbsFrameState::Maximized) {
                // A maximized window stays where it is.
                if (FForm->Left() != FMaximizedAt.X || FForm->Top() != FMaximizedAt.Y) {
                    FSettingBounds = true;
                    FForm->move(FMaximizedAt.X, FMaximizedAt.Y);
                    FSettingBounds = false;
                }
            } else if (Magnetic) {
                const TPoint snapped =
                    MagneticSnap(TPoint(FForm->Left(), FForm->Top()), FForm->Width(),
                                 FForm->Height(), Screen->MonitorWorkArea(FForm), MagneticSize);
                if (snapped.X != FForm->Left() || snapped.Y != FForm->Top()) {
                    FSettingBounds = true;
                    FForm->move(snapped.X, snapped.Y);
                    FSettingBounds = false;
                }
            }
        }
        return false;
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        ResetObjects();
        UpdateCaptionActive();
        RepaintBorder();
        if (event->type() == QEvent::WindowActivate) {
            FTrackingTimer.start();
            FireEvent(OnActivate, this);
        } else {
            FTrackingTimer.stop();
            FireEvent(OnDeActivate, this);
        }
        return false;
    case QEvent::WindowTitleChange:
        RepaintFrame();
        return false;
    case QEvent::Show:
        if (!event->spontaneous()) {
            ApplyMinimumSize();
            StartFade();
        }
        return false;
    case QEvent::Hide:
        StopTimers();
        return false;
    case QEvent::Leave:
        if (FPressedObject < 0)
            TrackObjects(TPoint(-1, -1));
        return false;
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        return FrameMouse(static_cast<QMouseEvent*>(event));
    default:
        return false;
    }
}
