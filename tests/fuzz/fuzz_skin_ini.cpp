// The skin.ini reader: the input is the text of a skin.ini (GBK), read with the pictures of
// a small stored skin, so the whole record reading path runs without touching files.

#include "FuzzSupport.h"

#include "skin/bsSkinData.h"

#include "framework/Bitmap.h"
#include "framework/Streams.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

TBitmap Picture(int width, int height) {
    TBitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, RGB(x * 9, y * 13, (x ^ y) * 5));
    return bitmap;
}

TbsStoredSkin& StoredSkin() {
    static TbsStoredSkin stored;
    static bool ready = false;
    if (!ready) {
        stored.Picture = Picture(40, 30);
        stored.Mask = Picture(40, 30);
        for (int i = 0; i < 3; ++i)
            stored.ActivePictures.push_back(std::make_unique<TBitmap>(Picture(8 + 4 * i, 8)));
        ready = true;
    }
    return stored;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    Fuzz::InitQt(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TbsStoredSkin& stored = StoredSkin();
    TMemoryStream text(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    stored.IniStrings.LoadFromStream(text);
    TbsSkinData skin;
    Fuzz::ExpectingErrors([&] {
        skin.LoadStoredSkin(stored);
        Fuzz::CheckRecordsRoundTrip(skin);
    });
    return 0;
}
