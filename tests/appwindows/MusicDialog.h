#pragma once
// Answers the main window's music dialog: the next run of it chooses `path` from the list of
// its folder (all files shown), or is cancelled when `path` is empty. The run's title,
// filter, filter index and start folder are kept for checks.

#include "app/Unit1.h"
#include "skinforms/bsSkinDialogs.h"
#include "skinctrls/bsSkinShellCtrls.h"

#include <QFileInfo>
#include <QTimer>

struct TMusicDialogRun {
    QString Title;
    QString Filter;
    int FilterIndex = 0;
    bool Accepted = false;
    // The folder the dialog showed when it opened.
    QString StartFolder;
};

inline TMusicDialogRun ChooseMusic(TForm1* form, const QString& path) {
    TbsSkinOpenDialog* dialog = form->bsSkinOpenDialog1;
    TMusicDialogRun run;
    run.Title = dialog->Title;
    run.Filter = dialog->Filter;
    run.FilterIndex = dialog->FilterIndex;
    if (!path.isEmpty()) {
        dialog->FileName.clear();
        dialog->FilterIndex = 5; // "所有文件": the list shows every file
    }
    QTimer::singleShot(0, [dialog, path, &run] {
        TbsOpenDlgForm* running = dialog->RunningForm();
        if (!running)
            return;
        run.StartFolder = running->CurrentFolder();
        if (!path.isEmpty())
            running->GoToFolder(QFileInfo(path).path());
        TbsSkinFileListView* list = running->FileList();
        for (int i = 0; !path.isEmpty() && i < list->FolderCount(); ++i)
            if (QFileInfo(list->Folders(i)->PathName()).fileName() == QFileInfo(path).fileName()) {
                list->SetItemIndex(i);
                running->Accept();
                run.Accepted = running->ModalResult() != mrNone;
                break;
            }
        if (running->ModalResult() == mrNone)
            running->SetModalResult(mrCancel);
    });
    form->N16->Click();
    return run;
}
