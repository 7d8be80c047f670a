#pragma once
// Finding the entries of one folder by wildcard pattern and attributes, with the
// rules of the Windows file search the program was written for:
//  - "*" matches any run of characters, "?" one character (or none at the end of a
//    name or before a dot), "." followed only by "*" also matches the end of a name,
//    so "*.*" matches every name and "snow.*" matches "snow";
//  - a pattern ending in "." matches names without an extension: "*." matches "snow"
//    but not "snow.htm";
//  - several patterns may be joined by ";" (blanks around each are ignored);
//  - matching ignores case, as on Windows, although Linux file names are
//    case-sensitive: "*.HTM" finds "page.htm".

#include <QDateTime>
#include <QString>
#include <vector>

// Attribute bits of a found entry and of a search mask.
enum FileAttribute : unsigned {
    faReadOnly = 0x01,  // the current user has no write permission
    faHidden = 0x02,    // the name starts with a dot
    faSysFile = 0x04,   // not a regular file or folder: device, pipe, socket
    faVolumeID = 0x08,  // never set on Linux
    faDirectory = 0x10, // a folder
    faArchive = 0x20,   // never set on Linux
    faAnyFile = 0x3F,
};

struct FoundFile {
    QString Name;      // name only, no folder
    qint64 Size = 0;   // bytes; 0 for folders
    unsigned Attr = 0; // FileAttribute bits
    QDateTime Time;    // last modification, local time
};

namespace FileSearch {

// True when `name` matches one of the ";"-separated patterns.
bool MatchesMask(const QString& name, const QString& patterns);

// The entries of `folder` matching `patterns`. Hidden, system and folder entries are
// found only when their bit is in `attributes`; plain and read-only files always.
// "." and ".." and links that lead nowhere are skipped; each entry appears once even
// when several patterns match it. The result is sorted by name, ignoring case.
// A folder that cannot be read raises EInOutError with the system's error text.
std::vector<FoundFile> FindFiles(const QString& folder, const QString& patterns,
                                 unsigned attributes);
// The same entries for listings that need only names and kinds: most entries' kinds come
// from the folder itself without looking at each one, so Size and Time stay empty and
// faReadOnly is set only with `withReadOnly`. Much faster on large folders.
std::vector<FoundFile> FindNames(const QString& folder, const QString& patterns,
                                 unsigned attributes, bool withReadOnly);

} // namespace FileSearch
