#pragma once
// Collects one skin while its parts are drawn: the sections and keys of skin.ini in the
// order they are added, the frame picture, inactive picture and mask, and the numbered
// active pictures. Write() puts skin.ini (GBK, CR LF) and 24-bit BMP pictures into a folder.

#include "SkinTheme.h"

#include "framework/Types.h"

#include <QImage>
#include <QString>
#include <utility>
#include <vector>

// One ini section; the value helpers write the forms the skin reader parses.
class TSkinSection {
public:
    explicit TSkinSection(QString name) : FName(std::move(name)) {}
    const QString& Name() const { return FName; }

    TSkinSection& Set(const QString& key, const QString& value);
    TSkinSection& Int(const QString& key, int value);
    TSkinSection& Bool(const QString& key, bool value);
    TSkinSection& Color(const QString& key, const QColor& color); // as 0x00BBGGRR decimal
    TSkinSection& Rect(const QString& key, const TRect& rect);    // "l,t,r,b"
    TSkinSection& Point(const QString& key, const TPoint& point); // "x,y"
    // The font group: "fontname", "fontheight", "fontstyle" ("fsbold" …), "fontcolor",
    // each key prefixed by `prefix` ("caption" gives "captionfontname" …).
    TSkinSection& Font(const QString& name, int height, bool bold, const QColor& color,
                       const QString& prefix = QString());

    const std::vector<std::pair<QString, QString>>& Keys() const { return FKeys; }

private:
    QString FName;
    std::vector<std::pair<QString, QString>> FKeys;
};

class TSkinBuilder {
public:
    explicit TSkinBuilder(const TSkinTheme& theme);
    const TSkinTheme& Theme() const { return FTheme; }

    // The frame picture ([PICTURES] "picture"), the inactive one and the mask.
    void SetFramePicture(const QImage& image);
    void SetInactivePicture(const QImage& image);
    void SetMask(const QImage& image);
    QSize FramePictureSize() const { return FFrame.size(); }

    // Adds a numbered active picture saved as `fileName`; returns its index. Adding the same
    // file name twice is a programming error.
    int AddPicture(const QString& fileName, const QImage& image);
    // The active picture of that index (a null image for none).
    QImage Picture(int index) const;

    // [FORMINFO], [POPUPWINDOW], [HINTWINDOW] (or any other plain section).
    TSkinSection& Section(const QString& name);
    // Lists a frame-object record in [SKINOBJECTS] and returns its section.
    TSkinSection& Object(const QString& name, const QString& kind);
    // Lists a control record in [SKINCONTROLS] and returns its section.
    TSkinSection& Control(const QString& name, const QString& kind);

    // The text of skin.ini, in the order: [VERSION], [PICTURES], [FORMINFO], [POPUPWINDOW],
    // [HINTWINDOW], [SKINOBJECTS], [SKINCONTROLS], then the record sections.
    QString IniText() const;
    // Makes `folder` (and its parents) and writes skin.ini and every picture into it.
    // Throws EFCreateError when a file cannot be written.
    void Write(const QString& folder) const;

private:
    struct TPicture {
        QString FileName;
        QImage Image;
    };
    const TSkinTheme& FTheme;
    QImage FFrame, FInactive, FMask;
    std::vector<TPicture> FPictures;
    std::vector<TSkinSection> FSections; // plain and record sections, in order added
    std::vector<QString> FObjects, FControls;
};

// Records and pictures of each family, added to a skin by the part makers.
void AddFrameParts(TSkinBuilder& skin);  // frame, frame objects, menus, hints, menu bar
void AddButtonParts(TSkinBuilder& skin); // buttons, check/radio, scroll bars, up-downs …
void AddBoxParts(TSkinBuilder& skin);    // panels, boxes, edits, lists, tabs, grid …
