#include "platform/Gbk.h"

#include <cerrno>
#include <iconv.h>
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

} // namespace

namespace Gbk {

QString Decode(const char* data, qsizetype size) {
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
