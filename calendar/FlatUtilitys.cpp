#include "calendar/FlatUtilitys.h"

#include "calendar/HSLUtils.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

TColor AdvancedColor(TColor base, TColor current, TAdvColors percent, TLightness direction) {
    if (percent == 0)
        return current;
    THslRange hsl = RgbToHslRange(base);
    int lightness = hsl.Lightness + 10;
    if (direction == TLightness::Lighten) {
        lightness += percent;
        if (lightness > 100)
            lightness = 100;
    } else {
        lightness -= percent;
        if (lightness < 0)
            lightness = 0;
    }
    return HslRangeToRgb(hsl.Hue, hsl.Saturation, lightness);
}

void DrawBevelFrame(TCanvas& canvas, TRect rect, TColor light, TColor dark, int width) {
    canvas.Pen.Width = 1;
    canvas.Pen.Style = psSolid;
    --rect.Right;
    --rect.Bottom;
    for (int i = 0; i < width; ++i) {
        canvas.Pen.Color = light;
        canvas.MoveTo(rect.Left, rect.Bottom);
        canvas.LineTo(rect.Left, rect.Top);
        canvas.LineTo(rect.Right, rect.Top);
        canvas.Pen.Color = dark;
        canvas.LineTo(rect.Right, rect.Bottom);
        canvas.LineTo(rect.Left - 1, rect.Bottom);
        rect.Inflate(-1, -1);
    }
}

namespace {

void PaintMask(TBitmap& target, const std::vector<TPoint>& mask, int dx, int dy, TColor color) {
    for (const TPoint& p : mask)
        target.SetPixel(p.X + dx, p.Y + dy, color);
}

} // namespace

TBitmap MakeDisabledGlyph(const TBitmap& image, TColor outline, TColor background, bool highlight,
                          TColor dark, TColor light) {
    TColor key = ColorToRGB(outline);
    std::vector<TPoint> mask;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if (image.Pixel(x, y) == key)
                mask.emplace_back(x, y);

    TBitmap result(image.Width(), image.Height());
    result.Canvas().Brush.Style = bsSolid;
    result.Canvas().Brush.Color = background;
    result.Canvas().FillRect(TRect(0, 0, image.Width(), image.Height()));
    result.Canvas().EndPaint();
    if (highlight)
        PaintMask(result, mask, 1, 1, light);
    PaintMask(result, mask, 0, 0, dark);
    return result;
}

void CopyParentBackground(const QWidget* control, TCanvas& canvas) {
    QWidget* parent = control->parentWidget();
    if (!parent || control->isWindow())
        return;
    QRect behind = control->geometry().intersected(parent->rect());
    if (behind.isEmpty())
        return;
    QImage image(control->size(), QImage::Format_RGB32);
    image.fill(parent->palette().color(parent->backgroundRole()));
    {
        QPainter painter(&image);
        // Only the parent itself: its background and its own painting, not its children.
        parent->render(&painter, behind.topLeft() - control->pos(), QRegion(behind),
                       QWidget::DrawWindowBackground);
    }
    if (QPainter* p = canvas.Handle())
        p->drawImage(QPoint(0, 0), image);
}
