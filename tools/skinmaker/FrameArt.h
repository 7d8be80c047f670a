#pragma once
// Shared pieces of the window-frame family of the skin maker: the geometry of a skin's frame
// picture, the per-skin frame choices, a packer for the small looks that go into one active
// picture, and the painters of the frame, its caption buttons and its menus.

#include "SkinBuilder.h"
#include "SkinPainter.h"
#include "SkinTheme.h"

#include "framework/Types.h"

#include <QImage>
#include <QPainterPath>
#include <QSize>
#include <vector>

namespace FrameArt {

// Choices that differ between the six frames, derived from the theme's character.
struct TFrameStyle {
    QSize Button;                // caption button size
    int ButtonGap = 2;           // "buttonsoffset"
    double ButtonRadius = 3;     // rounding of the caption buttons' faces
    bool Round = false;          // caption buttons are discs
    bool UseButtonsRect = true;  // a separate buttons area; otherwise the caption area holds them
    bool ClassicInPlace = false; // close/max/min/system menu drawn in the frame picture
    bool MoonButton = false;     // a decorative plain button at the top left
    bool LogoArea = false;       // a user object over an emblem at the top right
    bool ClientPattern = false;  // the client piece carries the theme's pattern
    bool RedClose = false;       // the hot close button turns red
};

TFrameStyle StyleFor(const TSkinTheme& theme);

// The frame picture's layout. Everything is in picture coordinates.
struct TFrameGeometry {
    int Width = 0, Height = 0;
    int Side = 4;         // width of the left and right borders
    int Bottom = 4;       // height of the bottom border
    int Caption = 26;     // height of the top border, caption bar included
    int Radius = 0;       // rounding of the shaped top corners
    int BottomRadius = 0; // rounding of the bottom corners (0: square)
    TPoint LT, RT, LB, RB;
    TRect Client;
    TRect CaptionArea;   // [FORMINFO] captionrect
    TRect ButtonsArea;   // [FORMINFO] buttonsrect (may be empty)
    TRect CaptionObject; // the caption record's skinrect
    int ButtonTop = 4;   // y of the caption buttons
    // Buttons drawn in the frame picture, by command (empty rect when not in place).
    TRect InPlaceClose, InPlaceMax, InPlaceMin, InPlaceSysMenu;
    TRect Moon;    // the decorative plain button (empty when none)
    TRect Logo;    // the user object area (empty when none)
    QSize SysMenu; // size of the system-menu button

    // The window's outline (rounded corners as the theme asks), moved `inset` pixels
    // inwards (lines are drawn on pixel centres, at insets of 0.5, 1.5, ...).
    QPainterPath Shape(double inset = 0) const;
};

TFrameGeometry GeometryFor(const TSkinTheme& theme, const TFrameStyle& style);

// Places small pictures side by side in rows of one wide picture and remembers where.
class TAtlas {
public:
    explicit TAtlas(int width) : FWidth(width) {}
    // Places `piece` and returns its rectangle in the final picture.
    TRect Add(const QImage& piece);
    // The picture holding every piece; unused space is SkinPaint::Outside.
    QImage Picture() const;

private:
    struct TPiece {
        TRect Rect;
        QImage Image;
    };
    int FWidth;
    int FX = 0, FY = 0, FRowHeight = 0;
    std::vector<TPiece> FPieces;
};

// ---- frame pictures (FramePicture.cpp)

struct TFramePictures {
    QImage Active;       // the frame picture, decorations in place
    QImage Inactive;     // the inactive picture (null when the theme has none)
    QImage Mask;         // null when the frame is square
    QImage CleanBand;    // the top border without pattern or decoration
    QImage InactiveBand; // the same for the inactive colours (null when none)
};

TFramePictures PaintFrame(const TSkinTheme& theme, const TFrameStyle& style,
                          const TFrameGeometry& g);

// ---- caption buttons and other frame objects (FrameButtons.cpp)

enum class TLook { Normal, Hot, Down, Disabled };

// A caption button's look over `background` (the caption behind the button).
QImage ButtonLook(const TSkinTheme& theme, const TFrameStyle& style, const QImage& background,
                  SkinPaint::TGlyph glyph, TLook look, bool close = false);

// Paints a caption button in its normal look onto the frame picture at `r`.
void PaintInPlaceButton(QImage& frame, const TSkinTheme& theme, const TFrameStyle& style,
                        const TRect& r, SkinPaint::TGlyph glyph);
// The moon emblem of the decorative button, normal (glow false) or lit.
void PaintMoon(QPainter& p, const QRectF& r, const TSkinTheme& theme, bool glow);
// The emblem under the user-object area.
void PaintLogo(QPainter& p, const QRectF& r, const TSkinTheme& theme);

// The looks of one caption button in the active picture.
struct TButtonLooks {
    TRect Normal, Hot, Down, Disabled;
    TRect Restore, RestoreHot, RestoreDown, RestoreInactive; // maximize, minimize, roll-up
};

struct TObjectLooks {
    TButtonLooks Close, Max, Min, RollUp, Tray, SysMenu;
    TRect Star; // the system-menu animation strip (empty when none)
    int StarFrames = 0;
    TRect MoonHot, MoonDown;
    TRect Plate, PlateActive; // the caption plate, inactive and active
    TRect PlateText;          // where the text sits on the plate
    int PlateLeft = 0, PlateRight = 0;
};

// Draws every look of the frame objects into the atlas.
TObjectLooks PaintObjectLooks(const TSkinTheme& theme, const TFrameStyle& style,
                              const TFrameGeometry& g, const TFramePictures& pictures,
                              TAtlas& atlas);
// Writes the frame-object records (caption, caption buttons, decorative objects).
void AddFrameObjects(TSkinBuilder& skin, const TFrameStyle& style, const TFrameGeometry& g,
                     const TObjectLooks& looks, int atlasIndex);

// ---- menus and hints (FrameMenus.cpp)

// Where the menu bar, menu-item, menu-bar-item and MDI button looks are in the atlas.
struct TMenuLooks {
    TRect Bar;                          // the menu bar
    TRect ItemNormal, ItemHot, Divider; // popup menu items
    TRect BarItem, BarItemHot, BarItemDown;
    TRect MdiButtons[4][3]; // close, min, max (restore), system menu x normal, hot, down
    int BarItemTextTop = 0;
};
// Draws the looks of the menus into the atlas.
TMenuLooks PaintMenuLooks(const TSkinTheme& theme, TAtlas& atlas);

// Writes [POPUPWINDOW], [HINTWINDOW], the menu records and the "mainmenubar" control.
void AddMenuRecords(TSkinBuilder& skin, const TMenuLooks& looks, int atlasIndex);

// ---- helpers shared by the painters

// Height of a line of text in the font the engine will use.
int TextHeight(const QString& fontName, int height, bool bold);
// `r` as a QRectF (right and bottom exclusive become the far edges).
QRectF ToRectF(const TRect& r);
// A copy of `image`'s pixels in `r`.
QImage Crop(const QImage& image, const TRect& r);

} // namespace FrameArt
