#include "SkinSource.h"
#include "ToolCli.h"

#include "skin/bsSkinData.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace SkinSource {

QString SkinPathOf(const QString& argument) {
    if (QFileInfo(argument).isDir())
        return QDir(argument).filePath(QStringLiteral("skin.ini"));
    return argument;
}

bool IsCompressedSkinFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(4);
    return head.size() == 4 && head[0] == 1 && head[1] == 0 && head[2] == 0 && head[3] == 0;
}

void LoadCompressedFile(TbsCompressedStoredSkin& compressed, const QString& path) {
    compressed.LoadFromCompressedFile(path);
    if (compressed.IsEmpty())
        throw ToolCli::Failure{QStringLiteral("the compressed skin file holds no data")};
}

void LoadSkin(TbsSkinData& data, const QString& path) {
    ToolCli::RequireExisting(path);
    if (IsCompressedSkinFile(path)) {
        TbsCompressedStoredSkin compressed;
        LoadCompressedFile(compressed, path);
        data.LoadCompressedStoredSkin(compressed);
    } else {
        data.LoadSkinFile(path);
    }
}

} // namespace SkinSource
