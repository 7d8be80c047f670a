#pragma once
// A skin for the skinned controls, drawn by code: records for buttons in every stretch
// mode (both with a mask and morphing, fixed with a round mask, horizontal, vertical, one
// without a picture), a tool button, scroll bars, panel, group box, status bar, status
// panel, label and standard label. Used by the control tests and the gallery tool.
//
// Geometry of the main records (skin-picture coordinates):
//   "button"      both stretch, 75 x 25, corners 4 px, client (4,4,71,21), faces stacked:
//                 normal y 0, active y 25, down y 50, disabled y 75; mask = picture 1 (the
//                 two outermost pixels of each corner cut away); morphing, "mkdefault".
//   "fixedbutton" fixed 40 x 40 round button, faces side by side, mask = a disc.
//   "hbutton"     horizontal, 60 x 22, ends of 8 px kept, faces stacked.
//   "vbutton"     vertical, 24 x 60, ends of 8 px kept, faces side by side.
//   "nopicbutton" both stretch like "button" but "pictureindex" -1.

#include "framework/Types.h"

#include <QString>
#include <utility>
#include <vector>

class TControlsSkin {
public:
    TControlsSkin();

    // Sets a key (a new section or key goes at the end; an existing key keeps its place).
    TControlsSkin& Set(const QString& section, const QString& key, const QString& value);
    TControlsSkin& Remove(const QString& section, const QString& key);
    // Adds a record to [SKINCONTROLS] ("name:kind"), at the end or first.
    TControlsSkin& AddControl(const QString& name, const QString& kind, bool first = false);

    // Writes skin.ini and the pictures into `folder` (made when missing); returns the
    // skin.ini path.
    QString Write(const QString& folder) const;

    static constexpr TRect ButtonSkinRect{0, 0, 75, 25};
    static constexpr TRect ButtonClientRect{4, 4, 71, 21};
    static constexpr int FixedSize = 40;
    static constexpr int HBarHeight = 22;
    static constexpr int VBarWidth = 24;

private:
    struct TSection {
        QString Name;
        std::vector<std::pair<QString, QString>> Keys;
    };
    TSection& Find(const QString& section);
    std::vector<TSection> FSections;
    std::vector<QString> FControls;
};
