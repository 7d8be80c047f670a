#pragma once
// The temporary files that a copy of the program killed while it wrote a file leaves in the
// folders it writes (the settings file's folder, the preview folder, the effect library's
// category folders, the registry stand-in). Removed at start.

#include <QDateTime>
#include <QStringList>

namespace WriteLeftovers {

// The folders the program writes its files into.
QStringList Folders();

// When this process started: files changed later belong to a copy that runs now.
QDateTime ProcessStart();

// Removes the temporary files of Folders() older than `before` that no running copy is
// writing; returns how many it removed.
int RemoveStale(const QDateTime& before = ProcessStart());

} // namespace WriteLeftovers
