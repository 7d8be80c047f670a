// Runs one skinned file dialog for people and on-screen tests to look at and drive.

#include "demo/DialogDemo.h"

#include "ToolCli.h"

#include "skin/bsSkinData.h"
#include "skinctrls/bsSkinButton.h"
#include "skinforms/bsSkinDialogs.h"
#include "skinctrls/bsSkinEdit.h"
#include "skinctrls/bsSkinShellCtrls.h"

#include "framework/Forms.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <memory>

namespace {

void LoadSkin(TbsSkinData& data, const QString& folder) {
    if (folder.isEmpty())
        return;
    try {
        data.LoadSkinFile(QDir(folder).filePath(QStringLiteral("skin.ini")));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zarvo-demo: %s\n", error.what());
    }
    if (data.SkinEmpty)
        std::fprintf(stderr, "zarvo-demo: no skin in %s, showing the default look\n",
                     qPrintable(folder));
}

// Prints where the parts an on-screen test clicks are (their top-left corners on the
// screen) and what the list shows, then "ready".
void PrintLayout(TbsOpenDlgForm& form) {
    auto print = [](const QString& name, const TControl* control, TPoint at = TPoint(0, 0)) {
        const TPoint p = control->ClientToScreen(at);
        std::printf("%s %d %d\n", qPrintable(name), p.X, p.Y);
    };
    print(QStringLiteral("edit"), form.FileNameEdit());
    print(QStringLiteral("up"), form.UpButton());
    print(QStringLiteral("back"), form.BackButton());
    print(QStringLiteral("newfolder"), form.NewFolderButton());
    for (int i = 0; i < 4; ++i)
        print(QStringLiteral("view%1").arg(i), form.ViewButton(static_cast<TbsDialogViewStyle>(i)));
    TbsSkinFileListView* list = form.FileList();
    for (int i = 0; i < list->FolderCount(); ++i) {
        const QString name = QFileInfo(list->Folders(i)->PathName()).fileName();
        std::printf("item %s\n", qPrintable(name));
        print(QStringLiteral("item:") + name, list, list->ItemRect(i).TopLeft());
    }
    std::printf("ready\n");
    std::fflush(stdout);
}

} // namespace

int RunDialogDemo(const TDialogDemoRun& run) {
    TbsSkinData skin;
    LoadSkin(skin, run.SkinFolder);
    std::unique_ptr<TbsSkinOpenDialog> dialog(run.Save ? new TbsSkinSaveDialog()
                                                       : new TbsSkinOpenDialog());
    dialog->SetSkinData(&skin);
    dialog->SetCtrlSkinData(&skin);
    dialog->InitialDir = run.InitialDir;
    dialog->FileName = run.FileName;
    if (!run.Filter.isEmpty())
        dialog->Filter = run.Filter;

    TbsSkinOpenDialog* running = dialog.get();
    QTimer::singleShot(700, [running] {
        if (TbsOpenDlgForm* form = running->RunningForm())
            PrintLayout(*form);
    });
    QString failure;
    if (run.QuitAfter >= 0) {
        QTimer::singleShot(run.QuitAfter, [running, &run, &failure] {
            TbsOpenDlgForm* form = running->RunningForm();
            if (!run.ScreenshotFile.isEmpty()) {
                QScreen* screen = QGuiApplication::primaryScreen();
                QPixmap shot = screen ? screen->grabWindow(0) : QPixmap();
                if (shot.isNull() && form)
                    shot = form->grab();
                try {
                    ToolCli::WriteAtomically(run.ScreenshotFile, [&](const QString& path) {
                        return shot.save(path, "PNG");
                    });
                } catch (const ToolCli::Failure& error) {
                    failure = error.Message;
                }
            }
            if (form)
                form->SetModalResult(mrCancel);
        });
    }
    const bool accepted = dialog->Execute();
    if (!failure.isEmpty())
        throw ToolCli::Failure{failure};
    if (!accepted) {
        std::printf("cancelled\n");
        std::fflush(stdout);
        return 3;
    }
    std::printf("accepted %s\n", qPrintable(dialog->FileName));
    for (int i = 0; i < dialog->Files()->Count(); ++i)
        std::printf("file %s\n", qPrintable(dialog->Files()->Strings(i)));
    std::fflush(stdout);
    return 0;
}
