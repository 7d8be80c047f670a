#pragma once
// A plain open dialog with the properties of the skinned one (title, "|"-separated filter,
// one-based filter index, file name, Execute), on QFileDialog. It stands in where the
// skinned open dialog is not on the window yet.
//
// Tests answer it through SetExecuteHook: while a hook is set, Execute hands the dialog to
// it instead of showing anything, and the hook's answer is Execute's result.

#include "framework/Classes.h"

#include <QString>
#include <functional>

class TPlainOpenDialog : public TComponent {
    Q_OBJECT
public:
    explicit TPlainOpenDialog(QObject* owner = nullptr) : TComponent(owner) {}

    QString Title;
    // "description|patterns|description|patterns…", patterns separated by ";".
    QString Filter;
    int FilterIndex = 1;
    QString FileName;

    // True with FileName set when the user chose a file; false when cancelled.
    bool Execute();

    using TExecuteHook = std::function<bool(TPlainOpenDialog& dialog)>;
    static void SetExecuteHook(TExecuteHook hook);
};

// The filter in QFileDialog's form: "description (patterns);;…", and the one at the
// one-based index (the first when out of range).
QStringList QtNameFilters(const QString& filter);
