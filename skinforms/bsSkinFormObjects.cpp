// The frame objects: what each does with the mouse and how it draws.

#include "skinforms/bsSkinFormObjects.h"

#include "skinforms/bsSkinForm.h"
#include "skin/bsUtils.h"
#include "skinctrls/bsSkinCtrls.h"

#include "framework/Canvas.h"

#include <algorithm>

namespace {

const TBitmap* PictureAt(const TbsSkinData* d, int index) {
    if (!d || index < 0 || index >= static_cast<int>(d->ActivePictures.size()))
        return nullptr;
    return d->ActivePictures[index].get();
}

// The piece `look` of `source`, the size of the object (cut at the picture's edge).
TBitmap CutLook(const TBitmap* source, const TRect& look, int width, int height) {
    TBitmap piece(std::max(1, width), std::max(1, height));
    if (source && !look.IsEmpty())
        piece.Canvas().CopyRect(TRect(0, 0, look.Width(), look.Height()),
                                const_cast<TBitmap*>(source)->Canvas(), look);
    return piece;
}

void AssignFont(TFont& font, const QString& name, int height, const TFontStyles& style) {
    font.SetName(name);
    font.SetHeight(height);
    font.SetStyle(style);
}

void MorphInto(TBitmap& from, const TBitmap& to, TbsMorphKind kind, double x) {
    TbsEffectBmp a(from), b(to);
    a.MorphBy(kind, b, x);
    a.AssignTo(from);
}

} // namespace

// ---------------------------------------------------------------- base

TbsActiveSkinObject::TbsActiveSkinObject(TbsBusinessSkinForm* form, TbsSkinData* data,
                                         const TbsDataSkinObject* record)
    : FForm(form), FData(data) {
    if (!record)
        return;
    IDName = record->IDName;
    Hint = record->Hint;
    NormalPicture = data ? &data->SkinPicture : nullptr;
    ActivePicture = PictureAt(data, record->ActivePictureIndex);
    SkinRect = record->SkinRect;
    ActiveSkinRect = record->ActiveSkinRect;
    InButtonsArea = record->SkinRectInAPicture;
    ObjectRect = SkinRect;
    Morphing = record->Morphing && !ActiveSkinRect.IsEmpty();
    MorphKind = record->MorphKind;
    // Without an active picture there are no active looks: only the normal one.
    if (!ActivePicture) {
        ActiveSkinRect = TRect();
        Morphing = false;
    }
}

TbsActiveSkinObject::~TbsActiveSkinObject() = default;

void TbsActiveSkinObject::CopyLook(TCanvas& canvas, const TBitmap* source,
                                   const TRect& look) const {
    if (!source || look.IsEmpty())
        return;
    const TRect dest(ObjectRect.Left, ObjectRect.Top, ObjectRect.Left + look.Width(),
                     ObjectRect.Top + look.Height());
    canvas.CopyRect(dest, const_cast<TBitmap*>(source)->Canvas(), look);
}

void TbsActiveSkinObject::DrawLooks(TCanvas& canvas, bool standalone, const TRect& normal,
                                    const TRect& active) {
    if (Morphing && !active.IsEmpty() && IsMorphing()) {
        const int w = ObjectRect.Width(), h = ObjectRect.Height();
        TBitmap from = CutLook(NormalSource(), normal, w, h);
        const TBitmap to = CutLook(ActivePicture, active, w, h);
        MorphInto(from, to, MorphKind, Morph.Value());
        canvas.Draw(ObjectRect.Left, ObjectRect.Top, from);
        return;
    }
    if (Active && !active.IsEmpty()) {
        CopyLook(canvas, ActivePicture, active);
        return;
    }
    // On the frame, a look that is part of the frame picture is already there.
    if (!standalone && !InButtonsArea)
        return;
    CopyLook(canvas, NormalSource(), normal);
}

void TbsActiveSkinObject::Draw(TCanvas& canvas, bool standalone) {
    DrawLooks(canvas, standalone, SkinRect, ActiveSkinRect);
}

void TbsActiveSkinObject::StartMorphTimer() {
    FForm->StartMorphTimer();
}

void TbsActiveSkinObject::RedrawFace() {
    FForm->RedrawObject(this);
}

void TbsActiveSkinObject::MouseEnter() {
    MouseInside = true;
    Active = true;
    if (!ActiveSkinRect.IsEmpty())
        UpdateFace();
    FireEvent(FForm->OnMouseEnterEvent, IDName);
}

void TbsActiveSkinObject::MouseLeave() {
    MouseInside = false;
    Active = false;
    if (!ActiveSkinRect.IsEmpty())
        UpdateFace();
    FireEvent(FForm->OnMouseLeaveEvent, IDName);
}

void TbsActiveSkinObject::MouseDown(int x, int y, TMouseButton button) {
    FireEvent(FForm->OnMouseDownEvent, IDName, x, y, ObjectRect, button);
}

void TbsActiveSkinObject::MouseUp(int x, int y, TMouseButton button) {
    if (MouseInside)
        FireEvent(FForm->OnMouseUpEvent, IDName, x, y, ObjectRect, button);
}

void TbsActiveSkinObject::MouseMove(int x, int y) {
    FireEvent(FForm->OnMouseMoveEvent, IDName, x, y, ObjectRect);
}

void TbsUserObject::Draw(TCanvas& canvas, bool) {
    FireEvent(FForm->OnPaintEvent, IDName, &canvas, ObjectRect);
}

// ---------------------------------------------------------------- button

TbsSkinButtonObject::TbsSkinButtonObject(TbsBusinessSkinForm* form, TbsSkinData* data,
                                         const TbsDataSkinButton* record)
    : TbsActiveSkinObject(form, data, record) {
    if (record && ActivePicture) {
        DownRect = record->DownRect;
        DisabledRect = record->DisableSkinRect;
    }
}

bool TbsSkinButtonObject::IsMorphing() const {
    if (Menu && Down())
        return false;
    return TbsActiveSkinObject::IsMorphing();
}

void TbsSkinButtonObject::Draw(TCanvas& canvas, bool standalone) {
    if (!Enabled && !DisabledRect.IsEmpty())
        CopyLook(canvas, ActivePicture, DisabledRect);
    else if (Down() && MouseInside && !DownRect.IsEmpty())
        CopyLook(canvas, ActivePicture, DownRect);
    else
        TbsActiveSkinObject::Draw(canvas, standalone);
}

void TbsSkinButtonObject::SetDown(bool value) {
    SetDownState(value);
    if (Morphing && Active)
        Morph.SetValue(1.0);
    RedrawFace();
    if (Morphing && !value)
        StartMorph();
}

void TbsSkinButtonObject::MouseDown(int x, int y, TMouseButton button) {
    if (!Enabled)
        return;
    if (button == mbLeft && !Down()) {
        SetDown(true);
        if (Menu && Menu->Count() > 0)
            OpenMenu();
    }
    TbsActiveSkinObject::MouseDown(x, y, button);
}

void TbsSkinButtonObject::MouseUp(int x, int y, TMouseButton button) {
    if (!Enabled)
        return;
    if (button == mbLeft && !Menu && Down())
        SetDown(false);
    TbsActiveSkinObject::MouseUp(x, y, button);
}

void TbsSkinButtonObject::MouseEnter() {
    MouseInside = true;
    Active = true;
    if (ShowsDownFace() || !ActiveSkinRect.IsEmpty())
        RefreshHoverFace();
    FireEvent(FForm->OnMouseEnterEvent, IDName);
}

void TbsSkinButtonObject::MouseLeave() {
    MouseInside = false;
    Active = false;
    // A button whose menu is open keeps its face until the menu closes.
    if (!(Menu && Down())) {
        RedrawFace();
        UpdateFace();
    }
    FireEvent(FForm->OnMouseLeaveEvent, IDName);
}

void TbsSkinButtonObject::OpenMenu() {
    FForm->PopupMenuBelow(Menu, ObjectRect);
}

// ---------------------------------------------------------------- std button

TbsSkinStdButtonObject::TbsSkinStdButtonObject(TbsBusinessSkinForm* form, TbsSkinData* data,
                                               const TbsDataSkinStdButton* record)
    : TbsSkinButtonObject(form, data, record) {
    Command = record->Command;
    if (ActivePicture) {
        RestoreRect = record->RestoreRect;
        RestoreActiveRect = record->RestoreActiveRect;
        RestoreDownRect = record->RestoreDownRect;
        RestoreInActiveRect = record->RestoreInActiveRect;
    }
}

TbsSkinStdButtonObject::TbsSkinStdButtonObject(TbsBusinessSkinForm* form, const QString& name,
                                               TbsStdCommand command)
    : TbsSkinButtonObject(form, nullptr, nullptr) {
    IDName = name;
    Command = command;
    HasSkin = false;
    InButtonsArea = true;
    SkinRect = ActiveSkinRect = DownRect = DisabledRect = ObjectRect = TRect(0, 0, 1, 1);
}

bool TbsSkinStdButtonObject::IsMorphing() const {
    if (Command == TbsStdCommand::cmSysMenu && FForm->ShowIcon)
        return false;
    return TbsSkinButtonObject::IsMorphing();
}

bool TbsSkinStdButtonObject::ShowsRestore() const {
    switch (Command) {
    case TbsStdCommand::cmMaximize:
        return FForm->FrameState() == TbsFrameState::Maximized;
    case TbsStdCommand::cmMinimize:
        return FForm->FrameState() == TbsFrameState::Minimized;
    case TbsStdCommand::cmRollUp:
        return FForm->RolledUp();
    default:
        return false;
    }
}

void TbsSkinStdButtonObject::DrawPlain(TCanvas& canvas) {
    const int w = ObjectRect.Width(), h = ObjectRect.Height();
    TBitmap face(std::max(1, w), std::max(1, h), canvas.DevicePixelRatio());
    TCanvas& c = face.Canvas();
    const TRect rect(0, 0, w, h);
    const bool pressed = Down() && MouseInside;
    if (pressed)
        DrawDefaultFace(c, rect, TbsDefaultLook::Pressed);
    else if (MouseInside)
        DrawDefaultFace(c, rect, TbsDefaultLook::Hot);
    else {
        c.Brush.Color = clBtnFace;
        c.Brush.Style = bsSolid;
        c.FillRect(rect);
    }
    const int x = w / 2 - (pressed ? 4 : 5), y = h / 2 - (pressed ? 3 : 4);
    const TColor color = Enabled ? clBtnText : clBtnShadow;
    const bool maximized = FForm->FrameState() == TbsFrameState::Maximized;
    const bool minimized = FForm->FrameState() == TbsFrameState::Minimized;
    switch (Command) {
    case TbsStdCommand::cmClose:
        DrawCloseGlyph(c, x, y, color);
        break;
    case TbsStdCommand::cmMaximize:
        maximized ? DrawRestoreGlyph(c, x, y, color) : DrawMaximizeGlyph(c, x, y, color);
        break;
    case TbsStdCommand::cmMinimize:
        minimized ? DrawRestoreGlyph(c, x, y, color) : DrawMinimizeGlyph(c, x, y, color);
        break;
    case TbsStdCommand::cmSysMenu:
        DrawSysMenuGlyph(c, x, y, color);
        break;
    case TbsStdCommand::cmRollUp:
        FForm->RolledUp() ? DrawRollDownGlyph(c, x, y, color) : DrawRollUpGlyph(c, x, y, color);
        break;
    case TbsStdCommand::cmMinimizeToTray:
        DrawTrayGlyph(c, x, y, color);
        break;
    default:
        break;
    }
    canvas.Draw(ObjectRect.Left, ObjectRect.Top, face);
}

void TbsSkinStdButtonObject::Draw(TCanvas& canvas, bool standalone) {
    if (!Visible)
        return;
    if (Command == TbsStdCommand::cmSysMenu && FForm->ShowIcon && (!HasSkin || InButtonsArea)) {
        const QIcon icon = FForm->Form()->Icon();
        const int size = std::max(1, std::min(ObjectRect.Width(), ObjectRect.Height()));
        if (!icon.isNull()) {
            TBitmap picture;
            picture.FromQImage(icon.pixmap(size, size).toImage());
            canvas.Draw(ObjectRect.Left, ObjectRect.Top, picture);
        }
        Morph.SetValue(0.0);
        return;
    }
    if (!HasSkin) {
        DrawPlain(canvas);
        return;
    }
    if (Enabled && ShowsRestore() && !RestoreRect.IsEmpty()) {
        if (!FForm->FormActive() && !RestoreInActiveRect.IsEmpty())
            CopyLook(canvas, ActivePicture, RestoreInActiveRect);
        else if (Down() && MouseInside && !RestoreDownRect.IsEmpty())
            CopyLook(canvas, ActivePicture, RestoreDownRect);
        else {
            // The restore looks all come from the active picture.
            const bool wasInArea = InButtonsArea;
            InButtonsArea = true;
            DrawLooks(canvas, true, RestoreRect, RestoreActiveRect);
            InButtonsArea = wasInArea;
        }
        return;
    }
    TbsSkinButtonObject::Draw(canvas, standalone);
}

void TbsSkinStdButtonObject::MouseDown(int, int, TMouseButton button) {
    if (!Enabled || button != mbLeft || Down())
        return;
    SetDown(true);
    if (Command == TbsStdCommand::cmSysMenu) {
        Menu = FForm->GetSystemMenu();
        OpenMenu();
    }
}

void TbsSkinStdButtonObject::MouseUp(int x, int y, TMouseButton button) {
    const bool runs = Enabled && Active && button == mbLeft && MouseInside && Down();
    if (runs && Command == TbsStdCommand::cmClose) {
        TbsSkinButtonObject::MouseUp(x, y, button);
        FForm->CloseForm();
        return;
    }
    if (runs)
        FForm->RunCommand(Command);
    TbsSkinButtonObject::MouseUp(x, y, button);
}

void TbsSkinStdButtonObject::DblClick() {
    if (Command == TbsStdCommand::cmSysMenu)
        FForm->CloseForm();
}

// ---------------------------------------------------------------- animation

TbsSkinAnimateObject::TbsSkinAnimateObject(TbsBusinessSkinForm* form, TbsSkinData* data,
                                           const TbsDataSkinAnimate* record)
    : TbsActiveSkinObject(form, data, record) {
    Morphing = false;
    ActiveSkinRect = record->ActiveSkinRect;
    CountFrames = std::max(1, record->CountFrames);
    Cycle = record->Cycle;
    ButtonStyle = record->ButtonStyle;
    Interval = std::max(TbsBusinessSkinForm::AnimationInterval, record->TimerInterval);
    Command = record->Command;
}

void TbsSkinAnimateObject::Draw(TCanvas& canvas, bool) {
    if (!Visible)
        return;
    const int w = SkinRect.Width();
    const int left = ActiveSkinRect.Left + (Frame - 1) * w;
    CopyLook(canvas, ActivePicture,
             TRect(left, ActiveSkinRect.Top, left + w, ActiveSkinRect.Top + SkinRect.Height()));
}

void TbsSkinAnimateObject::Play(bool forward) {
    Forward = forward;
    Playing = true;
    FForm->StartAnimationTimer();
}

void TbsSkinAnimateObject::MouseEnter() {
    MouseInside = true;
    if (ButtonStyle)
        Play(true);
    FireEvent(FForm->OnMouseEnterEvent, IDName);
}

void TbsSkinAnimateObject::MouseLeave() {
    MouseInside = false;
    if (ButtonStyle)
        Play(false);
    FireEvent(FForm->OnMouseLeaveEvent, IDName);
}

void TbsSkinAnimateObject::MouseUp(int x, int y, TMouseButton button) {
    if (ButtonStyle && Enabled && button == mbLeft && MouseInside) {
        if (Command == TbsStdCommand::cmSysMenu) {
            FForm->PopupMenuBelow(FForm->GetSystemMenu(), ObjectRect);
        } else if (Command == TbsStdCommand::cmDefault) {
            if (Menu && Menu->Count() > 0)
                FForm->PopupMenuBelow(Menu, ObjectRect);
        } else if (Command == TbsStdCommand::cmClose) {
            FForm->CloseForm();
            return;
        } else {
            FForm->RunCommand(Command);
        }
    }
    TbsActiveSkinObject::MouseUp(x, y, button);
}

void TbsSkinAnimateObject::DblClick() {
    if (ButtonStyle && Command == TbsStdCommand::cmSysMenu)
        FForm->CloseForm();
}

bool TbsSkinAnimateObject::AnimationTick() {
    if (!Playing)
        return false;
    if (TimeGathered < Interval) {
        TimeGathered += TbsBusinessSkinForm::AnimationInterval;
        return true;
    }
    if (Forward) {
        Frame = Frame >= CountFrames ? 1 : Frame + 1;
        if (!Cycle && Frame == CountFrames)
            Playing = false;
    } else {
        Frame = Frame <= 1 ? CountFrames : Frame - 1;
        if (Frame == 1)
            Playing = false;
    }
    TimeGathered = TbsBusinessSkinForm::AnimationInterval;
    RedrawFace();
    return true;
}

void TbsSkinAnimateObject::Reset() {
    Frame = 1;
    Playing = false;
    MouseInside = false;
    TimeGathered = TbsBusinessSkinForm::AnimationInterval;
}

// ---------------------------------------------------------------- caption

TbsSkinCaptionObject::TbsSkinCaptionObject(TbsBusinessSkinForm* form, TbsSkinData* data,
                                           const TbsDataSkinCaption* record)
    : TbsActiveSkinObject(form, data, record), FRecord(record) {
    // The caption's active look is cut from the active picture; with an empty active rect
    // only the text is drawn.
}

void TbsSkinCaptionObject::MouseEnter() {
    MouseInside = true;
    FireEvent(FForm->OnMouseEnterEvent, IDName);
}

void TbsSkinCaptionObject::MouseLeave() {
    MouseInside = false;
    FireEvent(FForm->OnMouseLeaveEvent, IDName);
}

void TbsSkinCaptionObject::SetActive(bool value, bool repaint) {
    if (Active == value)
        return;
    Active = value;
    if (!repaint) {
        Morph.SetValue(value ? 1.0 : 0.0);
        return;
    }
    FForm->RepaintFrame();
    if (Morphing)
        FForm->StartMorphTimer();
}

void TbsSkinCaptionObject::DrawText(TCanvas& c, int originX, int originY, bool active) {
    const TbsDataSkinCaption& r = *FRecord;
    AssignFont(c.Font, r.FontName, r.FontHeight, r.FontStyle);
    c.Font.SetCharset(FForm->DefCaptionFont.Charset());
    TRect tr = r.TextRect;
    tr.Offset(originX, originY);
    tr.Right += ObjectRect.Width() - r.SkinRect.Width();
    const bool plate = !r.FrameRect.IsEmpty();
    if (plate) {
        tr.Left += r.FrameTextRect.Left;
        tr.Top += r.FrameTextRect.Top;
        tr.Right += r.FrameTextRect.Right - r.FrameRect.Width();
    }
    const QString text = CorrectTextByWidth(c, FForm->Form()->Text(), tr.Width());
    const int tw = c.TextWidth(text), th = c.TextHeight(text);
    const int y = tr.Top + tr.Height() / 2 - th / 2;
    int x = tr.Right - tw;
    if (r.Alignment == TbsAlignment::taLeftJustify)
        x = tr.Left;
    else if (r.Alignment == TbsAlignment::taCenter)
        x = tr.Left + tr.Width() / 2 - tw / 2;
    if (plate && ActivePicture) {
        const TRect look = active && !r.ActiveFrameRect.IsEmpty() ? r.ActiveFrameRect : r.FrameRect;
        TBitmap back;
        CreateHSkinImage(r.FrameLeftOffset, r.FrameRightOffset, back,
                         r.FrameRect.Width() + tw - r.FrameTextRect.Width(), look, *ActivePicture);
        c.Draw(x - r.FrameTextRect.Left, y - r.FrameTextRect.Top, back);
    }
    c.Brush.Style = bsClear;
    if (r.Shadow) {
        c.Font.SetColor(active ? r.ActiveShadowColor : r.ShadowColor);
        c.TextOut(x + 1, y + 1, text);
    }
    c.Font.SetColor(active ? r.ActiveFontColor : r.FontColor);
    c.TextOut(x, y, text);
    c.Brush.Style = bsSolid;
}

TBitmap TbsSkinCaptionObject::ComposeLook(bool active, qreal ratio) {
    const int w = std::max(1, ObjectRect.Width()), h = std::max(1, ObjectRect.Height());
    const TRect look = active ? ActiveSkinRect : SkinRect;
    const TBitmap* source = active ? ActivePicture : NormalPicture;
    TBitmap piece(w, h, ratio);
    if (source && !look.IsEmpty()) {
        // The ends left of the frame's left-top point and right of its right-top point
        // are kept; the middle is tiled between them.
        const int leftEnd = std::clamp(FData->LeftTopPoint.X - SkinRect.Left, 0, look.Width());
        const int rightEnd = std::clamp(SkinRect.Right - FData->RightTopPoint.X, 0, look.Width());
        if (leftEnd == 0 && rightEnd == 0)
            piece.Canvas().StretchDraw(TRect(0, 0, w, h),
                                       CutLook(source, look, look.Width(), look.Height()));
        else
            CreateHSkinImage(leftEnd, rightEnd, piece, w, look, *source);
    }
    DrawText(piece.Canvas(), 0, 0, active);
    return piece;
}

void TbsSkinCaptionObject::Draw(TCanvas& canvas, bool) {
    if (!Visible || !FRecord)
        return;
    const bool inactive = !FForm->FormActive();
    if (Morphing && IsMorphing()) {
        TBitmap from = ComposeLook(false, canvas.DevicePixelRatio());
        const TBitmap to = ComposeLook(true, canvas.DevicePixelRatio());
        if (inactive && FData->AutoRenderingInActiveImage) {
            TbsEffectBmp effect(from);
            effect.SeedRandom(7);
            effect.ApplyEffect(FData->InActiveEffect);
            effect.AssignTo(from);
        }
        MorphInto(from, to, MorphKind, Morph.Value());
        canvas.Draw(ObjectRect.Left, ObjectRect.Top, from);
        return;
    }
    if (ActiveSkinRect.IsEmpty() || !Active) {
        DrawText(canvas, ObjectRect.Left, ObjectRect.Top, Active);
        return;
    }
    canvas.Draw(ObjectRect.Left, ObjectRect.Top, ComposeLook(true, canvas.DevicePixelRatio()));
}
