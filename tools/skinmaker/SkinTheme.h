#pragma once
// The character of one installed skin: its folder and name, its palette and the drawing
// choices the picture makers follow. Every picture of a skin is drawn from its theme, so
// the six skins differ only here.

#include <QColor>
#include <QString>
#include <vector>

// How raised surfaces (buttons, caption buttons, thumbs, tabs) are drawn.
enum class TFaceStyle {
    Soft,    // a gentle vertical gradient with a light top line
    Glass,   // a glossy upper half over a deeper lower half
    Frosted, // pale, translucent-looking, with a white inner rim
    Velvet,  // rich gradient with a glow in the lower half
    Paper,   // classic raised bevel on a warm flat face
    Flat,    // one colour with a crisp border, no bevel
};

// The texture laid over large surfaces (frame, group boxes, backgrounds). Each pattern
// repeats every `TSkinTheme::PatternPeriod` pixels so tiled pieces meet without seams.
enum class TPattern { None, Streaks, Snow, Stars, Grain, Diagonal };

// Colours of one state of a raised surface.
struct TFaceColors {
    QColor Top;    // upper colour of the fill
    QColor Bottom; // lower colour of the fill
    QColor Border; // outline
    QColor Text;   // caption text on it
};

struct TSkinTheme {
    QString Folder;   // "skin1" … "skin6"
    QString Name;     // the skin's name in [VERSION]
    QString Comments; // one line on its character

    // ---- palette
    TFaceColors Normal, Hot, Down, Disabled; // raised surfaces by state
    QColor FrameTop, FrameBottom;            // frame body gradient (caption bar to bottom)
    QColor FrameBorder;                      // outermost line of the frame
    QColor FrameLight;                       // inner highlight of the frame
    QColor CaptionText, CaptionTextActive, CaptionShadowColor;
    QColor InactiveFrameTop, InactiveFrameBottom; // the inactive picture, where one is drawn
    QColor Window, WindowText;                    // client areas: lists, edits, memos
    QColor Selection, SelectionText;              // selected items
    QColor Panel, PanelText;                      // panels, group boxes, dialogs' background
    QColor PanelBorder;                           // lines around panels and boxes
    QColor Accent;                                // marks: checks, thumbs' grips, gauge fill
    QColor MenuBack, MenuText, MenuHot, MenuHotText, MenuDisabledText;
    QColor HintBack, HintText, HintBorder;

    // ---- character
    TFaceStyle Face = TFaceStyle::Soft;
    TPattern Pattern = TPattern::None;
    int PatternPeriod = 16; // pixels after which the pattern repeats
    int Radius = 3;         // corner radius of raised surfaces
    QString FontName = QStringLiteral("宋体");
    int FontHeight = 12;
    QString CaptionFontName = QStringLiteral("黑体");
    int CaptionFontHeight = 13;
    bool CaptionBold = true;
    QString CaptionAlignment = QStringLiteral("tacenter"); // "taleftjustify", "tacenter", …
    bool CaptionShadow = false;
    bool CaptionPlate = false; // the caption text sits on a plate ("framerect")
    // The caption bar is a sweep from SweepFrom at the left to SweepTo at the right (drawn
    // once across the whole top border, which the frame then stretches: StretchTop).
    bool CaptionSweep = false;
    QColor SweepFrom, SweepTo;

    // ---- frame features
    int FrameCornerRadius = 8;       // shaped top corners cut by the frame mask (0: no mask)
    bool RoundBottomCorners = false; // the mask also rounds the bottom corners
    int BorderWidth = 4;             // width of the sizing border
    int CaptionHeight = 26;          // height of the top border, caption bar included
    bool InactivePicture = false;    // draw a separate picture for inactive windows
    bool AutoInactive = true;        // "autorenderinginactiveimage"
    QString InactiveEffect = QStringLiteral("iebrightness");
    bool ButtonsInLeft = false;     // caption buttons laid out from the left
    bool AnimatedSysMenu = false;   // the system-menu button is an animation object
    bool BackgroundPicture = false; // a tiled client background ("bgpictureindex")
    bool StretchTop = false, StretchBottom = false, StretchLeft = false, StretchRight = false;

    // ---- morphing ("morphkind" of each family; empty: no morphing)
    QString ButtonMorph; // push buttons
    QString ObjectMorph; // caption buttons
    QString MenuMorph;   // menu items
    QString CheckMorph;  // check boxes and radio buttons
};

// The six installed skins, skin1 … skin6.
const std::vector<TSkinTheme>& InstalledThemes();
