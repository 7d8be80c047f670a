#pragma once
// Building blocks of the 16 x 16 pictures (image list and file-dialog tool bar): pages,
// folders, screens, discs and small badges in the shared palette, all pixel-exact.

#include "InstallArt.h"

#include <functional>
#include <vector>

namespace InstallArt {

// A region given by a test on pixel centres (x + 0.5, y + 0.5 in cell coordinates).
using TShapeTest = std::function<bool(double x, double y)>;

// Fills the pixels of `inside` with rows shaded from `top` to `bottom` over its height,
// and draws `outline` on its pixels that touch the outside (4-neighbourhood). With a valid
// `light`, inner pixels right below or right of the outline get it (a lit top-left rim).
void Shape(TPixels& p, const TShapeTest& inside, const QColor& top, const QColor& bottom,
           const QColor& outline, const QColor& light = QColor());

// Tests for Shape.
bool InDisc(double x, double y, double cx, double cy, double r);
bool InEllipse(double x, double y, double cx, double cy, double rx, double ry);

// A sheet of paper with its top-right corner folded over by `fold` pixels.
void Page(TPixels& p, int x0, int y0, int x1, int y1, int fold = 3);
// A closed folder between x0..x1 and y0..y1 (tab included).
void Folder(TPixels& p, int x0, int y0, int x1, int y1);
// An open folder, its front flap tilted forward.
void OpenFolder(TPixels& p, int x0, int y0, int x1, int y1);
// A floppy disk filling x0..x0+13, y0..y0+13.
void Disk(TPixels& p, int x0, int y0);
// A monitor on its stand filling x0..x1 and y0..y1; its screen is x0+2..x1-2,
// y0+2..y1-5 (painted sky blue), for the caller to draw on.
void Monitor(TPixels& p, int x0, int y0, int x1, int y1);
// A window with a blue title bar.
void Window(TPixels& p, int x0, int y0, int x1, int y1);
// A rounded grey button face (media controls).
void ButtonFace(TPixels& p, int x0, int y0, int x1, int y1);
// A globe with its top-left at (x0, y0) and the given diameter (10..14 pixels).
void Globe(TPixels& p, int x0, int y0, int diameter);

// Badges drawn over a picture's bottom-right part; (x, y) is the badge's top-left.
void PlusBadge(TPixels& p, int x, int y);                     // 7 x 7 green plus
void CrossBadge(TPixels& p, int x, int y);                    // 7 x 7 red cross
void Sparkle(TPixels& p, int x, int y);                       // 7 x 7 gold four-pointed star
void SmallSparkle(TPixels& p, int x, int y, const QColor& c); // 3 x 3 twinkle
void NoteBadge(TPixels& p, int x, int y);                     // 6 x 8 musical note
// A 10 x 9 arrow pointing right, left, up (9 x 10) or down (9 x 10).
enum class TArrow { Right, Left, Up, Down };
void Arrow(TPixels& p, int x, int y, TArrow direction, const QColor& fill, const QColor& light);

// Draws one picture of the image list into its cell.
using TDrawing = std::function<void(TPixels&)>;
// Sets the drawings of the menu pictures (music, player, window, web, help and update
// commands) at their TMainImage indices of `all`.
void AddMenuDrawings(std::vector<TDrawing>& all);

} // namespace InstallArt
