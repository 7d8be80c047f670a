#include "app/WriteLeftovers.h"

#include "app/PreviewSetup.h"
#include "platform/AtomicFile.h"
#include "platform/Paths.h"
#include "platform/RegistryStore.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace WriteLeftovers {
namespace {

// Every folder below `root`, `root` included, without following links.
void AddTree(const QString& root, QStringList& folders) {
    if (!QFileInfo(root).isDir())
        return;
    folders << root;
    QDirIterator it(root, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        folders << it.next();
}

// Taken when the program is loaded, before any file is written.
const QDateTime StartTime = QDateTime::currentDateTime();

} // namespace

QStringList Folders() {
    QStringList folders;
    folders << Paths::ExtractFilePath(Paths::SettingsFilePath());
    folders << Paths::ExtractFilePath(PreviewFilePath());
    const QString library = Paths::ProgramFolder() + QStringLiteral("data");
    if (QFileInfo(library).isDir()) {
        folders << library;
        for (const QString& category :
             QDir(library).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks))
            folders << library + QLatin1Char('/') + category;
    }
    AddTree(RegistryStore::DefaultRootFolder(), folders);
    folders.removeDuplicates();
    return folders;
}

QDateTime ProcessStart() {
    return StartTime;
}

int RemoveStale(const QDateTime& before) {
    int removed = 0;
    for (const QString& folder : Folders())
        removed += AtomicFile::RemoveStaleTemporaries(folder, before);
    return removed;
}

} // namespace WriteLeftovers
