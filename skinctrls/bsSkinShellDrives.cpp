// The drive box and the folder-change watcher.
#include "skinctrls/bsSkinShellCtrls.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QStorageInfo>

using namespace ShellNamespace;

namespace {

bool RemovableDevice(const QByteArray& device) {
    // /dev/sdb1 -> /sys/block/sdb/removable
    QString name = QFileInfo(QString::fromLocal8Bit(device)).fileName();
    while (!name.isEmpty() && name.back().isDigit())
        name.chop(1);
    QFile flag(QStringLiteral("/sys/block/%1/removable").arg(name));
    return !name.isEmpty() && flag.open(QIODevice::ReadOnly) && flag.readAll().trimmed() == "1";
}

unsigned DriveTypeOf(const QStorageInfo& volume) {
    const QByteArray type = volume.fileSystemType();
    static const QList<QByteArray> remote = {"nfs",   "nfs4",       "cifs",  "smb3",
                                             "smbfs", "fuse.sshfs", "sshfs", "9p"};
    if (remote.contains(type))
        return 4;
    if (type == "iso9660" || type == "udf")
        return 5;
    if (type == "ramfs" || type == "tmpfs")
        return 6;
    if (RemovableDevice(volume.device()))
        return 2;
    return 3;
}

QString NamedRoot(const QString& name, const QString& path) {
    return name.isEmpty() || name == path ? path : QStringLiteral("%1 (%2)").arg(name, path);
}

} // namespace

std::vector<TbsShellDrive> ShellDrives(TDriveTypes types) {
    std::vector<TbsShellDrive> drives;
    auto add = [&](const QString& path, const QString& name, unsigned type) {
        if (types & (1u << type))
            drives.push_back({path, name, type});
    };
    const QStorageInfo root = QStorageInfo::root();
    add(DesktopPath, NamedRoot(root.isValid() ? root.displayName() : QString(), DesktopPath), 3);
    const QStringList specials = DesktopSpecialFolders();
    const QString home = QDir::cleanPath(QDir::homePath());
    for (const QString& path : specials) {
        if (path == home) {
            add(path, NamedRoot(QFileInfo(path).fileName(), path), 3);
            continue;
        }
        const QStorageInfo volume(path);
        add(path, NamedRoot(volume.name(), path), DriveTypeOf(volume));
    }
    return drives;
}

// ---------------------------------------------------------------- TbsSkinShellDriveComboBox

TbsSkinShellDriveComboBox::TbsSkinShellDriveComboBox(QWidget* parent) : TbsSkinComboBox(parent) {
    SetStyle(bscbFixedStyle);
    FImages.SetSize(16, 16);
    // Each drive with its icon at the left and its name 4 pixels after it.
    auto draw = [this](TObject*, TCanvas& c, int index, int, int, TRect text, TOwnerDrawState) {
        DrawDrive(c, index, text);
    };
    OnComboBoxDrawItem = draw;
    OnListBoxDrawItem = draw;
    BuildList();
}

void TbsSkinShellDriveComboBox::DrawDrive(TCanvas& c, int index, const TRect& rect) {
    if (index < 0 || index >= DriveCount())
        return;
    const int height = rect.Height();
    if (index < FImages.Count())
        FImages.Draw(c, rect.Left, rect.Top + (height - FImages.Height()) / 2, index);
    c.Brush.Style = bsClear;
    c.TextRect(rect, rect.Left + FImages.Width() + 4,
               rect.Top + (height - c.TextHeight(QStringLiteral("Wg"))) / 2,
               FDrives[size_t(index)].DisplayName);
}

TbsSkinShellDriveComboBox::~TbsSkinShellDriveComboBox() = default;

void TbsSkinShellDriveComboBox::SetDriveTypes(TDriveTypes value) {
    if (value == FDriveTypes)
        return;
    FDriveTypes = value;
    BuildList();
}

void TbsSkinShellDriveComboBox::BuildList() {
    const int selected = ItemIndex();
    FDrives = ShellDrives(FDriveTypes);
    FImages.Clear();
    TbsShellImages& shell = TbsShellImages::Instance();
    QStringList names;
    for (const TbsShellDrive& drive : FDrives) {
        FImages.AddImage(shell.Small()->Image(shell.IndexOf(drive.RootPath, true)));
        names << drive.DisplayName;
    }
    TStringList items;
    items.SetText(names.join(QLatin1Char('\n')));
    SetItems(items);
    if (selected >= 0 && selected < DriveCount())
        SetItemIndex(selected);
}

QString TbsSkinShellDriveComboBox::Drive() const {
    const int index = ItemIndex();
    return index >= 0 && index < DriveCount() ? FDrives[size_t(index)].RootPath : QString();
}

bool TbsSkinShellDriveComboBox::SelectDrive(const QString& rootPath) {
    for (int i = 0; i < DriveCount(); ++i)
        if (FDrives[size_t(i)].RootPath == QDir::cleanPath(rootPath)) {
            SetItemIndex(i);
            return true;
        }
    return false;
}

QString TbsSkinShellDriveComboBox::DriveOf(const QString& path) const {
    const QString clean = QDir::cleanPath(path);
    QString best;
    for (const TbsShellDrive& drive : FDrives) {
        const QString& root = drive.RootPath;
        const bool inside =
            clean == root || root == DesktopPath || clean.startsWith(root + QLatin1Char('/'));
        if (inside && root.size() > best.size())
            best = root;
    }
    return best;
}

// ---------------------------------------------------------------- TbsShellChangeNotifier

TbsShellChangeNotifier::TbsShellChangeNotifier(QObject* owner) : TComponent(owner) {}

TbsShellChangeNotifier::~TbsShellChangeNotifier() {
    delete FWatcher;
}

void TbsShellChangeNotifier::SetRoot(const QString& value) {
    FRoot = value;
    Rearm();
}

void TbsShellChangeNotifier::SetWatchSubTree(bool value) {
    FWatchSubTree = value;
    Rearm();
}

void TbsShellChangeNotifier::SetNotifyFilters(TNotifyFilters value) {
    FNotifyFilters = value;
    Rearm();
}

void TbsShellChangeNotifier::SetOnChange(TNotifyEvent handler) {
    FOnChange = std::move(handler);
    if (!FOnChange) {
        delete FWatcher;
        FWatcher = nullptr;
        return;
    }
    if (!FWatcher) {
        FWatcher = new QFileSystemWatcher;
        QObject::connect(FWatcher, &QFileSystemWatcher::directoryChanged, this,
                         [this] { FireEvent(FOnChange, this); });
        QObject::connect(FWatcher, &QFileSystemWatcher::fileChanged, this,
                         [this] { FireEvent(FOnChange, this); });
    }
    Rearm();
}

void TbsShellChangeNotifier::Rearm() {
    if (!FWatcher)
        return;
    if (const QStringList watched = FWatcher->directories() + FWatcher->files(); !watched.isEmpty())
        FWatcher->removePaths(watched);
    const QString root = ParsePath(FRoot);
    if (root.isEmpty())
        return;
    QStringList paths{root};
    if (FWatchSubTree)
        for (const QString& name : QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            paths << QDir(root).filePath(name);
    // Name changes show on the folders; the other filters need the files themselves.
    if (FNotifyFilters & (nfAttributeChange | nfSizeChange | nfWriteChange | nfSecurityChange))
        for (const QString& name : QDir(root).entryList(QDir::Files))
            paths << QDir(root).filePath(name);
    FWatcher->addPaths(paths);
}
