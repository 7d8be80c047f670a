// Gallery section: the folder tree with its two bars, the file list in its four view styles
// (the report with a pressed column header), and the drive box, on a small folder made for
// the sheet.

#include "gallery/GalleryRegistry.h"

#include "skinctrls/bsSkinShellCtrls.h"

#include "framework/Forms.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>

namespace {

// A folder with a few subfolders and files of several kinds, made once. It has the same
// name on every run (the temporary folder's name is random), so the sheets are the same.
QString SampleFolder() {
    static QTemporaryDir folder;
    static const QString sample = folder.path() + QStringLiteral("/样例");
    static const bool made = [] {
        QDir dir(sample);
        dir.mkpath(sample);
        for (const char* name : {"特效", "音乐", "skins", "data", "zarvotemp", "图片"}) {
            dir.mkpath(QString::fromUtf8(name) + QStringLiteral("/sub"));
        }
        for (const char* name : {"雪花飘落.htm", "彩虹文字.htm", "背景音乐.mp3", "readme.txt",
                                 "zarvofx.Ini", "说明书.html", "封面.bmp", "archive.zip"}) {
            QFile file(dir.filePath(QString::fromUtf8(name)));
            if (file.open(QIODevice::WriteOnly))
                file.write(QByteArray(int(qHash(QByteArray(name)) % 5000), 'x'));
        }
        return true;
    }();
    (void)made;
    return sample;
}

// Two bars along the right and bottom edges of a w x h cell.
std::pair<TbsSkinScrollBar*, TbsSkinScrollBar*> MakeBars(TGalleryContext& ctx, int w, int h) {
    auto* v = new TbsSkinScrollBar(ctx.Form);
    v->SetKind(sbVertical);
    v->SetBounds(w - 19, 0, 19, h - 19);
    v->SetSkinData(ctx.SkinData);
    auto* hb = new TbsSkinScrollBar(ctx.Form);
    hb->SetKind(sbHorizontal);
    hb->SetBounds(0, h - 19, w, 19);
    hb->SetSkinData(ctx.SkinData);
    return {v, hb};
}

TGalleryCell TreeCell() {
    TGalleryCell cell{"folder tree", 200, 160, {}};
    cell.Build = [=](TGalleryContext& ctx) {
        auto* tree = new TbsSkinDirTreeView(ctx.Form);
        tree->SetBounds(0, 0, cell.Width - 19, cell.Height - 19);
        auto [v, h] = MakeBars(ctx, cell.Width, cell.Height);
        tree->SetVScrollBar(v);
        tree->SetHScrollBar(h);
        tree->SetObjectTypes(otFolders | otHidden);
        tree->SetSkinData(ctx.SkinData);
        ctx.Form->Show();
        tree->SetRoot(SampleFolder());
        tree->GoToPath(SampleFolder() + QStringLiteral("/音乐/sub"));
        ctx.Settle();
        tree->SyncScrollBars();
    };
    return cell;
}

TGalleryCell ListCell(const QString& label, TViewStyle style, bool pressHeader = false) {
    TGalleryCell cell{label, 260, 150, {}};
    cell.Build = [=](TGalleryContext& ctx) {
        auto* list = new TbsSkinFileListView(ctx.Form);
        list->SetBounds(0, 0, cell.Width - 19, cell.Height - 19);
        auto [v, h] = MakeBars(ctx, cell.Width, cell.Height);
        list->SetVScrollBar(v);
        list->SetHScrollBar(h);
        list->SetSkinData(ctx.SkinData);
        list->SetViewStyle(style);
        ctx.Form->Show();
        list->SetPath(SampleFolder());
        list->SetItemIndex(7);
        ctx.Settle();
        list->SyncScrollBars();
        if (pressHeader) {
            QWidget* header = list->Header()->viewport();
            const QPoint p(list->Header()->SectionRect(1).Left + 10, 5);
            QMouseEvent press(QEvent::MouseButtonPress, QPointF(p), QPointF(header->mapToGlobal(p)),
                              Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(header, &press);
        }
    };
    return cell;
}

TGalleryCell DriveCell() {
    TGalleryCell cell{"drive box", 190, 22, {}};
    cell.Build = [=](TGalleryContext& ctx) {
        auto* drives = new TbsSkinShellDriveComboBox(ctx.Form);
        drives->SetBounds(0, 0, cell.Width, cell.Height);
        drives->SetSkinData(ctx.SkinData);
        drives->SelectDrive(QStringLiteral("/"));
    };
    return cell;
}

std::vector<TGalleryCell> ShellViewCells() {
    return {TreeCell(),
            ListCell("list", vsList),
            ListCell("small icons", vsSmallIcon),
            ListCell("icons", vsIcon),
            ListCell("report", vsReport),
            ListCell("report, header pressed", vsReport, true),
            DriveCell()};
}

const bool Registered = GalleryRegistry::Add({45, "Shell folder views", ShellViewCells});

} // namespace
