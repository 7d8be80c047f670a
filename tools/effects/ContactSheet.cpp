#include "effects/ContactSheet.h"

#include <QPainter>

namespace {
constexpr int kColumns = 4;
constexpr int kThumbWidth = kEffectViewWidth / 2;
constexpr int kThumbHeight = kEffectViewHeight / 2;
constexpr int kMargin = 10;
constexpr int kLabelHeight = 22;
constexpr int kTitleHeight = 40;

QFont SheetFont(int pixelSize, bool bold) {
    QFont font(QStringLiteral("WenQuanYi Zen Hei"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}
} // namespace

QImage ComposeContactSheet(const QString& category,
                           const std::vector<const EffectReport*>& effects) {
    const int count = static_cast<int>(effects.size());
    const int rows = std::max(1, (count + kColumns - 1) / kColumns);
    const int cellWidth = kThumbWidth + kMargin;
    const int cellHeight = kThumbHeight + kLabelHeight + kMargin;
    QImage sheet(kMargin + kColumns * cellWidth, kTitleHeight + rows * cellHeight + kMargin,
                 QImage::Format_RGB32);
    sheet.fill(QColor(0xE8, 0xEC, 0xF2));
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setFont(SheetFont(20, true));
    painter.setPen(QColor(0x20, 0x30, 0x50));
    painter.drawText(QRect(kMargin, 0, sheet.width() - 2 * kMargin, kTitleHeight),
                     Qt::AlignVCenter | Qt::AlignLeft,
                     QStringLiteral("%1  (%2)").arg(category).arg(count));
    painter.setFont(SheetFont(13, false));
    for (int i = 0; i < count; ++i) {
        const EffectReport& effect = *effects[i];
        const QRect thumb(kMargin + (i % kColumns) * cellWidth,
                          kTitleHeight + (i / kColumns) * cellHeight, kThumbWidth, kThumbHeight);
        if (effect.screenshot.isNull())
            painter.fillRect(thumb, QColor(0x60, 0x60, 0x60));
        else
            painter.drawImage(thumb, effect.screenshot);
        painter.setPen(QColor(0xA0, 0xA8, 0xB8));
        painter.drawRect(thumb.adjusted(0, 0, -1, -1));
        painter.setPen(effect.Failed() ? QColor(0xC0, 0x10, 0x10) : QColor(0x20, 0x20, 0x20));
        const QRect label(thumb.left(), thumb.bottom() + 1, kThumbWidth, kLabelHeight);
        const QString name = effect.file.section(u'/', -1);
        painter.drawText(label, Qt::AlignVCenter | Qt::AlignLeft,
                         painter.fontMetrics().elidedText(name, Qt::ElideRight, kThumbWidth));
    }
    return sheet;
}
