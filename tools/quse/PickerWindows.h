#pragma once
// The colour picker's two windows. TPickOverlay covers the screen with a still picture of
// it; a magnifier follows the mouse, a left click picks the pixel under it, Escape gives up.
// TColourResult shows the picked colour as a swatch, "#RRGGBB" and "rgb(r, g, b)", with a
// button that copies the text and one that picks again; Escape closes it.

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QWidget>
#include <functional>

class QLabel;

// "#RRGGBB" and "rgb(r, g, b)" of a colour.
QString HexText(const QColor& colour);
QString RgbText(const QColor& colour);

// The screen pixels around `centre` (size × size, clamped to the picture), each drawn as a
// zoom × zoom square, with the centre pixel framed.
QImage Magnified(const QImage& screen, QPoint centre, int size, int zoom);

class TPickOverlay : public QWidget {
    Q_OBJECT
public:
    static constexpr int LensPixels = 11;
    static constexpr int LensZoom = 10;

    // `screen` is the still picture of the screen at `origin` in desktop coordinates.
    TPickOverlay(QImage screen, QPoint origin);

    // The picked colour and where on the desktop it was picked.
    std::function<void(QColor colour, QPoint at)> OnPicked;
    std::function<void()> OnCancelled;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The keyboard grab taken while picking ends with the overlay.
    void hideEvent(QHideEvent* event) override;

private:
    QColor ColourAt(QPoint local) const;

    QImage FScreen;
    QPoint FMouse;
};

class TColourResult : public QWidget {
    Q_OBJECT
public:
    TColourResult();

    void ShowColour(const QColor& colour);
    std::function<void()> OnPickAgain;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QColor FColour;
    QLabel* FSwatch;
    QLabel* FHex;
    QLabel* FRgb;
};
