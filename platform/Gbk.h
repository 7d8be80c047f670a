#pragma once
// The ANSI code page of the system's files is GBK. Decoding accepts GBK (and the
// GB18030 superset); encoding writes GB18030, which is byte-identical to GBK for every
// GBK character and keeps every other character instead of losing it.

#include <QByteArray>
#include <QString>

namespace Gbk {
QString Decode(const QByteArray& bytes);
QString Decode(const char* data, qsizetype size);
// The same text through the system's converter alone; Decode is faster on long texts.
QString DecodeWithConverter(const char* data, qsizetype size);
QByteArray Encode(const QString& text);
// Length in bytes of the text in the ANSI code page.
int AnsiLength(const QString& text);
} // namespace Gbk
