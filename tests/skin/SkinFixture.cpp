#include "SkinFixture.h"

#include "common/TestEnv.h"

#include "framework/Bitmap.h"
#include "platform/Gbk.h"

#include <algorithm>

TSkinFixture::TSkinFixture(const QString& hint) : Folder(TestEnv::NewFolder(hint)) {}

TSkinFixture TSkinFixture::Basic(const QString& hint) {
    TSkinFixture f(hint);
    f.AddPicture(QStringLiteral("skin.bmp"), 120, 80, 1);
    f.AddPicture(QStringLiteral("a0.bmp"), 10, 10, 2);
    f.AddPicture(QStringLiteral("a1.bmp"), 20, 10, 3);
    f.Set("VERSION", "skinname", QStringLiteral("测试皮肤"))
        .Set("VERSION", "skinauthor", "zarvo")
        .Set("PICTURES", "picture", "skin.bmp")
        .Set("PICTURES", "activepicturescount", "2")
        .Set("PICTURES", "0", "a0.bmp")
        .Set("PICTURES", "1", "a1.bmp")
        .Set("FORMINFO", "lefttoppoint", "10,30")
        .Set("FORMINFO", "righttoppoint", "110,30")
        .Set("FORMINFO", "leftbottompoint", "10,70")
        .Set("FORMINFO", "rightbottompoint", "110,70")
        .Set("FORMINFO", "clientrect", "5,25,115,75")
        .Set("FORMINFO", "captionrect", "5,0,115,25")
        .Set("FORMINFO", "borderwidth", "4")
        .Set("POPUPWINDOW", "windowpictureindex", "0")
        .Set("POPUPWINDOW", "itemsrect", "2,2,8,8")
        .Set("HINTWINDOW", "windowpictureindex", "1")
        .Set("HINTWINDOW", "fontname", QStringLiteral("宋体"))
        .Set("SKINOBJECTS", "count", "2")
        .Set("SKINOBJECTS", "0", "caption:caption")
        .Set("SKINOBJECTS", "1", "close:stdbutton")
        .Set("caption", "skinrect", "0,0,120,25")
        .Set("caption", "textrect", "20,0,100,25")
        .Set("close", "skinrect", "100,5,115,20")
        .Set("close", "command", "cmclose")
        .Set("SKINCONTROLS", "count", "2")
        .Set("SKINCONTROLS", "0", "btn:button")
        .Set("SKINCONTROLS", "1", "vscrollbar:scrollbar")
        .Set("btn", "pictureindex", "1")
        .Set("btn", "skinrect", "0,0,20,10")
        .Set("btn", "fontstyle", "fsbold")
        .Set("vscrollbar", "pictureindex", "0")
        .Set("vscrollbar", "trackarea", "0,2,10,8");
    return f;
}

TSkinFixture::TSection& TSkinFixture::Find(const QString& section) {
    auto it = std::find_if(FSections.begin(), FSections.end(),
                           [&](const TSection& s) { return s.Name == section; });
    if (it != FSections.end())
        return *it;
    FSections.push_back(TSection{section, {}});
    return FSections.back();
}

TSkinFixture& TSkinFixture::Section(const QString& section) {
    Find(section);
    return *this;
}

TSkinFixture& TSkinFixture::Set(const QString& section, const QString& key, const QString& value) {
    auto& keys = Find(section).Keys;
    auto it = std::find_if(keys.begin(), keys.end(), [&](const auto& k) { return k.first == key; });
    if (it != keys.end())
        it->second = value;
    else
        keys.emplace_back(key, value);
    return *this;
}

TSkinFixture& TSkinFixture::Remove(const QString& section, const QString& key) {
    auto& keys = Find(section).Keys;
    std::erase_if(keys, [&](const auto& k) { return k.first == key; });
    return *this;
}

TSkinFixture& TSkinFixture::RemoveSection(const QString& section) {
    std::erase_if(FSections, [&](const TSection& s) { return s.Name == section; });
    return *this;
}

TBitmap FixturePicture(int width, int height, int seed) {
    TBitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, RGB(x * 7 + seed * 31, y * 11 + seed * 17, (x ^ y) + seed * 5));
    return bitmap;
}

bool SamePixels(const TBitmap& a, const TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y))
                return false;
    return true;
}

void TSkinFixture::AddPicture(const QString& name, int width, int height, int seed) {
    FixturePicture(width, height, seed).SaveToFile(Folder + QLatin1Char('/') + name);
}

void TSkinFixture::AddFile(const QString& name, const QByteArray& bytes) {
    TestEnv::WriteFile(Folder + QLatin1Char('/') + name, bytes);
}

QStringList TSkinFixture::Lines() const {
    QStringList lines;
    for (const TSection& section : FSections) {
        lines << QLatin1Char('[') + section.Name + QLatin1Char(']');
        for (const auto& [key, value] : section.Keys)
            lines << key + QLatin1Char('=') + value;
        lines << QString();
    }
    return lines;
}

QString TSkinFixture::Write() const {
    QString text;
    for (const QString& line : Lines())
        text += line + QStringLiteral("\r\n");
    TestEnv::WriteFile(IniPath(), Gbk::Encode(text));
    return IniPath();
}
