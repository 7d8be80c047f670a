// Gallery section: the main menu bar in the default look and in each skin, with no item
// highlighted, the first item hot, the second pressed, and too narrow for its items so the
// overflow marker shows.

#include "gallery/GalleryRegistry.h"

#include "skinforms/bsSkinMainMenu.h"

#include "framework/Forms.h"

namespace {

// The main window's menu, top level only (the submenus do not show on the bar).
TbsSkinMainMenu* SampleMenu(QObject* owner) {
    auto* menu = new TbsSkinMainMenu(owner);
    for (const char* caption : {"文件(&F)", "编辑(&E)", "窗口(&W)", "工具(&T)", "帮助(&H)"}) {
        auto* item = new TMenuItem(menu);
        item->SetCaption(QString::fromUtf8(caption));
        menu->Items()->Add(item);
        auto* sub = new TMenuItem(menu);
        sub->SetCaption(QStringLiteral("..."));
        item->Add(sub);
    }
    return menu;
}

TGalleryCell BarCell(const QString& label, int width,
                     std::function<void(TbsSkinMainMenuBar*)> state = {}) {
    return {label, width, 26, [width, state](TGalleryContext& context) {
                auto* bar = new TbsSkinMainMenuBar(context.Form);
                bar->SetMainMenu(SampleMenu(context.Form));
                bar->SetSkinData(context.SkinData);
                bar->SetBounds(0, 0, width, 22);
                bar->LayOutObjects();
                if (state)
                    state(bar);
            }};
}

void Centre(TbsSkinMainMenuBar* bar, int item) {
    const TRect& r = bar->Items(item)->ObjectRect;
    bar->TrackMouse(TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
}

std::vector<TGalleryCell> MenuBarCells() {
    return {
        BarCell("normal", 320),
        BarCell("first item hot", 320, [](TbsSkinMainMenuBar* bar) { Centre(bar, 0); }),
        // Pressed as while its submenu is open (the popup itself is in "Popup menus").
        BarCell("second item down", 320,
                [](TbsSkinMainMenuBar* bar) {
                    bar->Items(1)->SetDownState(true);
                    bar->update();
                }),
        BarCell("overflow", 170),
        BarCell("overflow, marker hot", 170,
                [](TbsSkinMainMenuBar* bar) {
                    const TRect m = bar->MarkerRect();
                    bar->TrackMouse(TPoint(m.Left + 2, (m.Top + m.Bottom) / 2));
                }),
    };
}

const bool Registered = GalleryRegistry::Add({7, "Main menu bar", MenuBarCells});

} // namespace
