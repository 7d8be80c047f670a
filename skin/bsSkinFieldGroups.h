#pragma once
// The groups of fields that many skin records share. Each group is read and written by one
// function of TbsIniFields. A record that has a group derives from it, so the group's
// fields keep their key-derived names in every record.

#include "skin/bsSkinValues.h"

#include <QString>

// "fontname" "Arial", "fontheight" 14, "fontstyle", "fontcolor" 0.
struct TbsFontFields {
    QString FontName = QStringLiteral("Arial");
    int FontHeight = 14;
    TFontStyles FontStyle;
    TColor FontColor = 0;
};

// "morphing", "morphkind".
struct TbsMorphFields {
    bool Morphing = false;
    TbsMorphKind MorphKind = TbsMorphKind::mkDefault;
};

// "lefttoppoint", "righttoppoint", "leftbottompoint", "rightbottompoint": where the
// picture's corners end and its stretched sides begin.
struct TbsCornerPoints {
    TPoint LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
};

// "leftstretch", "rightstretch", "topstretch", "bottomstretch": which sides of a window
// picture are stretched rather than tiled.
struct TbsStretchSides {
    bool LeftStretch = false, RightStretch = false, TopStretch = false, BottomStretch = false;
};

// "upbuttonrect", "activeupbuttonrect", "downupbuttonrect", "downbuttonrect",
// "activedownbuttonrect", "downdownbuttonrect": the up and down buttons in their normal,
// active and pressed looks.
struct TbsUpDownButtonRects {
    TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
    TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
};

// "buttonrect", "activebuttonrect", "downbuttonrect", "unenabledbuttonrect": a button in
// its normal, active, pressed and disabled looks.
struct TbsButtonStateRects {
    TRect ButtonRect, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;
};
