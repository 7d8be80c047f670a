#pragma once
// The two encodings effect files come in: GBK (the library's own, written as GB18030, its
// superset) and UTF-8 (what pages are written in today). Reading guesses which one a file is
// in; writing follows what the page declares.

#include <QByteArray>
#include <QString>
#include <optional>

namespace TextEncoding {

enum class Encoding { Gbk, Utf8 };

// "GBK" or "UTF-8", as editors name them.
QString Name(Encoding encoding);

// The encoding a file's bytes are read in:
//   - UTF-8 when they start with its byte-order mark;
//   - GBK when they hold no byte above 127 (both read alike), or are no valid UTF-8;
//   - for bytes valid as both: UTF-8 when the UTF-8 reading holds a character of three or four
//     bytes (Chinese, symbols, emoji) and the GBK reading is broken or not mostly Chinese
//     characters, or the page declares UTF-8; otherwise GBK. Real GBK text is almost never
//     valid UTF-8 (a GBK pair rarely forms a UTF-8 sequence); short GBK texts that happen to
//     be are caught by reading them both ways and keeping the one that is Chinese text.
Encoding Detect(const QByteArray& bytes);

// What the page declares within its first 1024 bytes, as browsers look: a <meta charset=...>
// or a <meta http-equiv="Content-Type" content="...; charset=..."> (any case). "utf-8" (and
// "utf8") is UTF-8; "gbk", "gb2312" and "gb18030" are GBK; anything else or none is nothing.
std::optional<Encoding> Declared(const QByteArray& head);
// The name a page declares there, lower case, whatever it is ("big5" too); empty for none.
QString DeclaredName(const QByteArray& head);
std::optional<Encoding> Declared(const QString& text);

// Bytes as text: GBK undecodable bytes, and invalid UTF-8, become U+FFFD; a UTF-8
// byte-order mark is dropped.
QString Decode(const QByteArray& bytes, Encoding encoding);
// Text as bytes: GBK is written as GB18030, which keeps every character.
QByteArray Encode(const QString& text, Encoding encoding);

// The encoding text from the memo is written in: what it declares, else the encoding the
// effect was read in (GB18030 for new text, as `readIn` is then GBK).
Encoding ForWriting(const QString& text, Encoding readIn);

} // namespace TextEncoding
