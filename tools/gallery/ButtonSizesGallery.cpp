// Gallery section: push buttons at the sizes the program's windows give them (105 x 25 on
// the main window, 60 x 25 in message boxes, 75 x 17 over a group box's caption bar), the
// dialog tool bar's 27 x 25 speed buttons, and the faces of the column-header and menu
// button records.

#include "gallery/GalleryRegistry.h"

#include "skinctrls/bsSkinButton.h"

#include "framework/Forms.h"

namespace {

enum class TState { Normal, Hot, Pressed, Disabled };

// A 16 x 16 folder picture on magenta (the transparent colour), like the dialog's.
TBitmap FolderGlyph() {
    TBitmap glyph(16, 16);
    TCanvas& c = glyph.Canvas();
    c.Brush.Color = RGB(255, 0, 255);
    c.FillRect(TRect(0, 0, 16, 16));
    c.Brush.Color = RGB(236, 188, 64);
    c.FillRect(TRect(1, 4, 15, 14));
    c.FillRect(TRect(1, 2, 7, 4));
    c.Brush.Color = RGB(156, 112, 24);
    c.FrameRect(TRect(1, 4, 15, 14));
    return glyph;
}

template <class T> void Settle(T* b) {
    for (int i = 0; i < 20 && b->MorphTimerRunning(); ++i)
        b->MorphTick();
}

TGalleryCell PushCell(const QString& label, const QString& record, const QString& caption,
                      int width, int height, TState state) {
    TGalleryCell cell;
    cell.Label = label;
    cell.Width = width;
    cell.Height = height;
    cell.Build = [=](TGalleryContext& ctx) {
        auto* b = new TbsSkinButton(ctx.Form);
        b->SetSkinDataName(record);
        b->SetCaption(caption);
        b->SetBounds(0, 0, width, height);
        b->SetSkinData(ctx.SkinData);
        switch (state) {
        case TState::Normal:
            break;
        case TState::Hot:
            b->MouseEnter();
            break;
        case TState::Pressed:
            b->MouseEnter();
            b->SetDown(true);
            break;
        case TState::Disabled:
            b->SetEnabled(false);
            break;
        }
        Settle(b);
    };
    return cell;
}

std::vector<TGalleryCell> WindowSizeCells() {
    const QString preview = QStringLiteral("在浏览器中预览");
    const QString ok = QStringLiteral("确定");
    const QString closePreview = QStringLiteral("关闭预览窗口");
    const QString button = QStringLiteral("button");
    return {
        PushCell("105 x 25", button, preview, 105, 25, TState::Normal),
        PushCell("105 x 25 hot", button, preview, 105, 25, TState::Hot),
        PushCell("105 x 25 pressed", button, preview, 105, 25, TState::Pressed),
        PushCell("105 x 25 disabled", button, preview, 105, 25, TState::Disabled),
        PushCell("60 x 25", button, ok, 60, 25, TState::Normal),
        PushCell("60 x 25 hot", button, ok, 60, 25, TState::Hot),
        PushCell("75 x 17", button, closePreview, 75, 17, TState::Normal),
        PushCell("75 x 17 hot", button, closePreview, 75, 17, TState::Hot),
        PushCell("75 x 17 pressed", button, closePreview, 75, 17, TState::Pressed),
        PushCell("75 x 17 disabled", button, closePreview, 75, 17, TState::Disabled),
    };
}

TGalleryCell ToolCell(const QString& label, TState state) {
    TGalleryCell cell;
    cell.Label = label;
    cell.Width = 27;
    cell.Height = 25;
    cell.Build = [=](TGalleryContext& ctx) {
        auto* s = new TbsSkinSpeedButton(ctx.Form);
        s->SetGlyph(FolderGlyph());
        s->SetShowCaption(false);
        s->SetBounds(0, 0, 27, 25);
        s->SetSkinData(ctx.SkinData);
        if (state == TState::Hot)
            s->MouseEnter();
        if (state == TState::Pressed) {
            s->SetGroupIndex(1);
            s->SetDown(true);
        }
        if (state == TState::Disabled)
            s->SetEnabled(false);
        Settle(s);
    };
    return cell;
}

std::vector<TGalleryCell> RecordFaceCells() {
    const QString header = QStringLiteral("resizebutton");
    const QString menu = QStringLiteral("menubutton");
    const QString name = QStringLiteral("名称");
    return {
        ToolCell("tool 27 x 25", TState::Normal),
        ToolCell("tool hot", TState::Hot),
        ToolCell("tool down", TState::Pressed),
        ToolCell("tool disabled", TState::Disabled),
        PushCell("header", header, name, 100, 20, TState::Normal),
        PushCell("header hot", header, name, 100, 20, TState::Hot),
        PushCell("header down", header, name, 100, 20, TState::Pressed),
        PushCell("menu button", menu, QStringLiteral("选项"), 90, 25, TState::Normal),
        PushCell("menu button hot", menu, QStringLiteral("选项"), 90, 25, TState::Hot),
    };
}

const bool Registered =
    GalleryRegistry::Add({13, "Push buttons at window sizes", WindowSizeCells}) &&
    GalleryRegistry::Add({14, "Tool buttons, headers, menu button", RecordFaceCells});

} // namespace
