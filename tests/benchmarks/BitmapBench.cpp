// Loading a screen-sized skin picture and stretching it to a full-HD window.
#include "framework/Bitmap.h"
#include "framework/Canvas.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A 1024 x 768 24-bit BMP with a pattern, written once per run.
const QString& PictureFile() {
    static QTemporaryDir folder(QDir::tempPath() + "/zarvofx-bench-XXXXXX");
    static const QString path = [] {
        QString p = folder.path() + "/picture.bmp";
        TBitmap b(1024, 768);
        for (int y = 0; y < 768; ++y) {
            uint8_t* row = b.ScanLine(y);
            for (int x = 0; x < 1024 * 3; ++x)
                row[x] = static_cast<uint8_t>(x * 7 + y * 3);
        }
        b.SaveToFile(p);
        return p;
    }();
    return path;
}

void BM_LoadBmp1024x768(benchmark::State& state) {
    const QString& file = PictureFile();
    for (auto _ : state) {
        TBitmap b;
        b.LoadFromFile(file);
        benchmark::DoNotOptimize(b.Pixel(0, 0));
    }
}
BENCHMARK(BM_LoadBmp1024x768)->Unit(benchmark::kMillisecond);

void BM_StretchBmp1024x768To1920x1080(benchmark::State& state) {
    TBitmap source;
    source.LoadFromFile(PictureFile());
    TBitmap target(1920, 1080);
    for (auto _ : state) {
        target.Canvas().StretchDraw(TRect(0, 0, 1920, 1080), source);
        benchmark::DoNotOptimize(target.Pixel(1919, 1079));
    }
}
BENCHMARK(BM_StretchBmp1024x768To1920x1080)->Unit(benchmark::kMillisecond);

} // namespace
