#pragma once
// Checks on installed picture files.

#include <QFile>
#include <QString>

namespace PictureFiles {

// Why a file is not an uncompressed 24-bit BMP (the form the engine's platform writes);
// empty when it is one.
inline QString NotA24BitBmp(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot be read");
    const QByteArray head = file.read(54);
    if (head.size() < 54 || !head.startsWith("BM"))
        return QStringLiteral("is not a BMP");
    auto u16 = [&](int at) {
        return static_cast<quint16>(static_cast<quint8>(head[at]) |
                                    (static_cast<quint8>(head[at + 1]) << 8));
    };
    auto u32 = [&](int at) { return static_cast<quint32>(u16(at) | (u16(at + 2) << 16)); };
    if (u32(14) < 40)
        return QStringLiteral("has an old-style header");
    if (u16(28) != 24)
        return QStringLiteral("has %1 bits per pixel").arg(u16(28));
    if (u32(30) != 0)
        return QStringLiteral("is compressed");
    return QString();
}

} // namespace PictureFiles
