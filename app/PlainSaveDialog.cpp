#include "app/PlainSaveDialog.h"

#include "platform/Paths.h"

#include <QFileDialog>

namespace {
// "网页文件|*.htm" -> "网页文件 (*.htm)", one entry per pair.
QStringList NameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i] + QStringLiteral(" (") +
                       QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')) +
                       QLatin1Char(')');
    return filters;
}
} // namespace

TPlainSaveDialog::TPlainSaveDialog(QObject* owner) : TComponent(owner) {}

bool TPlainSaveDialog::Execute() {
    QFileDialog dialog(nullptr, FTitle);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDirectory(FInitialDir.isEmpty() ? Paths::GetCurrentDir() : FInitialDir);
    const QStringList filters = NameFilters(FFilter);
    dialog.setNameFilters(filters);
    if (FFilterIndex >= 1 && FFilterIndex <= filters.size())
        dialog.selectNameFilter(filters[FFilterIndex - 1]);
    dialog.selectFile(FFileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    FFileName = dialog.selectedFiles().constFirst();
    FFilterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return true;
}
