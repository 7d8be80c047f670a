#include "platform/TextEncoding.h"

#include "platform/Gbk.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace TextEncoding {

namespace {

const QByteArray Utf8Bom("\xEF\xBB\xBF", 3);

// Lengths of the multi-byte sequences of valid UTF-8; nullopt when the bytes are not UTF-8
// (overlong forms, surrogates and code points above U+10FFFF count as invalid).
struct Utf8Shape {
    int twoByte = 0;
    int longer = 0; // three or four bytes
};
std::optional<Utf8Shape> ShapeOfUtf8(const QByteArray& bytes) {
    Utf8Shape shape;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned char c = p[i];
        int length = 0;
        unsigned minimum = 0;
        unsigned code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            length = 2, minimum = 0x80, code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            length = 3, minimum = 0x800, code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            length = 4, minimum = 0x10000, code = c & 0x07;
        } else {
            return std::nullopt;
        }
        if (i + length > n)
            return std::nullopt;
        for (int k = 1; k < length; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                return std::nullopt;
            code = (code << 6) | (p[i + k] & 0x3F);
        }
        if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return std::nullopt;
        (length == 2 ? shape.twoByte : shape.longer)++;
        i += length;
    }
    return shape;
}

bool HasHighBytes(const QByteArray& bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

// The share of the text's non-ASCII characters that are plausible in a page: Chinese
// characters and punctuation in either reading; for the UTF-8 reading also symbols, emoji and
// the Latin-1 signs (©, ·), which GBK readings of UTF-8 never produce. And whether the reading
// met undecodable bytes.
struct Reading {
    double plausibleShare = 0;
    bool broken = false;
};
Reading Read(const QString& text, bool asUtf8) {
    int other = 0, plausible = 0;
    Reading reading;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80)
            continue;
        if (u == 0xFFFD)
            reading.broken = true;
        const bool chinese = (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0x3000 && u <= 0x303F) ||
                             (u >= 0xFF00 && u <= 0xFFEF);
        const bool symbol =
            c.isSurrogate() || (u >= 0x2000 && u <= 0x2BFF) || (u >= 0xA0 && u <= 0xFF);
        if (chinese || (asUtf8 && symbol))
            ++plausible;
        else
            ++other;
    }
    reading.plausibleShare = plausible + other == 0 ? 0 : double(plausible) / (plausible + other);
    return reading;
}

// The first `limit` bytes or fewer, ending before a character that would be cut.
QByteArray Utf8Prefix(const QByteArray& bytes, qsizetype limit) {
    if (bytes.size() <= limit)
        return bytes;
    qsizetype end = limit;
    while (end > 0 && (static_cast<unsigned char>(bytes[end]) & 0xC0) == 0x80)
        --end;
    return bytes.left(end);
}

} // namespace

QString Name(Encoding encoding) {
    return encoding == Encoding::Utf8 ? QStringLiteral("UTF-8") : QStringLiteral("GBK");
}

Encoding Detect(const QByteArray& bytes) {
    if (bytes.startsWith(Utf8Bom))
        return Encoding::Utf8;
    if (!HasHighBytes(bytes))
        return Encoding::Gbk;
    const std::optional<Utf8Shape> shape = ShapeOfUtf8(bytes);
    if (!shape)
        return Encoding::Gbk;
    if (Declared(bytes.left(1024)) == Encoding::Utf8)
        return Encoding::Utf8;
    if (shape->longer == 0)
        return Encoding::Gbk; // Latin letters with accents only: a GBK pair far more likely
    // The two readings are compared on the first 64 KB, cut after a whole UTF-8 character:
    // enough to tell, and a large effect opens as fast as a small one.
    const QByteArray sample = Utf8Prefix(bytes, 64 * 1024);
    const Reading asGbk = Read(Gbk::Decode(sample), false);
    if (asGbk.broken || asGbk.plausibleShare < 0.9)
        return Encoding::Utf8;
    // Both readings look like text: the UTF-8 one wins when it is as plausible.
    return Read(QString::fromUtf8(sample), true).plausibleShare >= asGbk.plausibleShare
               ? Encoding::Utf8
               : Encoding::Gbk;
}

namespace {

// charset= inside a <meta ...> tag, quoted or not; http-equiv's content carries it too.
QString NameDeclaredIn(const QString& head) {
    static const QRegularExpression meta(
        QStringLiteral(R"(<meta\b[^>]*?\bcharset\s*=\s*["']?\s*([A-Za-z0-9_\-]+))"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = meta.match(head);
    return match.hasMatch() ? match.captured(1).toLower() : QString();
}

std::optional<Encoding> EncodingNamed(const QString& name) {
    if (name == QLatin1String("utf-8") || name == QLatin1String("utf8"))
        return Encoding::Utf8;
    if (name == QLatin1String("gbk") || name == QLatin1String("gb2312") ||
        name == QLatin1String("gb18030"))
        return Encoding::Gbk;
    return std::nullopt;
}

} // namespace

QString DeclaredName(const QByteArray& head) {
    return NameDeclaredIn(QString::fromLatin1(head.left(1024)));
}

std::optional<Encoding> Declared(const QByteArray& head) {
    return EncodingNamed(DeclaredName(head));
}

std::optional<Encoding> Declared(const QString& text) {
    return EncodingNamed(NameDeclaredIn(text.left(1024)));
}

QString Decode(const QByteArray& bytes, Encoding encoding) {
    if (encoding == Encoding::Gbk)
        return Gbk::Decode(bytes);
    const QByteArray body = bytes.startsWith(Utf8Bom) ? bytes.mid(3) : bytes;
    return QString::fromUtf8(body);
}

QByteArray Encode(const QString& text, Encoding encoding) {
    return encoding == Encoding::Utf8 ? text.toUtf8() : Gbk::Encode(text);
}

Encoding ForWriting(const QString& text, Encoding readIn) {
    return Declared(text).value_or(readIn);
}

} // namespace TextEncoding
