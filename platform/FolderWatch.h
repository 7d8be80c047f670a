#pragma once
// Watching folders for changes of the files directly in them: created, deleted, renamed,
// written (also in place) or changed in their rights. The changes are collected by the
// system and taken when the caller asks, so a caller that looks before it answers sees every
// change made before that moment, without waiting for the event loop.

#include <QString>
#include <vector>

class TFolderWatch {
public:
    // One changed entry: the watched folder (as it was added) and the entry's name in it.
    // A change of the folder itself (deleted, moved away) has an empty name.
    struct Change {
        QString Folder;
        QString Name;
    };

    TFolderWatch();
    ~TFolderWatch();
    TFolderWatch(const TFolderWatch&) = delete;
    TFolderWatch& operator=(const TFolderWatch&) = delete;

    // Starts watching `folder`; false when it cannot be watched (missing, unreadable, no
    // more watches to be had). Adding a folder watched already does nothing.
    bool Add(const QString& folder);
    void Remove(const QString& folder);
    bool Watches(const QString& folder) const;

    // The changes since the last call, in the order they happened. `lost` is set when the
    // system dropped changes (its queue ran over): the caller must look at everything again.
    std::vector<Change> TakeChanges(bool& lost);

private:
    struct Watch {
        int Descriptor;
        QString Folder;
    };
    int FFd = -1;
    std::vector<Watch> FWatches;
};
