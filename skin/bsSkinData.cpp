// TbsSkinData: loading a skin, clearing it, looking records up and telling the forms.

#include "skin/bsSkinData.h"
#include "skin/bsSkinIniFields.h"

#include "framework/Forms.h"
#include "framework/IniFiles.h"
#include "framework/SysUtils.h"

#include <QCoreApplication>
#include <QWidget>
#include <algorithm>
#include <exception>
#include <set>

namespace {

const QString VersionSection = QStringLiteral("VERSION");
const QString PicturesSection = QStringLiteral("PICTURES");
const QString FormInfoSection = QStringLiteral("FORMINFO");
const QString PopupWindowSection = QStringLiteral("POPUPWINDOW");
const QString HintWindowSection = QStringLiteral("HINTWINDOW");
const QString SkinObjectsSection = QStringLiteral("SKINOBJECTS");
const QString SkinControlsSection = QStringLiteral("SKINCONTROLS");

// Loads a named picture of the skin folder, or empties the bitmap when there is no name.
void LoadNamedPicture(TBitmap& bitmap, const QString& folder, const QString& name) {
    if (name.isEmpty())
        bitmap.Clear();
    else
        bitmap.LoadFromFileWhenUsed(folder + name);
}

template <class List> int IndexOfRecord(const List& records, const QString& name) {
    for (size_t i = 0; i < records.size(); ++i) {
        if (records[i]->IDName == name)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

// ---------------------------------------------------------------- file helpers

namespace SkinFiles {

bool HasRequiredSections(const TCustomIniFile& ini) {
    const QStringList& sections = TbsSkinData::RequiredSections();
    return std::all_of(sections.begin(), sections.end(),
                       [&](const QString& s) { return ini.SectionExists(s); });
}

QStringList ReadActivePictureNames(const TCustomIniFile& ini) {
    const int count = ini.ReadInteger(PicturesSection, QStringLiteral("activepicturescount"), 0);
    // With more names counted than keys present, some name up to index `keys` is missing
    // and reads as empty, which no picture can be loaded from; later names never matter.
    TStringList keys;
    ini.ReadSection(PicturesSection, keys);
    const int names = std::min(count, keys.Count() + 1);
    QStringList result;
    for (int i = 0; i < names; ++i)
        result << ini.ReadString(PicturesSection, QString::number(i), QString());
    return result;
}

QStringList ReadListEntries(const TCustomIniFile& ini, const QString& section) {
    const int count = ini.ReadInteger(section, QStringLiteral("count"), 0);
    TStringList keys;
    ini.ReadSection(section, keys);
    std::set<int> present;
    for (int k = 0; k < keys.Count(); ++k) {
        bool ok = false;
        const int index = keys[k].toInt(&ok);
        if (ok && index >= 0 && index < count)
            present.insert(index);
    }
    QStringList entries;
    for (int index : present)
        entries << ini.ReadString(section, QString::number(index), QString());
    return entries;
}

QString NormalizePath(const QString& path) {
    QString result = path;
    result.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return result;
}

} // namespace SkinFiles

QList<QWidget*> SkinMessageForms() {
    QList<QWidget*> forms;
    for (TForm* form : Screen->FormList())
        forms.append(form);
    return forms;
}

// ---------------------------------------------------------------- TbsSkinData

TbsSkinData::TbsSkinData(QObject* owner) : TComponent(owner) {}

TbsSkinData::~TbsSkinData() = default;

const QStringList& TbsSkinData::RequiredSections() {
    static const QStringList sections = {VersionSection, PicturesSection, FormInfoSection,
                                         SkinObjectsSection, SkinControlsSection};
    return sections;
}

void TbsSkinData::SetStoredSkin(TbsStoredSkin* value) {
    FStoredSkin = value;
    if (value)
        LoadStoredSkin(*value);
}

void TbsSkinData::SetCompressedStoredSkin(TbsCompressedStoredSkin* value) {
    FCompressedStoredSkin = value;
    if (value)
        LoadCompressedStoredSkin(*value);
}

void TbsSkinData::ClearSkin() {
    SkinObjects.clear();
    SkinControls.clear();
    ActivePictures.clear();
    ActivePictureNames.clear();
    PopupWindow.WindowPictureIndex = -1;
    HintWindow.WindowPictureIndex = -1;
    SkinPicture.Clear();
    InactiveSkinPicture.Clear();
    SkinMask.Clear();
    SkinPictureName.clear();
    InactiveSkinPictureName.clear();
    SkinMaskName.clear();
    SkinEmpty = true;
}

int TbsSkinData::IndexOfControl(const QString& name) const {
    return IndexOfRecord(SkinControls, name);
}

int TbsSkinData::IndexOfSkinObject(const QString& name) const {
    return IndexOfRecord(SkinObjects, name);
}

void TbsSkinData::BroadcastSkinMessage(QEvent::Type message) {
    QWidget* ownerForm = qobject_cast<TForm*>(parent());
    // A receiver may close a form; guarded pointers skip the ones that are gone.
    QList<QPointer<QWidget>> targets;
    if (ownerForm)
        targets << ownerForm;
    for (QWidget* form : SkinMessageForms()) {
        if (form != ownerForm)
            targets << form;
    }
    for (const QPointer<QWidget>& target : targets) {
        if (!target)
            continue;
        TbsSkinMessageEvent event(message, this);
        QCoreApplication::sendEvent(target, &event);
    }
}

void TbsSkinData::BeginLoad() {
    SkinEmpty = true;
    BroadcastSkinMessage(SkinChanging);
    ClearSkin();
}

void TbsSkinData::EndLoad() {
    BroadcastSkinMessage(SkinChanged);
    BroadcastSkinMessage(SkinChangeCompleted);
}

template <class F> void TbsSkinData::RunLoad(F&& load) {
    std::exception_ptr failure;
    try {
        load();
        return;
    } catch (...) {
        failure = std::current_exception();
    }
    // Nothing half-read stays behind, and the forms are told the skin is now empty: every
    // control that forgot its record at SkinChanging takes the default look again (the menu
    // bar and the caption buttons among them), instead of staying without any.
    ClearSkin();
    try {
        EndLoad();
    } catch (...) {
        // The load's own error is the one the caller needs to see.
    }
    std::rethrow_exception(failure);
}

void TbsSkinData::LoadSkinFile(const QString& fileName) {
    const QString path = SkinFiles::NormalizePath(fileName);
    BeginLoad();
    RunLoad([&] {
        TMemIniFile ini(path);
        if (!SkinFiles::HasRequiredSections(ini))
            return;
        const QString folder = ExtractFilePath(path);
        ReadVersion(ini);
        ReadPictureNames(ini);
        {
            TPictureReadSession pictures;
            LoadNamedPicture(SkinPicture, folder, SkinPictureName);
            LoadNamedPicture(InactiveSkinPicture, folder, InactiveSkinPictureName);
            LoadNamedPicture(SkinMask, folder, SkinMaskName);
            for (const QString& name : ActivePictureNames) {
                ActivePictures.push_back(std::make_unique<TBitmap>());
                ActivePictures.back()->LoadFromFileWhenUsed(folder + name);
            }
        }
        ReadDescription(ini);
        SkinEmpty = false;
    });
    EndLoad();
}

void TbsSkinData::LoadStoredSkin(const TbsStoredSkin& storedSkin) {
    BeginLoad();
    RunLoad([&] {
        TMemIniFile ini(storedSkin.IniStrings);
        if (!SkinFiles::HasRequiredSections(ini))
            return;
        ReadVersion(ini);
        ReadPictureNames(ini);
        SkinPicture.Assign(storedSkin.Picture);
        InactiveSkinPicture.Assign(storedSkin.InActivePicture);
        SkinMask.Assign(storedSkin.Mask);
        for (const auto& picture : storedSkin.ActivePictures)
            ActivePictures.push_back(std::make_unique<TBitmap>(*picture));
        ReadDescription(ini);
        SkinEmpty = false;
    });
    EndLoad();
}

void TbsSkinData::LoadCompressedStoredSkin(const TbsCompressedStoredSkin& compressedSkin) {
    if (compressedSkin.IsEmpty())
        return;
    BeginLoad();
    RunLoad([&] {
        TMemoryStream data;
        compressedSkin.Unpack(data);
        data.SetPosition(0);
        if (data.ReadInt32() != TbsCompressedStoredSkin::FormatVersion)
            return;
        SkinFiles::ReadFlaggedPicture(data, SkinPicture);
        SkinFiles::ReadFlaggedPicture(data, InactiveSkinPicture);
        SkinFiles::ReadFlaggedPicture(data, SkinMask);
        SkinFiles::ReadPictureList(data, ActivePictures);
        TStringList lines;
        lines.LoadFromStream(data);
        TMemIniFile ini(lines);
        ReadVersion(ini);
        ReadPictureNames(ini);
        ReadDescription(ini);
        SkinEmpty = false;
    });
    EndLoad();
}

void TbsSkinData::ReadVersion(TCustomIniFile& ini) {
    SkinName = ini.ReadString(VersionSection, QStringLiteral("skinname"), QString());
    SkinAuthor = ini.ReadString(VersionSection, QStringLiteral("skinauthor"), QString());
    AuthorEmail = ini.ReadString(VersionSection, QStringLiteral("authoremail"), QString());
    AuthorURL = ini.ReadString(VersionSection, QStringLiteral("authorurl"), QString());
    SkinComments = ini.ReadString(VersionSection, QStringLiteral("skincomments"), QString());
}

void TbsSkinData::ReadPictureNames(TCustomIniFile& ini) {
    SkinPictureName = ini.ReadString(PicturesSection, QStringLiteral("picture"), QString());
    InactiveSkinPictureName =
        ini.ReadString(PicturesSection, QStringLiteral("inactivepicture"), QString());
    SkinMaskName = ini.ReadString(PicturesSection, QStringLiteral("mask"), QString());
    ActivePictureNames = SkinFiles::ReadActivePictureNames(ini);
}

void TbsSkinData::ReadDescription(TCustomIniFile& ini) {
    ReadFormInfo(ini);
    PopupWindow.LoadFromIni(ini, PopupWindowSection);
    HintWindow.LoadFromIni(ini, HintWindowSection);
    ReadSkinObjects(ini);
    ReadSkinControls(ini);
}

void TbsSkinData::ReadFormInfo(TCustomIniFile& ini) {
    TbsIniFields f(ini, FormInfoSection, TbsIniFields::TMode::Read);
    f.Corners(*this);
    f.Rect("clientrect", ClientRect);
    f.Int("bgpictureindex", BGPictureIndex, -1);
    f.Int("mdibgpictureindex", MDIBGPictureIndex, -1);
    f.Stretches(*this);
    f.Rect("maskrectarea", MaskRectArea);
    f.PointGroup("hittest", HitTestLeftTopPoint, HitTestRightTopPoint, HitTestLeftBottomPoint,
                 HitTestRightBottomPoint);
    f.Rect("buttonsrect", ButtonsRect);
    f.Rect("captionrect", CaptionRect);
    f.Int("buttonsoffset", ButtonsOffset, 0);
    f.Bool("buttonsinleft", ButtonsInLeft);
    f.Bool("mainmenupopupup", MainMenuPopupUp);
    f.Int("borderwidth", BorderWidth, 0);
    f.Bool("autorenderinginactiveimage", AutoRenderingInActiveImage);
    f.Effect("inactiveeffect", InActiveEffect);
    CorrectFormInfo();
}

void TbsSkinData::CorrectFormInfo() {
    const TRect& cr = ClientRect;
    if (!SkinMaskName.isEmpty()) {
        // The fully-inside part of a masked window covers at least the client area.
        if (IsNullRect(MaskRectArea)) {
            MaskRectArea = cr;
        } else {
            MaskRectArea.Left = std::min(MaskRectArea.Left, cr.Left);
            MaskRectArea.Top = std::min(MaskRectArea.Top, cr.Top);
            MaskRectArea.Right = std::max(MaskRectArea.Right, cr.Right);
            MaskRectArea.Bottom = std::max(MaskRectArea.Bottom, cr.Bottom);
        }
        if (IsNullPoint(HitTestLeftTopPoint))
            HitTestLeftTopPoint = LeftTopPoint;
        if (IsNullPoint(HitTestRightTopPoint))
            HitTestRightTopPoint = RightTopPoint;
        if (IsNullPoint(HitTestLeftBottomPoint))
            HitTestLeftBottomPoint = LeftBottomPoint;
        if (IsNullPoint(HitTestRightBottomPoint))
            HitTestRightBottomPoint = RightBottomPoint;
    }
    // Each corner part of the nine-part cut covers at least the whole border beside it.
    if (RightBottomPoint.X != LeftTopPoint.X && RightBottomPoint.Y != LeftTopPoint.Y) {
        LeftTopPoint.X = std::max(LeftTopPoint.X, cr.Left);
        LeftTopPoint.Y = std::max(LeftTopPoint.Y, cr.Top);
        RightTopPoint.X = std::min(RightTopPoint.X, cr.Right);
        RightTopPoint.Y = std::max(RightTopPoint.Y, cr.Top);
        LeftBottomPoint.X = std::max(LeftBottomPoint.X, cr.Left);
        LeftBottomPoint.Y = std::min(LeftBottomPoint.Y, cr.Bottom);
        RightBottomPoint.X = std::min(RightBottomPoint.X, cr.Right);
        RightBottomPoint.Y = std::min(RightBottomPoint.Y, cr.Bottom);
    }
}

void TbsSkinData::ReadSkinObjects(TCustomIniFile& ini) {
    for (const QString& entry : SkinFiles::ReadListEntries(ini, SkinObjectsSection)) {
        const auto [name, kind] = SkinValues::SplitListEntry(entry);
        if (auto record = CreateSkinObjectRecord(kind, name)) {
            SkinObjects.push_back(std::move(record));
            SkinObjects.back()->LoadFromIni(ini);
        }
    }
}

void TbsSkinData::ReadSkinControls(TCustomIniFile& ini) {
    for (const QString& entry : SkinFiles::ReadListEntries(ini, SkinControlsSection)) {
        const auto [name, kind] = SkinValues::SplitListEntry(entry);
        if (auto record = CreateSkinControlRecord(kind, name)) {
            SkinControls.push_back(std::move(record));
            SkinControls.back()->LoadFromIni(ini);
        }
    }
}
