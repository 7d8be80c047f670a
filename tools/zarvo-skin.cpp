// zarvo-skin: a tool for skin authors. Checks a skin for every problem the engine would
// stumble on, prints what the engine reads from it, packs a skin folder into one
// compressed skin file and unpacks it again, and shows a picture as the engine decodes it.

#include "SkinSource.h"
#include "ToolCli.h"

#include "skin/bsSkinData.h"
#include "skin/bsSkinNames.h"
#include "skin/bszlibcompress.h"

#include "framework/Bitmap.h"
#include "framework/Exceptions.h"
#include "framework/IniFiles.h"
#include "framework/Strings.h"
#include "framework/SysUtils.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <optional>
#include <set>
#include <typeinfo>
#include <vector>

namespace {

using ToolCli::Failure;
using ToolCli::UsageError;
using namespace SkinSource;

const QString PicturesSection = QStringLiteral("PICTURES");
const QString SkinObjectsSection = QStringLiteral("SKINOBJECTS");
const QString SkinControlsSection = QStringLiteral("SKINCONTROLS");

void Print(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

QString Quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString SizeText(const TBitmap& bitmap) {
    return QStringLiteral("%1 x %2").arg(bitmap.Width()).arg(bitmap.Height());
}

// The record's class name, for messages and the dump.
template <class T> QString ClassName(const T& object) {
    const char* mangled = typeid(object).name();
    int status = 0;
    char* demangled = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    QString name = QString::fromLatin1(status == 0 && demangled ? demangled : mangled);
    std::free(demangled);
    return name;
}

// ---------------------------------------------------------------- skin sources

// The content of a compressed skin: the payload's pictures and skin.ini lines.
struct TPackedSkin {
    TBitmap Picture, InactivePicture, Mask;
    TbsBitmapList ActivePictures;
    QStringList Lines;
};

// Reads the payload of a loaded compressed skin; raises the reader's errors.
TPackedSkin ReadPackedSkin(const TbsCompressedStoredSkin& compressed) {
    TMemoryStream payload;
    compressed.Unpack(payload);
    payload.SetPosition(0);
    const int32_t version = payload.ReadInt32();
    if (version != TbsCompressedStoredSkin::FormatVersion)
        throw Failure{QStringLiteral("the packed data has version %1; only version %2 is read")
                          .arg(version)
                          .arg(TbsCompressedStoredSkin::FormatVersion)};
    TPackedSkin skin;
    SkinFiles::ReadFlaggedPicture(payload, skin.Picture);
    SkinFiles::ReadFlaggedPicture(payload, skin.InactivePicture);
    SkinFiles::ReadFlaggedPicture(payload, skin.Mask);
    SkinFiles::ReadPictureList(payload, skin.ActivePictures);
    TStringList lines;
    lines.LoadFromStream(payload);
    skin.Lines = lines.ToStringList();
    return skin;
}

QStringList MissingRequiredSections(const TCustomIniFile& ini) {
    QStringList missing;
    for (const QString& section : TbsSkinData::RequiredSections()) {
        if (!ini.SectionExists(section))
            missing << section;
    }
    return missing;
}

// The keys and values a record section holds, in order.
QList<QPair<QString, QString>> SectionValues(const TCustomIniFile& ini, const QString& section) {
    TStringList keys;
    ini.ReadSection(section, keys);
    QList<QPair<QString, QString>> values;
    for (int i = 0; i < keys.Count(); ++i)
        values.append({keys[i], ini.ReadString(section, keys[i], QString())});
    return values;
}

// What a record holds, in reading order, exactly as its SaveToIni writes it back. The
// record is saved under a neutral section name, since its own name need not be one an ini
// file can hold.
QList<QPair<QString, QString>> RecordValues(TbsSkinRecord& record) {
    const QString section = QStringLiteral("record");
    const QString name = record.IDName;
    TMemIniFile ini;
    record.IDName = section;
    try {
        record.SaveToIni(ini);
    } catch (...) {
        record.IDName = name;
        throw;
    }
    record.IDName = name;
    return SectionValues(ini, section);
}

template <class Window>
QList<QPair<QString, QString>> WindowValues(Window window, const QString& section) {
    TMemIniFile ini;
    window.SaveToIni(ini, section);
    return SectionValues(ini, section);
}

// ---------------------------------------------------------------- check

class TReport {
public:
    void Error(const QString& message) { Add(QStringLiteral("error: "), message, FErrors); }
    void Warning(const QString& message) { Add(QStringLiteral("warning: "), message, FWarnings); }
    void Note(const QString& message) { Add(QStringLiteral("note: "), message, FNotes); }
    // An error whose text came from the engine; the same text is reported once.
    void EngineError(const QString& context, const QString& reason) {
        if (FReasons.contains(reason))
            return;
        FReasons.insert(reason);
        Error(context.isEmpty() ? reason : context + QStringLiteral(": ") + reason);
    }
    int Errors() const { return FErrors; }
    int Warnings() const { return FWarnings; }
    int Notes() const { return FNotes; }

private:
    void Add(const QString& prefix, const QString& message, int& counter) {
        ++counter;
        Print(stdout, prefix + message + QLatin1Char('\n'));
    }
    int FErrors = 0;
    int FWarnings = 0;
    int FNotes = 0;
    QSet<QString> FReasons;
};

// One entry of [SKINOBJECTS] or [SKINCONTROLS] that the engine turns into a record.
struct TListedRecord {
    QString Name;
    QString Kind;
};

class TSkinChecker {
public:
    TSkinChecker(TReport& report, const QString& path) : R(report), FPath(path) {}

    void Run() {
        if (IsCompressedSkinFile(FPath)) {
            if (!ReadCompressedSkin())
                return;
        } else if (!ReadSkinFolder()) {
            return;
        }
        TMemIniFile ini(FStored.IniStrings);
        CheckRequiredSections(ini);
        CheckPictureKeys(ini);
        FObjects = CheckList(ini, SkinObjectsSection, true);
        FControls = CheckList(ini, SkinControlsSection, false);
        if (LoadScratchSkin(ini)) {
            CheckFormPictures();
            CheckObjects();
            CheckControls();
            CheckExpectedControls();
            CheckReferences();
            CheckFrameObjects();
            CheckMenusAndHints();
        }
        CheckEngineLoad();
    }

private:
    // ---- reading the skin

    bool ReadSkinFolder() {
        try {
            FStored.IniStrings.LoadFromFile(FPath);
        } catch (const Exception& e) {
            R.Error(e.Message());
            return false;
        }
        FFolder = ExtractFilePath(SkinFiles::NormalizePath(FPath));
        TMemIniFile ini(FStored.IniStrings);
        // A file with none of a skin's sections is something else; its lines would only
        // raise a cascade of warnings that explain nothing.
        if (MissingRequiredSections(ini).size() == TbsSkinData::RequiredSections().size()) {
            R.Error(QStringLiteral("%1 is not a skin: it has none of the sections [%2]")
                        .arg(FPath, TbsSkinData::RequiredSections().join(QStringLiteral("], ["))));
            return false;
        }
        const std::pair<QString, TBitmap*> flagged[] = {
            {QStringLiteral("picture"), &FStored.Picture},
            {QStringLiteral("inactivepicture"), &FStored.InActivePicture},
            {QStringLiteral("mask"), &FStored.Mask}};
        for (const auto& [key, bitmap] : flagged)
            LoadFolderPicture(*bitmap, key, ini.ReadString(PicturesSection, key, QString()));
        FActiveNames = SkinFiles::ReadActivePictureNames(ini);
        for (int i = 0; i < FActiveNames.size(); ++i) {
            FStored.ActivePictures.push_back(std::make_unique<TBitmap>());
            LoadFolderPicture(*FStored.ActivePictures.back(), QString::number(i), FActiveNames[i],
                              true);
        }
        return true;
    }

    // Loads a picture as the engine does; an active picture is loaded even without a name.
    void LoadFolderPicture(TBitmap& bitmap, const QString& key, const QString& name,
                           bool active = false) {
        if (name.isEmpty() && !active)
            return;
        const QString context =
            name.isEmpty()
                ? QStringLiteral("[PICTURES] active picture %1 has no file name (key \"%1\" is "
                                 "missing or empty)")
                      .arg(key)
                : QStringLiteral("[PICTURES] %1=%2").arg(key, name);
        try {
            bitmap.LoadFromFile(FFolder + name);
            if (bitmap.Empty())
                R.Warning(context + QStringLiteral(": the picture is empty (0 pixels)"));
        } catch (const Exception& e) {
            bitmap.Clear();
            R.EngineError(context, e.Message() + FileNameHint(name));
        }
    }

    // Names are looked up exactly here; say so when only the case or the separator differs.
    QString FileNameHint(const QString& name) const {
        if (name.contains(QLatin1Char('\\')))
            return QStringLiteral(" (the name uses \"\\\"; folders are separated by \"/\")");
        const QFileInfo info(FFolder + name);
        const QStringList entries = info.dir().entryList(QDir::Files);
        for (const QString& entry : entries) {
            if (entry != info.fileName() &&
                entry.compare(info.fileName(), Qt::CaseInsensitive) == 0)
                return QStringLiteral(" (there is a file %1; file names are case-sensitive)")
                    .arg(Quoted(entry));
        }
        return QString();
    }

    bool ReadCompressedSkin() {
        try {
            TbsCompressedStoredSkin compressed;
            LoadCompressedFile(compressed, FPath);
            TPackedSkin packed = ReadPackedSkin(compressed);
            FStored.IniStrings.Assign(TStringList(packed.Lines));
            FStored.Picture = packed.Picture;
            FStored.InActivePicture = packed.InactivePicture;
            FStored.Mask = packed.Mask;
            FStored.ActivePictures = std::move(packed.ActivePictures);
        } catch (const Failure& e) {
            R.Error(e.Message);
            return false;
        } catch (const Exception& e) {
            R.EngineError(QStringLiteral("compressed skin"), e.Message());
            return false;
        }
        TMemIniFile ini(FStored.IniStrings);
        FActiveNames = SkinFiles::ReadActivePictureNames(ini);
        const int names = static_cast<int>(FActiveNames.size());
        const int pictures = static_cast<int>(FStored.ActivePictures.size());
        if (names != pictures)
            R.Warning(QStringLiteral("the file holds %1 active pictures but [PICTURES] names %2; "
                                     "unpacking needs a name for each")
                          .arg(pictures)
                          .arg(names));
        const std::pair<QString, const TBitmap*> flagged[] = {
            {QStringLiteral("picture"), &FStored.Picture},
            {QStringLiteral("inactivepicture"), &FStored.InActivePicture},
            {QStringLiteral("mask"), &FStored.Mask}};
        for (const auto& [key, bitmap] : flagged) {
            if (!bitmap->Empty() && ini.ReadString(PicturesSection, key, QString()).isEmpty())
                R.Warning(QStringLiteral("the file holds a %1 but [PICTURES] %2 names none")
                              .arg(key, Quoted(key)));
        }
        return true;
    }

    // ---- sections and lists

    void CheckRequiredSections(const TCustomIniFile& ini) {
        for (const QString& section : MissingRequiredSections(ini))
            R.Error(QStringLiteral("missing section [%1] (a section counts only when it holds a "
                                   "key); the engine rejects the whole skin")
                        .arg(section));
    }

    void CheckPictureKeys(const TCustomIniFile& ini) {
        const int count =
            ini.ReadInteger(PicturesSection, QStringLiteral("activepicturescount"), 0);
        TStringList keys;
        ini.ReadSection(PicturesSection, keys);
        for (int i = 0; i < keys.Count(); ++i) {
            bool number = false;
            const int index = keys[i].toInt(&number);
            if (number && index >= count)
                R.Warning(QStringLiteral("[PICTURES] key \"%1\" is past activepicturescount %2; "
                                         "that picture is not loaded")
                              .arg(keys[i])
                              .arg(count));
        }
    }

    std::vector<TListedRecord> CheckList(const TCustomIniFile& ini, const QString& section,
                                         bool objects) {
        const int count = ini.ReadInteger(section, QStringLiteral("count"), 0);
        TStringList keys;
        ini.ReadSection(section, keys);
        std::set<int> indices;
        for (int i = 0; i < keys.Count(); ++i) {
            bool number = false;
            const int index = keys[i].toInt(&number);
            if (!number)
                continue;
            if (index < 0 || index >= count)
                R.Warning(QStringLiteral("[%1] key \"%2\" is past count %3; the entry is ignored")
                              .arg(section, keys[i])
                              .arg(count));
            else
                indices.insert(index);
        }
        // The engine reads each entry under the plain number of its index.
        std::vector<std::pair<int, QString>> present;
        for (int index : indices)
            present.emplace_back(index, ini.ReadString(section, QString::number(index), QString()));
        ReportMissingListKeys(section, count, present);

        std::vector<TListedRecord> listed;
        QSet<QString> names;
        for (const auto& [index, entry] : present) {
            const QString place = QStringLiteral("[%1] %2=%3").arg(section).arg(index).arg(entry);
            if (!entry.contains(QLatin1Char(':'))) {
                R.Error(place + QStringLiteral(": no \":\" between name and kind; the entry is "
                                               "skipped"));
                continue;
            }
            const auto [name, kind] = SkinValues::SplitListEntry(entry);
            if (!KnownKind(kind, objects)) {
                R.Error(place + QStringLiteral(": unknown kind %1; the entry is skipped%2")
                                    .arg(Quoted(kind), KindHint(kind, objects)));
                continue;
            }
            if (!ini.SectionExists(name))
                R.Warning(place + QStringLiteral(": there is no section [%1]; the record reads "
                                                 "every default")
                                      .arg(name));
            if (names.contains(name))
                R.Warning(place + QStringLiteral(": a record named %1 comes earlier; lookups by "
                                                 "name find that one")
                                      .arg(Quoted(name)));
            names.insert(name);
            listed.push_back({name, kind});
        }
        return listed;
    }

    void ReportMissingListKeys(const QString& section, int count,
                               const std::vector<std::pair<int, QString>>& present) {
        const int missing = count - static_cast<int>(present.size());
        if (missing <= 0)
            return;
        QStringList first;
        for (int index = 0, p = 0; index < count && first.size() < 5; ++index) {
            if (p < static_cast<int>(present.size()) && present[p].first == index)
                ++p;
            else
                first << QString::number(index);
        }
        R.Warning(QStringLiteral("[%1] count is %2 but %3 of its keys are missing (%4%5)")
                      .arg(section)
                      .arg(count)
                      .arg(missing)
                      .arg(first.join(QStringLiteral(", ")),
                           missing > first.size() ? QStringLiteral(", ...") : QString()));
    }

    static bool KnownKind(const QString& kind, bool objects) {
        return objects ? CreateSkinObjectRecord(kind, QString()) != nullptr
                       : CreateSkinControlRecord(kind, QString()) != nullptr;
    }

    static QString KindHint(const QString& kind, bool objects) {
        if (KnownKind(kind.toLower(), objects))
            return QStringLiteral(" (kinds are lower case: %1)").arg(Quoted(kind.toLower()));
        if (KnownKind(kind, !objects))
            return QStringLiteral(" (%1 is a kind of [%2])")
                .arg(Quoted(kind), objects ? SkinControlsSection : SkinObjectsSection);
        return QString();
    }

    // ---- the engine's reading

    // Runs the engine's reader over the skin with the pictures read so far. A value the
    // reader cannot convert is reported and taken out, and the reading is repeated, so
    // that every bad value is found. Missing required sections get a neutral key so that
    // the records are still read.
    bool LoadScratchSkin(const TCustomIniFile& original) {
        TMemIniFile ini(FStored.IniStrings);
        const QList<QPair<QString, QString>> neutralKeys = {
            {QStringLiteral("VERSION"), QStringLiteral("skincomments")},
            {PicturesSection, QStringLiteral("activepicturescount")},
            {QStringLiteral("FORMINFO"), QStringLiteral("borderwidth")},
            {SkinObjectsSection, QStringLiteral("count")},
            {SkinControlsSection, QStringLiteral("count")}};
        for (const auto& [section, key] : neutralKeys) {
            if (!original.SectionExists(section))
                ini.WriteString(section, key,
                                section == QStringLiteral("VERSION") ? QString()
                                                                     : QStringLiteral("0"));
        }
        static const QRegularExpression place(QStringLiteral("\\(\\[(.*)\\] ([^ ]*)\\)$"));
        constexpr int MaxBadValues = 10000;
        QString previous;
        for (int attempt = 0; attempt < MaxBadValues; ++attempt) {
            ini.GetStrings(FStored.IniStrings);
            try {
                FData.LoadStoredSkin(FStored);
                return !FData.SkinEmpty;
            } catch (const EConvertError& e) {
                const QRegularExpressionMatch match = place.match(e.Message());
                if (!match.hasMatch() || e.Message() == previous) {
                    R.EngineError(QString(), e.Message());
                    return false;
                }
                const QString section = match.captured(1);
                const QString key = match.captured(2);
                R.EngineError(QStringLiteral("[%1] %2=%3")
                                  .arg(section, key, ini.ReadString(section, key, QString())),
                              e.Message());
                ini.DeleteKey(section, key);
                previous = e.Message();
            } catch (const Exception& e) {
                R.EngineError(QString(), e.Message());
                return false;
            }
        }
        return false;
    }

    // The real load, as a program does it; reports what the checks above did not explain.
    void CheckEngineLoad() {
        TbsSkinData data;
        try {
            LoadSkin(data, FPath);
        } catch (const Failure& e) {
            R.EngineError(QStringLiteral("the skin does not load"), e.Message);
        } catch (const Exception& e) {
            R.EngineError(QStringLiteral("the skin does not load"), e.Message());
        }
    }

    // ---- pictures of the loaded records

    int PictureCount() const { return static_cast<int>(FData.ActivePictures.size()); }

    const TBitmap* ActivePicture(int index) const {
        if (index < 0 || index >= PictureCount() || FData.ActivePictures[index]->Empty())
            return nullptr;
        return FData.ActivePictures[index].get();
    }

    QString PictureLabel(int index) const {
        const QString name = index < FActiveNames.size() ? FActiveNames[index] : QString();
        return QStringLiteral("active picture %1 (%2%3)")
            .arg(index)
            .arg(name.isEmpty() ? QString() : name + QStringLiteral(", "),
                 SizeText(*FData.ActivePictures[index]));
    }

    // Every "...pictureindex" value must be -1 or an index of ActivePictures.
    void CheckPictureIndices(const QString& owner, const QList<QPair<QString, QString>>& values) {
        for (const auto& [key, value] : values) {
            if (!key.endsWith(QLatin1String("pictureindex"), Qt::CaseInsensitive))
                continue;
            const int index = value.toInt();
            if (index != -1 && (index < 0 || index >= PictureCount()))
                R.Error(QStringLiteral("%1: %2=%3 is out of range (the skin has %4 active "
                                       "pictures)")
                            .arg(owner, key, value, QString::number(PictureCount())));
        }
    }

    // Rectangle keys end in "rect", "area" or, for one misspelt key, "rsect".
    static bool IsRectKey(const QString& key) {
        return key.endsWith(QLatin1String("rect"), Qt::CaseInsensitive) ||
               key.endsWith(QLatin1String("area"), Qt::CaseInsensitive) ||
               key.endsWith(QLatin1String("rsect"), Qt::CaseInsensitive);
    }

    static bool Fits(const TRect& r, const TBitmap& picture) {
        return r.Left <= picture.Width() && r.Right <= picture.Width() &&
               r.Top <= picture.Height() && r.Bottom <= picture.Height();
    }

    // Every set rectangle must lie inside one of the pictures it may be cut from.
    void CheckRects(const QString& owner, const QList<QPair<QString, QString>>& values,
                    const std::vector<std::pair<QString, const TBitmap*>>& pictures) {
        if (pictures.empty())
            return;
        for (const auto& [key, value] : values) {
            if (!IsRectKey(key))
                continue;
            TRect r;
            try {
                r = SkinValues::ParseRect(value);
            } catch (const Exception&) {
                continue;
            }
            if (r.Left == 0 && r.Top == 0 && r.Right == 0 && r.Bottom == 0)
                continue;
            const bool inside = std::any_of(pictures.begin(), pictures.end(),
                                            [&](const auto& p) { return Fits(r, *p.second); });
            if (!inside)
                R.Error(QStringLiteral("%1: %2=%3 lies outside %4")
                            .arg(owner, key, value, pictures.front().first));
        }
    }

    std::optional<std::pair<QString, const TBitmap*>> SkinPictureCandidate() const {
        if (FData.SkinPicture.Empty())
            return std::nullopt;
        return std::make_pair(
            QStringLiteral("the skin picture (%1)").arg(SizeText(FData.SkinPicture)),
            &FData.SkinPicture);
    }

    std::optional<std::pair<QString, const TBitmap*>> ActiveCandidate(int index) const {
        if (const TBitmap* picture = ActivePicture(index))
            return std::make_pair(PictureLabel(index), picture);
        return std::nullopt;
    }

    void CheckFormPictures() {
        const QString form = QStringLiteral("[FORMINFO]");
        CheckPictureIndices(
            form,
            {{QStringLiteral("bgpictureindex"), QString::number(FData.BGPictureIndex)},
             {QStringLiteral("mdibgpictureindex"), QString::number(FData.MDIBGPictureIndex)}});
        if (auto skin = SkinPictureCandidate()) {
            CheckRects(form,
                       {{QStringLiteral("clientrect"), SkinValues::FormatRect(FData.ClientRect)},
                        {QStringLiteral("buttonsrect"), SkinValues::FormatRect(FData.ButtonsRect)},
                        {QStringLiteral("captionrect"), SkinValues::FormatRect(FData.CaptionRect)}},
                       {*skin});
            CheckSameSize(FData.InactiveSkinPicture, QStringLiteral("inactive picture"));
            CheckSameSize(FData.SkinMask, QStringLiteral("mask"));
        }
        const auto popup = WindowValues(FData.PopupWindow, QStringLiteral("POPUPWINDOW"));
        CheckPictureIndices(QStringLiteral("[POPUPWINDOW]"), popup);
        if (auto picture = ActiveCandidate(FData.PopupWindow.WindowPictureIndex))
            CheckRects(QStringLiteral("[POPUPWINDOW]"), popup, {*picture});
        const auto hint = WindowValues(FData.HintWindow, QStringLiteral("HINTWINDOW"));
        CheckPictureIndices(QStringLiteral("[HINTWINDOW]"), hint);
        if (auto picture = ActiveCandidate(FData.HintWindow.WindowPictureIndex))
            CheckRects(QStringLiteral("[HINTWINDOW]"), hint, {*picture});
    }

    void CheckSameSize(const TBitmap& picture, const QString& what) {
        if (picture.Empty())
            return;
        if (picture.Width() != FData.SkinPicture.Width() ||
            picture.Height() != FData.SkinPicture.Height())
            R.Warning(QStringLiteral("the %1 is %2 but the skin picture is %3")
                          .arg(what, SizeText(picture), SizeText(FData.SkinPicture)));
    }

    static QString RecordLabel(const QString& section, const TListedRecord& listed) {
        return QStringLiteral("[%1] record %2 (%3)").arg(section, Quoted(listed.Name), listed.Kind);
    }

    void CheckObjects() {
        const size_t count = std::min(FObjects.size(), FData.SkinObjects.size());
        for (size_t i = 0; i < count; ++i) {
            TbsDataSkinObject& record = *FData.SkinObjects[i];
            const QString owner = RecordLabel(SkinObjectsSection, FObjects[i]);
            const auto values = RecordValues(record);
            CheckPictureIndices(owner, values);
            // The normal look comes from the skin picture or, for some objects, the active
            // picture; a rectangle has to fit one of them.
            std::vector<std::pair<QString, const TBitmap*>> pictures;
            if (auto active = ActiveCandidate(record.ActivePictureIndex))
                pictures.push_back(*active);
            if (auto skin = SkinPictureCandidate())
                pictures.push_back(*skin);
            CheckRects(owner, values, pictures);
        }
    }

    void CheckControls() {
        const size_t count = std::min(FControls.size(), FData.SkinControls.size());
        for (size_t i = 0; i < count; ++i) {
            TbsDataSkinControl& record = *FData.SkinControls[i];
            const QString owner = RecordLabel(SkinControlsSection, FControls[i]);
            const auto values = RecordValues(record);
            CheckPictureIndices(owner, values);
            if (auto picture = ActiveCandidate(record.PictureIndex))
                CheckRects(owner, values, {*picture});
        }
    }

    const TListedRecord* FirstControl(const QString& name) const {
        for (const TListedRecord& listed : FControls) {
            if (listed.Name == name)
                return &listed;
        }
        return nullptr;
    }

    void CheckExpectedControls() {
        using SkinNames::TbsNameUse;
        for (const SkinNames::TbsExpectedControl& expected : SkinNames::ExpectedControls) {
            const QString name = Latin(expected.Name);
            const QString kind = Latin(expected.Kind);
            const TListedRecord* listed = FirstControl(name);
            const QString missing = QStringLiteral("[SKINCONTROLS] has no record %1 (kind %2); ")
                                        .arg(Quoted(name), Quoted(kind));
            if (!listed) {
                switch (expected.Use) {
                case TbsNameUse::LookedUp:
                    R.Warning(missing +
                              QStringLiteral("controls using that name draw without a skin"));
                    break;
                case TbsNameUse::Optional:
                    R.Note(missing + QStringLiteral("the controls that take it when present use "
                                                    "%1 instead")
                                         .arg(Quoted(Latin(expected.Fallback))));
                    break;
                case TbsNameUse::OurSkins:
                    R.Note(missing + QStringLiteral("no control looks it up by default, but a "
                                                    "complete skin has one"));
                    break;
                }
            } else if (!SkinNames::KindServesAs(listed->Kind.toStdString(), expected.Kind)) {
                R.Warning(QStringLiteral("[SKINCONTROLS] record %1 has kind %2, but controls "
                                         "using that name need kind %3")
                              .arg(Quoted(name), Quoted(listed->Kind), Quoted(kind)));
            }
        }
    }

    static QString Latin(std::string_view text) {
        return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    }

    // ---- frame objects, menus and hints

    // A frame object is seen only with a normal look of some size.
    bool Visible(const TbsDataSkinObject& record) {
        if (!record.SkinRect.IsEmpty())
            return true;
        R.Warning(QStringLiteral("[SKINOBJECTS] record %1: skinrect=%2 is empty; the object is "
                                 "never seen")
                      .arg(Quoted(record.IDName), SkinValues::FormatRect(record.SkinRect)));
        return false;
    }

    // The object that carries `command` as a caption button: a std button (a menu-bar
    // button makes no frame object) or an animation in button style.
    static bool IsCaptionButton(const TbsDataSkinObject& record, TbsStdCommand command) {
        if (auto* button = dynamic_cast<const TbsDataSkinStdButton*>(&record))
            return !dynamic_cast<const TbsDataSkinMainMenuBarButton*>(&record) &&
                   button->Command == command;
        if (auto* animation = dynamic_cast<const TbsDataSkinAnimate*>(&record))
            return animation->ButtonStyle && animation->Command == command;
        return false;
    }

    void CheckFrameObjects() {
        bool caption = false;
        for (const auto& object : FData.SkinObjects) {
            if (dynamic_cast<const TbsDataSkinCaption*>(object.get()) && Visible(*object))
                caption = true;
        }
        if (!caption)
            R.Warning(QStringLiteral("[SKINOBJECTS] has no %1 record; skinned windows show no "
                                     "title")
                          .arg(Quoted(Latin(SkinNames::CaptionKind))));
        for (std::string_view keyword : SkinNames::CaptionButtonCommands) {
            const TbsStdCommand command = SkinValues::ParseCommand(Latin(keyword));
            bool found = false;
            for (const auto& object : FData.SkinObjects) {
                if (IsCaptionButton(*object, command) && Visible(*object))
                    found = true;
            }
            if (!found)
                R.Warning(QStringLiteral("[SKINOBJECTS] has no caption button with command=%1 "
                                         "(a \"stdbutton\" record, or an \"animate\" record "
                                         "with buttonstyle=1); windows get no button for it")
                              .arg(Latin(keyword)));
        }
    }

    void CheckMenusAndHints() {
        const TbsDataSkinMenuItem* item = nullptr;
        for (const auto& object : FData.SkinObjects) {
            item = dynamic_cast<const TbsDataSkinMenuItem*>(object.get());
            if (item)
                break;
        }
        if (!item)
            R.Warning(QStringLiteral("[SKINOBJECTS] has no %1 record; popup menus draw their "
                                     "items without a skin")
                          .arg(Quoted(Latin(SkinNames::MenuItemKind))));
        else if (!ActivePicture(item->ActivePictureIndex))
            R.Warning(QStringLiteral("[SKINOBJECTS] record %1, the first %2 record, which popup "
                                     "menus use: activepictureindex=%3 names no picture; menu "
                                     "items draw without one")
                          .arg(Quoted(item->IDName), Quoted(Latin(SkinNames::MenuItemKind)),
                               QString::number(item->ActivePictureIndex)));
        else
            Visible(*item);
        if (FData.PopupWindow.WindowPictureIndex == -1)
            R.Warning(QStringLiteral("[POPUPWINDOW] windowpictureindex is -1; popup menus draw "
                                     "in the plain look"));
        if (FData.HintWindow.WindowPictureIndex == -1)
            R.Warning(QStringLiteral("[HINTWINDOW] windowpictureindex is -1; hints draw in the "
                                     "plain look"));
    }

    // Names that records give of other records must lead somewhere.
    void CheckReferences() {
        for (size_t i = 0; i < std::min(FControls.size(), FData.SkinControls.size()); ++i) {
            const QString owner = RecordLabel(SkinControlsSection, FControls[i]);
            const TbsDataSkinControl* record = FData.SkinControls[i].get();
            if (auto* bar = dynamic_cast<const TbsDataSkinMainMenuBar*>(record)) {
                const std::pair<const char*, QString> objects[] = {
                    {"menubaritem", bar->MenuBarItem},
                    {"closebutton", bar->CloseButton},
                    {"minbutton", bar->MinButton},
                    {"maxbutton", bar->MaxButton},
                    {"sysmenubutton", bar->SysMenuButton}};
                for (const auto& [key, name] : objects) {
                    if (!name.isEmpty() && FData.IndexOfSkinObject(name) < 0)
                        R.Warning(QStringLiteral("%1: %2=%3 names no record of [SKINOBJECTS]")
                                      .arg(owner, QLatin1String(key), name));
                }
                CheckMenuBarItem(owner, bar->MenuBarItem);
            }
            if (auto* combo = dynamic_cast<const TbsDataSkinComboBox*>(record))
                CheckControlReference<TbsDataSkinListBox>(owner, "listboxname", combo->ListBoxName,
                                                          "listbox");
            if (auto* list = dynamic_cast<const TbsDataSkinListBox*>(record)) {
                CheckControlReference<TbsDataSkinScrollBarControl>(
                    owner, "vscrollbarname", list->VScrollBarName, "scrollbar");
                CheckControlReference<TbsDataSkinScrollBarControl>(
                    owner, "hscrollbarname", list->HScrollBarName, "scrollbar");
                CheckControlReference<TbsDataSkinScrollBarControl>(
                    owner, "bothhscrollbarname", list->BothHScrollBarName, "scrollbar");
            }
            if (auto* tab = dynamic_cast<const TbsDataSkinTabControl*>(record))
                CheckControlReference<TbsDataSkinUpDownControl>(owner, "updown", tab->UpDown,
                                                                "updown");
        }
    }

    // The bar's items are made from the record "menubaritem" names; any other kind of record
    // gives them no skin.
    void CheckMenuBarItem(const QString& owner, const QString& name) {
        const QString kind = Quoted(Latin(SkinNames::MenuBarItemKind));
        if (name.isEmpty()) {
            R.Warning(QStringLiteral("%1: menubaritem is empty; it must name a %2 record, or the "
                                     "menu bar's items draw without a skin")
                          .arg(owner, kind));
            return;
        }
        const int index = FData.IndexOfSkinObject(name);
        if (index >= 0 &&
            !dynamic_cast<const TbsDataSkinMainMenuItem*>(FData.SkinObjects[index].get()))
            R.Warning(QStringLiteral("%1: menubaritem=%2 names a record that is not of kind %3; "
                                     "the menu bar's items draw without a skin")
                          .arg(owner, name, kind));
    }

    template <class Record>
    void CheckControlReference(const QString& owner, const char* key, const QString& name,
                               const char* kind) {
        if (name.isEmpty())
            return;
        const int index = FData.IndexOfControl(name);
        if (index < 0)
            R.Warning(QStringLiteral("%1: %2=%3 names no record of [SKINCONTROLS]")
                          .arg(owner, QLatin1String(key), name));
        else if (!dynamic_cast<const Record*>(FData.SkinControls[index].get()))
            R.Warning(QStringLiteral("%1: %2=%3 names a record that is not of kind %4")
                          .arg(owner, QLatin1String(key), name, Quoted(QLatin1String(kind))));
    }

    TReport& R;
    QString FPath;
    QString FFolder;
    QStringList FActiveNames;
    TbsStoredSkin FStored;
    TbsSkinData FData;
    std::vector<TListedRecord> FObjects;
    std::vector<TListedRecord> FControls;
};

QString Counted(int count, const QString& noun) {
    return QStringLiteral("%1 %2%3").arg(count).arg(noun,
                                                    count == 1 ? QString() : QStringLiteral("s"));
}

// Errors fail the check; with `strict` warnings fail it too. Notes never do.
int RunCheck(const QString& argument, bool strict) {
    const QString path = SkinPathOf(argument);
    TReport report;
    if (!QFileInfo::exists(path))
        report.Error(QStringLiteral("%1 does not exist").arg(path));
    else
        TSkinChecker(report, path).Run();
    QString summary = path + QStringLiteral(": ") +
                      Counted(report.Errors(), QStringLiteral("error")) + QStringLiteral(", ") +
                      Counted(report.Warnings(), QStringLiteral("warning"));
    if (report.Notes() > 0)
        summary += QStringLiteral(", ") + Counted(report.Notes(), QStringLiteral("note"));
    Print(stdout, summary + QLatin1Char('\n'));
    const bool failed = report.Errors() > 0 || (strict && report.Warnings() > 0);
    return failed ? 1 : 0;
}

// ---------------------------------------------------------------- dump

class TSkinDumper {
public:
    explicit TSkinDumper(TbsSkinData& data) : D(data) {}

    QString Text() {
        Section(QStringLiteral("VERSION"));
        Value(QStringLiteral("skinname"), D.SkinName);
        Value(QStringLiteral("skinauthor"), D.SkinAuthor);
        Value(QStringLiteral("authoremail"), D.AuthorEmail);
        Value(QStringLiteral("authorurl"), D.AuthorURL);
        Value(QStringLiteral("skincomments"), D.SkinComments);
        DumpPictures();
        DumpFormInfo();
        Section(QStringLiteral("POPUPWINDOW"));
        Values(WindowValues(D.PopupWindow, QStringLiteral("POPUPWINDOW")));
        Section(QStringLiteral("HINTWINDOW"));
        Values(WindowValues(D.HintWindow, QStringLiteral("HINTWINDOW")));
        DumpRecords(SkinObjectsSection, D.SkinObjects);
        DumpRecords(SkinControlsSection, D.SkinControls);
        return FText;
    }

private:
    void Section(const QString& name) {
        if (!FText.isEmpty())
            FText += QLatin1Char('\n');
        FText += QLatin1Char('[') + name + QStringLiteral("]\n");
    }
    void Value(const QString& key, const QString& value) {
        FText += key + QLatin1Char('=') + value + QLatin1Char('\n');
    }
    void Values(const QList<QPair<QString, QString>>& values) {
        for (const auto& [key, value] : values)
            Value(key, value);
    }

    static QString PictureText(const QString& name, const TBitmap& bitmap) {
        if (bitmap.Empty())
            return name;
        return QStringLiteral("%1 (%2)").arg(name, SizeText(bitmap));
    }

    void DumpPictures() {
        Section(PicturesSection);
        Value(QStringLiteral("picture"), PictureText(D.SkinPictureName, D.SkinPicture));
        Value(QStringLiteral("inactivepicture"),
              PictureText(D.InactiveSkinPictureName, D.InactiveSkinPicture));
        Value(QStringLiteral("mask"), PictureText(D.SkinMaskName, D.SkinMask));
        const qsizetype count =
            std::max<qsizetype>(D.ActivePictureNames.size(), D.ActivePictures.size());
        Value(QStringLiteral("activepicturescount"), QString::number(count));
        static const TBitmap none;
        for (qsizetype i = 0; i < count; ++i) {
            const size_t at = static_cast<size_t>(i);
            Value(QString::number(i),
                  PictureText(D.ActivePictureNames.value(i),
                              at < D.ActivePictures.size() ? *D.ActivePictures[at] : none));
        }
    }

    void DumpFormInfo() {
        using namespace SkinValues;
        Section(QStringLiteral("FORMINFO"));
        Value(QStringLiteral("lefttoppoint"), FormatPoint(D.LeftTopPoint));
        Value(QStringLiteral("righttoppoint"), FormatPoint(D.RightTopPoint));
        Value(QStringLiteral("leftbottompoint"), FormatPoint(D.LeftBottomPoint));
        Value(QStringLiteral("rightbottompoint"), FormatPoint(D.RightBottomPoint));
        Value(QStringLiteral("clientrect"), FormatRect(D.ClientRect));
        Value(QStringLiteral("bgpictureindex"), FormatInt(D.BGPictureIndex));
        Value(QStringLiteral("mdibgpictureindex"), FormatInt(D.MDIBGPictureIndex));
        Value(QStringLiteral("leftstretch"), FormatBool(D.LeftStretch));
        Value(QStringLiteral("rightstretch"), FormatBool(D.RightStretch));
        Value(QStringLiteral("topstretch"), FormatBool(D.TopStretch));
        Value(QStringLiteral("bottomstretch"), FormatBool(D.BottomStretch));
        Value(QStringLiteral("maskrectarea"), FormatRect(D.MaskRectArea));
        Value(QStringLiteral("hittestlefttoppoint"), FormatPoint(D.HitTestLeftTopPoint));
        Value(QStringLiteral("hittestrighttoppoint"), FormatPoint(D.HitTestRightTopPoint));
        Value(QStringLiteral("hittestleftbottompoint"), FormatPoint(D.HitTestLeftBottomPoint));
        Value(QStringLiteral("hittestrightbottompoint"), FormatPoint(D.HitTestRightBottomPoint));
        Value(QStringLiteral("buttonsrect"), FormatRect(D.ButtonsRect));
        Value(QStringLiteral("captionrect"), FormatRect(D.CaptionRect));
        Value(QStringLiteral("buttonsoffset"), FormatInt(D.ButtonsOffset));
        Value(QStringLiteral("buttonsinleft"), FormatBool(D.ButtonsInLeft));
        Value(QStringLiteral("mainmenupopupup"), FormatBool(D.MainMenuPopupUp));
        Value(QStringLiteral("borderwidth"), FormatInt(D.BorderWidth));
        Value(QStringLiteral("autorenderinginactiveimage"),
              FormatBool(D.AutoRenderingInActiveImage));
        Value(QStringLiteral("inactiveeffect"), FormatEffect(D.InActiveEffect));
    }

    template <class List> void DumpRecords(const QString& section, List& records) {
        Section(section);
        Value(QStringLiteral("count"), QString::number(records.size()));
        for (size_t i = 0; i < records.size(); ++i)
            Value(QString::number(i), records[i]->IDName);
        for (size_t i = 0; i < records.size(); ++i) {
            Section(records[i]->IDName);
            FText += QStringLiteral("; %1 %2: %3\n")
                         .arg(section == SkinObjectsSection ? QStringLiteral("object")
                                                            : QStringLiteral("control"))
                         .arg(i)
                         .arg(ClassName(*records[i]));
            Values(RecordValues(*records[i]));
        }
    }

    TbsSkinData& D;
    QString FText;
};

int RunDump(const QString& argument) {
    const QString path = SkinPathOf(argument);
    TbsSkinData data;
    try {
        LoadSkin(data, path);
    } catch (const Exception& e) {
        throw Failure{e.Message()};
    }
    if (data.SkinEmpty) {
        QString reason = QStringLiteral("the skin is rejected");
        if (!IsCompressedSkinFile(path)) {
            const TMemIniFile ini(path);
            const QStringList missing = MissingRequiredSections(ini);
            if (!missing.isEmpty())
                reason +=
                    QStringLiteral(": missing [%1]").arg(missing.join(QStringLiteral("], [")));
        }
        throw Failure{reason};
    }
    Print(stdout, TSkinDumper(data).Text());
    return 0;
}

// ---------------------------------------------------------------- pack and unpack

int RunPack(const QString& source, const QString& target, bool force) {
    const QString path = SkinPathOf(source);
    ToolCli::RequireExisting(path);
    TbsCompressedStoredSkin compressed;
    try {
        compressed.LoadFromSkinFile(path);
    } catch (const Exception& e) {
        throw Failure{e.Message()};
    }
    if (compressed.IsEmpty()) {
        const TMemIniFile ini(path);
        throw Failure{QStringLiteral("%1 is not a skin: missing [%2]")
                          .arg(path, MissingRequiredSections(ini).join(QStringLiteral("], [")))};
    }
    ToolCli::RefuseToOverwrite(target, force);
    ToolCli::WriteAtomically(target, [&](const QString& file) {
        compressed.SaveToCompressedFile(file);
        return true;
    });
    Print(stdout,
          QStringLiteral("%1: %2 bytes\n").arg(target, QString::number(QFileInfo(target).size())));
    return 0;
}

// A picture file name from a packed skin.ini must stay inside the target folder.
bool IsSafeRelativeName(const QString& name) {
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.startsWith(QLatin1Char('\\')))
        return false;
    if (name.size() >= 2 && name[1] == QLatin1Char(':'))
        return false;
    static const QRegularExpression separators(QStringLiteral("[/\\\\]"));
    const QStringList parts = name.split(separators);
    return std::none_of(parts.begin(), parts.end(),
                        [](const QString& part) { return part == QLatin1String(".."); });
}

struct TPictureFile {
    QString Name;
    const TBitmap* Bitmap;
};

// The pictures of a packed skin with the file names its skin.ini gives them.
std::vector<TPictureFile> NamedPictures(const TPackedSkin& packed) {
    const TMemIniFile ini(packed.Lines);
    std::vector<TPictureFile> files;
    const std::pair<QString, const TBitmap*> flagged[] = {
        {QStringLiteral("picture"), &packed.Picture},
        {QStringLiteral("inactivepicture"), &packed.InactivePicture},
        {QStringLiteral("mask"), &packed.Mask}};
    for (const auto& [key, bitmap] : flagged) {
        const QString name = ini.ReadString(PicturesSection, key, QString());
        if (!name.isEmpty())
            files.push_back({name, bitmap});
        else if (!bitmap->Empty())
            throw Failure{QStringLiteral("the skin holds a %1 but [PICTURES] %2 gives no file "
                                         "name for it")
                              .arg(key, Quoted(key))};
    }
    const QStringList names = SkinFiles::ReadActivePictureNames(ini);
    const size_t count = packed.ActivePictures.size();
    if (static_cast<size_t>(names.size()) != count)
        throw Failure{QStringLiteral("the skin holds %1 active pictures but [PICTURES] names %2")
                          .arg(count)
                          .arg(names.size())};
    for (size_t i = 0; i < count; ++i)
        files.push_back({names[static_cast<qsizetype>(i)], packed.ActivePictures[i].get()});

    for (size_t i = 0; i < files.size(); ++i) {
        if (!IsSafeRelativeName(files[i].Name))
            throw Failure{QStringLiteral("the picture name %1 does not stay inside the folder")
                              .arg(Quoted(files[i].Name))};
        for (size_t j = 0; j < i; ++j) {
            if (files[j].Name == files[i].Name &&
                files[j].Bitmap->ToQImage() != files[i].Bitmap->ToQImage())
                throw Failure{QStringLiteral("two different pictures have the name %1")
                                  .arg(Quoted(files[i].Name))};
        }
    }
    return files;
}

int RunUnpack(const QString& source, const QString& folder, bool force) {
    ToolCli::RequireExisting(source);
    TPackedSkin packed;
    try {
        if (!IsCompressedSkinFile(source))
            throw Failure{QStringLiteral("%1 is not a compressed skin file").arg(source)};
        TbsCompressedStoredSkin compressed;
        LoadCompressedFile(compressed, source);
        packed = ReadPackedSkin(compressed);
    } catch (const Exception& e) {
        throw Failure{e.Message()};
    }
    const std::vector<TPictureFile> pictures = NamedPictures(packed);
    const QDir target(folder);
    const QString iniPath = target.filePath(QStringLiteral("skin.ini"));
    QStringList outputs{iniPath};
    for (const TPictureFile& picture : pictures)
        outputs << target.filePath(picture.Name);
    for (const QString& output : outputs)
        ToolCli::RefuseToOverwrite(output, force);
    if (!QDir().mkpath(folder))
        throw Failure{QStringLiteral("cannot create the folder %1").arg(folder)};
    // Every file is written beside its target first; the targets are replaced only once all
    // of them are complete.
    std::vector<ToolCli::TAtomicFile> files;
    try {
        for (const TPictureFile& picture : pictures) {
            const QString path = target.filePath(picture.Name);
            QDir().mkpath(QFileInfo(path).path());
            files.emplace_back(path);
            picture.Bitmap->SaveToFile(files.back().TemporaryPath());
        }
        files.emplace_back(iniPath);
        TStringList(packed.Lines).SaveToFile(files.back().TemporaryPath());
    } catch (const Exception& e) {
        throw Failure{e.Message()};
    }
    for (ToolCli::TAtomicFile& file : files)
        file.Commit();
    Print(stdout, QStringLiteral("%1: skin.ini and %2 pictures\n")
                      .arg(folder, QString::number(pictures.size())));
    return 0;
}

// ---------------------------------------------------------------- picture

// The picture formats `picture` writes, by the output file's extension.
enum class TPictureFormat { Png, Jpeg, Bmp };

TPictureFormat PictureFormatOf(const QString& target) {
    const QString suffix = QFileInfo(target).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return TPictureFormat::Png;
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return TPictureFormat::Jpeg;
    if (suffix == QLatin1String("bmp"))
        return TPictureFormat::Bmp;
    throw UsageError{QStringLiteral("cannot write %1: give the output a .png, .jpg or .bmp name")
                         .arg(Quoted(QFileInfo(target).fileName()))};
}

bool WritePicture(const TBitmap& bitmap, TPictureFormat format, const QString& path) {
    switch (format) {
    case TPictureFormat::Png:
        return bitmap.ToQImage().save(path, "PNG");
    case TPictureFormat::Jpeg:
        return bitmap.ToQImage().save(path, "JPEG", 90);
    case TPictureFormat::Bmp:
        bitmap.SaveToFile(path);
        return true;
    }
    return false;
}

int RunPicture(const QString& source, const QString& target, bool force) {
    const TPictureFormat format = PictureFormatOf(target);
    ToolCli::RequireExisting(source);
    TBitmap bitmap;
    try {
        bitmap.LoadFromFile(source);
    } catch (const Exception& e) {
        throw Failure{e.Message()};
    }
    if (bitmap.Empty())
        throw Failure{QStringLiteral("%1 is an empty picture (%2)").arg(source, SizeText(bitmap))};
    ToolCli::RefuseToOverwrite(target, force);
    ToolCli::WriteAtomically(
        target, [&](const QString& path) { return WritePicture(bitmap, format, path); });
    Print(stdout, QStringLiteral("%1: %2\n").arg(target, SizeText(bitmap)));
    return 0;
}

// ---------------------------------------------------------------- command line

const ToolCli::TOption StrictOption{QStringLiteral("--strict"), QString(),
                                    QStringLiteral("check: warnings fail the check too")};
const ToolCli::TOption ForceOption{
    QStringLiteral("--force"), QString(),
    QStringLiteral("pack, unpack, picture: overwrite existing output files")};

const ToolCli::TToolInfo& Tool() {
    static const ToolCli::TToolInfo tool{
        QStringLiteral("zarvo-skin"),
        {QStringLiteral("check [--strict] PATH"), QStringLiteral("dump PATH"),
         QStringLiteral("pack [--force] FOLDER|SKIN.INI FILE"),
         QStringLiteral("unpack [--force] FILE FOLDER"),
         QStringLiteral("picture [--force] FILE.bmp OUT.png|OUT.jpg|OUT.bmp")},
        QStringLiteral(
            "PATH is a skin folder, its skin.ini, or a compressed skin file.\n"
            "\n"
            "check    reports every problem of the skin, one per line, starting with \"error:\",\n"
            "         \"warning:\" or \"note:\" (a record a complete skin has but nothing needs),\n"
            "         then a summary line. Exit code 1 when there is an error, or with --strict\n"
            "         also when there is a warning.\n"
            "dump     prints what the engine reads: the [VERSION] strings, the pictures and their\n"
            "         sizes, the frame description, the popup and hint windows and every record\n"
            "         with its class and values in reading order.\n"
            "pack     packs a skin folder into a compressed skin file.\n"
            "unpack   writes skin.ini (GBK, CR LF) and the pictures (24-bit BMP) of a compressed\n"
            "         skin file into FOLDER.\n"
            "picture  writes a BMP picture as PNG, JPEG or 24-bit BMP (by the output's\n"
            "         extension), decoded the way the engine decodes it.\n"
            "\n"
            "pack, unpack and picture keep existing files unless --force is given, and never\n"
            "leave a half-written file behind.\n"),
        {StrictOption, ForceOption}};
    return tool;
}

int Run(const QStringList& args) {
    if (args.isEmpty())
        throw UsageError{QStringLiteral("no command given")};
    const QString command = args[0];
    const QStringList rest = args.mid(1);
    static const QStringList commands{QStringLiteral("check"), QStringLiteral("dump"),
                                      QStringLiteral("pack"), QStringLiteral("unpack"),
                                      QStringLiteral("picture")};
    if (command.startsWith(u'-'))
        throw UsageError{QStringLiteral("unknown option %1").arg(command)};
    if (!commands.contains(command))
        throw UsageError{QStringLiteral("unknown command %1").arg(Quoted(command))};
    if (command == QLatin1String("check")) {
        const ToolCli::TArguments arguments = ToolCli::Parse(rest, {StrictOption});
        arguments.ExpectPositional(1, 1, QStringLiteral("the skin to check"));
        return RunCheck(arguments.Positional()[0], arguments.IsSet(StrictOption.Name));
    }
    if (command == QLatin1String("dump")) {
        const ToolCli::TArguments arguments = ToolCli::Parse(rest, {});
        arguments.ExpectPositional(1, 1, QStringLiteral("the skin to dump"));
        return RunDump(arguments.Positional()[0]);
    }
    const ToolCli::TArguments arguments = ToolCli::Parse(rest, {ForceOption});
    const bool force = arguments.IsSet(ForceOption.Name);
    const QStringList& files = arguments.Positional();
    if (command == QLatin1String("pack")) {
        arguments.ExpectPositional(2, 2, QStringLiteral("the skin and the file to pack it into"));
        return RunPack(files[0], files[1], force);
    }
    if (command == QLatin1String("unpack")) {
        arguments.ExpectPositional(2, 2,
                                   QStringLiteral("the skin file and the folder to unpack "
                                                  "it into"));
        return RunUnpack(files[0], files[1], force);
    }
    arguments.ExpectPositional(2, 2, QStringLiteral("the picture and the file to write"));
    return RunPicture(files[0], files[1], force);
}

} // namespace

int main(int argc, char** argv) {
    return ToolCli::RunTool(Tool(), argc, argv, [&](const QStringList& args) {
        QCoreApplication app(argc, argv);
        return Run(args);
    });
}
