// The file dialogs' tool-bar pictures (one 16 x 16 glyph frame each) and the program's
// icon: code brackets around a sparkle on a rounded blue-violet tile.

#include "InstallIconKit.h"
#include "SkinPainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace InstallArt {

namespace {

void Back(TPixels& p) {
    Arrow(p, 3, 3, TArrow::Left, Ink::Blue, Ink::SkyBlue);
}

void Up(TPixels& p) {
    Folder(p, 0, 4, 12, 15);
    Arrow(p, 7, 0, TArrow::Up, Ink::Green, Ink::Mint);
}

void NewFolder(TPixels& p) {
    Folder(p, 0, 4, 13, 15);
    Sparkle(p, 9, 0);
}

// A tiny item picture of the view buttons: a 3 x 3 blue square with a dark rim.
void Item(TPixels& p, int x, int y) {
    p.Frame(x, y, x + 2, y + 2, Ink::Navy);
    p.Dot(x + 1, y + 1, Ink::SkyBlue);
}

void ListStyle(TPixels& p) {
    for (int row = 0; row < 4; ++row) {
        const int y = 1 + row * 4;
        Item(p, 1, y);
        p.HLine(5, row % 2 ? 11 : 14, y + 1, Ink::DarkGrey);
    }
}

void SmallIconStyle(TPixels& p) {
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 2; ++col) {
            const int x = 1 + col * 8, y = 2 + row * 5;
            Item(p, x, y);
            p.HLine(x + 4, x + 6, y + 1, Ink::DarkGrey);
        }
}

void IconStyle(TPixels& p) {
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 2; ++col) {
            const int x = 1 + col * 8, y = 0 + row * 8;
            p.FillDown(x + 1, y + 1, x + 4, y + 4, Ink::SkyBlue, Ink::Blue);
            p.Frame(x, y, x + 5, y + 5, Ink::Navy);
            p.HLine(x, x + 5, y + 7, Ink::DarkGrey);
        }
}

void ReportStyle(TPixels& p) {
    p.FillDown(1, 1, 14, 3, Ink::Light, Ink::Grey);
    p.Frame(0, 0, 15, 4, Ink::DarkGrey);
    p.VLine(7, 1, 3, Ink::DarkGrey);
    p.VLine(11, 1, 3, Ink::DarkGrey);
    for (int y = 6; y <= 14; y += 3) {
        p.Fill(1, y, 2, y + 1, Ink::Blue);
        p.HLine(4, 6, y, Ink::Outline);
        p.HLine(8, 10, y, Ink::DarkGrey);
        p.HLine(12, 14, y, Ink::DarkGrey);
    }
}

// The star of the icon: four pointed rays with curved flanks, centred on (cx, cy).
QPainterPath SparklePath(double cx, double cy, double r, double waist) {
    return SkinPaint::SparklePath(QPointF(cx, cy), r, waist);
}

// The icon on a 256-unit design grid, for 32 px and up.
void PaintIcon(QPainter& g, int size) {
    const double s = size / 256.0;
    g.scale(s, s);
    const QRectF tile(10, 10, 236, 236);
    QLinearGradient body(tile.topLeft(), tile.bottomRight());
    body.setColorAt(0, QColor(70, 150, 255));
    body.setColorAt(0.55, QColor(78, 92, 232));
    body.setColorAt(1, QColor(132, 56, 214));
    QPainterPath shape;
    shape.addRoundedRect(tile, 54, 54);
    g.fillPath(shape, body);
    // Soft light from the top-left and a glossy upper rim.
    QRadialGradient glow(QPointF(70, 50), 170);
    glow.setColorAt(0, QColor(255, 255, 255, 90));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    g.fillPath(shape, glow);
    g.setPen(QPen(QColor(30, 24, 110, 160), std::max(1.5, 1.0 / s))); // at least a pixel
    g.setBrush(Qt::NoBrush);
    g.drawPath(shape);
    g.setPen(QPen(QColor(255, 255, 255, 70), 4));
    g.drawRoundedRect(tile.adjusted(6, 6, -6, -6), 48, 48);

    // The code brackets, with a soft shadow below them.
    const double stroke = size >= 64 ? 22 : 30;
    QPainterPath brackets;
    brackets.moveTo(92, 88);
    brackets.lineTo(42, 140);
    brackets.lineTo(92, 192);
    brackets.moveTo(164, 88);
    brackets.lineTo(214, 140);
    brackets.lineTo(164, 192);
    g.setBrush(Qt::NoBrush);
    g.setPen(QPen(QColor(20, 10, 80, 90), stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    g.drawPath(brackets.translated(0, 6));
    g.setPen(QPen(QColor(255, 255, 255), stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    g.drawPath(brackets);

    // The sparkle between them, with its glow, and a small twinkle above.
    QRadialGradient halo(QPointF(128, 140), 64);
    halo.setColorAt(0, QColor(255, 236, 150, 150));
    halo.setColorAt(1, QColor(255, 220, 120, 0));
    g.setPen(Qt::NoPen);
    g.setBrush(halo);
    g.drawEllipse(QPointF(128, 140), 64, 64);
    QLinearGradient gold(QPointF(128, 90), QPointF(128, 190));
    gold.setColorAt(0, QColor(255, 246, 190));
    gold.setColorAt(0.5, QColor(255, 206, 64));
    gold.setColorAt(1, QColor(240, 150, 30));
    g.setBrush(gold);
    g.setPen(QPen(QColor(170, 90, 10, 200), size >= 64 ? 3 : 5));
    g.drawPath(SparklePath(128, 140, size >= 64 ? 46 : 54, 0.18));
    if (size >= 48) {
        g.setPen(Qt::NoPen);
        g.setBrush(QColor(255, 255, 255, 230));
        g.drawPath(SparklePath(196, 62, 20, 0.2));
        g.drawEllipse(QPointF(58, 214), 5, 5);
    }
}

// The 16-pixel icon, drawn pixel by pixel: at this size the strokes must sit on whole
// pixels to stay sharp. The tile is 15 pixels square, so the sparkle has a centre pixel;
// a soft shadow fills the last row and column.
void PaintSmallIcon(QImage& icon) {
    QPainter g(&icon);
    g.setRenderHint(QPainter::Antialiasing, true);
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(20, 10, 60, 70));
    g.drawRoundedRect(QRectF(1, 1, 15, 15), 3.5, 3.5);
    QLinearGradient body(QPointF(0, 0), QPointF(15, 15));
    body.setColorAt(0, QColor(70, 150, 255));
    body.setColorAt(0.55, QColor(78, 92, 232));
    body.setColorAt(1, QColor(132, 56, 214));
    g.setPen(QPen(QColor(36, 28, 116), 1));
    g.setBrush(body);
    g.drawRoundedRect(QRectF(0.5, 0.5, 14, 14), 3, 3);
    g.end();
    TPixels p(icon, 0, 0);
    const QColor white(255, 255, 255);
    // "<" and ">", mirrored about column 7.
    for (int i = 0; i <= 3; ++i)
        for (int y : {4 + i, 10 - i}) {
            p.Dot(5 - i, y, white);
            p.Dot(9 + i, y, white);
        }
    p.Sprite(5, 5,
             {"..O..", //
              "..Y..", //
              "OYwYO", //
              "..Y..", //
              "..O.."});
}

} // namespace

QImage AppIcon(int size) {
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    if (size < 24) {
        QImage small(16, 16, QImage::Format_ARGB32_Premultiplied);
        small.fill(Qt::transparent);
        PaintSmallIcon(small);
        return small.scaled(size, size);
    }
    QPainter g(&icon);
    g.setRenderHint(QPainter::Antialiasing, true);
    PaintIcon(g, size);
    return icon;
}

QImage ToolBarPicture(const QString& resource) {
    void (*draw)(TPixels&) = nullptr;
    if (resource == QLatin1String("BS_BACK"))
        draw = Back;
    else if (resource == QLatin1String("BS_UP"))
        draw = Up;
    else if (resource == QLatin1String("BS_NEWFOLDER"))
        draw = NewFolder;
    else if (resource == QLatin1String("BS_LISTSTYLE"))
        draw = ListStyle;
    else if (resource == QLatin1String("BS_SMALLICONSTYLE"))
        draw = SmallIconStyle;
    else if (resource == QLatin1String("BS_ICONSTYLE"))
        draw = IconStyle;
    else if (resource == QLatin1String("BS_REPORTSTYLE"))
        draw = ReportStyle;
    if (!draw)
        return QImage();
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(Key);
    TPixels p(picture, 0, 0);
    draw(p);
    p.Dot(0, 15, Key); // the transparent colour is read from here
    return picture;
}

} // namespace InstallArt
