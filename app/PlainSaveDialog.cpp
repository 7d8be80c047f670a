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
    QFileDialog dialog(nullptr, Title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDirectory(InitialDir.isEmpty() ? Paths::GetCurrentDir() : InitialDir);
    const QStringList filters = NameFilters(Filter);
    dialog.setNameFilters(filters);
    if (FilterIndex >= 1 && FilterIndex <= filters.size())
        dialog.selectNameFilter(filters[FilterIndex - 1]);
    dialog.selectFile(FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    FileName = dialog.selectedFiles().constFirst();
    FilterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return true;
}
