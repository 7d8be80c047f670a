#include "skinctrls/bsfilectrl.h"

#include "framework/SysUtils.h"
#include "platform/Errors.h"
#include "platform/FileSearch.h"
#include "platform/Paths.h"

#include <QDir>
#include <QGuiApplication>
#include <QShowEvent>
#include <cerrno>

namespace {

// From this many entries on, the listing shows the hourglass.
constexpr int BusyCursorCount = 100;

unsigned SearchAttributes(const TFileType& type) {
    unsigned attr = 0;
    if (type.Contains(ftReadOnly))
        attr |= faReadOnly;
    if (type.Contains(ftHidden))
        attr |= faHidden;
    if (type.Contains(ftSystem))
        attr |= faSysFile;
    if (type.Contains(ftVolumeID))
        attr |= faVolumeID;
    if (type.Contains(ftDirectory))
        attr |= faDirectory;
    if (type.Contains(ftArchive))
        attr |= faArchive;
    return attr;
}

bool HasWildcards(const QString& name) {
    return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

QString JoinPath(const QString& folder, const QString& name) {
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

} // namespace

// ---------------------------------------------------------------- TbsSkinFileListBox

TbsSkinFileListBox::TbsSkinFileListBox(QWidget* parent)
    : TbsSkinListBox(parent), FDirectory(Paths::GetCurrentDir()) {
    SetWidth(145);
    SetMultiSelect(false);
    SetSorted(true);
}

TbsSkinFileListBox::~TbsSkinFileListBox() = default;

void TbsSkinFileListBox::showEvent(QShowEvent* event) {
    TbsSkinListBox::showEvent(event);
    if (FCreated)
        return;
    FCreated = true;
    Guarded([this] { RefillList(); });
}

void TbsSkinFileListBox::SetMask(const QString& value) {
    if (value == FMask)
        return;
    FMask = value;
    RefillList();
}

void TbsSkinFileListBox::SetFileType(TFileType value) {
    if (value == FFileType)
        return;
    FFileType = value;
    RefillList();
}

void TbsSkinFileListBox::SetFileEdit(TCustomEdit* edit) {
    FFileEdit = edit;
    if (edit)
        edit->SetText(ItemIndex() >= 0 ? Items()->Strings(ItemIndex()) : FMask);
}

void TbsSkinFileListBox::SetDirectory(const QString& folder) {
    if (AnsiSameText(folder, FDirectory))
        return;
    // A relative folder is taken from the listed one.
    if (Paths::DirectoryExists(FDirectory))
        Paths::SetCurrentDir(FDirectory);
    try {
        Paths::SetCurrentDir(folder);
    } catch (const EInOutError& error) {
        // The system's reason alone does not say which folder could not be opened.
        throw EInOutError(QStringLiteral("无法打开文件夹“%1”：%2").arg(folder, error.Message()),
                          error.ErrorCode);
    }
    FDirectory = Paths::GetCurrentDir();
    RefillList();
}

void TbsSkinFileListBox::RefillList() {
    if (!FCreated)
        return;
    const unsigned attributes = SearchAttributes(FFileType);
    Paths::SetCurrentDir(FDirectory);
    // The read-only bit matters only when it alone can admit a file.
    const bool withReadOnly = !FFileType.Contains(ftNormal) && FFileType.Contains(ftReadOnly);
    const std::vector<FoundFile> found =
        FileSearch::FindNames(FDirectory, FMask, attributes, withReadOnly);
    const bool busy = found.size() >= size_t(BusyCursorCount);
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    QStringList names;
    names.reserve(qsizetype(found.size()));
    for (const FoundFile& entry : found) {
        if (!FFileType.Contains(ftNormal) && (entry.Attr & attributes) == 0)
            continue;
        if (entry.Attr & faDirectory)
            names << QLatin1Char('[') + entry.Name + QLatin1Char(']');
        else
            names << entry.Name;
    }
    if (Sorted())
        AnsiSortText(names);
    InnerList()->SetOrderedItems(names);
    SyncListBars();
    if (busy)
        QGuiApplication::restoreOverrideCursor();
    SelectionChanged();
}

QString TbsSkinFileListBox::FileName() const {
    const int index = ItemIndex();
    if (index < 0)
        return QString();
    return JoinPath(FDirectory, Items()->Strings(index));
}

void TbsSkinFileListBox::OpenPath(const QString& path) {
    if (path.isEmpty() || AnsiSameText(path, FileName()))
        return;
    QString rest = Paths::FromStored(path);
    if (rest.size() >= 2 && rest.startsWith(QLatin1Char('[')) && rest.endsWith(QLatin1Char(']')))
        rest = rest.mid(1, rest.size() - 2);
    const qsizetype slash = rest.lastIndexOf(QLatin1Char('/'));
    QString name = rest.mid(slash + 1);
    QString folder;
    if (slash < 0)
        folder = FDirectory;
    else if (slash == 0)
        folder = QStringLiteral("/");
    else
        folder = rest.left(slash);
    folder = QDir(FDirectory).absoluteFilePath(folder);
    if (!name.isEmpty() && !HasWildcards(name) && !Paths::FileExists(JoinPath(folder, name))) {
        // Not a file: a folder to enter.
        const QString inner = JoinPath(folder, name);
        if (!Paths::DirectoryExists(inner))
            throw EInOutError(SysErrorMessage(ENOENT), ENOENT);
        folder = inner;
        name.clear();
    }
    SetDirectory(folder);
    if (HasWildcards(name)) {
        SetMask(name);
        return;
    }
    if (name.isEmpty())
        return;
    auto selectName = [this, &name] {
        const int index = Items()->IndexOf(name);
        if (index >= 0 && index != ItemIndex()) {
            SetItemIndex(index);
            SelectionChanged();
        }
    };
    selectName();
    if (ItemIndex() < 0 && Paths::FileExists(JoinPath(FDirectory, name))) {
        // A file the mask hides: the name becomes the mask.
        SetMask(name);
        selectName();
    }
}

void TbsSkinFileListBox::SelectionChanged() {
    FLastIndex = ItemIndex();
    if (TCustomEdit* edit = FFileEdit.data()) {
        edit->SetText(FLastIndex >= 0 ? Items()->Strings(FLastIndex) : FMask);
        edit->SelectAll();
    }
    FireEvent(OnChange, this);
}

void TbsSkinFileListBox::ListClick() {
    // The click handler sees the new selection through FileName before OnChange fires.
    TbsSkinListBox::ListClick();
    if (ItemIndex() != FLastIndex)
        SelectionChanged();
}

// ---------------------------------------------------------------- TbsSkinFilterComboBox

TbsSkinFilterComboBox::TbsSkinFilterComboBox(QWidget* parent) : TbsSkinComboBox(parent) {
    BuildItems();
}

TbsSkinFilterComboBox::~TbsSkinFilterComboBox() = default;

void TbsSkinFilterComboBox::SetFilter(const QString& value) {
    if (AnsiSameText(value, FFilter))
        return;
    FFilter = value;
    BuildItems();
    Changed();
}

void TbsSkinFilterComboBox::BuildItems() {
    Items()->Clear();
    FMasks.clear();
    const QStringList parts = FFilter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        if (i == parts.size() - 1 && parts[i].isEmpty())
            break; // a trailing "|"
        Items()->Add(parts[i]);
        FMasks << (i + 1 < parts.size() ? parts[i + 1] : QString());
    }
    if (Items()->Count() > 0)
        SetItemIndex(0);
}

QString TbsSkinFilterComboBox::Mask() {
    if (FMasks.isEmpty())
        return QStringLiteral("*.*");
    if (ItemIndex() < 0)
        SetItemIndex(Items()->Count() - 1);
    return FMasks.value(ItemIndex(), QStringLiteral("*.*"));
}

void TbsSkinFilterComboBox::Changed() {
    if (TbsSkinFileListBox* list = FFileList.data())
        list->SetMask(Mask());
}
