// Gallery section: a preview of the skin's window frame, composed from the skin's records
// with the bitmap toolkit the way the form frame fits it: the frame active and inactive,
// the caption buttons in each state. It shows the pictures and geometry of a skin; it is not
// the form frame itself. Popup menus and hints have their own section.

#include "gallery/GalleryRegistry.h"

#include "skin/bsEffects.h"
#include "skin/bsSkinData.h"
#include "skinforms/bsSkinForm.h"
#include "skinforms/bsSkinFormLayout.h"
#include "skin/bsUtils.h"

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

const TColor Backdrop = RGB(248, 248, 250);
const QString CaptionText = QStringLiteral("zarvo网页特效2008 qirra版");

// The main window: system menu, minimize and minimize to tray.
constexpr TbsBorderIcons AllIcons = DefaultFrameBorderIcons | biMinimizeToTray;
constexpr TbsBorderIcons MainWindowIcons = biSystemMenu | biMinimize | biMinimizeToTray;

enum class TState { Normal, Hot, Down, Disabled, Restored };

// ---------------------------------------------------------------- the frame

// One frame object as the frame lays it out.
struct TObject {
    const TbsDataSkinObject* Record = nullptr;
    TRect Rect;
    bool Visible = true;
    bool Enabled = true;
    TState State = TState::Normal;
};

const TBitmap* ActivePicture(const TbsSkinData& d, int index) {
    if (index < 0 || index >= static_cast<int>(d.ActivePictures.size()))
        return nullptr;
    return d.ActivePictures[index].get();
}

bool IsCaptionButton(const TbsDataSkinObject* r) {
    if (dynamic_cast<const TbsDataSkinMainMenuBarButton*>(r))
        return false;
    if (dynamic_cast<const TbsDataSkinStdButton*>(r))
        return true;
    auto* a = dynamic_cast<const TbsDataSkinAnimate*>(r);
    return a && a->ButtonStyle;
}

std::optional<TbsStdCommand> CommandOf(const TbsDataSkinObject* r) {
    if (auto* b = dynamic_cast<const TbsDataSkinStdButton*>(r))
        return b->Command;
    if (auto* a = dynamic_cast<const TbsDataSkinAnimate*>(r))
        return a->Command;
    return std::nullopt;
}

// The frame objects laid out as the form frame lays them out.
std::vector<TObject> LayOut(const TbsSkinData& d, const TbsFrameGeometry& f, TbsBorderIcons icons) {
    std::vector<TObject> objects;
    std::vector<TbsFrameSlot> places;
    for (const auto& record : d.SkinObjects) {
        const TbsDataSkinObject* r = record.get();
        if (dynamic_cast<const TbsDataSkinMenuItem*>(r) ||
            dynamic_cast<const TbsDataSkinMainMenuItem*>(r) ||
            dynamic_cast<const TbsDataSkinMainMenuBarButton*>(r))
            continue;
        TbsFrameSlot slot;
        slot.Kind = dynamic_cast<const TbsDataSkinCaption*>(r) ? TbsFrameSlot::Caption
                    : IsCaptionButton(r)                       ? TbsFrameSlot::CaptionButton
                                                               : TbsFrameSlot::Other;
        slot.Command = CommandOf(r);
        slot.Animation = dynamic_cast<const TbsDataSkinAnimate*>(r) != nullptr;
        slot.InButtonsArea = r->SkinRectInAPicture;
        slot.Size = TPoint(r->SkinRect.Width(), r->SkinRect.Height());
        slot.Rect = r->SkinRect;
        places.push_back(slot);
        TObject o;
        o.Record = r;
        objects.push_back(o);
    }
    ApplyCaptionButtonRules(places, icons, false);
    LayOutFrameSlots(d, f, places);
    for (size_t i = 0; i < objects.size(); ++i) {
        objects[i].Rect = places[i].Rect;
        objects[i].Visible = places[i].Visible;
        objects[i].Enabled = places[i].Enabled;
    }
    return objects;
}

void Copy(TBitmap& dest, int x, int y, const TBitmap* source, const TRect& r) {
    if (!source || r.IsEmpty())
        return;
    dest.Canvas().CopyRect(TRect(x, y, x + r.Width(), y + r.Height()),
                           const_cast<TBitmap*>(source)->Canvas(), r);
}

// The look of a button object in its state; empty for "draw nothing".
TRect ButtonLook(const TObject& o, bool formActive) {
    const TbsDataSkinObject* r = o.Record;
    auto* button = dynamic_cast<const TbsDataSkinButton*>(r);
    auto* std = dynamic_cast<const TbsDataSkinStdButton*>(r);
    if (!o.Enabled && button && !button->DisableSkinRect.IsEmpty())
        return button->DisableSkinRect;
    if (std && o.State == TState::Restored && !std->RestoreRect.IsEmpty()) {
        if (!formActive && !std->RestoreInActiveRect.IsEmpty())
            return std->RestoreInActiveRect;
        return std->RestoreRect;
    }
    if (o.State == TState::Down && button && !button->DownRect.IsEmpty())
        return button->DownRect;
    if (o.State == TState::Hot && !r->ActiveSkinRect.IsEmpty())
        return r->ActiveSkinRect;
    return r->SkinRectInAPicture ? r->SkinRect : TRect();
}

void DrawCaption(TCanvas& c, TbsSkinData& d, const TbsDataSkinCaption& r, const TRect& rect,
                 bool active) {
    c.Font.SetName(r.FontName);
    c.Font.SetHeight(r.FontHeight);
    c.Font.SetStyle(r.FontStyle);
    TRect tr = r.TextRect;
    tr.Offset(rect.Left, rect.Top);
    tr.Right += rect.Width() - r.SkinRect.Width();
    const bool plate = !r.FrameRect.IsEmpty();
    if (plate) {
        tr.Left += r.FrameTextRect.Left;
        tr.Top += r.FrameTextRect.Top;
        tr.Right += r.FrameTextRect.Right - r.FrameRect.Width();
    }
    const QString text = CorrectTextByWidth(c, CaptionText, tr.Width());
    const int tw = c.TextWidth(text), th = c.TextHeight(text);
    const int y = tr.Top + tr.Height() / 2 - th / 2;
    int x = tr.Right - tw;
    if (r.Alignment == TbsAlignment::taLeftJustify)
        x = tr.Left;
    else if (r.Alignment == TbsAlignment::taCenter)
        x = tr.Left + tr.Width() / 2 - tw / 2;
    if (plate) {
        const TBitmap* picture = ActivePicture(d, r.ActivePictureIndex);
        const TRect look = active && !r.ActiveFrameRect.IsEmpty() ? r.ActiveFrameRect : r.FrameRect;
        if (picture) {
            TBitmap back;
            CreateHSkinImage(r.FrameLeftOffset, r.FrameRightOffset, back,
                             r.FrameRect.Width() + tw - r.FrameTextRect.Width(), look, *picture);
            c.Draw(x - r.FrameTextRect.Left, y - r.FrameTextRect.Top, back);
        }
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

void DrawObject(TBitmap& border, int dy, TbsSkinData& d, const TObject& o, bool active) {
    if (!o.Visible)
        return;
    TRect rect = o.Rect;
    rect.Offset(0, -dy);
    if (auto* caption = dynamic_cast<const TbsDataSkinCaption*>(o.Record)) {
        DrawCaption(border.Canvas(), d, *caption, rect, active);
        return;
    }
    const TBitmap* picture = ActivePicture(d, o.Record->ActivePictureIndex);
    if (auto* a = dynamic_cast<const TbsDataSkinAnimate*>(o.Record)) {
        const int w = a->SkinRect.Width();
        Copy(border, rect.Left, rect.Top, picture,
             TRect(a->ActiveSkinRect.Left, a->ActiveSkinRect.Top, a->ActiveSkinRect.Left + w,
                   a->ActiveSkinRect.Top + a->SkinRect.Height()));
        return;
    }
    if (dynamic_cast<const TbsDataSkinButton*>(o.Record))
        Copy(border, rect.Left, rect.Top, picture, ButtonLook(o, active));
}

// A menu bar with four items along the client's top (normal, hot, open, disabled).
void DrawMenuBar(TBitmap& frame, TbsSkinData& d, const TRect& client);

// The frame of W x H, its buttons set for `icons`; `state` applies to every enabled button.
TBitmap ComposeFrame(TbsSkinData& d, int W, int H, bool active, TbsBorderIcons icons,
                     TState state = TState::Normal, bool menuBar = false) {
    TBitmap frame(W, H);
    frame.Canvas().Brush.Color = Backdrop;
    frame.Canvas().FillRect(TRect(0, 0, W, H));
    if (d.SkinPicture.Empty())
        return frame;
    const TbsFrameGeometry f = FitFrameGeometry(d, W, H);
    const TBitmap& source =
        !active && !d.InactiveSkinPicture.Empty() ? d.InactiveSkinPicture : d.SkinPicture;
    TBitmap left, top, right, bottom;
    CreateSkinBorderImages(d.LeftTopPoint, d.RightTopPoint, d.LeftBottomPoint, d.RightBottomPoint,
                           d.ClientRect, f.LT, f.RT, f.LB, f.RB, f.Client, left, top, right, bottom,
                           source, TRect(0, 0, f.PW, f.PH), W, H, d.LeftStretch, d.TopStretch,
                           d.RightStretch, d.BottomStretch);
    std::vector<TObject> objects = LayOut(d, f, icons);
    for (TObject& o : objects) {
        if (o.Enabled && IsCaptionButton(o.Record))
            o.State = state;
        if (state == TState::Disabled && IsCaptionButton(o.Record))
            o.Enabled = false;
        if (o.State == TState::Restored && CommandOf(o.Record) == TbsStdCommand::cmClose)
            o.State = TState::Normal;
        if (o.Rect.Top >= f.Client.Top)
            DrawObject(bottom, f.Client.Bottom, d, o, active);
        else
            DrawObject(top, 0, d, o, active);
    }
    if (!active && d.AutoRenderingInActiveImage)
        for (TBitmap* b : {&left, &top, &right, &bottom}) {
            if (b->Empty())
                continue;
            TbsEffectBmp effect(*b);
            effect.SeedRandom(7);
            effect.ApplyEffect(d.InActiveEffect);
            effect.AssignTo(*b);
        }
    TCanvas& c = frame.Canvas();
    // The client background: the background picture, or the client piece tiled.
    if (const TBitmap* bg = ActivePicture(d, d.BGPictureIndex)) {
        for (int y = f.Client.Top; y < f.Client.Bottom; y += bg->Height())
            for (int x = f.Client.Left; x < f.Client.Right; x += bg->Width())
                c.Draw(x, y, *bg);
    } else {
        const TRect& cr = d.ClientRect;
        for (int y = f.Client.Top; y < f.Client.Bottom; y += cr.Height())
            for (int x = f.Client.Left; x < f.Client.Right; x += cr.Width()) {
                const int w = std::min(cr.Width(), f.Client.Right - x);
                const int h = std::min(cr.Height(), f.Client.Bottom - y);
                c.CopyRect(TRect(x, y, x + w, y + h), d.SkinPicture.Canvas(),
                           TRect(cr.Left, cr.Top, cr.Left + w, cr.Top + h));
            }
    }
    if (menuBar)
        DrawMenuBar(frame, d, f.Client);
    c.Draw(0, 0, top);
    c.Draw(0, top.Height(), left);
    c.Draw(W - right.Width(), top.Height(), right);
    c.Draw(0, H - bottom.Height(), bottom);
    // The window shape: everything outside it shows the sheet.
    TbsFrameMaskStrips strips;
    if (const TbsRegion region = BuildFrameRegion(d, f, strips))
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                if (!region->contains(QPoint(x, y)))
                    frame.SetPixel(x, y, Backdrop);
    return frame;
}

// ---------------------------------------------------------------- menu bar

template <class Record> const Record* NamedObject(const TbsSkinData& d, const QString& name) {
    const int index = d.IndexOfSkinObject(name);
    return index < 0 ? nullptr : dynamic_cast<const Record*>(d.SkinObjects[index].get());
}

void DrawMenuBar(TBitmap& frame, TbsSkinData& d, const TRect& client) {
    const int index = d.IndexOfControl(QStringLiteral("mainmenubar"));
    if (index < 0)
        return;
    auto* bar = dynamic_cast<const TbsDataSkinMainMenuBar*>(d.SkinControls[index].get());
    const TBitmap* picture = bar ? ActivePicture(d, bar->PictureIndex) : nullptr;
    if (!picture)
        return;
    const int width = client.Width();
    TBitmap back;
    CreateHSkinImage(bar->ItemsRect.Left, bar->SkinRect.Width() - bar->ItemsRect.Right, back, width,
                     bar->SkinRect, *picture);
    auto* item = NamedObject<TbsDataSkinMainMenuBarItem>(d, bar->MenuBarItem);
    const TBitmap* itemPicture = item ? ActivePicture(d, item->ActivePictureIndex) : nullptr;
    if (item && itemPicture) {
        TCanvas& c = back.Canvas();
        c.Font.SetName(item->FontName);
        c.Font.SetHeight(item->FontHeight);
        c.Font.SetStyle(item->FontStyle);
        const QString texts[] = {QStringLiteral("文件"), QStringLiteral("编辑"),
                                 QStringLiteral("查看"), QStringLiteral("帮助")};
        int x = bar->ItemsRect.Left;
        for (int i = 0; i < 4; ++i) {
            const int tw = c.TextWidth(texts[i]);
            const int w = item->SkinRect.Width() - item->TextRect.Width() + tw + 2;
            const TRect look = i == 1   ? item->ActiveSkinRect
                               : i == 2 ? item->DownRect
                                        : item->SkinRect;
            TBitmap piece;
            CreateHSkinImage(item->ItemLeftOffset, item->ItemRightOffset, piece, w, look,
                             *itemPicture);
            c.Draw(x, bar->ItemsRect.Top, piece);
            c.Brush.Style = bsClear;
            c.Font.SetColor(i == 1   ? item->ActiveFontColor
                            : i == 2 ? item->DownFontColor
                            : i == 3 ? item->UnEnabledFontColor
                                     : item->FontColor);
            c.TextOut(x + item->TextRect.Left + 1, bar->ItemsRect.Top + item->TextRect.Top,
                      texts[i]);
            c.Brush.Style = bsSolid;
            x += w;
        }
    }
    frame.Canvas().Draw(client.Left, client.Top, back);
}

// ---------------------------------------------------------------- cells

// The buttons' row of the caption: every button in one state, cut from a frame.
TBitmap ButtonStrip(TbsSkinData& d, TState state, bool active = true) {
    const int W = std::max(d.SkinPicture.Width(), 340);
    TBitmap frame = ComposeFrame(d, W, d.SkinPicture.Height(), active, AllIcons, state);
    const int h = d.ClientRect.Top;
    TBitmap strip(W, h);
    strip.Canvas().CopyRect(TRect(0, 0, W, h), frame.Canvas(), TRect(0, 0, W, h));
    return strip;
}

TBitmap Stacked(const std::vector<TBitmap>& parts, int gap) {
    int width = 0, height = 0;
    for (const TBitmap& b : parts) {
        width = std::max(width, b.Width());
        height += b.Height() + gap;
    }
    TBitmap joined(std::max(1, width), std::max(1, height - gap));
    joined.Canvas().Brush.Color = Backdrop;
    joined.Canvas().FillRect(TRect(0, 0, joined.Width(), joined.Height()));
    int y = 0;
    for (const TBitmap& b : parts) {
        joined.Canvas().Draw(0, y, b);
        y += b.Height() + gap;
    }
    return joined;
}

enum class TFrameLook { Plain, RolledUp, Maximized };

// The frame the form frame component paints on a W x H window (inactive: the sheet's
// windows never have the focus), with its client background and window shape.
TBitmap FormFrame(TbsSkinData* d, int W, int H, TFrameLook look) {
    TForm form;
    form.SetText(CaptionText);
    auto* frame = new TbsBusinessSkinForm(&form);
    frame->SetSkinData(d);
    // The window's size, after the frame (which keeps the client size it finds).
    form.SetBounds(0, 0, W, H);
    if (look == TFrameLook::Maximized) {
        frame->SetFrameState(TbsFrameState::Maximized);
        form.SetBounds(0, 0, W, H);
    } else if (look == TFrameLook::RolledUp) {
        frame->SetRolledUp(true);
    }
    TBitmap picture(form.Width(), form.Height());
    TCanvas& c = picture.Canvas();
    c.Brush.Color = Backdrop;
    c.FillRect(TRect(0, 0, picture.Width(), picture.Height()));
    const TRect client = frame->FrameClientRect(form.Width(), form.Height());
    if (!client.IsEmpty()) {
        TBitmap inside(client.Width(), client.Height());
        frame->FrameEraseClient(&inside.Canvas());
        c.Draw(client.Left, client.Top, inside);
    }
    frame->PaintFrame(c);
    if (const TbsRegion& region = frame->WindowRegion())
        for (int y = 0; y < picture.Height(); ++y)
            for (int x = 0; x < picture.Width(); ++x)
                if (!region->contains(QPoint(x, y)))
                    picture.SetPixel(x, y, Backdrop);
    return picture;
}

// The form frame component in the default look (plain frame) and in each skin.
std::vector<TGalleryCell> FormFrameCells(TbsSkinData* data) {
    TbsSkinData* d = data && !data->SkinEmpty ? data : nullptr;
    return {
        PictureCell("form frame, inactive, 420 x 260", FormFrame(d, 420, 260, TFrameLook::Plain)),
        PictureCell("form frame, inactive, 600 x 180", FormFrame(d, 600, 180, TFrameLook::Plain)),
        PictureCell("form frame, rolled up", FormFrame(d, 420, 260, TFrameLook::RolledUp)),
        PictureCell("form frame, maximized (restore buttons)",
                    FormFrame(d, 420, 260, TFrameLook::Maximized)),
    };
}

// Nothing for the default look: a window without a skin has the plain frame.
std::vector<TGalleryCell> FrameCells(TbsSkinData* data) {
    if (!data || data->SkinEmpty || data->SkinPicture.Empty())
        return {};
    TbsSkinData& d = *data;
    std::vector<TBitmap> buttonRows;
    for (TState s : {TState::Normal, TState::Hot, TState::Down, TState::Disabled, TState::Restored})
        buttonRows.push_back(ButtonStrip(d, s));
    buttonRows.push_back(ButtonStrip(d, TState::Restored, false));
    std::vector<TGalleryCell> cells = {
        PictureCell("active, all caption buttons, menu bar",
                    ComposeFrame(d, 420, 260, true, AllIcons, TState::Normal, true)),
        PictureCell("inactive, the main window's buttons",
                    ComposeFrame(d, 420, 260, false, MainWindowIcons)),
        PictureCell("caption buttons: normal, hot, pressed, disabled, restore, restore inactive",
                    Stacked(buttonRows, 2)),
    };
    return cells;
}

const bool Registered = [] {
    TGallerySection section;
    section.Order = 5;
    section.Title = QStringLiteral("Window frame");
    section.SkinCells = FrameCells;
    return GalleryRegistry::Add(std::move(section));
}();

const bool FormFrameRegistered = [] {
    TGallerySection section;
    section.Order = 6;
    section.Title = QStringLiteral("Form frame");
    section.SkinCells = FormFrameCells;
    return GalleryRegistry::Add(std::move(section));
}();

} // namespace
