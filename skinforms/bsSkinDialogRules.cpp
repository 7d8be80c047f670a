// The dialogs' rules: start place, Enter, accept, history, New folder, remembered sizes.

#include "skinforms/bsSkinDialogRules.h"

#include "platform/Errors.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <sys/stat.h>

namespace {

QString WithSlashes(const QString& text) {
    return Paths::ToNativeSeparators(text);
}

bool HasSeparator(const QString& text) {
    return text.contains(QLatin1Char('/')) || text.contains(QLatin1Char('\\'));
}

} // namespace

QString NewFolderName() {
    return QStringLiteral("新建文件夹");
}

QString JoinDialogPath(const QString& folder, const QString& name) {
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

TbsDialogStart DialogStart(const QString& fileName, const QString& initialDir,
                           const QString& programFolder) {
    const QString path = WithSlashes(fileName);
    if (HasSeparator(path)) {
        QString folder = Paths::ExtractFilePath(path);
        if (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
            folder.chop(1);
        return {folder, Paths::ExtractFileName(path)};
    }
    QString folder = initialDir.isEmpty() ? programFolder : WithSlashes(initialDir);
    if (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return {folder, fileName};
}

TbsEnterDecision DecideEnter(const QString& text, const QString& currentFolder,
                             const std::function<bool(const QString&)>& folderExists) {
    if (text.contains(QLatin1Char('*')))
        return {TbsEnterAction::SetMask, text};
    if (!HasSeparator(text))
        return {TbsEnterAction::Accept, QString()};
    QString folder = WithSlashes(text);
    if (!QDir::isAbsolutePath(folder))
        folder = JoinDialogPath(currentFolder, folder);
    folder = QDir::cleanPath(folder);
    if (!folderExists(folder))
        return {TbsEnterAction::Ignore, folder};
    return {TbsEnterAction::GoToFolder, folder};
}

TbsAcceptDecision DecideAccept(TbsDialogMode mode, const QString& editText,
                               const QString& currentFolder, const QString& selectedFile,
                               const std::function<bool(const QString&)>& fileExists) {
    TbsAcceptDecision decision;
    if (mode == TbsDialogMode::Save) {
        if (editText.isEmpty())
            return decision;
        // A typed absolute path names the file itself, not one below the current folder.
        const QString typed = WithSlashes(editText);
        decision.Result =
            typed.startsWith(QLatin1Char('/')) ? typed : JoinDialogPath(currentFolder, typed);
        decision.Close = !editText.contains(QLatin1Char('*'));
        return decision;
    }
    if (selectedFile.isEmpty())
        return decision;
    if (fileExists(selectedFile)) {
        decision.Result = selectedFile;
        decision.Close = true;
    }
    return decision;
}

void TbsFolderHistory::Visit(const QString& folder) {
    if (!FFolders.isEmpty() && FFolders.last() == folder)
        return;
    FFolders.append(folder);
}

std::optional<QString> TbsFolderHistory::Back() {
    if (FFolders.size() <= 2)
        return std::nullopt;
    FFolders.removeLast();
    return FFolders.last();
}

bool CreateNewFolder(const QString& folder) {
    const QString path = JoinDialogPath(folder, NewFolderName());
    if (QFileInfo::exists(path))
        return false;
    if (::mkdir(QFile::encodeName(path).constData(), 0777) != 0)
        throw EInOutError(SysErrorMessage(errno), errno);
    return true;
}

QSize TbsDialogMemory::StartClientSize(int minWidth, int minHeight) const {
    const QSize size = ClientSize.value_or(QSize(FirstClientWidth, FirstClientHeight));
    return QSize(std::max(size.width(), minWidth), std::max(size.height(), minHeight));
}
