#pragma once
// Effect text on disk in the encoding it comes in. An effect is read as GBK or UTF-8, as its
// bytes show; whatever the program writes from a memo (added effects, the preview page, saved
// pages) is written in the encoding the page declares, else in the one it was read in (GB18030,
// GBK's superset, for new text), each line followed by CR LF. An effect read and written again
// unchanged keeps its bytes when its lines ended in CR LF.

#include "platform/AtomicFile.h"
#include "platform/TextEncoding.h"

#include <QString>

class TStrings;

namespace EffectFile {

// The file's bytes, and its text read in the encoding its bytes show (TextEncoding::Detect).
// Both raise EFOpenError ("Cannot open file") when the file cannot be read. They touch no
// widget: the library search reads effects with them on worker threads.
QByteArray LoadBytes(const QString& path);
QString LoadText(const QString& path, TextEncoding::Encoding* encoding = nullptr);

// Fills `lines` with the file's text and answers the encoding it was read in. Raises
// EFOpenError ("Cannot open file") when the file cannot be read; `lines` then stay.
TextEncoding::Encoding Load(TStrings& lines, const QString& path);

// Writes `lines` whole (the old file stays until the new one is complete). Raises
// EFCreateError ("Cannot create file") when it cannot.
// A name that is a symbolic link is replaced by the file, or with TLinks::Refuse not written.
void Save(const TStrings& lines, const QString& path, TextEncoding::Encoding readIn,
          AtomicFile::TLinks links = AtomicFile::TLinks::ReplaceLink);

} // namespace EffectFile
