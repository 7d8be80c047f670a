// The code area's placeholder: a light card inviting the user to pick an effect, with a
// browser window full of sparkles on the left and three steps on the right. Everything
// outside the card is the transparent colour; the card's edge is drawn without
// antialiasing so no pixel blends with that colour and no fringe shows on any skin.

#include "InstallArt.h"
#include "SkinPainter.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace InstallArt {

namespace {

constexpr int Width = 504;
constexpr int Height = 273;

const QColor Heading(40, 52, 80);   // headings
const QColor Body(78, 88, 110);     // body text
const QColor Accent(66, 112, 204);  // the one accent colour
const QColor Gold(242, 178, 44);    // sparkles
const QColor Violet(146, 104, 222); // second sparkle colour
const QColor Hairline(206, 212, 224);

QPainterPath Star(QPointF c, double r) {
    return SkinPaint::SparklePath(c, r, 0.2);
}

void Card(QPainter& g, const QRect& card) {
    g.setRenderHint(QPainter::Antialiasing, false);
    QPainterPath shape;
    shape.addRoundedRect(card, 10, 10);
    QLinearGradient fill(card.topLeft(), card.bottomLeft());
    fill.setColorAt(0, QColor(252, 253, 255));
    fill.setColorAt(1, QColor(236, 240, 246));
    g.fillPath(shape, fill);
    g.setPen(QColor(184, 194, 212));
    g.setBrush(Qt::NoBrush);
    g.drawPath(shape);
    g.setRenderHint(QPainter::Antialiasing, true);
    // A faint dot grid on the left, like a designer's canvas, fading to the right.
    for (int y = card.top() + 18; y < card.bottom() - 10; y += 12)
        for (int x = card.left() + 18; x < card.left() + 240; x += 12) {
            const int alpha = 60 - (x - card.left()) / 5;
            if (alpha > 0)
                g.fillRect(QRectF(x, y, 1.5, 1.5), QColor(150, 164, 190, alpha));
        }
}

void BrowserWindow(QPainter& g, const QRectF& w) {
    // Soft shadow on the card.
    for (int i = 8; i >= 1; --i) {
        g.setPen(Qt::NoPen);
        g.setBrush(QColor(60, 72, 110, 6));
        g.drawRoundedRect(w.adjusted(-i + 2, -i + 5, i + 2, i + 5), 8 + i, 8 + i);
    }
    QPainterPath frame;
    frame.addRoundedRect(w, 8, 8);
    g.fillPath(frame, QColor(255, 255, 255));
    // Title bar with three window dots and an address field.
    const QRectF bar(w.left(), w.top(), w.width(), 26);
    QPainterPath barPath;
    barPath.addRoundedRect(bar, 8, 8);
    barPath.addRect(bar.adjusted(0, 10, 0, 0));
    QLinearGradient barFill(bar.topLeft(), bar.bottomLeft());
    barFill.setColorAt(0, QColor(236, 240, 247));
    barFill.setColorAt(1, QColor(220, 226, 237));
    g.fillPath(barPath.simplified(), barFill);
    const QColor dots[] = {QColor(238, 108, 96), QColor(246, 190, 78), QColor(98, 196, 98)};
    for (int i = 0; i < 3; ++i) {
        g.setBrush(dots[i]);
        g.drawEllipse(QPointF(bar.left() + 14 + i * 13, bar.center().y()), 4, 4);
    }
    g.setBrush(QColor(255, 255, 255));
    g.setPen(QPen(QColor(204, 212, 226), 1));
    g.drawRoundedRect(QRectF(bar.left() + 58, bar.top() + 6, bar.width() - 70, 14), 7, 7);
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(176, 188, 210));
    g.drawRoundedRect(QRectF(bar.left() + 66, bar.top() + 11, 60, 4), 2, 2);
    g.setPen(QPen(QColor(190, 200, 218), 1));
    g.setBrush(Qt::NoBrush);
    g.drawPath(frame);
    g.drawLine(QPointF(w.left() + 0.5, bar.bottom()), QPointF(w.right() - 0.5, bar.bottom()));

    // The page: code brackets over a glow, coloured code lines below.
    const QPointF centre(w.center().x(), w.top() + 72);
    QRadialGradient glow(centre, 56);
    glow.setColorAt(0, QColor(255, 226, 140, 130));
    glow.setColorAt(1, QColor(255, 226, 140, 0));
    g.setPen(Qt::NoPen);
    g.setBrush(glow);
    g.drawEllipse(centre, 56, 56);
    QPainterPath code;
    code.moveTo(centre + QPointF(-24, -22));
    code.lineTo(centre + QPointF(-48, 0));
    code.lineTo(centre + QPointF(-24, 22));
    code.moveTo(centre + QPointF(24, -22));
    code.lineTo(centre + QPointF(48, 0));
    code.lineTo(centre + QPointF(24, 22));
    code.moveTo(centre + QPointF(9, -26));
    code.lineTo(centre + QPointF(-9, 26));
    g.setBrush(Qt::NoBrush);
    g.setPen(QPen(Accent, 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    g.drawPath(code);
    const struct {
        double x, width;
        QColor colour;
    } lines[] = {{0, 46, Accent.lighter(140)},
                 {14, 70, QColor(246, 196, 96)},
                 {14, 40, QColor(130, 200, 140)},
                 {0, 58, QColor(190, 170, 236)}};
    double y = w.top() + 118;
    for (const auto& line : lines) {
        g.setPen(Qt::NoPen);
        g.setBrush(line.colour);
        g.drawRoundedRect(QRectF(w.left() + 22 + line.x, y, line.width, 5), 2.5, 2.5);
        g.setBrush(QColor(214, 220, 232));
        g.drawRoundedRect(QRectF(w.left() + 28 + line.x + line.width, y, 30, 5), 2.5, 2.5);
        y += 11;
    }
    // Sparkles around the brackets, the effects coming alive.
    g.setPen(Qt::NoPen);
    g.setBrush(Gold);
    g.drawPath(Star(centre + QPointF(54, -30), 11));
    g.setBrush(Violet);
    g.drawPath(Star(centre + QPointF(-58, -32), 7));
    g.setBrush(Gold.lighter(115));
    g.drawPath(Star(centre + QPointF(62, 20), 5));
    g.setBrush(Accent.lighter(130));
    g.drawEllipse(centre + QPointF(-62, 18), 2.5, 2.5);
}

void Steps(QPainter& g, QPointF at) {
    const QString steps[] = {QStringLiteral("在左侧选择特效类别"),
                             QStringLiteral("单击特效名称查看代码"),
                             QStringLiteral("复制代码、预览或保存特效")};
    const QFont numberFont = Font(QStringLiteral("Arial"), 12, true);
    const QFont textFont = Font(QStringLiteral("Arial"), 14);
    for (int i = 0; i < 3; ++i) {
        const QPointF c(at.x() + 10, at.y() + i * 32);
        g.setPen(Qt::NoPen);
        g.setBrush(i == 0 ? Accent : Accent.lighter(125));
        g.drawEllipse(c, 10, 10);
        g.setPen(QColor(255, 255, 255));
        g.setFont(numberFont);
        g.drawText(QRectF(c.x() - 10, c.y() - 10, 20, 20), Qt::AlignCenter, QString::number(i + 1));
        g.setPen(Body);
        g.setFont(textFont);
        g.drawText(QRectF(c.x() + 18, c.y() - 11, 220, 22), Qt::AlignLeft | Qt::AlignVCenter,
                   steps[i]);
    }
}

// The largest font up to `pixelSize` in which `text` fits `width`.
QFont Fitted(const QString& text, int pixelSize, bool bold, double width) {
    QFont font = Font(QStringLiteral("Arial"), pixelSize, bold);
    while (pixelSize > 10 && QFontMetricsF(font).horizontalAdvance(text) > width)
        font = Font(QStringLiteral("Arial"), --pixelSize, bold);
    return font;
}

} // namespace

QImage PlaceholderPicture() {
    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(Key);
    QPainter g(&image);
    const QRect card(8, 8, Width - 17, Height - 17);
    Card(g, card);
    g.setRenderHint(QPainter::Antialiasing, true);
    g.setRenderHint(QPainter::TextAntialiasing, true);
    BrowserWindow(g, QRectF(28, 40, 190, 190));

    const double left = 244, right = card.right() - 18;
    g.setPen(Accent);
    g.setFont(Font(QStringLiteral("Arial"), 13, true));
    g.drawText(QPointF(left, 66), QStringLiteral("欢迎使用"));
    const QString title = QStringLiteral("zarvo网页特效2008");
    g.setPen(Heading);
    g.setFont(Fitted(title, 26, true, right - left));
    g.drawText(QPointF(left - 1, 100), title);
    g.setPen(Body);
    g.setFont(Font(QStringLiteral("Arial"), 13));
    g.drawText(QPointF(left, 126), QStringLiteral("HTML 与 JavaScript 网页特效代码库"));
    g.setPen(QPen(Hairline, 1));
    g.drawLine(QPointF(left, 143.5), QPointF(right, 143.5));
    Steps(g, QPointF(left, 170));
    g.end();
    return image;
}

} // namespace InstallArt
