#include "app/PlainOpenDialog.h"

#include <QApplication>
#include <QFileDialog>

namespace {
TPlainOpenDialog::TExecuteHook& ExecuteHook() {
    static TPlainOpenDialog::TExecuteHook hook;
    return hook;
}
} // namespace

void TPlainOpenDialog::SetExecuteHook(TExecuteHook hook) {
    ExecuteHook() = std::move(hook);
}

QStringList QtNameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << parts[i] + QStringLiteral(" (") + patterns + QStringLiteral(")");
    }
    return filters;
}

bool TPlainOpenDialog::Execute() {
    if (ExecuteHook())
        return ExecuteHook()(*this);
    QFileDialog dialog(QApplication::activeWindow(), Title);
    dialog.setFileMode(QFileDialog::ExistingFile);
    const QStringList filters = QtNameFilters(Filter);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty())
        dialog.selectNameFilter(filters.value(FilterIndex - 1, filters.first()));
    if (!FileName.isEmpty())
        dialog.selectFile(FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    FileName = dialog.selectedFiles().first();
    return true;
}
