#pragma once
// A save dialog with the skinned save dialog's interface, on the desktop's file dialog. The
// main window runs its "保存特效" through this until the skinned one takes its place.

#include "framework/Classes.h"

#include <QString>

class TbsSkinData;

class TPlainSaveDialog : public TComponent {
    Q_OBJECT
public:
    explicit TPlainSaveDialog(QObject* owner = nullptr);

    QString Title;
    // Pairs of description and mask, all separated by "|".
    QString Filter;
    // One-based; after every run the filter the user left selected.
    int FilterIndex = 1;
    // The preset name or path; after an accepted run the chosen full path.
    QString FileName;
    // The folder to start in; empty: the current folder.
    QString InitialDir;

    // The desktop's dialog takes no skin.
    void SetSkinData(TbsSkinData*) {}
    void SetCtrlSkinData(TbsSkinData*) {}

    // Runs the dialog modally; true when the user chose a path.
    bool Execute();
};
