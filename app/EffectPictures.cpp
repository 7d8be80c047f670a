#include "app/EffectPictures.h"

#include "platform/Paths.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace EffectPictures {
namespace {
const QString kFolder = QStringLiteral("thumbnails/");
// Effects are small; a file larger than this is no effect to take a picture of.
constexpr qint64 kLargestEffect = 8 * 1024 * 1024;
} // namespace

QString NameFor(const QByteArray& effectBytes) {
    return QString::fromLatin1(
               QCryptographicHash::hash(effectBytes, QCryptographicHash::Sha256).toHex()) +
           QStringLiteral(".png");
}

QString NameOfFile(const QString& effectFile) {
    QFile file(effectFile);
    if (file.size() > kLargestEffect || !file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray bytes = file.readAll();
    return file.error() == QFileDevice::NoError ? NameFor(bytes) : QString();
}

QString ShippedFolder() {
    return Paths::InstalledFolder() + kFolder;
}

QString UserFolder() {
    return Paths::ProgramFolder() + kFolder;
}

QString PictureFor(const QString& effectFile) {
    const QString name = NameOfFile(effectFile);
    if (name.isEmpty())
        return QString();
    for (const QString& folder : {UserFolder(), ShippedFolder()})
        if (QFileInfo(folder + name).isFile())
            return folder + name;
    return QString();
}

} // namespace EffectPictures
