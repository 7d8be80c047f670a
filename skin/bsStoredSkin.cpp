// Skins held in memory: the uncompressed stored skin, the zlib-packed one, and the
// picture forms both use.

#include "skin/bsSkinData.h"
#include "skin/bszlibcompress.h"

#include "framework/Exceptions.h"
#include "framework/IniFiles.h"
#include "framework/SysUtils.h"

namespace {

constexpr uint8_t PictureFollows = 0;
constexpr uint8_t NoPicture = 1;

void LoadNamedPicture(TBitmap& bitmap, const QString& folder, const QString& name) {
    if (name.isEmpty())
        bitmap.Clear();
    else
        bitmap.LoadFromFile(folder + name);
}

// The skin.ini lines of `path` and the folder its pictures are in.
struct TSkinSource {
    explicit TSkinSource(const QString& fileName)
        : Path(SkinFiles::NormalizePath(fileName)), Folder(ExtractFilePath(Path)) {
        Lines.LoadFromFile(Path);
    }
    QString Path;
    QString Folder;
    TStringList Lines;
};

TBitmap LoadPicture(const TCustomIniFile& ini, const QString& key, const QString& folder) {
    TBitmap bitmap;
    LoadNamedPicture(bitmap, folder, ini.ReadString(QStringLiteral("PICTURES"), key, QString()));
    return bitmap;
}

TbsBitmapList LoadActivePictures(const TCustomIniFile& ini, const QString& folder) {
    TbsBitmapList pictures;
    TPictureReadSession session;
    for (const QString& name : SkinFiles::ReadActivePictureNames(ini)) {
        pictures.push_back(std::make_unique<TBitmap>());
        pictures.back()->LoadFromFile(folder + name);
    }
    return pictures;
}

[[noreturn]] void InvalidCompressedFile(const QString& path) {
    throw EReadError(QStringLiteral("Invalid compressed skin file \"%1\"").arg(path));
}

} // namespace

// ---------------------------------------------------------------- picture forms

namespace SkinFiles {

void ReadFlaggedPicture(TStream& stream, TBitmap& bitmap) {
    const uint8_t flag = stream.ReadByte();
    if (flag == NoPicture)
        bitmap.Clear();
    else if (flag == PictureFollows)
        bitmap.LoadFromStream(stream);
    else
        throw EReadError(QStringLiteral("Invalid picture flag %1").arg(flag));
}

void WriteFlaggedPicture(TStream& stream, const TBitmap& bitmap) {
    if (bitmap.Empty()) {
        stream.WriteByte(NoPicture);
    } else {
        stream.WriteByte(PictureFollows);
        bitmap.SaveToStream(stream);
    }
}

void ReadPictureList(TStream& stream, TbsBitmapList& pictures) {
    pictures.clear();
    const int32_t count = stream.ReadInt32();
    for (int32_t i = 0; i < count; ++i) {
        auto picture = std::make_unique<TBitmap>();
        picture->LoadFromStream(stream);
        pictures.push_back(std::move(picture));
    }
}

void WritePictureList(TStream& stream, const TbsBitmapList& pictures) {
    stream.WriteInt32(static_cast<int32_t>(pictures.size()));
    for (const auto& picture : pictures)
        picture->SaveToStream(stream);
}

} // namespace SkinFiles

// ---------------------------------------------------------------- TbsStoredSkin

TbsStoredSkin::TbsStoredSkin(QObject* owner) : TComponent(owner) {}

TbsStoredSkin::~TbsStoredSkin() = default;

void TbsStoredSkin::LoadFromSkinFile(const QString& path) {
    TSkinSource source(path);
    TMemIniFile ini(source.Lines);
    TBitmap picture = LoadPicture(ini, QStringLiteral("picture"), source.Folder);
    TBitmap inactivePicture = LoadPicture(ini, QStringLiteral("inactivepicture"), source.Folder);
    TBitmap mask = LoadPicture(ini, QStringLiteral("mask"), source.Folder);
    TbsBitmapList activePictures = LoadActivePictures(ini, source.Folder);

    IniStrings.Assign(source.Lines);
    Picture = picture;
    InActivePicture = inactivePicture;
    Mask = mask;
    ActivePictures = std::move(activePictures);
    FFileName = ExtractFileName(source.Path);
}

void TbsStoredSkin::ReadPictures(TStream& stream) {
    TBitmap picture, inactivePicture, mask;
    TbsBitmapList activePictures;
    SkinFiles::ReadFlaggedPicture(stream, picture);
    SkinFiles::ReadFlaggedPicture(stream, inactivePicture);
    SkinFiles::ReadFlaggedPicture(stream, mask);
    SkinFiles::ReadPictureList(stream, activePictures);

    Picture = picture;
    InActivePicture = inactivePicture;
    Mask = mask;
    ActivePictures = std::move(activePictures);
}

void TbsStoredSkin::WritePictures(TStream& stream) const {
    SkinFiles::WriteFlaggedPicture(stream, Picture);
    SkinFiles::WriteFlaggedPicture(stream, InActivePicture);
    SkinFiles::WriteFlaggedPicture(stream, Mask);
    SkinFiles::WritePictureList(stream, ActivePictures);
}

// ---------------------------------------------------------------- TbsCompressedStoredSkin

TbsCompressedStoredSkin::TbsCompressedStoredSkin(QObject* owner) : TComponent(owner) {}

TbsCompressedStoredSkin::~TbsCompressedStoredSkin() = default;

bool TbsCompressedStoredSkin::IsEmpty() const {
    return FCompressedStream.Size() == 0;
}

void TbsCompressedStoredSkin::LoadFromSkinFile(const QString& path) {
    TSkinSource source(path);
    TMemIniFile ini(source.Lines);
    if (!SkinFiles::HasRequiredSections(ini))
        return;

    TMemoryStream payload;
    payload.WriteInt32(FormatVersion);
    SkinFiles::WriteFlaggedPicture(payload,
                                   LoadPicture(ini, QStringLiteral("picture"), source.Folder));
    SkinFiles::WriteFlaggedPicture(
        payload, LoadPicture(ini, QStringLiteral("inactivepicture"), source.Folder));
    SkinFiles::WriteFlaggedPicture(payload,
                                   LoadPicture(ini, QStringLiteral("mask"), source.Folder));
    SkinFiles::WritePictureList(payload, LoadActivePictures(ini, source.Folder));
    source.Lines.SaveToStream(payload);

    TMemoryStream packed;
    TCompressionStream compressor(TCompressionLevel::clMax, packed);
    compressor.WriteBuffer(payload.Memory(), payload.Size());
    compressor.Finish();

    FCompressedStream = TMemoryStream(packed.Data());
    FFileName = ExtractFileName(source.Path);
}

void TbsCompressedStoredSkin::LoadFromCompressedFile(const QString& path) {
    const QString fileName = SkinFiles::NormalizePath(path);
    TFileStream file(fileName, TFileMode::fmOpenRead);
    QByteArray data;
    if (file.ReadInt32() == FormatVersion) {
        const int32_t size = file.ReadInt32();
        if (size < 0 || size > file.Size() - file.Position())
            InvalidCompressedFile(fileName);
        data.resize(size);
        file.ReadBuffer(data.data(), size);
    }
    FCompressedStream = TMemoryStream(data);
    FCompressedFileName = ExtractFileName(fileName);
}

void TbsCompressedStoredSkin::SaveToCompressedFile(const QString& path) const {
    TMemoryStream file;
    file.WriteInt32(FormatVersion);
    file.WriteInt32(static_cast<int32_t>(FCompressedStream.Size()));
    WriteCompressedData(file);
    WriteFileAtomic(SkinFiles::NormalizePath(path), file.Data());
}

void TbsCompressedStoredSkin::ReadCompressedData(TStream& stream) {
    const int64_t size = stream.Size() - stream.Position();
    QByteArray data;
    if (size > 0) {
        data.resize(size);
        stream.ReadBuffer(data.data(), size);
    }
    FCompressedStream = TMemoryStream(data);
}

void TbsCompressedStoredSkin::WriteCompressedData(TStream& stream) const {
    stream.WriteBuffer(FCompressedStream.Memory(), FCompressedStream.Size());
}

void TbsCompressedStoredSkin::Unpack(TMemoryStream& output, int64_t limit) const {
    FCompressedStream.SetPosition(0);
    TDecompressionStream decompressor(FCompressedStream);
    char buffer[TCustomZlibStream::BufferSize];
    int64_t total = 0;
    for (;;) {
        const int64_t count = decompressor.Read(buffer, sizeof buffer);
        if (count == 0)
            break;
        total += count;
        if (total > limit)
            throw EDecompressionError(
                QStringLiteral("the compressed skin unpacks to more than %1 bytes").arg(limit));
        output.WriteBuffer(buffer, count);
    }
}
