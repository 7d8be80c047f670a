#include "framework/Streams.h"
#include "platform/Paths.h"

#include "framework/Exceptions.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int64_t TStream::Size() {
    int64_t pos = Seek(0, TSeekOrigin::soCurrent);
    int64_t size = Seek(0, TSeekOrigin::soEnd);
    Seek(pos, TSeekOrigin::soBeginning);
    return size;
}

void TStream::SetSize(int64_t) {
    throw EStreamError(QStringLiteral("Stream size cannot be changed"));
}

void TStream::ReadBuffer(void* buffer, int64_t count) {
    if (count > 0 && Read(buffer, count) != count)
        throw EReadError(QStringLiteral("Stream read error"));
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
    if (count > 0 && Write(buffer, count) != count)
        throw EWriteError(QStringLiteral("Stream write error"));
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    char buffer[65536];
    int64_t left = count;
    while (left > 0) {
        int64_t n = std::min<int64_t>(left, sizeof buffer);
        source.ReadBuffer(buffer, n);
        WriteBuffer(buffer, n);
        left -= n;
    }
    return count;
}

int32_t TStream::ReadInt32() {
    unsigned char b[4];
    ReadBuffer(b, 4);
    return static_cast<int32_t>(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 |
                                uint32_t(b[3]) << 24);
}

uint8_t TStream::ReadByte() {
    uint8_t b;
    ReadBuffer(&b, 1);
    return b;
}

void TStream::WriteInt32(int32_t value) {
    uint32_t v = static_cast<uint32_t>(value);
    unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                          static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
    WriteBuffer(b, 4);
}

void TStream::WriteByte(uint8_t value) {
    WriteBuffer(&value, 1);
}

// ---- TMemoryStream

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
    if (count <= 0 || FPosition >= FData.size())
        return 0;
    int64_t n = std::min<int64_t>(count, FData.size() - FPosition);
    std::memcpy(buffer, FData.constData() + FPosition, n);
    FPosition += n;
    return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
    if (count <= 0)
        return 0;
    int64_t end = FPosition + count;
    if (end > FData.size())
        FData.resize(end);
    std::memcpy(FData.data() + FPosition, buffer, count);
    FPosition = end;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = origin == TSeekOrigin::soBeginning ? 0
                   : origin == TSeekOrigin::soCurrent ? FPosition
                                                      : FData.size();
    FPosition = std::max<int64_t>(0, base + offset);
    return FPosition;
}

void TMemoryStream::SetSize(int64_t newSize) {
    FData.resize(std::max<int64_t>(0, newSize));
    FPosition = std::min<int64_t>(FPosition, FData.size());
}

void TMemoryStream::Clear() {
    FData.clear();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
    stream.SetPosition(0);
    int64_t size = stream.Size();
    FData.resize(size);
    stream.ReadBuffer(FData.data(), size);
    FPosition = 0;
}

void TMemoryStream::LoadFromFile(const QString& fileName) {
    TFileStream file(fileName, TFileMode::fmOpenRead);
    LoadFromStream(file);
}

void TMemoryStream::SaveToStream(TStream& stream) {
    stream.WriteBuffer(FData.constData(), FData.size());
}

void TMemoryStream::SaveToFile(const QString& fileName) {
    TFileStream file(fileName, TFileMode::fmCreate);
    SaveToStream(file);
}

// ---- TFileStream

TFileStream::TFileStream(const QString& fileName, TFileMode mode) : FFileName(fileName) {
    QByteArray path = Paths::EncodeName(fileName);
    int flags = O_CLOEXEC;
    switch (mode) {
    case TFileMode::fmOpenRead:
        flags |= O_RDONLY;
        break;
    case TFileMode::fmOpenWrite:
        flags |= O_WRONLY;
        break;
    case TFileMode::fmOpenReadWrite:
        flags |= O_RDWR;
        break;
    case TFileMode::fmCreate:
        flags |= O_RDWR | O_CREAT | O_TRUNC;
        break;
    }
    FHandle = ::open(path.constData(), flags, 0644);
    if (FHandle >= 0) {
        struct stat st {};
        if (::fstat(FHandle, &st) == 0 && S_ISDIR(st.st_mode)) {
            ::close(FHandle);
            FHandle = -1;
            errno = EISDIR;
        }
    }
    if (FHandle < 0) {
        QString reason = SysErrorMessage(errno);
        if (mode == TFileMode::fmCreate)
            throw EFCreateError(fileName, reason);
        throw EFOpenError(fileName, reason);
    }
}

TFileStream::~TFileStream() {
    if (FHandle >= 0)
        ::close(FHandle);
}

int64_t TFileStream::Read(void* buffer, int64_t count) {
    int64_t total = 0;
    while (total < count) {
        ssize_t n = ::read(FHandle, static_cast<char*>(buffer) + total, count - total);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        total += n;
    }
    return total;
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
    int64_t total = 0;
    while (total < count) {
        ssize_t n = ::write(FHandle, static_cast<const char*>(buffer) + total, count - total);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        total += n;
    }
    return total;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET
                 : origin == TSeekOrigin::soCurrent ? SEEK_CUR
                                                    : SEEK_END;
    off_t r = ::lseek(FHandle, offset, whence);
    return r < 0 ? -1 : r;
}

void TFileStream::SetSize(int64_t newSize) {
    if (::ftruncate(FHandle, newSize) != 0)
        throw EWriteError(SysErrorMessage(errno));
}
