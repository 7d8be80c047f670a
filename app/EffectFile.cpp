#include "app/EffectFile.h"

#include "framework/Streams.h"
#include "framework/Strings.h"
#include "framework/SysUtils.h"

namespace EffectFile {

TextEncoding::Encoding Load(TStrings& lines, const QString& path) {
    TFileStream file(path, TFileMode::fmOpenRead);
    QByteArray bytes(static_cast<qsizetype>(file.Size()), Qt::Uninitialized);
    if (!bytes.isEmpty())
        file.ReadBuffer(bytes.data(), bytes.size());
    const TextEncoding::Encoding encoding = TextEncoding::Detect(bytes);
    lines.SetText(TextEncoding::Decode(bytes, encoding));
    return encoding;
}

void Save(const TStrings& lines, const QString& path, TextEncoding::Encoding readIn,
          AtomicFile::TLinks links) {
    const QString text = lines.Text();
    WriteFileAtomic(path, TextEncoding::Encode(text, TextEncoding::ForWriting(text, readIn)),
                    links);
}

} // namespace EffectFile
