#include "platform/Gbk.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <mutex>
#include <vector>

namespace {

// Converts with iconv; bytes that cannot be converted become U+FFFD (decoding) or are
// impossible (GB18030 encodes every code point), so the conversion never stops early.
class Converter {
public:
    Converter(const char* to, const char* from) : FHandle(iconv_open(to, from)) {}
    ~Converter() {
        if (FHandle != reinterpret_cast<iconv_t>(-1))
            iconv_close(FHandle);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Valid() const { return FHandle != reinterpret_cast<iconv_t>(-1); }

    // Returns false at an invalid or truncated sequence; `in` then points at it.
    bool Run(char*& in, size_t& inLeft, QByteArray& out) {
        char buffer[4096];
        while (inLeft > 0) {
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            size_t r = iconv(FHandle, &in, &inLeft, &dst, &dstLeft);
            out.append(buffer, dst - buffer);
            if (r == static_cast<size_t>(-1) && errno != E2BIG) {
                iconv(FHandle, nullptr, nullptr, nullptr, nullptr);
                return false;
            }
        }
        return true;
    }

private:
    iconv_t FHandle;
};

// The double-byte codes, lead 0x81-0xFE and trail 0x40-0xFE, as the system's converter
// decodes each on its own; 0 where it does not take the pair. A lead byte's row is built the
// first time a long text uses it (a skin's few Chinese names need two or three of the 126
// rows), from any thread, because looking up beats the converter's per-character work.
constexpr int Leads = 0xFE - 0x81 + 1;
constexpr int Trails = 0xFE - 0x40 + 1;

class TDoubleByteTable {
public:
    char16_t At(unsigned char lead, unsigned char trail) {
        const int row = lead - 0x81;
        std::call_once(FBuilt[row], [this, row] { BuildRow(row); });
        return FCodes[row * Trails + (trail - 0x40)];
    }

private:
    void BuildRow(int row) {
        Converter conv("UTF-16LE", "GB18030");
        if (!conv.Valid())
            return;
        for (int trail = 0; trail < Trails; ++trail) {
            char pair[2] = {char(0x81 + row), char(0x40 + trail)};
            char* in = pair;
            size_t inLeft = 2;
            QByteArray out;
            if (conv.Run(in, inLeft, out) && out.size() == 2)
                std::memcpy(&FCodes[row * Trails + trail], out.constData(), 2);
        }
    }

    std::array<std::once_flag, Leads> FBuilt;
    std::vector<char16_t> FCodes = std::vector<char16_t>(Leads * Trails, 0);
};

TDoubleByteTable& DoubleByteTable() {
    static TDoubleByteTable table;
    return table;
}

// Texts at least this long are decoded through the table.
constexpr qsizetype TableFrom = 4096;

} // namespace

namespace Gbk {

QString DecodeWithConverter(const char* data, qsizetype size) {
    if (size <= 0)
        return QString();
    Converter conv("UTF-16LE", "GB18030");
    if (!conv.Valid())
        return QString::fromLatin1(data, size);
    std::vector<char> copy(data, data + size);
    char* in = copy.data();
    size_t inLeft = copy.size();
    QByteArray out;
    out.reserve(size * 2);
    while (!conv.Run(in, inLeft, out)) {
        // Skip one undecodable byte and mark it.
        const char16_t replacement = 0xFFFD;
        out.append(reinterpret_cast<const char*>(&replacement), 2);
        ++in;
        --inLeft;
    }
    return QString(reinterpret_cast<const QChar*>(out.constData()), out.size() / 2);
}

// ASCII and the double-byte codes come from the table; whatever else (four-byte codes, bad
// bytes) goes to the converter up to the next byte below 0x30, which no multi-byte code
// holds, so each piece decodes exactly as within the whole text.
QString Decode(const char* data, qsizetype size) {
    if (size <= 0)
        return QString();
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    // Plain ASCII (most settings and skin lines) needs neither the converter nor the table.
    if (std::all_of(bytes, bytes + size, [](unsigned char b) { return b < 0x80; }))
        return QString::fromLatin1(data, size);
    if (size < TableFrom)
        return DecodeWithConverter(data, size);
    TDoubleByteTable& table = DoubleByteTable();
    QString text(size, Qt::Uninitialized);
    QChar* out = text.data();
    qsizetype length = 0;
    qsizetype i = 0;
    while (i < size) {
        const unsigned char b = bytes[i];
        if (b < 0x80) {
            out[length++] = QChar(b);
            ++i;
            continue;
        }
        if (b >= 0x81 && b <= 0xFE && i + 1 < size && bytes[i + 1] >= 0x40 &&
            bytes[i + 1] <= 0xFE) {
            const char16_t code = table.At(b, bytes[i + 1]);
            if (code != 0) {
                out[length++] = QChar(code);
                i += 2;
                continue;
            }
        }
        qsizetype end = i + 1;
        while (end < size && bytes[end] >= 0x30)
            ++end;
        // No code gives more UTF-16 units than it has bytes, so the piece fits.
        const QString piece = DecodeWithConverter(data + i, end - i);
        std::copy(piece.cbegin(), piece.cend(), out + length);
        length += piece.size();
        i = end;
    }
    text.resize(length);
    return text;
}

QString Decode(const QByteArray& bytes) {
    return Decode(bytes.constData(), bytes.size());
}

QByteArray Encode(const QString& text) {
    if (text.isEmpty())
        return QByteArray();
    Converter conv("GB18030", "UTF-16LE");
    if (!conv.Valid())
        return text.toLatin1();
    QByteArray utf16(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    char* in = utf16.data();
    size_t inLeft = utf16.size();
    QByteArray out;
    out.reserve(text.size() * 2);
    while (!conv.Run(in, inLeft, out)) {
        // Only a lone surrogate can fail; write a question mark for it.
        out.append('?');
        in += 2;
        inLeft = inLeft >= 2 ? inLeft - 2 : 0;
    }
    return out;
}

int AnsiLength(const QString& text) {
    return static_cast<int>(Encode(text).size());
}

} // namespace Gbk
