#include "BmpWriter.h"

namespace BmpWriter {

namespace {

void Append16(QByteArray& out, uint32_t v) {
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>((v >> 8) & 0xFF));
}

void Append32(QByteArray& out, uint32_t v) {
    Append16(out, v & 0xFFFF);
    Append16(out, v >> 16);
}

int HeaderSize(Header h) {
    switch (h) {
    case Header::Core:
        return 12;
    case Header::Info:
        return 40;
    case Header::V4:
        return 108;
    case Header::V5:
        return 124;
    }
    return 40;
}

} // namespace

QByteArray PackRows(const Spec& spec, const std::vector<uint32_t>& values) {
    int rowBits = spec.width * spec.bitCount;
    int stride = (rowBits + 31) / 32 * 4;
    QByteArray out(stride * spec.height, '\0');
    for (int y = 0; y < spec.height; ++y) {
        int storedRow = spec.topDown ? y : spec.height - 1 - y;
        auto* row = reinterpret_cast<uint8_t*>(out.data()) + storedRow * stride;
        for (int x = 0; x < spec.width; ++x) {
            uint32_t v = values[static_cast<size_t>(y * spec.width + x)];
            int bit = x * spec.bitCount;
            if (spec.bitCount < 8) {
                int shift = 8 - spec.bitCount - bit % 8;
                row[bit / 8] |= static_cast<uint8_t>(v << shift);
            } else {
                for (int b = 0; b < spec.bitCount / 8; ++b)
                    row[bit / 8 + b] = static_cast<uint8_t>(v >> (8 * b));
            }
        }
    }
    return out;
}

QByteArray Build(const Spec& spec, const QByteArray& pixels) {
    QByteArray header;
    int headerSize = HeaderSize(spec.header);
    Append32(header, static_cast<uint32_t>(headerSize));
    if (spec.header == Header::Core) {
        Append16(header, static_cast<uint32_t>(spec.width));
        Append16(header, static_cast<uint32_t>(spec.height));
        Append16(header, 1);
        Append16(header, static_cast<uint32_t>(spec.bitCount));
    } else {
        Append32(header, static_cast<uint32_t>(spec.width));
        Append32(header, static_cast<uint32_t>(spec.topDown ? -spec.height : spec.height));
        Append16(header, 1);
        Append16(header, static_cast<uint32_t>(spec.bitCount));
        Append32(header, spec.compression);
        Append32(header, static_cast<uint32_t>(pixels.size()));
        Append32(header, 2835);
        Append32(header, 2835);
        Append32(header, spec.colorsUsed);
        Append32(header, 0);
        if (spec.header != Header::Info) {
            for (uint32_t m : spec.masks)
                Append32(header, m);
            Append32(header, 0); // alpha mask
            header.append(QByteArray(headerSize - header.size(), '\0'));
        } else if (spec.compression == BiBitfields) {
            for (uint32_t m : spec.masks)
                Append32(header, m);
        }
    }
    for (uint32_t c : spec.palette) {
        header.append(static_cast<char>(c & 0xFF));
        header.append(static_cast<char>((c >> 8) & 0xFF));
        header.append(static_cast<char>((c >> 16) & 0xFF));
        if (spec.header != Header::Core)
            header.append('\0');
    }
    QByteArray file("BM");
    uint32_t offBits = 14 + static_cast<uint32_t>(header.size());
    Append32(file, offBits + static_cast<uint32_t>(pixels.size()));
    Append32(file, 0);
    Append32(file, offBits);
    return file + header + pixels;
}

void PutU16(QByteArray& data, int offset, uint16_t value) {
    data[offset] = static_cast<char>(value & 0xFF);
    data[offset + 1] = static_cast<char>(value >> 8);
}

void PutU32(QByteArray& data, int offset, uint32_t value) {
    PutU16(data, offset, static_cast<uint16_t>(value & 0xFFFF));
    PutU16(data, offset + 2, static_cast<uint16_t>(value >> 16));
}

} // namespace BmpWriter
