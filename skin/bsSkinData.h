#pragma once
// The skin description component: reads a skin (a folder with skin.ini and bitmaps, or a
// skin held in memory by a stored or compressed-stored skin component), keeps everything
// it describes, and tells every form when the skin changes.

#include "skin/bsSkinDataRecords.h"
#include "skin/bsSkinValues.h"

#include "framework/Bitmap.h"
#include "framework/Classes.h"
#include "framework/Streams.h"
#include "framework/Strings.h"

#include <QEvent>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class QWidget;
class TCustomIniFile;
class TbsSkinData;

// ---------------------------------------------------------------- skin messages

// Sent synchronously to forms (and by forms to their controls) around a skin change.
inline constexpr QEvent::Type SkinChanging = static_cast<QEvent::Type>(1225);
inline constexpr QEvent::Type SkinChanged = static_cast<QEvent::Type>(1226);
inline constexpr QEvent::Type SkinChangeCompleted = static_cast<QEvent::Type>(1227);
inline constexpr QEvent::Type SkinMenuClosed = static_cast<QEvent::Type>(1228);
inline constexpr QEvent::Type SkinMenuCommandDone = static_cast<QEvent::Type>(1229);

// A skin message: the skin data that sends it and the fixed parameter 1000.
class TbsSkinMessageEvent : public QEvent {
public:
    static constexpr int DefaultParam = 1000;
    TbsSkinMessageEvent(QEvent::Type type, TbsSkinData* skinData, int param = DefaultParam)
        : QEvent(type), SkinData(skinData), Param(param) {}
    TbsSkinData* SkinData;
    int Param;
};

// ---------------------------------------------------------------- stored skins

using TbsBitmapList = std::vector<std::unique_ptr<TBitmap>>;

// A skin held uncompressed: the skin.ini lines and the bitmaps.
class TbsStoredSkin : public TComponent {
    Q_OBJECT
public:
    explicit TbsStoredSkin(QObject* owner = nullptr);
    ~TbsStoredSkin() override;

    // The file-name part of the skin.ini the component was filled from.
    const QString& FileName() const { return FFileName; }
    // Only stores the name (what loading a saved component does).
    void SetFileName(const QString& fileName) { FFileName = fileName; }
    // Fills the component from a skin.ini and the bitmaps of its folder and keeps the
    // file-name part. On an error the component is left as it was.
    void LoadFromSkinFile(const QString& path);

    // The binary "Pictures" form: picture, inactive picture and mask, each as a flag byte
    // (1 = empty) and a BMP image, then the count and the active pictures.
    void ReadPictures(TStream& stream);
    void WritePictures(TStream& stream) const;

    TStringList IniStrings;
    TBitmap Picture;
    TBitmap InActivePicture;
    TBitmap Mask;
    TbsBitmapList ActivePictures;

private:
    QString FFileName;
};

// A skin held packed with zlib: one compressed stream holding version 1, the pictures
// in the "Pictures" form and the skin.ini text.
class TbsCompressedStoredSkin : public TComponent {
    Q_OBJECT
public:
    static constexpr int32_t FormatVersion = 1;

    explicit TbsCompressedStoredSkin(QObject* owner = nullptr);
    ~TbsCompressedStoredSkin() override;

    const QString& FileName() const { return FFileName; }
    void SetFileName(const QString& fileName) { FFileName = fileName; }
    const QString& CompressedFileName() const { return FCompressedFileName; }
    void SetCompressedFileName(const QString& fileName) { FCompressedFileName = fileName; }

    // Packs the skin of a skin.ini and its folder and keeps the file-name part. A skin.ini
    // without the required sections, or an error, leaves the component as it was.
    void LoadFromSkinFile(const QString& path);
    // A compressed skin file: version 1, the size, then the compressed stream. A file of
    // another version empties the component. Keeps the file-name part.
    void LoadFromCompressedFile(const QString& path);
    void SaveToCompressedFile(const QString& path) const;

    // The binary "CompressedData" form: the compressed stream as is.
    void ReadCompressedData(TStream& stream);
    void WriteCompressedData(TStream& stream) const;

    bool IsEmpty() const;
    // The most a compressed skin may unpack to; real skins are a few megabytes, and the cap
    // keeps a crafted stream from expanding into gigabytes.
    static constexpr int64_t MaxUnpackedSize = int64_t(256) * 1024 * 1024;
    // Decompresses the whole compressed stream into `output`; raises EDecompressionError
    // when it would grow past `limit` bytes.
    void Unpack(TMemoryStream& output, int64_t limit = MaxUnpackedSize) const;
    const TMemoryStream& CompressedStream() const { return FCompressedStream; }

private:
    QString FFileName;
    QString FCompressedFileName;
    mutable TMemoryStream FCompressedStream;
};

// ---------------------------------------------------------------- skin data

using TbsSkinObjectList = std::vector<std::unique_ptr<TbsDataSkinObject>>;
using TbsSkinControlList = std::vector<std::unique_ptr<TbsDataSkinControl>>;

// The skin description. Everything below is read by the skin engine; only the loaders
// change it. Consumers keep indices, never pointers, across a skin change.
//
// The framework's TComponent is its base; the owner is the Qt parent.
class TbsSkinData : public TComponent, public TbsCornerPoints, public TbsStretchSides {
    Q_OBJECT
public:
    explicit TbsSkinData(QObject* owner = nullptr);
    ~TbsSkinData() override;

    // The five sections a skin must have, each with at least one key.
    static const QStringList& RequiredSections();

    // Loads the skin whose description file is `fileName` ("\" separators are accepted);
    // pictures are looked for in its folder. A file without the required sections leaves
    // the skin empty. A picture or value that cannot be read raises; the skin is then
    // empty and the closing messages are still sent, so every form shows the default look.
    void LoadSkinFile(const QString& fileName);
    void LoadStoredSkin(const TbsStoredSkin& storedSkin);
    // Does nothing when the component is empty.
    void LoadCompressedStoredSkin(const TbsCompressedStoredSkin& compressedSkin);
    // Frees every record and picture and marks the skin empty.
    void ClearSkin();

    // Index of the first record named exactly `name`, -1 when none.
    int IndexOfControl(const QString& name) const;
    int IndexOfSkinObject(const QString& name) const;

    // Sends a skin message to the owner form first, then to every other form.
    void BroadcastSkinMessage(QEvent::Type message);

    // Setting a stored skin loads it at once; the reference clears when it is destroyed.
    TbsStoredSkin* StoredSkin() const { return FStoredSkin; }
    void SetStoredSkin(TbsStoredSkin* value);
    TbsCompressedStoredSkin* CompressedStoredSkin() const { return FCompressedStoredSkin; }
    void SetCompressedStoredSkin(TbsCompressedStoredSkin* value);

    // ---- state
    bool SkinEmpty = true;

    TBitmap SkinPicture;
    TBitmap InactiveSkinPicture;
    TBitmap SkinMask;
    QString SkinPictureName, InactiveSkinPictureName, SkinMaskName;
    TbsBitmapList ActivePictures;
    QStringList ActivePictureNames;

    // [FORMINFO]: the skinned window frame.
    // [FORMINFO] also gives the frame's corner points and stretched sides.
    TRect ClientRect;
    int BGPictureIndex = -1;
    int MDIBGPictureIndex = -1;
    TRect MaskRectArea;
    TPoint HitTestLeftTopPoint, HitTestRightTopPoint, HitTestLeftBottomPoint,
        HitTestRightBottomPoint;
    TRect ButtonsRect;
    TRect CaptionRect;
    int ButtonsOffset = 0;
    bool ButtonsInLeft = false;
    bool MainMenuPopupUp = false;
    int BorderWidth = 0;
    bool AutoRenderingInActiveImage = false;
    TbsInactiveEffect InActiveEffect = TbsInactiveEffect::ieBrightness;

    TbsDataSkinPopupWindow PopupWindow;
    TbsDataSkinHintWindow HintWindow;
    TbsSkinObjectList SkinObjects;
    TbsSkinControlList SkinControls;

    // [VERSION]: kept as read.
    QString SkinName, SkinAuthor, AuthorEmail, AuthorURL, SkinComments;

private:
    // SkinEmpty, SkinChanging, ClearSkin.
    void BeginLoad();
    // SkinChanged, SkinChangeCompleted.
    void EndLoad();
    // Runs a load; an exception leaves the skin cleared and empty and goes on.
    template <class F> void RunLoad(F&& load);

    void ReadVersion(TCustomIniFile& ini);
    void ReadPictureNames(TCustomIniFile& ini);
    void ReadFormInfo(TCustomIniFile& ini);
    void CorrectFormInfo();
    // [FORMINFO], [POPUPWINDOW], [HINTWINDOW], [SKINOBJECTS], [SKINCONTROLS].
    void ReadDescription(TCustomIniFile& ini);
    void ReadSkinObjects(TCustomIniFile& ini);
    void ReadSkinControls(TCustomIniFile& ini);

    QPointer<TbsStoredSkin> FStoredSkin;
    QPointer<TbsCompressedStoredSkin> FCompressedStoredSkin;
};

// The forms a skin message goes to, in the application's order.
QList<QWidget*> SkinMessageForms();

namespace SkinFiles {
// True when every required section holds at least one key.
bool HasRequiredSections(const TCustomIniFile& ini);
// The active picture names: the "activepicturescount" key, then keys "0" … count-1.
QStringList ReadActivePictureNames(const TCustomIniFile& ini);
// The "name:kind" entries of a list section ("count", then keys "0" … count-1), in order.
// Only keys actually present are visited, so a huge count costs nothing.
QStringList ReadListEntries(const TCustomIniFile& ini, const QString& section);
// "\" separators become "/".
QString NormalizePath(const QString& path);

// The picture forms of stored skins. A flagged picture is a flag byte (1 = empty, 0 = a
// BMP image follows); a picture list is a signed 32-bit little-endian count and that many
// BMP images. A flag of any other value raises EReadError.
void ReadFlaggedPicture(TStream& stream, TBitmap& bitmap);
void WriteFlaggedPicture(TStream& stream, const TBitmap& bitmap);
// A count below 1 gives an empty list.
void ReadPictureList(TStream& stream, TbsBitmapList& pictures);
void WritePictureList(TStream& stream, const TbsBitmapList& pictures);
} // namespace SkinFiles
