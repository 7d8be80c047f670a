#pragma once
// The per-user program folder of an installation the user may not write. It holds what the
// program writes (settings file, installation marker, effect library, preview folder); the
// installed folder keeps the rest. Each start brings the shipped library in: effects the user
// never had are added, shipped effects the user left unchanged follow the installed ones, and
// whatever the user added, changed or deleted stays so. A manifest of what was shipped (hash
// and name of each effect) tells the user's own changes from the shipped state.

#include <QString>

namespace UserFolder {

// The manifest's name inside the per-user folder.
inline constexpr char ManifestName[] = "shipped-effects.lst";

// What one update of the library did.
struct TLibraryUpdate {
    int added = 0;   // shipped effects the user folder did not have
    int updated = 0; // unchanged shipped effects replaced by the installed version
    int kept = 0;    // effects the user changed, deleted or owns under a shipped name
    QString error;   // the first file that could not be written, with the system's reason
};

// Brings the library `installedData` (category folders of effect files) into `userData`
// under the rules above, reading and rewriting the manifest `manifest`. A manifest that is
// missing or damaged never costs a user's file: an effect whose content differs from the
// shipped one is then kept as the user's.
TLibraryUpdate UpdateLibrary(const QString& installedData, const QString& userData,
                             const QString& manifest);

// Makes `userFolder` a program folder for the installation in `installedFolder`: the folder,
// its preview folder, a copy of the installation marker when it has none, and the library.
// Returns an empty text or the reason it failed.
QString Prepare(const QString& installedFolder, const QString& userFolder);

// Prepares this run's program folder when it is a per-user one; a failure is told on the
// standard error (the start then goes on, and the missing marker is reported as usual).
void PrepareForThisRun();

} // namespace UserFolder
