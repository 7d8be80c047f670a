// TbsBusinessSkinForm: the skinned window frame on the framework's frame hook.

#include "skinforms/bsSkinForm.h"

#include "skin/bsSkinData.h"
#include "skin/bsUtils.h"
#include "skinctrls/bsSkinCtrls.h"
#include "skinforms/bsSkinMainMenu.h"
#include "skinforms/bsTrayIcon.h"

#include "framework/Canvas.h"

#include <QCursor>
#include <algorithm>

namespace {

bool Contains(const TRect& r, TPoint p) {
    return PtInRect(r, p);
}

const TBitmap* PictureAt(const TbsSkinData& d, int index) {
    if (index < 0 || index >= static_cast<int>(d.ActivePictures.size()))
        return nullptr;
    return d.ActivePictures[index].get();
}

void DefaultCaptionFont(TFont& font, TColor color) {
    font.SetName(QStringLiteral("Arial"));
    font.SetStyle(TFontStyles{fsBold});
    font.SetHeight(14);
    font.SetColor(color);
}

} // namespace

TbsBusinessSkinForm* FindSkinForm(const QWidget* form) {
    return form ? form->findChild<TbsBusinessSkinForm*>(QString(), Qt::FindDirectChildrenOnly)
                : nullptr;
}

namespace {

// Skinned popup menus of a form open through its frame's engine. Every new frame installs
// it again, so a lookup set meanwhile (or removed) does not outlive the next frame.
void InstallMenuLookup() {
    SetSkinMenuFormLookup([](QWidget* form) {
        TbsSkinMenuFormLink link;
        TbsBusinessSkinForm* frame = FindSkinForm(form);
        if (!frame)
            return link;
        link.Engine = frame->MenuEngine();
        link.MenusSkinData = frame->MenusSkinData();
        link.SkinData = frame->SkinData();
        QPointer<TbsBusinessSkinForm> guard(frame);
        link.MenuOpened = [guard] {
            if (guard)
                guard->SkinMenuOpened();
        };
        return link;
    });
}

} // namespace

// ---------------------------------------------------------------- lifecycle

TbsBusinessSkinForm::TbsBusinessSkinForm(TForm* form) : TComponent(form), FForm(form) {
    DefaultCaptionFont(DefCaptionFont, clBtnText);
    DefaultCaptionFont(DefInActiveCaptionFont, clBtnShadow);
    FDefaultSystemMenu = new TPopupMenu(this);
    // Opens through this frame's engine (its form is the frame's owner).
    FTrayMenu = new TbsSkinPopupMenu(this);
    TMenuItem* restore = AddSystemItem(FTrayMenu->Items(), -1, QStringLiteral("TRAY_BSF_RESTORE"));
    restore->SetCaption(QStringLiteral("恢复(&R)"));
    restore->OnClick = [this](TObject*) { RestoreFromTray(); };
    restore->SetDefault(true);
    auto* line = new TMenuItem(FTrayMenu);
    line->SetCaption(QStringLiteral("-"));
    FTrayMenu->Items()->Add(line);
    TMenuItem* close = AddSystemItem(FTrayMenu->Items(), -1, QStringLiteral("TRAY_BSF_CLOSE"));
    close->SetCaption(QStringLiteral("关闭(&C)"));
    close->SetShortCut(TextToShortCut(QStringLiteral("Alt+F4")));
    close->OnClick = [this](TObject*) { CloseForm(); };

    FMenuEngine = new TbsSkinMenu(this);
    FMenuEngine->SetHostForm(form);
    InstallMenuLookup();

    FTrackingTimer.setInterval(TrackingInterval);
    FMorphTimer.setInterval(MorphInterval);
    FAnimationTimer.setInterval(AnimationInterval);
    FFadeTimer.setInterval(MorphInterval);
    connect(&FTrackingTimer, &QTimer::timeout, this, [this] {
        Guarded([this] {
            if (!FormActive() || FInSizeMove) {
                FTrackingTimer.stop();
                return;
            }
            TrackObjects(TPoint::FromQPoint(FForm->mapFromGlobal(QCursor::pos())));
        });
    });
    connect(&FMorphTimer, &QTimer::timeout, this, [this] { Guarded([this] { MorphTick(); }); });
    connect(&FAnimationTimer, &QTimer::timeout, this,
            [this] { Guarded([this] { AnimationTick(); }); });
    connect(&FFadeTimer, &QTimer::timeout, this, [this] { Guarded([this] { FadeTick(); }); });

    if (!form)
        return;
    form->setMouseTracking(true);
    // The frame sees the form's shortcuts first; a handler set before keeps the rest.
    form->OnShortCut = [self = QPointer<TbsBusinessSkinForm>(this),
                        previous = form->OnShortCut](int key, bool& handled) {
        handled = self && self->HandleShortCut(key);
        if (!handled && previous)
            previous(key, handled);
    };
    form->ClientArea()->setCursor(Qt::ArrowCursor);
    CreatePlainButtons();
    form->SetFrameHook(this);
    KeepClientSize(TPoint(0, 0));
    FitToSize();
}

TbsBusinessSkinForm::~TbsBusinessSkinForm() {
    // The form drops a destroyed frame hook by itself; it may be half destroyed already
    // (the frame dies with the form), so it is not touched here.
    StopTimers();
    FObjects.clear();
}

// ---------------------------------------------------------------- properties

void TbsBusinessSkinForm::SetSkinData(TbsSkinData* value) {
    FSkinData = value;
    ApplySkin();
}

void TbsBusinessSkinForm::SetBorderIcons(TbsBorderIcons value) {
    FBorderIcons = value;
    ApplyCaptionButtonRules();
    FitToSize();
}

void TbsBusinessSkinForm::SetHideCaptionButtons(bool value) {
    FHideCaptionButtons = value;
    ApplyCaptionButtonRules();
    FitToSize();
}

TbsSkinData* TbsBusinessSkinForm::MenusSkin() const {
    return FMenusSkinData ? FMenusSkinData.data() : FSkinData.data();
}

TbsSkinMainMenuBar* TbsBusinessSkinForm::MainMenuBar() const {
    return FMainMenuBar;
}

void TbsBusinessSkinForm::SetMainMenuBar(TbsSkinMainMenuBar* bar) {
    if (FMainMenuBar && FMainMenuBar != bar)
        FMainMenuBar->SetSkinForm(nullptr);
    FMainMenuBar = bar;
    if (bar)
        bar->SetSkinForm(this);
}

void TbsBusinessSkinForm::SkinMenuOpened() {
    if (FSkinMenuOpen)
        return;
    FSkinMenuOpen = true;
    FireEvent(OnSkinMenuOpen, this);
}

void TbsBusinessSkinForm::MainMenuEntered() {
    if (FMainMenuMode)
        return;
    FMainMenuMode = true;
    FireEvent(OnMainMenuEnter, this);
}

void TbsBusinessSkinForm::MainMenuExited() {
    if (!FMainMenuMode)
        return;
    FMainMenuMode = false;
    FireEvent(OnMainMenuExit, this);
}

bool TbsBusinessSkinForm::HandleShortCut(int key) {
    TbsSkinMainMenuBar* bar = FMainMenuBar;
    if (!bar || !bar->isVisible() || !bar->Enabled())
        return false;
    if ((key & scModifierMask) == scAlt && bar->HandleAccelerator(key & ~scModifierMask))
        return true;
    TMainMenu* menu = bar->MainMenu();
    return menu && menu->IsShortCut(key);
}

TbsTrayIcon* TbsBusinessSkinForm::TrayIcon() const {
    return FTrayIcon;
}

void TbsBusinessSkinForm::SetTrayIcon(TbsTrayIcon* trayIcon) {
    FTrayIcon = trayIcon;
    if (!trayIcon)
        return;
    if (!AlwaysShowInTray)
        trayIcon->HideTrayIcon();
    trayIcon->MinimizeToTray = false;
    if (!trayIcon->PopupMenu())
        trayIcon->SetPopupMenu(FTrayMenu);
}

bool TbsBusinessSkinForm::HasBorder() const {
    return FForm && FForm->BorderStyle() != bsNone;
}

bool TbsBusinessSkinForm::Sizeable() const {
    return FForm && (FForm->BorderStyle() == bsSizeable || FForm->BorderStyle() == bsSizeToolWin);
}

bool TbsBusinessSkinForm::ToolWindow() const {
    return FForm && (FForm->BorderStyle() == bsToolWindow || FForm->BorderStyle() == bsSizeToolWin);
}

bool TbsBusinessSkinForm::FormActive() const {
    return FForm && FForm->isActiveWindow();
}

bool TbsBusinessSkinForm::IsMainForm() const {
    return FForm && Application->MainForm() == FForm;
}

TbsPlainFrameMetrics TbsBusinessSkinForm::PlainMetrics() const {
    return TbsPlainFrameMetrics::For(ToolWindow());
}

// ---------------------------------------------------------------- sizes

int TbsBusinessSkinForm::MinFrameWidth() const {
    const bool minimized = FFrameState == TbsFrameState::Minimized;
    if (FSkinActive) {
        const int picture = FSkinData->SkinPicture.Width();
        return MinWidth > picture && !minimized ? MinWidth : picture;
    }
    return MinWidth > 0 ? MinWidth : 120;
}

int TbsBusinessSkinForm::MinFrameHeight() const {
    const bool shrunk = FRolledUp || FFrameState == TbsFrameState::Minimized;
    const int frame = FSkinActive ? FSkinData->SkinPicture.Height() - FSkinData->ClientRect.Height()
                                  : PlainMetrics().CaptionHeight + 6;
    return MinHeight > frame && !shrunk ? MinHeight : frame;
}

TPoint TbsBusinessSkinForm::FrameExtent() const {
    if (!HasBorder())
        return TPoint(0, 0);
    // The client rect grows one to one with the window once it is larger than the picture.
    int size = 4096;
    if (FSkinActive)
        size += std::max(FSkinData->SkinPicture.Width(), FSkinData->SkinPicture.Height());
    const TRect r = ClientRectFor(size, size);
    return TPoint(size - r.Width(), size - r.Height());
}

void TbsBusinessSkinForm::KeepClientSize(TPoint previousExtent) {
    const TPoint extent = FrameExtent();
    int dx = extent.X - previousExtent.X, dy = extent.Y - previousExtent.Y;
    FAppliedExtent = extent;
    if (!FForm || (dx == 0 && dy == 0))
        return;
    // A maximized or minimized form returns to a size with the same client area.
    if (!FRestoreBounds.IsEmpty()) {
        FRestoreBounds.Right += dx;
        FRestoreBounds.Bottom += dy;
    }
    if (FFrameState != TbsFrameState::Normal)
        return;
    if (FRolledUp) {
        FRollUpHeight += dy;
        dy = 0;
    }
    FSettingBounds = true;
    FForm->SetBounds(FForm->Left(), FForm->Top(), std::max(0, FForm->Width() + dx),
                     std::max(0, FForm->Height() + dy));
    FSettingBounds = false;
}

TRect TbsBusinessSkinForm::FrameClientRect(int width, int height) {
    return ClientRectFor(width, height);
}

TRect TbsBusinessSkinForm::ClientRectFor(int width, int height) const {
    if (!HasBorder())
        return TRect(0, 0, width, height);
    if (!FSkinActive)
        return PlainMetrics().ClientRect(width, height);
    const TbsSkinData& d = *FSkinData;
    const TRect& cr = d.ClientRect;
    TRect r(cr.Left, cr.Top, width + cr.Right - d.SkinPicture.Width(),
            height + cr.Bottom - d.SkinPicture.Height());
    r.Right = std::max(r.Right, r.Left);
    r.Bottom = std::max(r.Bottom, r.Top);
    return r;
}

void TbsBusinessSkinForm::ApplyMinimumSize() {
    if (!FForm || !Sizeable())
        return;
    FForm->setMinimumSize(MinFrameWidth(), MinFrameHeight());
}

// ---------------------------------------------------------------- applying a skin

void TbsBusinessSkinForm::ApplySkin() {
    const TPoint previousExtent = FAppliedExtent;
    FHotObject = FPreviousHotObject = FPressedObject = -1;
    // A frame that cannot be cut from its picture is drawn plain.
    FSkinActive = FSkinData && !FSkinData->SkinEmpty && !FSkinData->SkinPicture.Empty() &&
                  FrameFitsPicture(*FSkinData);
    if (FSkinActive) {
        CreateObjects();
    } else {
        CreatePlainButtons();
        FRegion.reset();
        FMaskStrips = TbsFrameMaskStrips();
        if (FForm)
            FForm->clearMask();
    }
    if (!FForm)
        return;
    if (!HasBorder()) {
        FForm->UpdateClientArea();
        FireEvent(OnChangeSkinData, this);
        return;
    }
    KeepClientSize(previousExtent);
    int w = FForm->Width(), h = FForm->Height();
    if (FRolledUp || FFrameState == TbsFrameState::Minimized)
        h = MinFrameHeight();
    if (FFrameState == TbsFrameState::Minimized)
        w = MinFrameWidth();
    w = std::max(w, MinFrameWidth());
    h = std::max(h, MinFrameHeight());
    FSettingBounds = true;
    if (w != FForm->Width() || h != FForm->Height())
        FForm->SetBounds(FForm->Left(), FForm->Top(), w, h);
    FSettingBounds = false;
    ApplyMinimumSize();
    FitToSize();
    FForm->UpdateClientArea();
    FForm->update();
    FForm->ClientArea()->update();
    UpdateCaptionActive();
    if (FormActive())
        FTrackingTimer.start();
    FireEvent(OnChangeSkinData, this);
}

void TbsBusinessSkinForm::FreeObjects() {
    FHotObject = FPreviousHotObject = FPressedObject = -1;
    FObjects.clear();
    FRuleOff.clear();
}

void TbsBusinessSkinForm::CreateObjects() {
    FreeObjects();
    TbsSkinData* d = FSkinData;
    for (const auto& record : d->SkinObjects) {
        const TbsDataSkinObject* r = record.get();
        if (dynamic_cast<const TbsDataSkinMainMenuBarButton*>(r) ||
            dynamic_cast<const TbsDataSkinMenuItem*>(r) ||
            dynamic_cast<const TbsDataSkinMainMenuItem*>(r))
            continue;
        if (auto* std = dynamic_cast<const TbsDataSkinStdButton*>(r))
            FObjects.push_back(std::make_unique<TbsSkinStdButtonObject>(this, d, std));
        else if (auto* button = dynamic_cast<const TbsDataSkinButton*>(r))
            FObjects.push_back(std::make_unique<TbsSkinButtonObject>(this, d, button));
        else if (auto* caption = dynamic_cast<const TbsDataSkinCaption*>(r))
            FObjects.push_back(std::make_unique<TbsSkinCaptionObject>(this, d, caption));
        else if (auto* animate = dynamic_cast<const TbsDataSkinAnimate*>(r))
            FObjects.push_back(std::make_unique<TbsSkinAnimateObject>(this, d, animate));
        else if (dynamic_cast<const TbsDataUserObject*>(r))
            FObjects.push_back(std::make_unique<TbsUserObject>(this, d, r));
    }
    ApplyCaptionButtonRules();
}

void TbsBusinessSkinForm::CreatePlainButtons() {
    FreeObjects();
    const std::pair<const char*, TbsStdCommand> buttons[] = {
        {"closebutton", TbsStdCommand::cmClose},
        {"maxbutton", TbsStdCommand::cmMaximize},
        {"minbutton", TbsStdCommand::cmMinimize},
        {"rollupbutton", TbsStdCommand::cmRollUp},
        {"sysmenubutton", TbsStdCommand::cmSysMenu},
        {"traybutton", TbsStdCommand::cmMinimizeToTray},
    };
    for (const auto& [name, command] : buttons)
        FObjects.push_back(
            std::make_unique<TbsSkinStdButtonObject>(this, QString::fromLatin1(name), command));
    ApplyCaptionButtonRules();
}

namespace {

// The layout's view of a frame object.
TbsFrameSlot SlotOf(const TbsActiveSkinObject& o, bool showIcon) {
    TbsFrameSlot slot;
    slot.InButtonsArea = o.InButtonsArea;
    slot.Visible = o.Visible;
    slot.Enabled = o.Enabled;
    slot.Rect = o.SkinRect;
    slot.Size = TPoint(o.SkinRect.Width(), o.SkinRect.Height());
    if (dynamic_cast<const TbsSkinCaptionObject*>(&o)) {
        slot.Kind = TbsFrameSlot::Caption;
    } else if (auto* std = dynamic_cast<const TbsSkinStdButtonObject*>(&o)) {
        slot.Kind = TbsFrameSlot::CaptionButton;
        slot.Command = std->Command;
        if (showIcon && std->Command == TbsStdCommand::cmSysMenu)
            slot.Size = TPoint(16, 16);
    } else if (auto* a = dynamic_cast<const TbsSkinAnimateObject*>(&o); a && a->ButtonStyle) {
        slot.Kind = TbsFrameSlot::CaptionButton;
        slot.Command = a->Command;
        slot.Animation = true;
    }
    return slot;
}

} // namespace

void TbsBusinessSkinForm::ApplyCaptionButtonRules() {
    // The rules never switch anything on; what they switched off before is switched back
    // on first, so that a border icon given back brings its button back. What the program
    // switched off itself stays off.
    FRuleOff.resize(FObjects.size(), {false, false});
    for (size_t i = 0; i < FObjects.size(); ++i) {
        if (FRuleOff[i].first)
            FObjects[i]->Enabled = true;
        if (FRuleOff[i].second)
            FObjects[i]->Visible = true;
    }
    std::vector<TbsFrameSlot> places;
    for (const auto& o : FObjects)
        places.push_back(SlotOf(*o, ShowIcon));
    ::ApplyCaptionButtonRules(places, FBorderIcons, FHideCaptionButtons);
    for (size_t i = 0; i < places.size(); ++i) {
        TbsActiveSkinObject& o = *FObjects[i];
        FRuleOff[i] = {o.Enabled && !places[i].Enabled, o.Visible && !places[i].Visible};
        o.Enabled = places[i].Enabled;
        o.Visible = places[i].Visible;
    }
}

void TbsBusinessSkinForm::LayOutObjects() {
    std::vector<TbsFrameSlot> places;
    for (const auto& o : FObjects)
        places.push_back(SlotOf(*o, ShowIcon));
    if (FSkinActive)
        LayOutFrameSlots(*FSkinData, FGeometry, places);
    else
        FPlainCaptionArea = LayOutPlainButtons(PlainMetrics(), FForm->Width(), places);
    for (size_t i = 0; i < places.size(); ++i)
        FObjects[i]->ObjectRect = places[i].Rect;
}

void TbsBusinessSkinForm::FitToSize() {
    if (!FForm || !HasBorder())
        return;
    const int W = FForm->Width(), H = FForm->Height();
    if (FSkinActive) {
        if (W < MinFrameWidth() || H < MinFrameHeight())
            return;
        FGeometry = FitFrameGeometry(*FSkinData, W, H);
        LayOutObjects();
        UpdateRegion();
    } else {
        LayOutObjects();
    }
    RepaintFrame();
}

void TbsBusinessSkinForm::UpdateRegion() {
    FRegion = BuildFrameRegion(*FSkinData, FGeometry, FMaskStrips);
    if (FRegion)
        FForm->setMask(*FRegion);
    else
        FForm->clearMask();
}

// ---------------------------------------------------------------- the skin-change relay

void TbsBusinessSkinForm::RelaySkinChange(QEvent::Type message, TbsSkinData* skinData) {
    for (TbsSkinClient* client : SkinClientsOf(FForm)) {
        if (skinData && client->SkinData() != skinData)
            continue;
        Guarded([&] {
            if (message == SkinChanging)
                client->ForgetSkin();
            else
                client->ApplySkin();
        });
    }
}

// ---------------------------------------------------------------- painting

void TbsBusinessSkinForm::RepaintFrame() {
    if (FForm)
        FForm->update();
}

void TbsBusinessSkinForm::RepaintBorder() {
    if (!FForm)
        return;
    const QRect client = FrameClientRect(FForm->Width(), FForm->Height()).ToQRect();
    FForm->update(QRegion(FForm->rect()).subtracted(client));
}

void TbsBusinessSkinForm::RedrawObject(TbsActiveSkinObject* object) {
    if (FForm && object && HasBorder())
        FForm->update(object->ObjectRect.ToQRect());
}

void TbsBusinessSkinForm::ComposeSkinBorders(TBitmap& left, TBitmap& top, TBitmap& right,
                                             TBitmap& bottom) {
    const int W = FForm->Width(), H = FForm->Height();
    if (!FSkinActive || W < MinFrameWidth() || H < MinFrameHeight())
        return;
    if (FGeometry.W != W || FGeometry.H != H)
        FitToSize();
    const TbsSkinData& d = *FSkinData;
    const TbsFrameGeometry& g = FGeometry;
    const bool active = FormActive();
    const TBitmap& source =
        !active && !d.InactiveSkinPicture.Empty() ? d.InactiveSkinPicture : d.SkinPicture;
    for (TBitmap* b : {&left, &top, &right, &bottom})
        b->SetDevicePixelRatio(FForm->devicePixelRatioF());
    CreateSkinBorderImages(d.LeftTopPoint, d.RightTopPoint, d.LeftBottomPoint, d.RightBottomPoint,
                           d.ClientRect, g.LT, g.RT, g.LB, g.RB, g.Client, left, top, right, bottom,
                           source, TRect(0, 0, g.PW, g.PH), W, H, d.LeftStretch, d.TopStretch,
                           d.RightStretch, d.BottomStretch);
    for (const auto& o : FObjects) {
        if (!o->Visible)
            continue;
        const bool below = o->ObjectRect.Top >= g.Client.Top;
        TBitmap& border = below ? bottom : top;
        if (border.Empty())
            continue;
        TCanvas& c = border.Canvas();
        c.SetWindowOrg(0, below ? g.Client.Bottom : 0);
        o->Draw(c, false);
        c.SetWindowOrg(0, 0);
    }
    if (!active && d.AutoRenderingInActiveImage)
        for (TBitmap* b : {&left, &top, &right, &bottom}) {
            if (b->Empty())
                continue;
            // A fixed seed: the noise of an inactive frame stays the same on every paint.
            TbsEffectBmp effect(*b);
            effect.SeedRandom(7);
            effect.ApplyEffect(d.InActiveEffect);
            effect.AssignTo(*b);
        }
}

void TbsBusinessSkinForm::PaintPlainFrame(TCanvas& c) {
    const int W = FForm->Width(), H = FForm->Height();
    const TbsPlainFrameMetrics m = PlainMetrics();
    const TRect client = m.ClientRect(W, H);
    c.Brush.Style = bsSolid;
    c.Brush.Color = clBtnFace;
    c.FillRect(TRect(3, 3, W - 3, 3 + m.CaptionHeight));
    const TRect& area = FPlainCaptionArea;
    for (int y = 2, i = 0; y <= m.CaptionHeight - 4; ++y, ++i) {
        c.Pen.Color = i % 2 == 0 ? clBtnShadow : clBtnHighlight;
        c.MoveTo(area.Left, 3 + y);
        c.LineTo(area.Right, 3 + y);
    }
    const bool active = FormActive();
    c.Font.Assign(active ? DefCaptionFont : DefInActiveCaptionFont);
    const QString text = CorrectTextByWidth(c, FForm->Text(), area.Width());
    if (!text.isEmpty()) {
        const int tw = c.TextWidth(text), th = c.TextHeight(text);
        const int x = area.Left + area.Width() / 2 - tw / 2;
        const int y = 3 + m.CaptionHeight / 2 - th / 2;
        c.Brush.Color = clBtnFace;
        c.FillRect(TRect(x - 2, 3, x + tw + 2, 3 + m.CaptionHeight));
        c.Brush.Style = bsClear;
        c.TextOut(x, y, text);
        c.Brush.Style = bsSolid;
    }
    for (const auto& o : FObjects)
        if (o->Visible)
            o->Draw(c, true);
    // A 3-pixel border: three nested one-pixel frames.
    const TColor lights[3] = {cl3DLight, clBtnHighlight, clBtnFace};
    const TColor darks[3] = {cl3DDkShadow, clBtnShadow, clBtnFace};
    for (int i = 0; i < 3; ++i)
        DrawFrame3D(c, TRect(i, i, W - i, H - i), lights[i], darks[i]);
    (void)client;
}

void TbsBusinessSkinForm::PaintFrame(TCanvas& canvas) {
    if (!HasBorder())
        return;
    if (!FSkinActive) {
        PaintPlainFrame(canvas);
        return;
    }
    TBitmap left, top, right, bottom;
    ComposeSkinBorders(left, top, right, bottom);
    const int W = FForm->Width(), H = FForm->Height();
    canvas.Draw(0, 0, top);
    canvas.Draw(0, top.Height(), left);
    canvas.Draw(W - right.Width(), top.Height(), right);
    canvas.Draw(0, H - bottom.Height(), bottom);
}

void TbsBusinessSkinForm::EraseSkinClient(TCanvas& c, const TRect& client) {
    const TbsSkinData& d = *FSkinData;
    const int w = client.Width(), h = client.Height();
    if (const TBitmap* bg = PictureAt(d, d.BGPictureIndex); bg && !bg->Empty()) {
        for (int y = 0; y < h; y += bg->Height())
            for (int x = 0; x < w; x += bg->Width())
                c.Draw(x, y, *bg);
        return;
    }
    const TRect& cr = d.ClientRect;
    if (cr.IsEmpty()) {
        c.Brush.Color = clBtnFace;
        c.FillRect(TRect(0, 0, w, h));
        return;
    }
    for (int y = 0; y < h; y += cr.Height())
        for (int x = 0; x < w; x += cr.Width()) {
            const int pw = std::min(cr.Width(), w - x), ph = std::min(cr.Height(), h - y);
            c.CopyRect(TRect(x, y, x + pw, y + ph), const_cast<TBitmap&>(d.SkinPicture).Canvas(),
                       TRect(cr.Left, cr.Top, cr.Left + pw, cr.Top + ph));
        }
}

bool TbsBusinessSkinForm::FrameEraseClient(TCanvas* canvas) {
    if (!canvas || !FForm)
        return false;
    const TRect client = FForm->ClientRect();
    canvas->Brush.Style = bsSolid;
    if (FSkinActive) {
        EraseSkinClient(*canvas, client);
    } else {
        canvas->Brush.Color = clBtnFace;
        canvas->FillRect(client);
    }
    if (!LogoBitMap.Empty()) {
        TBitmap logo(LogoBitMap);
        logo.SetTransparent(LogoBitMapTransparent);
        canvas->Draw((client.Width() - logo.Width()) / 2, (client.Height() - logo.Height()) / 2,
                     logo);
    }
    return true;
}

// ---------------------------------------------------------------- hit test and tracking

TbsHitTestState TbsBusinessSkinForm::HitState(TPoint p) const {
    TbsHitTestState s;
    s.Sizeable = Sizeable();
    s.Maximized = FFrameState == TbsFrameState::Maximized;
    s.Minimized = FFrameState == TbsFrameState::Minimized;
    s.RolledUp = FRolledUp;
    s.InSizeMove = FInSizeMove;
    s.ObjectHot = FHotObject >= 0;
    for (const auto& o : FObjects)
        if (o->Visible && dynamic_cast<const TbsSkinCaptionObject*>(o.get()) &&
            Contains(o->ObjectRect, p))
            s.OverCaptionObject = true;
    return s;
}

int TbsBusinessSkinForm::HitTest(TPoint p) const {
    if (!HasBorder())
        return HTCLIENT;
    const int W = FForm->Width(), H = FForm->Height();
    if (FSkinActive)
        return SkinFrameHitTest(*FSkinData, FGeometry, FMaskStrips, HitState(p), p);
    return PlainFrameHitTest(PlainMetrics(), FPlainCaptionArea, W, H, HitState(p), p);
}

TbsActiveSkinObject* TbsBusinessSkinForm::ObjectByName(const QString& idName) const {
    for (const auto& o : FObjects)
        if (o->IDName == idName)
            return o.get();
    return nullptr;
}

void TbsBusinessSkinForm::TrackObjects(TPoint p) {
    const TRect client = FrameClientRect(FForm->Width(), FForm->Height());
    int hot = -1;
    if (!Contains(client, p)) {
        for (int i = 0; i < static_cast<int>(FObjects.size()); ++i) {
            const auto& o = FObjects[i];
            if (o->Enabled && o->Visible && Contains(o->ObjectRect, p)) {
                hot = i;
                break;
            }
        }
        if (FPressedObject >= 0 && hot != FPressedObject)
            hot = -1;
    }
    if (hot == FHotObject)
        return;
    FPreviousHotObject = FHotObject;
    FHotObject = hot;
    if (FPreviousHotObject >= 0 && FPreviousHotObject < static_cast<int>(FObjects.size()))
        FObjects[FPreviousHotObject]->MouseLeave();
    if (FHotObject >= 0)
        FObjects[FHotObject]->MouseEnter();
}
