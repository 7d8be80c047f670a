#pragma once
// Pictures of effects running, as the effect list's hint shows them. A picture is named by
// the SHA-256 of its effect's bytes, so a changed effect simply has no picture until one of
// its new text is made, and an old picture is never shown for it.
//
// The build makes the pictures of the shipped effects into the installed folder's
// thumbnails/; those of the user's own or changed effects are made in idle time into the
// program folder's thumbnails/, beside the library (data/), never in it.

#include <QByteArray>
#include <QString>

namespace EffectPictures {

// The pictures' size: half the preview's browser, as the contact sheets show them.
inline constexpr int Width = 341;
inline constexpr int Height = 198;

// The picture's file name of an effect of these bytes.
QString NameFor(const QByteArray& effectBytes);
// The picture's file name of the effect file as it is now; empty when it cannot be read.
QString NameOfFile(const QString& effectFile);

// The folder of the shipped effects' pictures, and that of the user's, ending in "/".
QString ShippedFolder();
QString UserFolder();

// The picture of the effect file as it is now, the user's before the shipped one; empty
// when neither exists yet.
QString PictureFor(const QString& effectFile);

} // namespace EffectPictures
