#pragma once
// Whole-file replacement that is never seen half written, and the clean-up of what a killed
// writer leaves behind. The bytes go to a hidden temporary file in the same folder, named
// ".<name>.<8 hex digits>.tmp", which is flushed to disk and renamed over the name. While it
// is written the temporary file holds an exclusive lock, so another copy of the program can
// tell a file being written from one left by a writer that died.

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace AtomicFile {

// What a write does when the name is a symbolic link. Neither writes through the link: the
// file it points to is never touched.
enum class TLinks {
    ReplaceLink, // the link itself is replaced by the new file
    Refuse,      // nothing is written; the write fails with RefusedLink
};

// The error Write reports for a name that is a symbolic link under TLinks::Refuse.
inline constexpr int RefusedLink = -1;

// Replaces the content of `fileName` with `data`; an existing file keeps its permissions. On
// any failure the temporary file is removed and the file is left as it was. Returns 0, the
// system's error number, or RefusedLink.
int Write(const QString& fileName, const QByteArray& data, TLinks links = TLinks::ReplaceLink);

// Whether `name` (a file name without folder) has the form of our temporary files.
bool IsTemporaryName(const QString& name);

// Removes the temporary files of `folder` that were last changed before `before` and that no
// running writer holds; returns how many it removed. Other files are never touched.
int RemoveStaleTemporaries(const QString& folder, const QDateTime& before);

} // namespace AtomicFile
