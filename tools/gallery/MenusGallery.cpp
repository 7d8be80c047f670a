// Gallery section: popup menus and hints as the menu engine and the hint window draw them,
// in the default look and in each skin: a menu with every kind of item, a cascade with its
// submenu open, a scrolling menu with its strips, the skinned edits' context menu, and a
// hint.

#include "gallery/GalleryRegistry.h"

#include "skin/bsSkinHint.h"
#include "skin/bsSkinMenus.h"
#include "skinctrls/bsSkinEdit.h"

#include "framework/Canvas.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"

#include <QApplication>
#include <algorithm>
#include <memory>

namespace {

const TColor Backdrop = RGB(248, 248, 250);

TMenuItem* Add(TMenuItem* parent, const QString& caption, const char* name = nullptr) {
    auto* item = new TMenuItem(parent);
    item->SetCaption(caption);
    if (name)
        item->SetName(QString::fromLatin1(name));
    parent->Add(item);
    return item;
}

// Normal, hot (the first item), shortcut, disabled, separator, checked, radio, submenu
// and the frame's named glyph items. Returns the item with the submenu.
TMenuItem* FillSampleMenu(TMenuItem* root) {
    Add(root, QStringLiteral("打开特效(&O)..."))->SetShortCut(ShortCut(Qt::Key_O, scCtrl));
    Add(root, QStringLiteral("保存特效(&S)"))->SetShortCut(ShortCut(Qt::Key_S, scCtrl));
    Add(root, QStringLiteral("粘贴代码(&P)"))->SetEnabled(false);
    Add(root, QStringLiteral("-"));
    Add(root, QStringLiteral("总在最前(&T)"))->SetChecked(true);
    TMenuItem* radio = Add(root, QStringLiteral("皮肤一(&1)"));
    radio->SetRadioItem(true);
    radio->SetChecked(true);
    TMenuItem* sub = Add(root, QStringLiteral("皮肤(&K)"));
    Add(sub, QStringLiteral("皮肤二(&2)"));
    Add(sub, QStringLiteral("皮肤三(&3)"));
    Add(root, QStringLiteral("-"));
    Add(root, QStringLiteral("还原(&R)"), "BSF_RESTORE");
    Add(root, QStringLiteral("最小化(&N)"), "BSF_MINITEM");
    Add(root, QStringLiteral("最小化到托盘"), "BSF_MINTOTRAY");
    Add(root, QStringLiteral("关闭(&C)"), "BSF_CLOSE")->SetShortCut(ShortCut(Qt::Key_F4, scAlt));
    return sub;
}

// Side by side with a gap.
TBitmap Beside(const std::vector<TBitmap>& parts, int gap) {
    int width = 0, height = 1;
    for (const TBitmap& b : parts) {
        width += b.Width() + gap;
        height = std::max(height, b.Height());
    }
    TBitmap joined(std::max(1, width - gap), height);
    joined.Canvas().Brush.Color = Backdrop;
    joined.Canvas().FillRect(TRect(0, 0, joined.Width(), height));
    int x = 0;
    for (const TBitmap& b : parts) {
        joined.Canvas().Draw(x, 0, b);
        x += b.Width() + gap;
    }
    return joined;
}

TBitmap Cut(const TBitmap& source, int top, int height) {
    TBitmap piece(source.Width(), std::max(1, height));
    piece.Canvas().CopyRect(TRect(0, 0, source.Width(), height),
                            const_cast<TBitmap&>(source).Canvas(),
                            TRect(0, top, source.Width(), top + height));
    return piece;
}

// The window's picture with its region cut out (the sheet shows outside the shape).
TBitmap Shaped(TbsSkinPopupWindow* window) {
    TBitmap picture = window->Snapshot();
    const QRegion mask = window->mask();
    if (!mask.isEmpty())
        for (int y = 0; y < picture.Height(); ++y)
            for (int x = 0; x < picture.Width(); ++x)
                if (!mask.contains(QPoint(x, y)))
                    picture.SetPixel(x, y, Backdrop);
    return picture;
}

struct TMenuPictures {
    TBitmap Sample;    // the menu as it opens, first item hot
    TBitmap Cascade;   // hot moved onto the submenu item, submenu open
    TBitmap Scrolling; // top and bottom of a scrolling menu, scrolling down
};

TMenuPictures ComposeMenus(TbsSkinData* skin) {
    TMenuPictures pictures;
    TForm form;
    TbsSkinMenu engine(&form);
    TPopupMenu menu;
    TMenuItem* submenuItem = FillSampleMenu(menu.Items());
    engine.PopupItems(nullptr, skin, false, menu.Items(), TRect(10, 10, 10, 10));
    TbsSkinPopupWindow* window = engine.Levels(0);
    pictures.Sample = Shaped(window);
    window->SetHot(window->IndexOfMenuItem(submenuItem), false);
    engine.MenuKeyDown(window, Qt::Key_Right);
    std::vector<TBitmap> cascade = {Shaped(window)};
    if (engine.LevelCount() > 1)
        cascade.push_back(Shaped(engine.Levels(1)));
    pictures.Cascade = Beside(cascade, 2);
    engine.CloseMenus();

    TPopupMenu tall;
    for (int i = 0; i < 80; ++i)
        Add(tall.Items(), QStringLiteral("特效 %1").arg(i + 1));
    engine.PopupItems(nullptr, skin, false, tall.Items(), TRect(10, 10, 10, 10));
    window = engine.Levels(0);
    const TRect items = window->FittedItemsRect();
    window->HoverAt(TPoint(items.Left + 20, items.Bottom - 3));
    for (int i = 0; i < 3; ++i)
        window->ScrollTick();
    const TBitmap whole = Shaped(window);
    const int piece = std::min(110, whole.Height() / 2);
    pictures.Scrolling =
        Beside({Cut(whole, 0, piece), Cut(whole, whole.Height() - piece, piece)}, 6);
    engine.CloseMenus();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return pictures;
}

// The context menu of an edit with part of its text selected.
TBitmap ComposeEditMenu(TbsSkinData* skin) {
    TForm form;
    auto* edit = new TbsSkinEdit(&form);
    edit->SetText(QStringLiteral("雪花飘落"));
    edit->SetSelStart(0);
    edit->SetSelLength(2);
    TbsSkinMenu engine(&form);
    std::unique_ptr<TPopupMenu> menu(BuildEditMenu(edit, edit->EditCommands()));
    engine.PopupItems(edit, skin, false, menu->Items(), TRect(10, 10, 10, 10));
    TBitmap picture = Shaped(engine.Levels(0));
    engine.CloseMenus();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return picture;
}

TBitmap ComposeHint(TbsSkinData* skin) {
    TForm form;
    TForm* previous = Application->MainForm();
    Application->SetMainForm(&form);
    auto* hint = new TbsSkinHint(&form);
    hint->SetSkinData(skin);
    hint->HintWindow()->ActivateHint(TRect(10, 10, 10, 10), QStringLiteral("最小化到系统托盘"));
    TBitmap picture = hint->HintWindow()->Snapshot();
    hint->HideHint();
    Application->SetMainForm(previous);
    return picture;
}

std::vector<TGalleryCell> MenuCells(TbsSkinData* skin) {
    const TMenuPictures menus = ComposeMenus(skin);
    return {
        PictureCell("popup menu: hot, shortcut, disabled, separator, checked, radio, submenu, "
                    "frame glyphs",
                    menus.Sample),
        PictureCell("cascade with the submenu open", menus.Cascade),
        PictureCell("scrolling menu: top and bottom, scrolling down", menus.Scrolling),
        PictureCell("edit context menu, part of the text selected", ComposeEditMenu(skin)),
        PictureCell("hint", ComposeHint(skin)),
    };
}

const bool Registered = [] {
    TGallerySection section;
    section.Order = 6;
    section.Title = QStringLiteral("Popup menus and hints");
    section.SkinCells = MenuCells;
    return GalleryRegistry::Add(std::move(section));
}();

} // namespace
