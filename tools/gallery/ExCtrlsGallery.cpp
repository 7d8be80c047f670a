// Gallery section: expanding panels (open, hot close button, rolled up both ways), tool
// bars (speed buttons and a divider; an overfull one scrolled), and splitters standing and
// lying.

#include "gallery/GalleryRegistry.h"

#include "skinctrls/bsSkinBevel.h"
#include "skinctrls/bsSkinButton.h"
#include "skinctrls/bsSkinExCtrls.h"

#include "framework/Forms.h"

#include <QApplication>
#include <QMouseEvent>

namespace {

enum class TPanelState { Open, HotClose, RolledVertically, RolledHorizontally };

TGalleryCell ExPanelCell(const QString& label, TPanelState state) {
    TGalleryCell cell{label, 160, 110, {}};
    cell.Build = [=](TGalleryContext& ctx) {
        auto* panel = new TbsSkinExPanel(ctx.Form);
        panel->SetBounds(0, 0, 150, 100);
        panel->SetCaption(QStringLiteral("文件夹"));
        panel->SetSkinData(ctx.SkinData);
        if (state == TPanelState::RolledHorizontally)
            panel->SetRollKind(rkRollHorizontal);
        if (state == TPanelState::RolledVertically || state == TPanelState::RolledHorizontally)
            panel->SetRollState(true);
        if (state == TPanelState::HotClose) {
            const TRect r = panel->ButtonRect(TbsSkinExPanel::CloseButton);
            const QPoint p((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
            QMouseEvent move(QEvent::MouseMove, QPointF(p), QPointF(panel->mapToGlobal(p)),
                             Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(panel, &move);
        }
    };
    return cell;
}

std::vector<TGalleryCell> ExPanelCells() {
    return {ExPanelCell("open", TPanelState::Open), ExPanelCell("hot close", TPanelState::HotClose),
            ExPanelCell("rolled up", TPanelState::RolledVertically),
            ExPanelCell("rolled sideways", TPanelState::RolledHorizontally)};
}

std::vector<TGalleryCell> ToolBarCells() {
    TGalleryCell cell{"tool bar", 260, 25, {}};
    cell.Build = [](TGalleryContext& ctx) {
        auto* bar = new TbsSkinToolBar(ctx.Form);
        bar->SetAlign(alTop);
        int x = 0;
        for (const char* caption : {"Back", "Up", "New"}) {
            auto* button = new TbsSkinSpeedButton(bar);
            button->SetSkinDataName(QStringLiteral("toolbutton"));
            button->SetBounds(x, 0, 50, 25);
            button->SetCaption(QString::fromLatin1(caption));
            x += 50;
        }
        auto* bevel = new TbsSkinBevel(bar);
        bevel->SetBounds(x, 0, 10, 25);
        bevel->SetShape(bsLeftLine);
        bevel->SetDividerMode(true);
        auto* down = new TbsSkinSpeedButton(bar);
        down->SetSkinDataName(QStringLiteral("toolbutton"));
        down->SetBounds(x + 10, 0, 60, 25);
        down->SetGroupIndex(1);
        down->SetCaption(QStringLiteral("List"));
        down->SetDown(true);
        bar->SetSkinData(ctx.SkinData);
    };
    TGalleryCell scrolling{"overfull, scrolled", 130, 25, {}};
    scrolling.Build = [](TGalleryContext& ctx) {
        auto* bar = new TbsSkinToolBar(ctx.Form);
        bar->SetBounds(0, 0, 130, 25);
        for (int i = 0; i < 5; ++i) {
            auto* button = new TbsSkinSpeedButton(bar);
            button->SetSkinDataName(QStringLiteral("toolbutton"));
            button->SetBounds(40 * i, 0, 40, 25);
            button->SetCaption(QString::number(i + 1));
        }
        bar->SetSkinData(ctx.SkinData);
        bar->SetCanScroll(true);
        bar->SetScrollOffset(40);
        bar->ScrollStep(TbsSkinToolBar::RightScrollButton);
    };
    return {cell, scrolling};
}

TGalleryCell SplitterCell(const QString& label, TAlign align) {
    const bool lying = align == alTop;
    TGalleryCell cell{label, lying ? 120 : 40, lying ? 40 : 100, {}};
    cell.Build = [=](TGalleryContext& ctx) {
        auto* splitter = new TbsSkinSplitter(ctx.Form);
        splitter->SetAlign(align);
        splitter->SetSkinDataName(lying ? QStringLiteral("hsplitter")
                                        : QStringLiteral("vsplitter"));
        splitter->SetSkinData(ctx.SkinData);
    };
    return cell;
}

std::vector<TGalleryCell> SplitterCells() {
    return {SplitterCell("standing", alLeft), SplitterCell("lying", alTop)};
}

const bool Registered = GalleryRegistry::Add({54, "Expanding panels", ExPanelCells}) &&
                        GalleryRegistry::Add({55, "Tool bars", ToolBarCells}) &&
                        GalleryRegistry::Add({56, "Splitters", SplitterCells});

} // namespace
