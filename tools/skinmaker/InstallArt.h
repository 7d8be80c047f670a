#pragma once
// The drawings behind the installation pictures (written by WriteInstallPictures), and the
// small pixel-art toolkit the 16 x 16 pictures share.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <initializer_list>

namespace InstallArt {

// The colour every transparent background of the installation pictures has.
inline const QColor Key(255, 0, 255);

// A font by platform face names, through the framework's substitution table: Latin
// letters from `face`, Chinese characters from `cjkFace`.
QFont Font(const QString& face, int pixelSize, bool bold = false,
           const QString& cjkFace = QStringLiteral("黑体"));

QImage PlaceholderPicture(); // 504 x 273, opaque, Key outside the card
QImage AboutPicture();       // 400 x 252, opaque
QImage ImageListStrip();     // miImageCount * 16 x 16, opaque, Key where transparent
QImage AppIcon(int size);    // size x size, ARGB32 premultiplied
// The tool-bar picture of a resource name (16 x 16, Key where transparent); a null image
// for an unknown name.
QImage ToolBarPicture(const QString& resource);

// Pixel art on a 16 x 16 cell of a bigger picture. Coordinates are the cell's, inclusive
// at both ends (x0..x1 covers x1 - x0 + 1 pixels); pixels outside the cell are dropped;
// nothing is antialiased. Colours of
// sprites are single letters of one shared palette (see PaletteColor).
class TPixels {
public:
    TPixels(QImage& image, int originX, int originY) : FImage(image), FX(originX), FY(originY) {}

    void Dot(int x, int y, const QColor& c);
    void HLine(int x0, int x1, int y, const QColor& c);
    void VLine(int x, int y0, int y1, const QColor& c);
    void Line(int x0, int y0, int x1, int y1, const QColor& c); // any direction, Bresenham
    void Fill(int x0, int y0, int x1, int y1, const QColor& c);
    // Rows shaded from `top` to `bottom`.
    void FillDown(int x0, int y0, int x1, int y1, const QColor& top, const QColor& bottom);
    void Frame(int x0, int y0, int x1, int y1, const QColor& c);
    // A frame with its four corner pixels left out.
    void RoundFrame(int x0, int y0, int x1, int y1, const QColor& c);
    // Rows of palette letters with their first letter at (x, y); '.' and ' ' are skipped.
    void Sprite(int x, int y, std::initializer_list<const char*> rows);
    // The sprite's shape in one colour, grown by a pixel each way: a halo that keeps a
    // small sprite readable over a busy picture.
    void Halo(int x, int y, std::initializer_list<const char*> rows, const QColor& c);

private:
    QImage& FImage;
    int FX;
    int FY;
};

// The shared palette of the 16 x 16 pictures by letter; throws std::logic_error for a
// letter without a colour (a typing error in a sprite).
QColor PaletteColor(char letter);

// Palette letters, for the drawing code.
namespace Ink {
inline const QColor Outline(44, 52, 68);     // 'k'
inline const QColor SoftLine(104, 112, 128); // 'K'
inline const QColor White(255, 255, 255);    // 'w'
inline const QColor Light(232, 236, 242);    // 'l'
inline const QColor MidLight(204, 210, 220); // 'm'
inline const QColor Grey(164, 172, 186);     // 'g'
inline const QColor DarkGrey(118, 126, 142); // 'd'
inline const QColor SkyBlue(150, 196, 250);  // 'b'
inline const QColor Blue(60, 124, 218);      // 'B'
inline const QColor Navy(30, 70, 150);       // 'N'
inline const QColor Cream(255, 236, 150);    // 'y'
inline const QColor Gold(246, 186, 44);      // 'Y'
inline const QColor Amber(196, 124, 22);     // 'O'
inline const QColor Rose(250, 134, 122);     // 'r'
inline const QColor Red(214, 50, 50);        // 'R'
inline const QColor Maroon(138, 26, 26);     // 'D'
inline const QColor Mint(146, 222, 124);     // 'e'
inline const QColor Green(52, 162, 72);      // 'E'
inline const QColor Forest(26, 104, 46);     // 'G'
inline const QColor Lilac(194, 156, 244);    // 'p'
inline const QColor Violet(124, 74, 204);    // 'P'
inline const QColor DeepViolet(70, 34, 140); // 'V'
inline const QColor Aqua(132, 222, 236);     // 'c'
inline const QColor Teal(22, 150, 180);      // 'C'
inline const QColor Wood(150, 100, 60);      // 'n'
inline const QColor Tan(216, 170, 118);      // 'h'
} // namespace Ink

} // namespace InstallArt
