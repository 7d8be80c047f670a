#pragma once
// Reaching the installed skins of the program folder from the tests, and the colour
// contrast measure the readability checks use.

#include "skin/bsSkinData.h"

#include "framework/Bitmap.h"
#include "framework/Colors.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <memory>

namespace InstalledSkins {

inline QString SkinIni(int n) {
    return QStringLiteral(ZARVO_PROGRAM_DIR "/skins/skin%1/skin.ini").arg(n);
}

// Skin n (1 … 6) loaded, or nullptr when it loads empty.
inline std::unique_ptr<TbsSkinData> LoadSkin(int n) {
    auto data = std::make_unique<TbsSkinData>();
    data->LoadSkinFile(SkinIni(n));
    return data->SkinEmpty ? nullptr : std::move(data);
}

// The first control / frame-object record of that name when it is a T, else nullptr.
template <class T> const T* ControlRecord(const TbsSkinData& data, const char* name) {
    const int i = data.IndexOfControl(QString::fromLatin1(name));
    return i < 0 ? nullptr : dynamic_cast<const T*>(data.SkinControls[i].get());
}
template <class T> const T* ObjectRecord(const TbsSkinData& data, const char* name) {
    const int i = data.IndexOfSkinObject(QString::fromLatin1(name));
    return i < 0 ? nullptr : dynamic_cast<const T*>(data.SkinObjects[i].get());
}

inline const TBitmap* PictureOf(const TbsSkinData& data, int index) {
    if (index < 0 || index >= static_cast<int>(data.ActivePictures.size()))
        return nullptr;
    return data.ActivePictures[index].get();
}

// Relative luminance and the contrast ratio of two colours (1 … 21).
inline double Luminance(TColor c) {
    auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(GetRValue(c)) + 0.7152 * channel(GetGValue(c)) +
           0.0722 * channel(GetBValue(c));
}

inline double Contrast(TColor a, TColor b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace InstalledSkins
