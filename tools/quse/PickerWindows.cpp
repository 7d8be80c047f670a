#include "PickerWindows.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

QString HexText(const QColor& colour) {
    return QStringLiteral("#%1%2%3")
        .arg(colour.red(), 2, 16, QLatin1Char('0'))
        .arg(colour.green(), 2, 16, QLatin1Char('0'))
        .arg(colour.blue(), 2, 16, QLatin1Char('0'))
        .toUpper();
}

QString RgbText(const QColor& colour) {
    return QStringLiteral("rgb(%1, %2, %3)")
        .arg(colour.red())
        .arg(colour.green())
        .arg(colour.blue());
}

QImage Magnified(const QImage& screen, QPoint centre, int size, int zoom) {
    QImage lens(size * zoom, size * zoom, QImage::Format_RGB32);
    lens.fill(Qt::black);
    QPainter painter(&lens);
    const int half = size / 2;
    for (int dy = -half; dy <= half; ++dy)
        for (int dx = -half; dx <= half; ++dx) {
            const QPoint p = centre + QPoint(dx, dy);
            if (!screen.rect().contains(p))
                continue;
            painter.fillRect((dx + half) * zoom, (dy + half) * zoom, zoom, zoom,
                             screen.pixelColor(p));
        }
    // The picked pixel: a frame that shows on light and dark colours alike.
    painter.setPen(Qt::black);
    painter.drawRect(half * zoom - 1, half * zoom - 1, zoom + 1, zoom + 1);
    painter.setPen(Qt::white);
    painter.drawRect(half * zoom - 2, half * zoom - 2, zoom + 3, zoom + 3);
    return lens;
}

// ---------------------------------------------------------------- overlay

TPickOverlay::TPickOverlay(QImage screen, QPoint origin) : FScreen(std::move(screen)) {
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool);
    setWindowTitle(QStringLiteral("zarvo屏幕取色"));
    setGeometry(QRect(origin, FScreen.size() / FScreen.devicePixelRatio()));
    setCursor(Qt::CrossCursor);
    setMouseTracking(true);
    FMouse = mapFromGlobal(QCursor::pos());
}

QColor TPickOverlay::ColourAt(QPoint local) const {
    const QPoint p = local * FScreen.devicePixelRatio();
    return FScreen.rect().contains(p) ? FScreen.pixelColor(p) : QColor(Qt::black);
}

void TPickOverlay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(rect(), FScreen);
    const QImage lens =
        Magnified(FScreen, FMouse * FScreen.devicePixelRatio(), LensPixels, LensZoom);
    const int textHeight = 20;
    // The lens sits beside the pointer, on the side where it fits.
    QPoint at = FMouse + QPoint(20, 20);
    if (at.x() + lens.width() > width())
        at.setX(FMouse.x() - 20 - lens.width());
    if (at.y() + lens.height() + textHeight > height())
        at.setY(FMouse.y() - 20 - lens.height() - textHeight);
    painter.drawImage(at, lens);
    const QRect label(at.x(), at.y() + lens.height(), lens.width(), textHeight);
    painter.fillRect(label, QColor(32, 32, 32));
    painter.setPen(Qt::white);
    painter.drawText(label, Qt::AlignCenter, HexText(ColourAt(FMouse)));
    painter.setPen(Qt::white);
    painter.drawRect(QRect(at, lens.size()).adjusted(-1, -1, 0, textHeight));
}

void TPickOverlay::mouseMoveEvent(QMouseEvent* event) {
    FMouse = event->position().toPoint();
    update();
}

void TPickOverlay::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QColor colour = ColourAt(event->position().toPoint());
    hide();
    if (OnPicked)
        OnPicked(colour, event->globalPosition().toPoint());
}

void TPickOverlay::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape)
        return QWidget::keyPressEvent(event);
    hide();
    if (OnCancelled)
        OnCancelled();
}

void TPickOverlay::hideEvent(QHideEvent* event) {
    releaseKeyboard();
    QWidget::hideEvent(event);
}

// ---------------------------------------------------------------- result

TColourResult::TColourResult() {
    setWindowTitle(QStringLiteral("zarvo屏幕取色"));
    FSwatch = new QLabel;
    FSwatch->setFixedSize(64, 64);
    FSwatch->setFrameShape(QFrame::Box);
    FHex = new QLabel;
    FRgb = new QLabel;
    for (QLabel* text : {FHex, FRgb}) {
        text->setTextInteractionFlags(Qt::TextSelectableByMouse);
        QFont font = text->font();
        font.setPointSize(12);
        text->setFont(font);
    }
    auto* copy = new QPushButton(QStringLiteral("复制"));
    copy->setObjectName(QStringLiteral("copy"));
    connect(copy, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(HexText(FColour)); });
    auto* again = new QPushButton(QStringLiteral("重新取色"));
    connect(again, &QPushButton::clicked, this, [this] {
        if (OnPickAgain)
            OnPickAgain();
    });

    auto* texts = new QVBoxLayout;
    texts->addWidget(FHex);
    texts->addWidget(FRgb);
    auto* top = new QHBoxLayout;
    top->addWidget(FSwatch);
    top->addLayout(texts);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(copy);
    buttons->addWidget(again);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    copy->setDefault(true);
}

void TColourResult::ShowColour(const QColor& colour) {
    FColour = colour;
    FSwatch->setStyleSheet(QStringLiteral("background: %1;").arg(HexText(colour)));
    FHex->setText(HexText(colour));
    FRgb->setText(RgbText(colour));
}

void TColourResult::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}
