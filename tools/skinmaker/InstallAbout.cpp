// The about picture: a deep blue-violet night with soft light, flowing ribbons of
// particles (an effect in motion), the program's mark, its name, version and purpose.

#include "InstallArt.h"
#include "SkinPainter.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdint>

namespace InstallArt {

namespace {

constexpr int Width = 400;
constexpr int Height = 252;

// A small fixed-seed generator, so the scattered particles are the same on every run.
class TSequence {
public:
    explicit TSequence(uint32_t seed) : FState(seed) {}
    double Next() { // in [0, 1)
        FState = FState * 1664525u + 1013904223u;
        return (FState >> 8) / double(1u << 24);
    }

private:
    uint32_t FState;
};

void Background(QPainter& g) {
    QLinearGradient sky(QPointF(0, 0), QPointF(Width, Height));
    sky.setColorAt(0, QColor(16, 30, 78));
    sky.setColorAt(0.55, QColor(38, 34, 112));
    sky.setColorAt(1, QColor(84, 30, 118));
    g.fillRect(QRect(0, 0, Width, Height), sky);
    auto light = [&](QPointF at, double radius, QColor colour) {
        QRadialGradient glow(at, radius);
        glow.setColorAt(0, colour);
        colour.setAlpha(0);
        glow.setColorAt(1, colour);
        g.fillRect(QRect(0, 0, Width, Height), glow);
    };
    light(QPointF(330, 30), 230, QColor(40, 170, 255, 110));
    light(QPointF(40, 250), 200, QColor(210, 60, 200, 70));
    light(QPointF(250, 170), 120, QColor(255, 200, 120, 26));
}

// The path of ribbon i: a gentle wave across the picture's lower half.
QPointF RibbonPoint(int ribbon, double t) {
    const double x = -20 + t * (Width + 40);
    const double phase = ribbon * 0.55;
    const double y =
        150 + ribbon * 9 + 26 * std::sin(t * 5.2 + phase) + 10 * std::sin(t * 11.0 + phase * 2.0);
    return QPointF(x, y);
}

void Ribbons(QPainter& g) {
    for (int r = 0; r < 7; ++r) {
        QPainterPath path;
        path.moveTo(RibbonPoint(r, 0));
        for (int i = 1; i <= 120; ++i)
            path.lineTo(RibbonPoint(r, i / 120.0));
        QLinearGradient stroke(QPointF(0, 0), QPointF(Width, 0));
        stroke.setColorAt(0, QColor(90, 200, 255, 0));
        stroke.setColorAt(0.35, QColor(110, 210, 255, 70 - r * 6));
        stroke.setColorAt(0.8, QColor(200, 130, 255, 80 - r * 7));
        stroke.setColorAt(1, QColor(255, 140, 220, 0));
        g.setBrush(Qt::NoBrush);
        if (r == 2) { // the leading ribbon glows
            QLinearGradient glow(QPointF(0, 0), QPointF(Width, 0));
            glow.setColorAt(0, QColor(120, 210, 255, 0));
            glow.setColorAt(0.45, QColor(120, 210, 255, 40));
            glow.setColorAt(0.8, QColor(220, 150, 255, 46));
            glow.setColorAt(1, QColor(255, 150, 230, 0));
            g.setPen(QPen(QBrush(glow), 7, Qt::SolidLine, Qt::RoundCap));
            g.drawPath(path);
            stroke.setColorAt(0.35, QColor(170, 230, 255, 190));
            stroke.setColorAt(0.8, QColor(230, 180, 255, 200));
        }
        g.setPen(QPen(QBrush(stroke), r == 2 ? 1.6 : 1.0));
        g.drawPath(path);
    }
    // Particles drifting along the ribbons, brighter towards the middle.
    TSequence random(2008);
    g.setPen(Qt::NoPen);
    for (int i = 0; i < 170; ++i) {
        const int r = int(random.Next() * 7);
        const double t = random.Next();
        const QPointF at = RibbonPoint(r, t) + SkinPaint::RandomPoint(random, 14, 14, -7);
        const double size = 0.5 + random.Next() * random.Next() * 2.2;
        const int alpha = int(60 + 160 * std::sin(t * 3.14159) * random.Next());
        g.setBrush(random.Next() < 0.7 ? QColor(200, 236, 255, alpha)
                                       : QColor(255, 214, 150, alpha));
        g.drawEllipse(at, size, size);
    }
    // Faint stars in the sky above.
    for (int i = 0; i < 60; ++i) {
        const QPointF at = SkinPaint::RandomPoint(random, Width, 120);
        g.setBrush(QColor(255, 255, 255, int(30 + random.Next() * 90)));
        g.drawEllipse(at, 0.6, 0.6);
    }
}

QPainterPath Star(QPointF c, double r) {
    return SkinPaint::SparklePath(c, r, 0.18);
}

void Twinkle(QPainter& g, QPointF at, double r, const QColor& colour) {
    QRadialGradient halo(at, r * 2.2);
    QColor soft = colour;
    soft.setAlpha(90);
    halo.setColorAt(0, soft);
    soft.setAlpha(0);
    halo.setColorAt(1, soft);
    g.setPen(Qt::NoPen);
    g.setBrush(halo);
    g.drawEllipse(at, r * 2.2, r * 2.2);
    g.setBrush(colour);
    g.drawPath(Star(at, r));
}

void Text(QPainter& g, QPointF at, const QString& text, const QFont& font, const QColor& colour,
          bool shadow = false) {
    g.setFont(font);
    if (shadow) {
        g.setPen(QColor(6, 10, 40, 150));
        g.drawText(at + QPointF(1, 1.5), text);
    }
    g.setPen(colour);
    g.drawText(at, text);
}

// A rounded tag with its text centred; returns its width.
double Tag(QPainter& g, QPointF at, const QString& text, const QFont& font, const QColor& fill,
           const QColor& line, const QColor& ink) {
    const double width = QFontMetricsF(font).horizontalAdvance(text) + 16;
    const QRectF box(at.x(), at.y(), width, 19);
    g.setPen(QPen(line, 1));
    g.setBrush(fill);
    g.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 9.5, 9.5);
    g.setPen(ink);
    g.setFont(font);
    g.drawText(box, Qt::AlignCenter, text);
    return width;
}

} // namespace

QImage AboutPicture() {
    QImage image(Width, Height, QImage::Format_RGB32);
    QPainter g(&image);
    g.setRenderHint(QPainter::Antialiasing, true);
    g.setRenderHint(QPainter::TextAntialiasing, true);
    g.setRenderHint(QPainter::SmoothPixmapTransform, true);
    Background(g);
    Ribbons(g);
    Twinkle(g, QPointF(356, 40), 9, QColor(255, 236, 170));
    Twinkle(g, QPointF(324, 72), 4.5, QColor(200, 230, 255));
    Twinkle(g, QPointF(376, 96), 3.5, QColor(255, 200, 240));

    g.drawImage(QRectF(24, 26, 64, 64), AppIcon(128));
    const QFont title = Font(QStringLiteral("Arial"), 27, true);
    Text(g, QPointF(102, 58), QStringLiteral("zarvo网页特效2008"), title, QColor(255, 255, 255),
         true);
    const QFont small = Font(QStringLiteral("Arial"), 12, true);
    double x = 103;
    x += Tag(g, QPointF(x, 68), QStringLiteral("qirra版"), small, QColor(255, 200, 80),
             QColor(255, 226, 150), QColor(70, 40, 0)) +
         8;
    Tag(g, QPointF(x, 68), QStringLiteral("V2.0.0"), small, QColor(255, 255, 255, 28),
        QColor(150, 210, 255, 150), QColor(190, 228, 255));

    Text(g, QPointF(26, 128), QStringLiteral("网页特效代码库：浏览、预览、收藏与编辑"),
         Font(QStringLiteral("Arial"), 15), QColor(226, 234, 255), true);
    const QFont chip = Font(QStringLiteral("Arial"), 11);
    x = 26;
    for (const QString& name : {QStringLiteral("HTML"), QStringLiteral("JavaScript"),
                                QStringLiteral("CSS"), QStringLiteral("十五类特效")})
        x += Tag(g, QPointF(x, 140), name, chip, QColor(255, 255, 255, 20),
                 QColor(255, 255, 255, 60), QColor(210, 222, 250)) +
             6;

    g.setPen(QPen(QColor(255, 255, 255, 44), 1));
    g.drawLine(QPointF(24, 219.5), QPointF(Width - 24, 219.5));
    const QFont foot = Font(QStringLiteral("Arial"), 12);
    Text(g, QPointF(26, 238), QStringLiteral("© 2026 zarvofx team"), foot, QColor(176, 190, 226));
    const QString hint = QStringLiteral("单击图片关闭");
    const double hintWidth = QFontMetricsF(foot).horizontalAdvance(hint);
    Text(g, QPointF(Width - 26 - hintWidth, 238), hint, foot, QColor(176, 190, 226));
    g.end();
    return image;
}

} // namespace InstallArt
