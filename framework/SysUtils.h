#pragma once
// String and number helpers of the framework: integer conversion with the value forms of
// the ini readers, trimming, case conversion and comparison, file-name parts, and the
// atomic file save that string lists and ini files write through.

#include "platform/AtomicFile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// ---- Integers

// Parses a 32-bit integer. Accepted forms, with surrounding blanks ignored:
//   decimal with an optional sign ("-12", "+7");
//   "0x" or "0X" followed by hex digits (only when the text is longer than two characters);
//   "$" followed by hex digits.
// Hex forms take up to 32 bits and keep the bit pattern ("$FFFFFFFF" is -1), so colours
// with the high bit set read back unchanged. Returns false for anything else, including
// an empty text, a lone prefix and values outside the 32-bit range.
bool TryStrToInt(const QString& text, int& value);
// As TryStrToInt; raises EConvertError "'%s' is not a valid integer value".
int StrToInt(const QString& text);
// As TryStrToInt; gives `defaultValue` when the text is not a valid integer.
int StrToIntDef(const QString& text, int defaultValue);
QString IntToStr(qint64 value);
// Upper-case hex with at least `digits` digits; negative values show their 32-bit pattern.
QString IntToHex(int value, int digits);

// ---- Trimming: removes blanks and control characters (every character up to U+0020).

QString Trim(const QString& text);
// The text without the blanks and control characters at its ends, as a view of it.
QStringView TrimmedView(QStringView text);
QString TrimLeft(const QString& text);
QString TrimRight(const QString& text);

// ---- Case

// ASCII letters only; every other character is left as it is.
QString UpperCase(const QString& text);
QString LowerCase(const QString& text);
// Every letter, by the Unicode case tables.
QString AnsiUpperCase(const QString& text);
QString AnsiLowerCase(const QString& text);

// ---- Comparison (results are -1, 0 or 1)

// Ordinal comparison; CompareText ignores the case of ASCII letters.
int CompareStr(const QString& a, const QString& b);
int CompareText(const QString& a, const QString& b);
bool SameText(const QString& a, const QString& b);
// The locale's order. AnsiCompareText ignores case: it is 0 exactly when the texts are
// equal without regard to case, which makes it usable for sorting and for lookups alike.
int AnsiCompareStr(const QString& a, const QString& b);
int AnsiCompareText(const QString& a, const QString& b);
bool AnsiSameText(const QString& a, const QString& b);
// Sorts in AnsiCompareText's order (equal texts keep their order), comparing each text's
// collation key once instead of collating every pair again: for long lists.
void AnsiSortText(QStringList& texts);

// ---- File names: the platform's path helpers (platform/Paths.h) under their framework
// names. Both "/" and "\" count as separators; results use "/".

QString ExtractFileName(const QString& fileName);
// The folder part with its trailing separator ("" when there is none).
QString ExtractFilePath(const QString& fileName);
// The extension with its dot ("" when the name part has none).
QString ExtractFileExt(const QString& fileName);
// Replaces the extension of the name part, or appends `extension` when there is none.
QString ChangeFileExt(const QString& fileName, const QString& extension);

// ---- Saving files

// Replaces the content of `fileName` with `data` so that the file is never seen half
// written (see platform/AtomicFile). A write never goes through a symbolic link: the link
// is replaced by the new file, or with AtomicFile::TLinks::Refuse the write is refused. An
// existing file keeps its permissions. On any failure the temporary file is removed, the
// target is left as it was, and EFCreateError names `fileName` with the reason.
void WriteFileAtomic(const QString& fileName, const QByteArray& data,
                     AtomicFile::TLinks links = AtomicFile::TLinks::ReplaceLink);
