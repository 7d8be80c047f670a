// The skin bitmap toolkit at the sizes users wait for: a full-HD frame composed from a
// 200 x 150 skin picture, the window region of a full-HD rounded mask, and a morph step of
// an 800 x 600 picture.

#include "skin/bsEffects.h"
#include "skin/bsUtils.h"

#include "framework/Bitmap.h"

#include <benchmark/benchmark.h>
#include <cstdint>

namespace {

constexpr int FrameW = 1920;
constexpr int FrameH = 1080;

// A picture whose pixels all differ a little, so nothing is accidentally uniform.
TBitmap Picture(int w, int h, int seed) {
    TBitmap bmp(w, h);
    for (int y = 0; y < h; ++y) {
        uint8_t* row = bmp.ScanLine(y);
        for (int x = 0; x < w; ++x) {
            row[3 * x] = static_cast<uint8_t>(x * 7 + seed);
            row[3 * x + 1] = static_cast<uint8_t>(y * 5 + seed);
            row[3 * x + 2] = static_cast<uint8_t>((x ^ y) + seed);
        }
    }
    return bmp;
}

// A 200 x 150 frame skin: 20-pixel sides, a 30-pixel top, corner points 60 and 110 deep,
// fitted to a full-HD window.
struct FrameSkin {
    TBitmap Source = Picture(200, 150, 3);
    TRect R{0, 0, 200, 150};
    TRect CR{20, 30, 180, 130};
    TPoint LT{60, 50}, RT{140, 50}, LB{60, 110}, RB{140, 110};
    TPoint NLT{60, 50};
    TPoint NRT{FrameW - 60, 50};
    TPoint NLB{60, FrameH - 40};
    TPoint NRB{FrameW - 60, FrameH - 40};
    TRect NCR{20, 30, FrameW - 20, FrameH - 20};
};

void BM_CreateSkinImageFullHd(benchmark::State& state) {
    FrameSkin s;
    TBitmap dest;
    for (auto _ : state) {
        CreateSkinImage(s.LT, s.RT, s.LB, s.RB, s.CR, s.NLT, s.NRT, s.NLB, s.NRB, s.NCR, dest,
                        s.Source, s.R, FrameW, FrameH, true);
        benchmark::DoNotOptimize(dest.Pixel(FrameW / 2, FrameH / 2));
    }
}
BENCHMARK(BM_CreateSkinImageFullHd)->Unit(benchmark::kMillisecond);

// A window being resized: every call gets a new size, so the destination is reallocated.
void BM_CreateSkinImageResizing(benchmark::State& state) {
    FrameSkin s;
    TBitmap dest;
    int step = 0;
    for (auto _ : state) {
        const int w = FrameW - (step++ % 2);
        CreateSkinImage(s.LT, s.RT, s.LB, s.RB, s.CR, s.NLT, TPoint(w - 60, s.NRT.Y), s.NLB,
                        TPoint(w - 60, s.NRB.Y), TRect(20, 30, w - 20, FrameH - 20), dest, s.Source,
                        s.R, w, FrameH, true);
        benchmark::DoNotOptimize(dest.Pixel(w / 2, FrameH / 2));
    }
}
BENCHMARK(BM_CreateSkinImageResizing)->Unit(benchmark::kMillisecond);

void BM_CreateSkinBorderImagesFullHd(benchmark::State& state) {
    FrameSkin s;
    TBitmap left, top, right, bottom;
    for (auto _ : state) {
        CreateSkinBorderImages(s.LT, s.RT, s.LB, s.RB, s.CR, s.NLT, s.NRT, s.NLB, s.NRB, s.NCR,
                               left, top, right, bottom, s.Source, s.R, FrameW, FrameH, false,
                               false, false, false);
        benchmark::DoNotOptimize(top.Pixel(FrameW / 2, 0));
    }
}
BENCHMARK(BM_CreateSkinBorderImagesFullHd)->Unit(benchmark::kMillisecond);

// Black inside, white outside corners of radius 12.
TBitmap RoundedMask(int w, int h, int radius) {
    TBitmap mask(w, h);
    for (int y = 0; y < h; ++y) {
        uint8_t* row = mask.ScanLine(y);
        for (int x = 0; x < w; ++x) {
            const int cx = x < radius ? radius - x : (x >= w - radius ? x - (w - radius - 1) : 0);
            const int cy = y < radius ? radius - y : (y >= h - radius ? y - (h - radius - 1) : 0);
            const bool outside = cx * cx + cy * cy > radius * radius;
            row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = outside ? 255 : 0;
        }
    }
    return mask;
}

void BM_CreateRegionFromMaskFullHd(benchmark::State& state) {
    const TBitmap mask = RoundedMask(FrameW, FrameH, 12);
    for (auto _ : state) {
        TbsRegion region = CreateRegionFromMask(mask);
        benchmark::DoNotOptimize(region->rectCount());
    }
}
BENCHMARK(BM_CreateRegionFromMaskFullHd)->Unit(benchmark::kMillisecond);

void BM_Morph800x600(benchmark::State& state) {
    TbsEffectBmp own(Picture(800, 600, 1));
    const TbsEffectBmp target(Picture(800, 600, 90));
    for (auto _ : state) {
        own.Morph(target, 0.5);
        benchmark::DoNotOptimize(own.RowAddress(300)[0]);
    }
}
BENCHMARK(BM_Morph800x600)->Unit(benchmark::kMillisecond);

} // namespace
