#include "InstallIconKit.h"

#include <array>
#include <cmath>

namespace InstallArt {

namespace {

constexpr int Cell = 16;

QColor Shade(const QColor& top, const QColor& bottom, double t) {
    return QColor(int(std::lround(top.red() + (bottom.red() - top.red()) * t)),
                  int(std::lround(top.green() + (bottom.green() - top.green()) * t)),
                  int(std::lround(top.blue() + (bottom.blue() - top.blue()) * t)));
}

} // namespace

bool InDisc(double x, double y, double cx, double cy, double r) {
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

bool InEllipse(double x, double y, double cx, double cy, double rx, double ry) {
    const double dx = (x - cx) / rx, dy = (y - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
}

void Shape(TPixels& p, const TShapeTest& inside, const QColor& top, const QColor& bottom,
           const QColor& outline, const QColor& light) {
    std::array<std::array<bool, Cell>, Cell> in{};
    int firstRow = Cell, lastRow = -1;
    for (int y = 0; y < Cell; ++y)
        for (int x = 0; x < Cell; ++x)
            if ((in[y][x] = inside(x + 0.5, y + 0.5))) {
                firstRow = std::min(firstRow, y);
                lastRow = std::max(lastRow, y);
            }
    if (lastRow < 0)
        return;
    auto at = [&](int x, int y) { return x >= 0 && y >= 0 && x < Cell && y < Cell && in[y][x]; };
    auto edge = [&](int x, int y) {
        return at(x, y) && (!at(x - 1, y) || !at(x + 1, y) || !at(x, y - 1) || !at(x, y + 1));
    };
    const double rows = std::max(1, lastRow - firstRow);
    for (int y = 0; y < Cell; ++y)
        for (int x = 0; x < Cell; ++x) {
            if (!in[y][x])
                continue;
            if (edge(x, y))
                p.Dot(x, y, outline);
            else if (light.isValid() && (edge(x, y - 1) || edge(x - 1, y)))
                p.Dot(x, y, light);
            else
                p.Dot(x, y, Shade(top, bottom, (y - firstRow) / rows));
        }
}

void Page(TPixels& p, int x0, int y0, int x1, int y1, int fold) {
    p.FillDown(x0 + 1, y0 + 1, x1 - 1, y1 - 1, Ink::White, Ink::Light);
    p.Frame(x0, y0, x1, y1, Ink::Outline);
    for (int i = 0; i < fold; ++i)
        p.HLine(x1 - fold + 1 + i, x1, y0 + i, Key);
    p.Line(x1 - fold, y0, x1, y0 + fold, Ink::Outline);
    p.VLine(x1 - fold, y0, y0 + fold, Ink::Outline);
    p.HLine(x1 - fold, x1, y0 + fold, Ink::Outline);
    for (int i = 2; i < fold; ++i)
        p.HLine(x1 - fold + 1, x1 - fold + i - 1, y0 + i, Ink::MidLight);
}

void Folder(TPixels& p, int x0, int y0, int x1, int y1) {
    // The tab and the back wall.
    p.HLine(x0 + 1, x0 + 5, y0, Ink::Outline);
    p.HLine(x0 + 1, x0 + 5, y0 + 1, Ink::Gold);
    p.Dot(x0, y0 + 1, Ink::Outline);
    p.Dot(x0 + 6, y0 + 1, Ink::Outline);
    p.HLine(x0 + 7, x1 - 1, y0 + 2, Ink::Outline);
    p.Fill(x0 + 1, y0 + 2, x0 + 6, y0 + 3, Ink::Gold);
    p.Fill(x0 + 7, y0 + 3, x1 - 1, y0 + 3, Ink::Gold);
    p.VLine(x0, y0 + 2, y1 - 1, Ink::Outline);
    p.VLine(x1, y0 + 3, y1 - 1, Ink::Outline);
    p.HLine(x0 + 1, x1 - 1, y1, Ink::Outline);
    // The front, lit from above.
    p.HLine(x0 + 1, x1 - 1, y0 + 4, Ink::Amber);
    p.FillDown(x0 + 1, y0 + 5, x1 - 1, y1 - 1, Ink::Cream, Ink::Gold);
    p.HLine(x0 + 1, x1 - 1, y0 + 5, QColor(255, 248, 210));
}

void OpenFolder(TPixels& p, int x0, int y0, int x1, int y1) {
    // The back wall with its tab, then a front flap tilted towards the viewer.
    p.HLine(x0 + 1, x0 + 5, y0, Ink::Outline);
    p.HLine(x0 + 1, x0 + 5, y0 + 1, Ink::Gold);
    p.Dot(x0, y0 + 1, Ink::Outline);
    p.Dot(x0 + 6, y0 + 1, Ink::Outline);
    p.HLine(x0 + 7, x1 - 2, y0 + 2, Ink::Outline);
    p.FillDown(x0 + 1, y0 + 2, x1 - 2, y1 - 1, Ink::Gold, Ink::Amber);
    p.VLine(x0, y0 + 2, y1, Ink::Outline);
    p.VLine(x1 - 1, y0 + 3, y0 + 5, Ink::Outline);
    const int top = y0 + 6;
    const double height = y1 - top;
    auto flap = [=](double x, double y) {
        if (y < top || y > y1 + 1)
            return false;
        const double t = (y - top) / height; // 0 at the top edge, 1 at the bottom
        return x >= x0 + 3 - 3 * t && x <= x1 + 1 - 2 * t;
    };
    Shape(p, flap, Ink::Cream, Ink::Gold, Ink::Outline, QColor(255, 248, 210));
}

void Disk(TPixels& p, int x0, int y0) {
    const int x1 = x0 + 13, y1 = y0 + 13;
    p.FillDown(x0 + 1, y0 + 1, x1 - 1, y1 - 1, Ink::Blue, Ink::Navy);
    p.Frame(x0, y0, x1, y1, Ink::Outline);
    p.Dot(x1, y0, Key);
    p.Dot(x1 - 1, y0 + 1, Ink::Outline);
    // The metal shutter with its slot, and the paper label.
    p.FillDown(x0 + 3, y0 + 1, x0 + 10, y0 + 5, Ink::Light, Ink::Grey);
    p.VLine(x0 + 3, y0 + 1, y0 + 5, Ink::DarkGrey);
    p.Fill(x0 + 7, y0 + 2, x0 + 8, y0 + 4, Ink::SoftLine);
    p.Fill(x0 + 2, y0 + 8, x0 + 11, y1 - 1, Ink::White);
    p.HLine(x0 + 3, x0 + 10, y0 + 10, Ink::SkyBlue);
    p.HLine(x0 + 3, x0 + 8, y0 + 12, Ink::SkyBlue);
    p.Dot(x0 + 1, y0 + 1, Ink::SkyBlue); // a glint on the corner
}

void Monitor(TPixels& p, int x0, int y0, int x1, int y1) {
    p.FillDown(x0 + 1, y0 + 1, x1 - 1, y1 - 4, Ink::Light, Ink::Grey);
    p.RoundFrame(x0, y0, x1, y1 - 3, Ink::Outline);
    p.FillDown(x0 + 2, y0 + 2, x1 - 2, y1 - 5, Ink::SkyBlue, Ink::Blue);
    p.Frame(x0 + 1, y0 + 1, x1 - 1, y1 - 4, Ink::MidLight);
    p.HLine(x0 + 1, x1 - 1, y1 - 4, Ink::Grey);
    const int mid = (x0 + x1) / 2;
    p.HLine(mid - 1, mid + 2, y1 - 2, Ink::DarkGrey);
    p.HLine(mid - 3, mid + 4, y1 - 1, Ink::Grey);
    p.HLine(mid - 4, mid + 5, y1, Ink::Outline);
    p.Dot(mid - 4, y1 - 1, Ink::Outline);
    p.Dot(mid + 5, y1 - 1, Ink::Outline);
}

void Window(TPixels& p, int x0, int y0, int x1, int y1) {
    p.FillDown(x0 + 1, y0 + 4, x1 - 1, y1 - 1, Ink::White, Ink::Light);
    p.FillDown(x0 + 1, y0 + 1, x1 - 1, y0 + 3, Ink::SkyBlue, Ink::Blue);
    p.Frame(x0, y0, x1, y1, Ink::Outline);
    p.HLine(x0 + 1, x1 - 1, y0 + 4, Ink::Navy);
    p.Dot(x1 - 2, y0 + 2, Ink::White);
    p.Dot(x1 - 4, y0 + 2, Ink::White);
}

void ButtonFace(TPixels& p, int x0, int y0, int x1, int y1) {
    p.FillDown(x0 + 1, y0 + 1, x1 - 1, y1 - 1, Ink::White, Ink::MidLight);
    p.RoundFrame(x0, y0, x1, y1, Ink::SoftLine);
}

void Globe(TPixels& p, int x0, int y0, int diameter) {
    const double r = diameter / 2.0;
    const double cx = x0 + r, cy = y0 + r;
    const double s = diameter / 14.0;
    Shape(
        p, [=](double x, double y) { return InDisc(x, y, cx, cy, r); }, Ink::SkyBlue, Ink::Blue,
        Ink::Navy, QColor(196, 226, 255));
    auto land = [=](double x, double y) {
        if (!InDisc(x, y, cx, cy, r - 1.0))
            return false;
        return InEllipse(x, y, cx - 2.4 * s, cy - 2.0 * s, 2.6 * s, 2.2 * s) ||
               InEllipse(x, y, cx + 2.0 * s, cy + 2.2 * s, 2.0 * s, 2.9 * s) ||
               InDisc(x, y, cx + 3.0 * s, cy - 3.3 * s, 1.3 * s) ||
               InDisc(x, y, cx - 3.8 * s, cy + 3.0 * s, 1.0 * s);
    };
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (land(x + 0.5, y + 0.5))
                p.Dot(x, y, y + 0.5 < cy ? Ink::Mint : Ink::Green);
}

void PlusBadge(TPixels& p, int x, int y) {
    p.Sprite(x, y,
             {"..kkk..", //
              "..kek..", //
              "kkkEkkk", //
              "keEEEEk", //
              "kkkEkkk", //
              "..kEk..", //
              "..kkk.."});
}

void CrossBadge(TPixels& p, int x, int y) {
    p.Sprite(x, y,
             {"RR...RR", //
              "RrR.RrR", //
              ".RrRrR.", //
              "..RRR..", //
              ".RRDRR.", //
              "RRD.DRR", //
              "RD...DR"});
}

void Sparkle(TPixels& p, int x, int y) {
    p.Sprite(x, y,
             {"...O...", //
              "...Y...", //
              "..YyY..", //
              "OYywyYO", //
              "..YyY..", //
              "...Y...", //
              "...O..."});
}

void SmallSparkle(TPixels& p, int x, int y, const QColor& c) {
    p.Dot(x + 1, y, c);
    p.Dot(x, y + 1, c);
    p.Dot(x + 1, y + 1, Ink::White);
    p.Dot(x + 2, y + 1, c);
    p.Dot(x + 1, y + 2, c);
}

void NoteBadge(TPixels& p, int x, int y) {
    const std::initializer_list<const char*> note = {"...V..", //
                                                     "...VV.", //
                                                     "...VpV", //
                                                     "...V.V", //
                                                     "...V..", //
                                                     ".VVV..", //
                                                     "VpPV..", //
                                                     ".VV..."};
    p.Halo(x, y, note, Ink::White);
    p.Sprite(x, y, note);
}

void Arrow(TPixels& p, int x, int y, TArrow direction, const QColor& fill, const QColor& light) {
    static const char* const right[9] = {".....k....", //
                                         ".....kk...", //
                                         "kkkkkklk..", //
                                         "klllllllk.", //
                                         "kffffffffk", //
                                         "kfffffffk.", //
                                         "kkkkkkfk..", //
                                         ".....kk...", //
                                         ".....k...."};
    for (int row = 0; row < 9; ++row)
        for (int col = 0; col < 10; ++col) {
            const char c = right[row][col];
            if (c == '.')
                continue;
            const QColor colour = c == 'k' ? Ink::Outline : c == 'l' ? light : fill;
            switch (direction) {
            case TArrow::Right:
                p.Dot(x + col, y + row, colour);
                break;
            case TArrow::Left:
                p.Dot(x + 9 - col, y + row, colour);
                break;
            case TArrow::Down:
                p.Dot(x + row, y + col, colour);
                break;
            case TArrow::Up:
                p.Dot(x + row, y + 9 - col, colour);
                break;
            }
        }
}

} // namespace InstallArt
