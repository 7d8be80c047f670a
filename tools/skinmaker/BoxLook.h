#pragma once
// The look of the container, text and list records of one skin: the colours and drawing
// choices every box picture follows, taken from the skin's theme, and the small drawing
// helpers the box part makers share (bars, frames, wells, item strips, check cells).

#include "SkinBuilder.h"
#include "SkinPainter.h"

#include <QImage>
#include <QMargins>
#include <QPainter>

namespace BoxPaint {

// The small mark at the left end of a caption bar, in the skin's character.
enum class TOrnament { Bar, Pill, Flake, Star, Rivet, Square };

struct TBoxLook {
    // panels and group boxes
    QColor Face;          // the body of panels and boxes (flat, it is tiled both ways)
    QColor Text;          // text on Face
    QColor Border;        // the outer line of boxes
    QColor Light;         // the inner highlight line
    QColor Shadow;        // the inner shadow line (classic bevels)
    bool Classic = false; // two-pixel raised and sunken bevels
    int Radius = 3;       // corner radius of boxes
    // caption bars (group box, rolling panel, captioned list)
    QColor BarTop, BarBottom, BarLine, BarText, BarGloss;
    QColor PatternInk; // the theme's pattern over bars (alpha 0: none)
    TOrnament Ornament = TOrnament::Bar;
    QColor OrnamentColor;
    // status bar and its panels
    QColor StatusTop, StatusBottom, StatusLine, StatusText;
    QColor WellFill, WellBorder, WellShade;
    // tool bar
    QColor ToolTop, ToolBottom, ToolLine;
    // labels: a quiet plate under the text
    QColor PlateTop, PlateBottom, PlateBorder;
    // fields: edits, combo boxes, lists, memos
    QColor Field, FieldText, FieldBorder, FieldActiveBorder, FieldActiveFill, FieldDisabledText;
    QColor FieldShade; // inner shadow along the top of a sunken field
    // selected items
    QColor SelTop, SelBottom, SelBorder, SelText;
    QColor SoftSelTop, SoftSelBottom, SoftSelText; // selected while the list has no focus
    QColor HotTint;                                // hovered tabs and cells
    QColor LinkText;                               // "activefontcolor" of plain labels
    // fonts
    QString FontName, BoldFontName;
    int FontHeight = 12;
};

TBoxLook LookOf(const TSkinTheme& theme);

// ---- drawing helpers (pictures are opaque; shapes are antialiased over what is there)

// A rounded box: outer line in `border`, filled with `fill`; radius 0 gives square corners.
void Box(QPainter& p, const QRectF& r, double radius, const QColor& border, const QBrush& fill);
// The raised frame of panels: outer border, inner highlight; classic looks get a bevel.
void RaisedFrame(QPainter& p, const QRect& r, const TBoxLook& look, double radius);
// A sunken field: border, a shade line at the top, `fill` inside; classic looks get a
// two-pixel sunken bevel. `border` overrides the look's field border when valid.
void SunkenField(QPainter& p, const QRect& r, const TBoxLook& look, const QColor& fill,
                 double radius, const QColor& border = QColor());
// The caption bar of boxes over r (the bar's rows only, no outline); callers clip it to
// their box's rounding.
void CaptionBar(QPainter& p, const QRect& r, const TBoxLook& look, const TSkinTheme& theme);
// A framed box with a caption bar across its top (rows 1..20, a line at row 21) over a
// `body` of that colour: group boxes, rolling panels, captioned lists.
void CaptionedBox(QPainter& p, const QRect& r, const TBoxLook& look, const TSkinTheme& theme,
                  const QColor& body);
// The caption bar turned sideways (for a panel rolled into a column).
void CaptionColumn(QPainter& p, const QRect& r, const TBoxLook& look, const TSkinTheme& theme);
// The skin's ornament centred at c, about `size` pixels across.
void Ornament(QPainter& p, const QPointF& c, double size, const TBoxLook& look);
// A selected-item strip over r: gradient, border and soft rounded ends.
void Selection(QPainter& p, const QRectF& r, const TBoxLook& look, bool soft, bool focused);
// A 13 x 13 check box with its top-left corner at `topLeft`, drawn over what is there.
void CheckBox(QPainter& p, const QPoint& topLeft, const TBoxLook& look, const TSkinTheme& theme,
              bool checked);
// A push button face in a field (drop or browse button), with its glyph.
enum class TFieldGlyph { DropDown, Ellipsis };
void FieldButton(QPainter& p, const QRectF& r, const TSkinTheme& theme, const TFaceColors& colors,
                 TFieldGlyph glyph, double radius);

// A 15 x 15 transparent-keyed cell for a panel's check images: the box on the outside
// colour, whose bottom-left pixel keys the transparency.
QImage CheckImageCell(const TBoxLook& look, const TSkinTheme& theme, bool checked);

// A seamless tile of the skin's panel face with its pattern (skins with a background
// picture), the "bgpictureindex" of panels, scroll boxes and control bars.
QImage FaceTexture(const TBoxLook& look, const TSkinTheme& theme);

// The theme's font for body text and for captions.
void BodyFont(TSkinSection& s, const TBoxLook& look, const QColor& color,
              const QString& prefix = QString());
void CaptionFont(TSkinSection& s, const TBoxLook& look, const QColor& color,
                 const QString& prefix = QString());

// Corner points and client rectangle of a both-way record of `w` x `h`; `corners` gives how
// far the kept corner pieces reach in from each side (the edges between them are tiled).
void NineParts(TSkinSection& s, int w, int h, const QMargins& corners, const TRect& client);
// Corner points of a band record (horizontal stretch) `w` wide with ends `left` and `right`.
void BandParts(TSkinSection& s, int w, int left, int right, const TRect& client);

} // namespace BoxPaint

// The box part makers, called by AddBoxParts in this order.
// `texture` is the active picture index of the face texture, -1 when the skin has none.
void AddPanelBoxes(TSkinBuilder& skin, int texture); // panel, group box, bars, labels
void AddFieldBoxes(TSkinBuilder& skin);              // edits, memo, rich edit, combo boxes
void AddListBoxes(TSkinBuilder& skin);               // list boxes, tree and list views
void AddSheetBoxes(TSkinBuilder& skin, int texture); // rolling panel, tabs, grid, bars, box
