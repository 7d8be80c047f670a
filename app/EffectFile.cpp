#include "app/EffectFile.h"

#include "framework/Streams.h"
#include "framework/Strings.h"
#include "framework/SysUtils.h"

namespace EffectFile {

QByteArray LoadBytes(const QString& path) {
    TFileStream file(path, TFileMode::fmOpenRead);
    QByteArray bytes(static_cast<qsizetype>(file.Size()), Qt::Uninitialized);
    if (!bytes.isEmpty())
        file.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

QString LoadText(const QString& path, TextEncoding::Encoding* encoding) {
    const QByteArray bytes = LoadBytes(path);
    const TextEncoding::Encoding detected = TextEncoding::Detect(bytes);
    if (encoding)
        *encoding = detected;
    return TextEncoding::Decode(bytes, detected);
}

TextEncoding::Encoding Load(TStrings& lines, const QString& path) {
    TextEncoding::Encoding encoding;
    lines.SetText(LoadText(path, &encoding));
    return encoding;
}

void Save(const TStrings& lines, const QString& path, TextEncoding::Encoding readIn,
          AtomicFile::TLinks links) {
    const QString text = lines.Text();
    WriteFileAtomic(path, TextEncoding::Encode(text, TextEncoding::ForWriting(text, readIn)),
                    links);
}

} // namespace EffectFile
