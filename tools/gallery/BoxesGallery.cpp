// Gallery sections: the skinned edit, memos, list box, combo box and file list box in
// their usual states.

#include "gallery/GalleryRegistry.h"

#include "skinctrls/bsSkinBoxCtrls.h"
#include "skinctrls/bsfilectrl.h"

#include "framework/Forms.h"
#include "platform/Paths.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QTemporaryDir>

namespace {

const char* const Categories[] = {"更新特效",     "窗口特效系列", "链接特效系列", "时间特效系列",
                                  "文字特效系列", "鼠标特效系列", "图片特效系列", "网页特效系列",
                                  "密码特效系列", "危险特效系列", "黑客特效系列", "娱乐特效系列"};

const char* const CodeSample = "<script language=\"JavaScript\">\n"
                               "// 雪花飘落特效\n"
                               "var snow = 40;\n"
                               "for (var i = 0; i < snow; ++i) {\n"
                               "  document.write('<div id=\"s' + i + '\">*</div>');\n"
                               "}\n";

// A small page glyph for list items: a white sheet with a folded corner and blue lines.
TImageList* PageImages(QObject* owner) {
    auto* images = new TImageList(owner);
    images->SetSize(16, 16);
    TBitmap glyph(16, 16);
    TCanvas& c = glyph.Canvas();
    c.Brush.Color = clFuchsia;
    c.FillRect(TRect(0, 0, 16, 16));
    c.Brush.Color = clWhite;
    c.Pen.Color = RGB(70, 90, 140);
    c.Polygon({TPoint(2, 1), TPoint(10, 1), TPoint(13, 4), TPoint(13, 14), TPoint(2, 14)});
    for (int y = 5; y <= 11; y += 3) {
        c.MoveTo(4, y);
        c.LineTo(11, y);
    }
    images->AddMasked(glyph, clFuchsia);
    return images;
}

void SendMouse(QWidget* widget, QEvent::Type type, const QPoint& p) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(p), QPointF(widget->mapToGlobal(p)), button,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

TGalleryCell EditCell(const QString& label, bool button, int state) {
    TGalleryCell cell{label, 170, 26, {}};
    cell.Build = [=](TGalleryContext& ctx) {
        auto* edit = new TbsSkinEdit(ctx.Form);
        edit->SetBounds(0, 0, 170, 20);
        edit->SetButtonMode(button);
        edit->SetSkinData(ctx.SkinData);
        edit->SetText(QStringLiteral("雪花飘落"));
        if (state == 1)
            ctx.Focus(edit);
        if (state == 2)
            edit->SetEnabled(false);
        if (state == 3) {
            const TRect r = edit->ButtonRect();
            SendMouse(edit, QEvent::MouseMove, QPoint(r.Left + 3, r.Top + 3));
        }
    };
    return cell;
}

std::vector<TGalleryCell> EditCells() {
    return {EditCell("normal", false, 0),    EditCell("focused", false, 1),
            EditCell("disabled", false, 2),  EditCell("button", true, 0),
            EditCell("button hot", true, 3), EditCell("button disabled", true, 2)};
}

TGalleryCell MemoCell(const QString& label, bool framed, int scrollTo) {
    TGalleryCell cell{label, 240, 120, {}};
    cell.Build = [=](TGalleryContext& ctx) {
        QString text;
        for (int i = 0; i < 6; ++i)
            text += QString::fromUtf8(CodeSample);
        if (framed) {
            auto* memo = new TbsSkinMemo(ctx.Form);
            memo->SetBounds(0, 0, 221, 120);
            memo->SetSkinData(ctx.SkinData);
            memo->SetText(text);
            auto* bar = new TbsSkinScrollBar(ctx.Form);
            bar->SetKind(sbVertical);
            bar->SetBounds(221, 0, 19, 120);
            bar->SetSkinDataName(QStringLiteral("vscrollbar"));
            bar->SetSkinData(ctx.SkinData);
            memo->SetVScrollBar(bar);
            bar->SetPosition(scrollTo);
            return;
        }
        auto* memo = new TbsSkinMemo2(ctx.Form);
        memo->SetBounds(0, 0, 221, 120);
        memo->SetSkinData(ctx.SkinData);
        memo->SetText(text);
        auto* bar = new TbsSkinScrollBar(ctx.Form);
        bar->SetKind(sbVertical);
        bar->SetBounds(221, 0, 19, 120);
        bar->SetSkinDataName(QStringLiteral("vscrollbar"));
        bar->SetSkinData(ctx.SkinData);
        memo->SetVScrollBar(bar);
        bar->SetPosition(scrollTo);
    };
    return cell;
}

std::vector<TGalleryCell> MemoCells() {
    return {MemoCell("code memo, top", false, 0), MemoCell("scrolled by its bar", false, 12),
            MemoCell("framed memo", true, 3)};
}

TGalleryCell ListCell(const QString& label, int items, bool wide, bool focused,
                      bool caption = false) {
    TGalleryCell cell{label, 170, 150, {}};
    cell.Build = [=](TGalleryContext& ctx) {
        auto* list = new TbsSkinListBox(ctx.Form);
        if (caption) {
            list->SetSkinDataName(QStringLiteral("captionlistbox"));
            list->SetCaptionMode(true);
            list->SetCaption(QStringLiteral("特效类别"));
        }
        list->SetBounds(0, 0, 170, 150);
        list->SetSkinData(ctx.SkinData);
        list->SetImages(PageImages(ctx.Form));
        list->SetImageIndex(0);
        for (int i = 0; i < items; ++i)
            list->Items()->Add(QString::fromUtf8(Categories[i % 12]));
        if (wide) {
            list->Items()->Add(QStringLiteral("一个很长很长的特效名称，比列表还宽"));
            list->SetHorizontalExtent(true);
        }
        list->SyncListBars();
        list->SetItemIndex(2);
        if (focused)
            ctx.Focus(list->InnerList());
    };
    return cell;
}

std::vector<TGalleryCell> ListCells() {
    return {ListCell("images, selected", 5, false, false), ListCell("focused", 5, false, true),
            ListCell("vertical bar", 12, false, false), ListCell("both bars", 12, true, false),
            ListCell("caption bar", 5, false, false, true)};
}

TbsSkinComboBox* MakeCombo(TGalleryContext& ctx, bool editStyle) {
    auto* combo = new TbsSkinComboBox(ctx.Form);
    combo->SetBounds(0, 0, 169, 20);
    for (const char* name : Categories)
        combo->Items()->Add(QString::fromUtf8(name));
    combo->SetImages(PageImages(ctx.Form));
    combo->SetImageIndex(0);
    if (editStyle)
        combo->SetStyle(bscbEditStyle);
    combo->SetSkinData(ctx.SkinData);
    return combo;
}

std::vector<TGalleryCell> ComboCells() {
    std::vector<TGalleryCell> cells;
    cells.push_back(
        {"closed", 170, 24, [](TGalleryContext& ctx) { MakeCombo(ctx, false)->SetItemIndex(4); }});
    cells.push_back({"focused", 170, 24, [](TGalleryContext& ctx) {
                         auto* combo = MakeCombo(ctx, false);
                         combo->SetItemIndex(4);
                         ctx.Focus(combo);
                     }});
    cells.push_back({"edit style, typed", 170, 24, [](TGalleryContext& ctx) {
                         auto* combo = MakeCombo(ctx, true);
                         combo->SetText(QStringLiteral("请选择特效类别"));
                         combo->InnerEdit()->SetText(QStringLiteral("文字"));
                     }});
    cells.push_back({"edit style, focused", 170, 24, [](TGalleryContext& ctx) {
                         auto* combo = MakeCombo(ctx, true);
                         combo->SetItemIndex(1);
                         ctx.Focus(combo);
                     }});
    cells.push_back({"dropped down", 170, 200, [](TGalleryContext& ctx) {
                         auto* combo = MakeCombo(ctx, true);
                         combo->SetItemIndex(1);
                         ctx.Focus(combo);
                         combo->DropDown();
                         combo->DropList()->SetItemIndex(3);
                         // The drop list is a window of its own: its picture is put
                         // where it opens.
                         auto* shot = new QLabel(ctx.Form->ClientArea());
                         shot->setPixmap(combo->DropList()->grab());
                         shot->setGeometry(0, 20, combo->DropList()->width(),
                                           combo->DropList()->height());
                         shot->show();
                         combo->CloseUp(false);
                     }});
    cells.push_back({"disabled", 170, 24, [](TGalleryContext& ctx) {
                         auto* combo = MakeCombo(ctx, false);
                         combo->SetItemIndex(0);
                         combo->SetEnabled(false);
                     }});
    return cells;
}

std::vector<TGalleryCell> FileListCells() {
    return {{"effect folder, \"*.\"", 170, 150, [](TGalleryContext& ctx) {
                 static QTemporaryDir folder;
                 for (const char* name : {"雪花飘落", "彩虹文字", "时钟", "跟随鼠标的星星",
                                          "readme.txt", "页面.htm"}) {
                     QFile file(folder.path() + QLatin1Char('/') + QString::fromUtf8(name));
                     if (file.open(QIODevice::WriteOnly))
                         file.write("x");
                 }
                 const QString saved = Paths::GetCurrentDir();
                 auto* list = new TbsSkinFileListBox(ctx.Form);
                 list->SetBounds(0, 0, 170, 150);
                 list->SetSkinData(ctx.SkinData);
                 list->SetImages(PageImages(ctx.Form));
                 list->SetImageIndex(0);
                 ctx.Form->Show();
                 list->SetMask(QStringLiteral("*."));
                 list->OpenPath(folder.path() + QLatin1Char('/'));
                 list->SetItemIndex(1);
                 Paths::SetCurrentDir(saved);
             }}};
}

const bool Registered = GalleryRegistry::Add({40, "Edits", EditCells}) &&
                        GalleryRegistry::Add({41, "Memos with their external bar", MemoCells}) &&
                        GalleryRegistry::Add({42, "List boxes", ListCells}) &&
                        GalleryRegistry::Add({43, "Combo boxes", ComboCells}) &&
                        GalleryRegistry::Add({44, "File list box", FileListCells});

} // namespace
