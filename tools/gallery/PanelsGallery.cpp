// Gallery sections: skinned panels in each border style with and without caption, their
// check box, roll-up and glyph; the group box; labels; the status bar with its panels.

#include "gallery/GalleryRegistry.h"

#include "skinctrls/bsSkinPanels.h"

#include "framework/Forms.h"

namespace {

// Two 16 x 16 frames on magenta (the transparent colour): a blue note, then its grey
// disabled look.
TBitmap NoteGlyph() {
    TBitmap glyph(32, 16);
    TCanvas& c = glyph.Canvas();
    c.Brush.Color = RGB(255, 0, 255);
    c.FillRect(TRect(0, 0, 32, 16));
    const TColor colors[] = {RGB(30, 70, 170), RGB(140, 140, 140)};
    for (int frame = 0; frame < 2; ++frame) {
        const int x = 16 * frame;
        c.Brush.Color = colors[frame];
        c.FillRect(TRect(x + 3, 10, x + 8, 14));
        c.FillRect(TRect(x + 6, 2, x + 8, 12));
        c.FillRect(TRect(x + 6, 2, x + 13, 4));
        c.FillRect(TRect(x + 11, 2, x + 13, 7));
    }
    return glyph;
}

QString BorderName(TbsSkinBorderStyle style) {
    switch (style) {
    case bvFrame:
        return QStringLiteral("frame");
    case bvRaised:
        return QStringLiteral("raised");
    case bvLowered:
        return QStringLiteral("lowered");
    case bvNone:
        return QStringLiteral("none");
    }
    return QString();
}

// A label inside a panel, aligned to its client area, shows where children go.
void AddClientMarker(TWinControl* parent, TbsSkinData* skinData) {
    auto* inner = new TbsSkinLabel(parent);
    inner->SetBorderStyle(bvLowered);
    inner->SetAlign(alClient);
    inner->SetCaption(QStringLiteral("client"));
    inner->SetAlignment(taCenter);
    inner->SetSkinDataName(QStringLiteral("-"));
    inner->SetSkinData(skinData);
}

TGalleryCell PanelCell(const QString& label, int width, int height,
                       std::function<void(TbsSkinPanel*)> setUp, bool marker = false) {
    TGalleryCell cell;
    cell.Label = label;
    cell.Width = width;
    cell.Height = height;
    cell.Build = [=](TGalleryContext& ctx) {
        auto* panel = new TbsSkinPanel(ctx.Form);
        panel->SetBounds(0, 0, width, height);
        panel->SetCaption(QStringLiteral("Panel"));
        setUp(panel);
        if (marker)
            AddClientMarker(panel, ctx.SkinData);
        panel->SetSkinData(ctx.SkinData);
    };
    return cell;
}

std::vector<TGalleryCell> PanelCells() {
    std::vector<TGalleryCell> cells;
    for (TbsSkinBorderStyle style : {bvFrame, bvRaised, bvLowered, bvNone})
        cells.push_back(PanelCell(BorderName(style), 110, 70,
                                  [style](TbsSkinPanel* p) { p->SetBorderStyle(style); }));
    for (TbsSkinBorderStyle style : {bvFrame, bvRaised, bvLowered, bvNone})
        cells.push_back(PanelCell(
            BorderName(style) + QStringLiteral(" + caption"), 110, 70,
            [style](TbsSkinPanel* p) {
                p->SetBorderStyle(style);
                p->SetCaptionMode(true);
            },
            true));
    return cells;
}

std::vector<TGalleryCell> PanelCaptionCells() {
    auto caption = [](TAlignment alignment) {
        return [alignment](TbsSkinPanel* p) {
            p->SetCaptionMode(true);
            p->SetDefaultAlignment(alignment);
        };
    };
    return {
        // A skin's record places the caption by its own alignment.
        PanelCell("default left", 130, 60, caption(taLeftJustify)),
        PanelCell("default centre", 130, 60, caption(taCenter)),
        PanelCell("default right", 130, 60, caption(taRightJustify)),
        PanelCell("check box", 130, 60,
                  [](TbsSkinPanel* p) {
                      p->SetCaptionMode(true);
                      p->SetCheckedMode(true);
                      p->SetChecked(false);
                  }),
        PanelCell("checked", 130, 60,
                  [](TbsSkinPanel* p) {
                      p->SetCaptionMode(true);
                      p->SetCheckedMode(true);
                      p->SetChecked(true);
                  }),
        PanelCell("roll-up", 130, 60,
                  [](TbsSkinPanel* p) {
                      p->SetCaptionMode(true);
                      p->SetRollUpMode(true);
                  }),
        PanelCell("rolled up", 130, 60,
                  [](TbsSkinPanel* p) {
                      p->SetCaptionMode(true);
                      p->SetRollUpMode(true);
                      p->SetRollUpState(true);
                  }),
        PanelCell("glyph", 130, 60,
                  [](TbsSkinPanel* p) {
                      p->SetCaptionMode(true);
                      p->SetGlyph(NoteGlyph());
                      p->SetNumGlyphs(2);
                  }),
        PanelCell("glyph disabled", 130, 60,
                  [](TbsSkinPanel* p) {
                      p->SetCaptionMode(true);
                      p->SetGlyph(NoteGlyph());
                      p->SetNumGlyphs(2);
                      p->SetEnabled(false);
                  }),
    };
}

TGalleryCell GroupBoxCell(const QString& label, int width, int height, const QString& caption,
                          bool marker) {
    TGalleryCell cell;
    cell.Label = label;
    cell.Width = width;
    cell.Height = height;
    cell.Build = [=](TGalleryContext& ctx) {
        auto* group = new TbsSkinGroupBox(ctx.Form);
        group->SetBounds(0, 0, width, height);
        group->SetCaption(caption);
        if (marker)
            AddClientMarker(group, ctx.SkinData);
        group->SetSkinData(ctx.SkinData);
    };
    return cell;
}

std::vector<TGalleryCell> GroupBoxCells() {
    return {
        GroupBoxCell("group box", 180, 100, QStringLiteral("Effect code"), false),
        GroupBoxCell("with client", 180, 100, QStringLiteral("Effect code"), true),
        GroupBoxCell("wide", 330, 80, QStringLiteral("特效代码: 跟随鼠标的文字"), false),
    };
}

// A label `width` wide in a cell `cellWidth` wide (room for an auto-sized label to grow).
TGalleryCell LabelCell(const QString& label, int width, std::function<void(TbsSkinLabel*)> setUp,
                       int cellWidth = 0) {
    TGalleryCell cell;
    cell.Label = label;
    cell.Width = cellWidth > 0 ? cellWidth : width;
    cell.Height = 21;
    cell.Build = [=](TGalleryContext& ctx) {
        auto* l = new TbsSkinLabel(ctx.Form);
        l->SetBounds(0, 0, width, 21);
        l->SetCaption(QStringLiteral("Label"));
        setUp(l);
        l->SetSkinData(ctx.SkinData);
    };
    return cell;
}

TGalleryCell StdLabelCell(const QString& label, int width, int height,
                          std::function<void(TbsSkinStdLabel*)> setUp) {
    TGalleryCell cell;
    cell.Label = label;
    cell.Width = width;
    cell.Height = height;
    cell.Build = [=](TGalleryContext& ctx) {
        auto* l = new TbsSkinStdLabel(ctx.Form);
        l->SetBounds(0, 0, width, height);
        setUp(l);
        l->SetSkinData(ctx.SkinData);
    };
    return cell;
}

std::vector<TGalleryCell> LabelCells() {
    return {
        LabelCell("frame", 90, [](TbsSkinLabel*) {}),
        LabelCell("raised", 90, [](TbsSkinLabel* l) { l->SetBorderStyle(bvRaised); }),
        LabelCell("lowered", 90, [](TbsSkinLabel* l) { l->SetBorderStyle(bvLowered); }),
        LabelCell("none", 90, [](TbsSkinLabel* l) { l->SetBorderStyle(bvNone); }),
        LabelCell("centred", 90, [](TbsSkinLabel* l) { l->SetAlignment(taCenter); }),
        LabelCell("right", 90, [](TbsSkinLabel* l) { l->SetAlignment(taRightJustify); }),
        LabelCell(
            "auto-size", 60,
            [](TbsSkinLabel* l) {
                l->SetCaption(QStringLiteral("Auto-sized caption"));
                l->SetAutoSize(true);
            },
            150),
        StdLabelCell("std label", 120, 21,
                     [](TbsSkinStdLabel* l) { l->SetCaption(QStringLiteral("Standard &label")); }),
        StdLabelCell("std disabled", 120, 21,
                     [](TbsSkinStdLabel* l) {
                         l->SetCaption(QStringLiteral("Disabled label"));
                         l->SetEnabled(false);
                     }),
        StdLabelCell("std word wrap", 120, 44,
                     [](TbsSkinStdLabel* l) {
                         l->SetAutoSize(false);
                         l->SetWordWrap(true);
                         l->SetAlignment(taCenter);
                         l->SetCaption(QStringLiteral("A message that wraps onto two lines"));
                     }),
    };
}

TGalleryCell StatusBarCell(const QString& label, bool disabledPanel) {
    TGalleryCell cell;
    cell.Label = label;
    cell.Width = 420;
    cell.Height = 21;
    cell.Build = [=](TGalleryContext& ctx) {
        auto* bar = new TbsSkinStatusBar(ctx.Form);
        const QString texts[] = {QStringLiteral("公历: 2006年8月15日"),
                                 QStringLiteral("农历: 七月廿二"), QStringLiteral("12:30:45")};
        const int widths[] = {160, 120, 90};
        for (int i = 0; i < 3; ++i) {
            auto* panel = new TbsSkinStatusPanel(bar);
            panel->SetBounds(1000 + i, 0, widths[i], 19);
            panel->SetAlign(alLeft);
            panel->SetCaption(texts[i]);
            if (i == 0) {
                panel->SetGlyph(NoteGlyph());
                panel->SetNumGlyphs(2);
                panel->SetEnabled(!disabledPanel);
            }
        }
        bar->SetSkinData(ctx.SkinData);
    };
    return cell;
}

std::vector<TGalleryCell> StatusBarCells() {
    return {StatusBarCell("status bar", false), StatusBarCell("disabled panel", true)};
}

const bool Registered = GalleryRegistry::Add({30, "Panels, border styles", PanelCells}) &&
                        GalleryRegistry::Add({31, "Panels, caption bar", PanelCaptionCells}) &&
                        GalleryRegistry::Add({32, "Group box", GroupBoxCells}) &&
                        GalleryRegistry::Add({33, "Labels", LabelCells}) &&
                        GalleryRegistry::Add({34, "Status bar", StatusBarCells});

} // namespace
