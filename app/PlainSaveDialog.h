#pragma once
// A save dialog with the skinned save dialog's interface, on the desktop's file dialog. The
// main window runs its "保存特效" through this until the skinned one takes its place.

#include "framework/Classes.h"

#include <QString>

class QWidget;

class TPlainSaveDialog : public TComponent {
    Q_OBJECT
public:
    explicit TPlainSaveDialog(QObject* owner = nullptr);

    QString Title() const { return FTitle; }
    void SetTitle(const QString& value) { FTitle = value; }
    // "description|pattern|description|pattern..." pairs.
    QString Filter() const { return FFilter; }
    void SetFilter(const QString& value) { FFilter = value; }
    // 1-based, as the filter pairs are counted.
    int FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int value) { FFilterIndex = value; }
    // The preset name before Execute, the chosen path after it.
    QString FileName() const { return FFileName; }
    void SetFileName(const QString& value) { FFileName = value; }
    // Where the dialog opens; empty: the current folder.
    QString InitialDir() const { return FInitialDir; }
    void SetInitialDir(const QString& value) { FInitialDir = value; }

    // Runs the dialog modally; true when the user chose a path.
    bool Execute();

private:
    QString FTitle;
    QString FFilter;
    int FFilterIndex = 1;
    QString FFileName;
    QString FInitialDir;
};
