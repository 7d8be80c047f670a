// The BMP decoder, on a whole file image and through a stream; a picture it decodes must
// survive saving and decoding again unchanged.

#include "FuzzSupport.h"

#include "framework/Bitmap.h"
#include "framework/Streams.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Pictures up to the decoder's limits (256 M pixels) decode correctly but take seconds
// each; they only slow the search down, so declared sizes above 4 M pixels are skipped.
bool DeclaresHugePicture(const uint8_t* data, size_t size) {
    if (size < 26)
        return false;
    auto u32 = [&](size_t at) {
        return uint32_t(data[at]) | uint32_t(data[at + 1]) << 8 | uint32_t(data[at + 2]) << 16 |
               uint32_t(data[at + 3]) << 24;
    };
    int64_t width = 0, height = 0;
    if (u32(14) == 12) {
        width = data[18] | data[19] << 8;
        height = data[20] | data[21] << 8;
    } else {
        width = static_cast<int32_t>(u32(18));
        height = static_cast<int32_t>(u32(22));
    }
    return std::abs(width) * std::abs(height) > (int64_t(1) << 22);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    Fuzz::InitQt(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (DeclaresHugePicture(data, size))
        return 0;
    Fuzz::ExpectingErrors([&] {
        const QImage image = GraphicCodecs::DecodeBmp(data, size, QString());
        if (image.isNull())
            return;
        const QByteArray saved = GraphicCodecs::EncodeBmp(image);
        const QImage again =
            GraphicCodecs::DecodeBmp(reinterpret_cast<const uint8_t*>(saved.constData()),
                                     static_cast<size_t>(saved.size()), QString());
        if (again != image)
            Fuzz::Fail(QStringLiteral("a decoded picture changes when saved and decoded again"));
    });
    Fuzz::ExpectingErrors([&] {
        TMemoryStream stream(
            QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
        TBitmap bitmap;
        bitmap.LoadFromStream(stream);
        if (stream.Position() > stream.Size())
            Fuzz::Fail(QStringLiteral("the stream is left past its end"));
    });
    return 0;
}
