// The main window's image list: one strip of 16 x 16 pixel art in TMainImage order. This
// file draws the buttons', the lists' and the file, tools and appearance menus' pictures
// and the skin swatches; the other menu pictures come from InstallMenuImages.cpp.

#include "InstallIconKit.h"
#include "InstallPictures.h"
#include "SkinTheme.h"

#include <cmath>
#include <functional>
#include <vector>

namespace InstallArt {

namespace {

// Coloured code lines on a page, one colour per line (a hint of syntax colouring).
void CodeLines(TPixels& p, int x, int y, std::initializer_list<std::pair<int, QColor>> lines) {
    for (const auto& [length, colour] : lines) {
        p.HLine(x, x + length - 1, y, colour);
        y += 2;
    }
}

void CopyCode(TPixels& p) {
    Page(p, 1, 0, 10, 11);
    CodeLines(p, 3, 3, {{4, Ink::Grey}, {5, Ink::Grey}, {3, Ink::Grey}});
    Page(p, 5, 4, 14, 15);
    p.Fill(5, 4, 5, 11, Ink::Outline);
    CodeLines(p, 7, 7, {{4, Ink::Blue}, {5, Ink::Gold}, {3, Ink::Green}, {5, Ink::Blue}});
}

void Preview(TPixels& p) {
    Window(p, 0, 1, 15, 14);
    Sparkle(p, 4, 6);
    SmallSparkle(p, 10, 6, Ink::Blue);
    SmallSparkle(p, 11, 10, Ink::Violet);
}

void Browser(TPixels& p) {
    Globe(p, 1, 1, 14);
}

void AddEffect(TPixels& p) {
    Page(p, 2, 0, 12, 14);
    CodeLines(p, 4, 4, {{5, Ink::Blue}, {4, Ink::Gold}, {6, Ink::Green}});
    PlusBadge(p, 9, 9);
}

void SaveEffect(TPixels& p) {
    Disk(p, 1, 1);
}

void DeleteEffect(TPixels& p) {
    Page(p, 2, 0, 12, 14);
    CodeLines(p, 4, 4, {{5, Ink::Blue}, {4, Ink::Gold}, {6, Ink::Green}});
    CrossBadge(p, 9, 9);
}

void Exit(TPixels& p) {
    p.FillDown(2, 1, 9, 14, Ink::Tan, Ink::Wood);
    p.Frame(1, 0, 10, 15, Ink::Outline);
    p.VLine(2, 1, 14, QColor(236, 200, 156));
    p.Dot(8, 8, Ink::Gold);
    Arrow(p, 6, 4, TArrow::Right, Ink::Green, Ink::Mint);
}

void Taskbar(TPixels& p, bool shown) {
    Monitor(p, 0, 1, 15, 15);
    if (shown) {
        p.HLine(2, 13, 9, Ink::Navy);
        p.Dot(3, 9, Ink::Mint);
        p.Dot(4, 9, Ink::Mint);
        p.Dot(12, 9, Ink::White);
    } else {
        for (int x = 2; x <= 13; x += 2)
            p.Dot(x, 9, Ink::White);
        p.Sprite(6, 3, {"..w..", ".www.", "wwwww"});
    }
}

void SystemTools(TPixels& p) {
    p.Sprite(0, 0,
             {"................", //
              "......kkkk......", //
              "..kk..kllk..kk..", //
              "..klkkklmkkkmk..", //
              "..kklllmmmmmkk..", //
              "...klmmkkmmgk...", //
              ".kkklmk..kmgkkk.", //
              ".kllmk....kggdk.", //
              ".kmmmk....kggdk.", //
              ".kkkmgk..kggkkk.", //
              "...kmmgkkggdk...", //
              "..kkmggggggdkk..", //
              "..kmkkkgdkkkdk..", //
              "..kk..kddk..kk..", //
              "......kkkk......"});
}

void Notepad(TPixels& p) {
    p.FillDown(2, 2, 13, 14, QColor(255, 252, 222), Ink::Cream);
    p.Frame(1, 1, 14, 15, Ink::Outline);
    p.Fill(2, 2, 13, 3, Ink::Blue);
    for (int x : {4, 7, 10}) {
        p.VLine(x, 0, 2, Ink::Outline);
        p.Dot(x, 3, Ink::DarkGrey);
    }
    for (int y : {6, 8, 10, 12})
        p.HLine(3, y == 12 ? 8 : 12, y, Ink::Grey);
}

void EffectItem(TPixels& p) {
    Page(p, 1, 0, 11, 14);
    CodeLines(p, 3, 4, {{4, Ink::Blue}, {6, Ink::Gold}, {5, Ink::Green}});
    Sparkle(p, 8, 8);
}

void Block(TPixels& p, int x, int y, const QColor& face) {
    p.Fill(x + 1, y + 1, x + 5, y + 5, face);
    p.HLine(x + 1, x + 5, y + 1, QColor(face).lighter(150));
    p.VLine(x + 5, y + 2, y + 5, QColor(face).darker(140));
    p.RoundFrame(x, y, x + 6, y + 6, Ink::Outline);
}

void Registry(TPixels& p) {
    Block(p, 4, 1, Ink::Blue);
    Block(p, 1, 8, Ink::Green);
    Block(p, 8, 8, Ink::Violet);
    p.Dot(7, 7, Ink::DarkGrey); // the links between the keys
    p.Dot(4, 8, Ink::DarkGrey);
    p.Dot(11, 8, Ink::DarkGrey);
}

void Computer(TPixels& p) {
    Monitor(p, 0, 2, 11, 14);
    p.FillDown(12, 4, 14, 14, Ink::Light, Ink::Grey);
    p.Frame(11, 3, 15, 15, Ink::Outline);
    p.HLine(12, 14, 5, Ink::DarkGrey);
    p.Dot(13, 12, Ink::Green);
}

void Calendar(TPixels& p) {
    p.FillDown(2, 5, 13, 14, Ink::White, Ink::Light);
    p.FillDown(2, 2, 13, 4, Ink::Rose, Ink::Red);
    p.Frame(1, 1, 14, 15, Ink::Outline);
    for (int x : {4, 11})
        p.VLine(x, 0, 2, Ink::DarkGrey);
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 5; ++col) {
            const int x = 3 + col * 2, y = 6 + row * 2;
            p.Dot(x, y, row == 2 && col == 3 ? Ink::Red : Ink::Grey);
        }
    p.Frame(8, 9, 10, 11, Ink::Red);
}

void Broom(TPixels& p) {
    // Measured from the binding: `along` runs up the handle towards the top-right,
    // `across` at right angles to it.
    auto along = [](double x, double y) { return ((x - 8) - (y - 8)) / std::sqrt(2.0); };
    auto across = [](double x, double y) { return ((x - 8) + (y - 8)) / std::sqrt(2.0); };
    auto handle = [=](double x, double y) {
        return along(x, y) >= 0 && along(x, y) <= 9 && std::abs(across(x, y)) <= 0.8;
    };
    Shape(p, handle, Ink::Tan, Ink::Wood, Ink::Wood);
    auto bristles = [=](double x, double y) {
        const double v = along(x, y);
        return v <= 0.2 && v >= -8.2 && std::abs(across(x, y)) <= 1.8 - v * 0.42;
    };
    Shape(p, bristles, Ink::Cream, Ink::Gold, Ink::Amber);
    auto binding = [=](double x, double y) {
        const double v = along(x, y);
        return v >= -0.2 && v <= 1.3 && std::abs(across(x, y)) <= 1.9;
    };
    Shape(p, binding, Ink::Red, Ink::Red, Ink::Maroon);
    p.Line(3, 9, 6, 12, Ink::Amber); // straws
    p.Line(4, 7, 7, 10, Ink::Amber);
}

void ClearRecent(TPixels& p) {
    Page(p, 1, 0, 10, 12);
    CodeLines(p, 3, 4, {{4, Ink::Grey}, {5, Ink::Grey}, {3, Ink::Grey}});
    Shape(
        p, [](double x, double y) { return InDisc(x, y, 11.5, 11.5, 4.3); }, Ink::White, Ink::Light,
        Ink::Navy);
    p.VLine(11, 9, 11, Ink::Outline);
    p.HLine(12, 13, 11, Ink::Outline);
    p.Dot(11, 8, Ink::Blue);
    p.Dot(14, 11, Ink::Blue);
    p.Dot(11, 14, Ink::Blue);
    p.Dot(8, 11, Ink::Blue);
}

void Category(TPixels& p) {
    Folder(p, 0, 2, 15, 14);
    p.Sprite(5, 7,
             {"...N..", //
              "..NbN.", //
              ".NbwbN", //
              "..NbN.", //
              "...N.."});
}

void Appearance(TPixels& p) {
    auto palette = [](double x, double y) {
        return InEllipse(x, y, 8, 8.5, 7.4, 6.3) && !InDisc(x, y, 11.2, 11.2, 1.6) &&
               !InEllipse(x, y, 14.5, 10.5, 2.0, 1.5);
    };
    Shape(p, palette, Ink::Tan, Ink::Wood, Ink::Outline, QColor(236, 200, 156));
    const std::pair<QColor, QPoint> paints[] = {{Ink::Red, {3, 6}},
                                                {Ink::Gold, {6, 4}},
                                                {Ink::Green, {10, 4}},
                                                {Ink::Blue, {4, 10}},
                                                {Ink::White, {7, 11}}};
    for (const auto& [colour, at] : paints)
        p.Fill(at.x(), at.y(), at.x() + 1, at.y() + 1, colour);
}

// A tiny window in the colours of one installed skin.
void SkinSwatch(TPixels& p, const TSkinTheme& t) {
    p.Fill(1, 5, 14, 14, t.Panel);
    for (int x = 1; x <= 14; ++x) {
        const double u = (x - 1) / 13.0;
        const QColor top = t.CaptionSweep ? t.SweepFrom : t.FrameTop;
        const QColor bottom = t.CaptionSweep ? t.SweepTo : t.FrameBottom;
        for (int y = 1; y <= 4; ++y) {
            const double v = t.CaptionSweep ? u : (y - 1) / 3.0;
            p.Dot(x, y,
                  QColor(int(top.red() + (bottom.red() - top.red()) * v),
                         int(top.green() + (bottom.green() - top.green()) * v),
                         int(top.blue() + (bottom.blue() - top.blue()) * v)));
        }
    }
    p.FillDown(3, 8, 12, 12, t.Normal.Top, t.Normal.Bottom);
    p.RoundFrame(3, 8, 12, 12, t.Normal.Border);
    p.Fill(5, 10, 9, 10, t.Normal.Text);
    p.Dot(12, 2, t.Accent.lightness() > 60 ? t.Accent : QColor(Qt::white));
    p.RoundFrame(0, 0, 15, 15, t.FrameBorder);
    p.Dot(0, 15, Key);
}

std::vector<TDrawing> Drawings() {
    std::vector<TDrawing> all(miImageCount);
    all[miCopyCode] = CopyCode;
    all[miPreview] = Preview;
    all[miBrowser] = Browser;
    all[miAddEffect] = AddEffect;
    all[miSaveEffect] = SaveEffect;
    all[miDeleteEffect] = DeleteEffect;
    all[miExit] = Exit;
    all[miShowTaskbar] = [](TPixels& p) { Taskbar(p, true); };
    all[miHideTaskbar] = [](TPixels& p) { Taskbar(p, false); };
    all[miSystemTools] = SystemTools;
    all[miNotepad] = Notepad;
    all[miEffectItem] = EffectItem;
    all[miRegistry] = Registry;
    all[miComputer] = Computer;
    all[miCalendar] = Calendar;
    all[miCleanup] = Broom;
    all[miClearRecent] = ClearRecent;
    all[miCategory] = Category;
    all[miAppearance] = Appearance;
    AddMenuDrawings(all);
    const std::vector<TSkinTheme>& themes = InstalledThemes();
    for (int i = 0; i < 6 && i < int(themes.size()); ++i)
        all[miSkin1 + i] = [&theme = themes[size_t(i)]](TPixels& p) { SkinSwatch(p, theme); };
    return all;
}

} // namespace

QImage ImageListStrip() {
    QImage strip(16 * miImageCount, 16, QImage::Format_RGB32);
    strip.fill(Key);
    const std::vector<TDrawing> drawings = Drawings();
    for (int i = 0; i < miImageCount; ++i) {
        TPixels cell(strip, 16 * i, 0);
        if (drawings[size_t(i)])
            drawings[size_t(i)](cell);
        // Every picture keeps the transparent colour at its bottom-left pixel, so each one
        // cut from the strip names its own transparent colour.
        cell.Dot(0, 15, Key);
    }
    return strip;
}

} // namespace InstallArt
