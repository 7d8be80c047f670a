#include "platform/InstanceChannel.h"

#include "platform/NamedMutex.h"

#include <QFile>
#include <QSocketNotifier>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const QByteArray ShowRequest = "show\n";

// The socket address of `path`; false when the path is too long for one.
bool SocketAddress(const QString& path, sockaddr_un& address) {
    const QByteArray bytes = QFile::encodeName(path);
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (bytes.size() >= static_cast<qsizetype>(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, bytes.constData(), bytes.size());
    return true;
}

} // namespace

QString InstanceChannelPath(const QString& name) {
    QString path = NamedMutexLockFile(name);
    path.chop(int(std::strlen(".lock")));
    return path + QStringLiteral(".socket");
}

TInstanceChannel::TInstanceChannel(QString path, int fd, std::function<void()> onShow)
    : FPath(std::move(path)), FFd(fd), FOnShow(std::move(onShow)),
      FNotifier(new QSocketNotifier(fd, QSocketNotifier::Read, this)) {
    connect(FNotifier, &QSocketNotifier::activated, this, [this] { AcceptRequests(); });
}

TInstanceChannel::~TInstanceChannel() {
    ::close(FFd);
    ::unlink(QFile::encodeName(FPath).constData());
}

std::unique_ptr<TInstanceChannel> TInstanceChannel::Listen(const QString& path,
                                                           std::function<void()> onShow) {
    sockaddr_un address;
    if (!SocketAddress(path, address))
        return nullptr;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return nullptr;
    ::unlink(address.sun_path);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, 4) != 0) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<TInstanceChannel>(new TInstanceChannel(path, fd, std::move(onShow)));
}

void TInstanceChannel::AcceptRequests() {
    for (;;) {
        const int client = ::accept4(FFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            return;
        // The request is a few bytes sent at once; a client that sends nothing soon is
        // dropped, so it cannot hold up the window.
        char buffer[16] = {};
        pollfd ready{client, POLLIN, 0};
        const ssize_t n =
            ::poll(&ready, 1, 200) == 1 ? ::recv(client, buffer, sizeof buffer - 1, 0) : 0;
        ::close(client);
        if (n > 0 && QByteArray(buffer, int(n)) == ShowRequest && FOnShow)
            FOnShow();
    }
}

bool TInstanceChannel::RequestShow(const QString& path) {
    sockaddr_un address;
    if (!SocketAddress(path, address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool sent =
        ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::send(fd, ShowRequest.constData(), ShowRequest.size(), MSG_NOSIGNAL) == ShowRequest.size();
    ::close(fd);
    return sent;
}
