#pragma once
// Builds skin folders for tests: a skin.ini written in GBK with CR LF line ends, in the
// order the test gives, and BMP pictures drawn by code.

#include "framework/Colors.h"

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

class TBitmap;

class TSkinFixture {
public:
    // A new empty skin folder below the test's temporary root.
    explicit TSkinFixture(const QString& hint = QStringLiteral("skin"));

    // A complete small skin: a main picture (skin.bmp, 120 x 80), two active pictures
    // (a0.bmp 10 x 10, a1.bmp 20 x 10), a frame, popup and hint windows, two frame
    // objects ("caption:caption", "close:stdbutton") and two controls ("btn:button",
    // "vscrollbar:scrollbar").
    static TSkinFixture Basic(const QString& hint = QStringLiteral("basic"));

    // Adds an empty section (it is written even with no keys).
    TSkinFixture& Section(const QString& section);
    // Sets a key; a key set again keeps its place and takes the new value.
    TSkinFixture& Set(const QString& section, const QString& key, const QString& value);
    // Removes a key or a whole section.
    TSkinFixture& Remove(const QString& section, const QString& key);
    TSkinFixture& RemoveSection(const QString& section);

    // Writes a picture of the given size into the folder: a gradient keyed by `seed`,
    // so pictures of the same size still differ.
    void AddPicture(const QString& name, int width, int height, int seed = 0);
    // Writes arbitrary bytes as a file of the folder.
    void AddFile(const QString& name, const QByteArray& bytes);

    // Writes skin.ini and returns its path.
    QString Write() const;
    QString IniPath() const { return Folder + QStringLiteral("/skin.ini"); }
    QStringList Lines() const;

    QString Folder;

private:
    struct TSection {
        QString Name;
        std::vector<std::pair<QString, QString>> Keys;
    };
    TSection& Find(const QString& section);
    std::vector<TSection> FSections;
};

// The picture AddPicture draws, for comparing with what a loader produced.
TBitmap FixturePicture(int width, int height, int seed = 0);
// True when both bitmaps have the same size and pixels.
bool SamePixels(const TBitmap& a, const TBitmap& b);
