#pragma once
// A local socket beside the single-instance lock: the running copy listens on it, and a second
// start asks it to bring its window to the front (from the tray or from minimised) before the
// second copy ends. Only the lock's owner listens, so a stale socket file left by a copy that
// was killed is simply replaced.

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QSocketNotifier;

class TInstanceChannel : public QObject {
    Q_OBJECT
public:
    ~TInstanceChannel() override;

    // Listens at `path`; `onShow` runs on this thread for every request that arrives. Null
    // when the socket cannot be made (the lock still works without it).
    static std::unique_ptr<TInstanceChannel> Listen(const QString& path,
                                                    std::function<void()> onShow);
    // Asks the copy listening at `path` to show its window; false when none answers.
    static bool RequestShow(const QString& path);

    const QString& Path() const { return FPath; }

private:
    TInstanceChannel(QString path, int fd, std::function<void()> onShow);
    void AcceptRequests();

    QString FPath;
    int FFd;
    std::function<void()> FOnShow;
    QSocketNotifier* FNotifier;
};

// The socket that goes with the single-instance lock of `name`.
QString InstanceChannelPath(const QString& name);
