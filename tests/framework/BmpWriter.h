#pragma once
// Builds BMP file images for the bitmap tests: every header form, bit count and
// compression the reader supports, so no picture files are kept in the repository.

#include <QByteArray>
#include <array>
#include <cstdint>
#include <vector>

namespace BmpWriter {

enum class Header { Core, Info, V4, V5 };

constexpr uint32_t BiRgb = 0;
constexpr uint32_t BiRle8 = 1;
constexpr uint32_t BiRle4 = 2;
constexpr uint32_t BiBitfields = 3;

struct Spec {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitCount = 24;
    uint32_t compression = BiRgb;
    Header header = Header::Info;
    std::vector<uint32_t> palette;   // 0x00RRGGBB entries
    uint32_t colorsUsed = 0;         // the header's colour count (0 = full table)
    std::array<uint32_t, 3> masks{}; // red, green, blue for bit fields
};

// Packs pixel values (palette indexes or raw pixels of bitCount bits), given top row
// first, into the stored row order with each row padded to 4 bytes.
QByteArray PackRows(const Spec& spec, const std::vector<uint32_t>& values);

// A complete file image: file header, info header, masks, palette, then `pixels`.
QByteArray Build(const Spec& spec, const QByteArray& pixels);

// Little-endian field writers for damaging headers.
void PutU16(QByteArray& data, int offset, uint16_t value);
void PutU32(QByteArray& data, int offset, uint32_t value);

} // namespace BmpWriter
