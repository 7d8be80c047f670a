// Gallery section: the skinned push buttons and speed buttons in every state.

#include "gallery/GalleryRegistry.h"

#include "skinctrls/bsSkinButton.h"

#include "framework/Forms.h"

namespace {

// A 16 x 16 glyph: a green tick on a magenta background (the transparent colour).
TBitmap TickGlyph() {
    TBitmap glyph(16, 16);
    TCanvas& c = glyph.Canvas();
    c.Brush.Color = RGB(255, 0, 255);
    c.FillRect(TRect(0, 0, 16, 16));
    c.Pen.Color = RGB(0, 128, 0);
    for (int i = 0; i < 3; ++i) {
        c.MoveTo(3, 7 + i);
        c.LineTo(6, 10 + i);
        c.LineTo(13, 3 + i);
    }
    return glyph;
}

enum class TState { Normal, Hot, Pressed, Disabled, Focused, Default, HalfMorphed };

// Hot and pressed buttons show their settled face: the morph runs to its end at once.
void Settle(TbsSkinButton* b) {
    for (int i = 0; i < 20 && b->MorphTimerRunning(); ++i)
        b->MorphTick();
}

void Put(TGalleryContext& ctx, TbsSkinButton* b, TState state) {
    switch (state) {
    case TState::Normal:
        break;
    case TState::Hot:
        b->MouseEnter();
        Settle(b);
        break;
    case TState::Pressed:
        b->MouseEnter();
        b->SetDown(true);
        Settle(b);
        break;
    case TState::Disabled:
        b->SetEnabled(false);
        break;
    case TState::Focused:
        ctx.Focus(b);
        Settle(b);
        break;
    case TState::Default:
        b->SetDefault(true);
        break;
    case TState::HalfMorphed:
        b->MouseEnter();
        for (int i = 0; i < 5; ++i)
            b->MorphTick();
        break;
    }
}

// A push button of `record` filling the cell, with a caption and optionally the glyph.
TGalleryCell ButtonCell(const QString& label, const QString& record, TState state, int width = 75,
                        int height = 25, bool glyph = false, TbsButtonLayout layout = blGlyphLeft) {
    TGalleryCell cell;
    cell.Label = label;
    cell.Width = width;
    cell.Height = height;
    cell.Build = [=](TGalleryContext& ctx) {
        auto* b = new TbsSkinButton(ctx.Form);
        b->SetSkinDataName(record);
        b->SetCaption(glyph ? QStringLiteral("&Save") : QStringLiteral("&OK"));
        if (glyph) {
            b->SetGlyph(TickGlyph());
            b->SetLayout(layout);
            b->SetSpacing(3);
        }
        b->SetBounds(0, 0, width, height);
        b->SetSkinData(ctx.SkinData);
        Put(ctx, b, state);
    };
    return cell;
}

std::vector<TGalleryCell> PushButtonCells() {
    return {
        ButtonCell("normal", "button", TState::Normal),
        ButtonCell("hot", "button", TState::Hot),
        ButtonCell("pressed", "button", TState::Pressed),
        ButtonCell("disabled", "button", TState::Disabled),
        ButtonCell("focused", "button", TState::Focused),
        ButtonCell("default", "button", TState::Default),
        ButtonCell("morph 50%", "button", TState::HalfMorphed),
        ButtonCell("120 x 34", "button", TState::Normal, 120, 34),
        ButtonCell("glyph left", "button", TState::Normal, 90, 30, true, blGlyphLeft),
        ButtonCell("glyph top", "button", TState::Hot, 75, 44, true, blGlyphTop),
    };
}

std::vector<TGalleryCell> StretchCells() {
    return {
        ButtonCell("fixed", "fixedbutton", TState::Normal, 50, 50),
        ButtonCell("fixed hot", "fixedbutton", TState::Hot, 50, 50),
        ButtonCell("fixed pressed", "fixedbutton", TState::Pressed, 50, 50),
        ButtonCell("horizontal", "hbutton", TState::Normal, 110, 30),
        ButtonCell("horizontal hot", "hbutton", TState::Hot, 110, 30),
        ButtonCell("vertical", "vbutton", TState::Normal, 40, 90),
        ButtonCell("vertical pressed", "vbutton", TState::Pressed, 40, 90),
        ButtonCell("no picture", "nopicbutton", TState::Normal),
    };
}

TGalleryCell SpeedCell(const QString& label, int state, bool flat = false) {
    TGalleryCell cell;
    cell.Label = label;
    cell.Width = 25;
    cell.Height = 25;
    cell.Build = [=](TGalleryContext& ctx) {
        auto* s = new TbsSkinSpeedButton(ctx.Form);
        s->SetGlyph(TickGlyph());
        s->SetShowCaption(false);
        s->SetFlat(flat);
        if (flat)
            s->SetTransparent(false); // flat on an opaque face
        s->SetSkinData(ctx.SkinData);
        if (state == 1)
            s->MouseEnter();
        if (state == 2) {
            s->SetGroupIndex(1);
            s->SetDown(true);
        }
        if (state == 3)
            s->SetEnabled(false);
        for (int i = 0; i < 20 && s->MorphTimerRunning(); ++i)
            s->MorphTick();
    };
    return cell;
}

std::vector<TGalleryCell> SpeedButtonCells() {
    return {SpeedCell("normal", 0), SpeedCell("hot", 1), SpeedCell("down", 2),
            SpeedCell("disabled", 3), SpeedCell("flat", 0, true)};
}

const bool Registered = GalleryRegistry::Add({10, "Push buttons", PushButtonCells}) &&
                        GalleryRegistry::Add({11, "Button stretch modes", StretchCells}) &&
                        GalleryRegistry::Add({12, "Speed buttons", SpeedButtonCells});

} // namespace
