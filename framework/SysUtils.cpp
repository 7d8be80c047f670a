#include "framework/SysUtils.h"

#include "framework/Exceptions.h"
#include "platform/AtomicFile.h"
#include "platform/Paths.h"

#include <QCollator>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int Sign(int value) {
    return value < 0 ? -1 : value > 0 ? 1 : 0;
}

bool IsBlank(QChar c) {
    return c.unicode() <= 0x20;
}

int HexDigitValue(QChar c) {
    char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// Up to 32 bits of hex digits, kept as a bit pattern.
bool ParseHex(QStringView digits, int& value) {
    if (digits.isEmpty())
        return false;
    quint64 result = 0;
    for (QChar c : digits) {
        int d = HexDigitValue(c);
        if (d < 0)
            return false;
        result = result * 16 + d;
        if (result > 0xFFFFFFFFull)
            return false;
    }
    value = static_cast<int>(static_cast<quint32>(result));
    return true;
}

bool ParseDecimal(QStringView text, int& value) {
    bool negative = false;
    if (text.front() == u'-' || text.front() == u'+') {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    if (text.isEmpty())
        return false;
    const quint64 limit = negative ? 2147483648ull : 2147483647ull;
    quint64 result = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
        result = result * 10 + (c.unicode() - '0');
        if (result > limit)
            return false;
    }
    value = negative ? static_cast<int>(-static_cast<qint64>(result)) : static_cast<int>(result);
    return true;
}

} // namespace

QStringView TrimmedView(QStringView text) {
    while (!text.isEmpty() && IsBlank(text.front()))
        text = text.mid(1);
    while (!text.isEmpty() && IsBlank(text.back()))
        text.chop(1);
    return text;
}

// ---- Integers

bool TryStrToInt(const QString& text, int& value) {
    QStringView s = TrimmedView(text);
    if (s.isEmpty())
        return false;
    if (s.size() > 2 && s[0] == u'0' && (s[1] == u'x' || s[1] == u'X'))
        return ParseHex(s.mid(2), value);
    if (s[0] == u'$')
        return ParseHex(s.mid(1), value);
    return ParseDecimal(s, value);
}

int StrToInt(const QString& text) {
    int value = 0;
    if (!TryStrToInt(text, value))
        throw EConvertError(InvalidIntegerText(text));
    return value;
}

int StrToIntDef(const QString& text, int defaultValue) {
    int value = 0;
    return TryStrToInt(text, value) ? value : defaultValue;
}

QString IntToStr(qint64 value) {
    return QString::number(value);
}

QString IntToHex(int value, int digits) {
    return QStringLiteral("%1")
        .arg(static_cast<quint32>(value), digits, 16, QLatin1Char('0'))
        .toUpper();
}

// ---- Trimming

QString Trim(const QString& text) {
    const QStringView trimmed = TrimmedView(text);
    // Text with nothing to trim is shared, not copied.
    return trimmed.size() == text.size() ? text : trimmed.toString();
}

QString TrimLeft(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    return text.mid(i);
}

QString TrimRight(const QString& text) {
    qsizetype n = text.size();
    while (n > 0 && IsBlank(text[n - 1]))
        --n;
    return text.left(n);
}

// ---- Case

QString UpperCase(const QString& text) {
    QString result = text;
    for (QChar& c : result)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 'a' + 'A');
    return result;
}

QString LowerCase(const QString& text) {
    QString result = text;
    for (QChar& c : result)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() - 'A' + 'a');
    return result;
}

QString AnsiUpperCase(const QString& text) {
    return text.toUpper();
}

QString AnsiLowerCase(const QString& text) {
    return text.toLower();
}

// ---- Comparison

int CompareStr(const QString& a, const QString& b) {
    return Sign(a.compare(b, Qt::CaseSensitive));
}

int CompareText(const QString& a, const QString& b) {
    return Sign(LowerCase(a).compare(LowerCase(b), Qt::CaseSensitive));
}

bool SameText(const QString& a, const QString& b) {
    return CompareText(a, b) == 0;
}

int AnsiCompareStr(const QString& a, const QString& b) {
    int r = Sign(a.localeAwareCompare(b));
    // Collation may call different texts equal; fall back to the ordinal order so that
    // only equal texts compare equal.
    return r != 0 ? r : CompareStr(a, b);
}

int AnsiCompareText(const QString& a, const QString& b) {
    int folded = Sign(a.compare(b, Qt::CaseInsensitive));
    if (folded == 0)
        return 0;
    int r = Sign(a.toCaseFolded().localeAwareCompare(b.toCaseFolded()));
    return r != 0 ? r : folded;
}

void AnsiSortText(QStringList& texts) {
    struct Entry {
        QString Text;
        QString Folded;
        QCollatorSortKey Key;
    };
    QCollator collator;
    std::vector<Entry> entries;
    entries.reserve(size_t(texts.size()));
    for (const QString& text : texts) {
        QString folded = text.toCaseFolded();
        QCollatorSortKey key = collator.sortKey(folded);
        entries.push_back(Entry{text, std::move(folded), std::move(key)});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        const int folded = a.Text.compare(b.Text, Qt::CaseInsensitive);
        if (folded == 0)
            return false;
        const int r = a.Key.compare(b.Key);
        return r != 0 ? r < 0 : folded < 0;
    });
    for (qsizetype i = 0; i < texts.size(); ++i)
        texts[i] = std::move(entries[size_t(i)].Text);
}

bool AnsiSameText(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// ---- File names

QString ExtractFileName(const QString& fileName) {
    return Paths::ExtractFileName(fileName);
}

QString ExtractFilePath(const QString& fileName) {
    return Paths::ExtractFilePath(fileName);
}

QString ExtractFileExt(const QString& fileName) {
    return Paths::ExtractFileExt(fileName);
}

QString ChangeFileExt(const QString& fileName, const QString& extension) {
    return Paths::ChangeFileExt(fileName, extension);
}

// ---- Saving files

void WriteFileAtomic(const QString& fileName, const QByteArray& data, AtomicFile::TLinks links) {
    const int error = AtomicFile::Write(fileName, data, links);
    if (error == AtomicFile::RefusedLink)
        throw EFCreateError(fileName, QStringLiteral("该文件是一个符号链接，为保护它所指的文件，"
                                                     "没有写入。请另选一个文件名。"));
    if (error != 0)
        throw EFCreateError(fileName, SysErrorMessage(error));
}
