#include "platform/FolderWatch.h"

#include "platform/Paths.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

constexpr uint32_t WatchedEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                   IN_CLOSE_WRITE | IN_MODIFY | IN_ATTRIB | IN_DELETE_SELF |
                                   IN_MOVE_SELF | IN_ONLYDIR;

} // namespace

TFolderWatch::TFolderWatch() : FFd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

TFolderWatch::~TFolderWatch() {
    if (FFd >= 0)
        ::close(FFd);
}

bool TFolderWatch::Add(const QString& folder) {
    if (Watches(folder))
        return true;
    if (FFd < 0)
        return false;
    const int wd = inotify_add_watch(FFd, Paths::EncodeName(folder).constData(), WatchedEvents);
    if (wd < 0)
        return false;
    // The system hands out one descriptor per folder, so a second name for a folder (a link)
    // replaces the first.
    std::erase_if(FWatches, [wd](const Watch& w) { return w.Descriptor == wd; });
    FWatches.push_back({wd, folder});
    return true;
}

void TFolderWatch::Remove(const QString& folder) {
    auto it = std::find_if(FWatches.begin(), FWatches.end(),
                           [&](const Watch& w) { return w.Folder == folder; });
    if (it == FWatches.end())
        return;
    inotify_rm_watch(FFd, it->Descriptor);
    FWatches.erase(it);
}

bool TFolderWatch::Watches(const QString& folder) const {
    return std::any_of(FWatches.begin(), FWatches.end(),
                       [&](const Watch& w) { return w.Folder == folder; });
}

std::vector<TFolderWatch::Change> TFolderWatch::TakeChanges(bool& lost) {
    lost = false;
    std::vector<Change> changes;
    if (FFd < 0)
        return changes;
    alignas(inotify_event) std::array<char, 16384> buffer;
    for (;;) {
        const ssize_t length = ::read(FFd, buffer.data(), buffer.size());
        if (length <= 0)
            break;
        for (ssize_t at = 0; at < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + at);
            at += ssize_t(sizeof(inotify_event)) + event->len;
            if (event->mask & IN_Q_OVERFLOW) {
                lost = true;
                continue;
            }
            auto watch = std::find_if(FWatches.begin(), FWatches.end(),
                                      [&](const Watch& w) { return w.Descriptor == event->wd; });
            if (watch == FWatches.end())
                continue;
            const QString name =
                event->len ? Paths::DecodeName(QByteArray(event->name)) : QString();
            changes.push_back({watch->Folder, name});
            // The folder is gone; the system forgets its watch.
            if (event->mask & IN_IGNORED)
                FWatches.erase(watch);
        }
    }
    return changes;
}
