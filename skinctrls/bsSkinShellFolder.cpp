// The shell namespace on the file system, its items and their icons.
#include "skinctrls/bsSkinShellCtrls.h"

#include <QDesktopServices>
#include <QDir>
#include <QDirIterator>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QLocale>
#include <QPainter>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QUrl>

namespace ShellNamespace {

namespace {

// Volumes a user keeps files on: real devices and network shares, not the system's own
// virtual file systems.
bool IsUserVolume(const QStorageInfo& volume) {
    if (!volume.isValid() || !volume.isReady())
        return false;
    const QString path = volume.rootPath();
    if (path == DesktopPath)
        return false;
    static const QStringList systemPrefixes = {QStringLiteral("/proc"), QStringLiteral("/sys"),
                                               QStringLiteral("/dev"),  QStringLiteral("/run"),
                                               QStringLiteral("/boot"), QStringLiteral("/snap")};
    for (const QString& prefix : systemPrefixes)
        if (path == prefix || path.startsWith(prefix + QLatin1Char('/')))
            return false;
    const QByteArray type = volume.fileSystemType();
    static const QList<QByteArray> virtualTypes = {"tmpfs",  "devtmpfs", "overlay", "squashfs",
                                                   "proc",   "sysfs",    "cgroup",  "cgroup2",
                                                   "devpts", "mqueue",   "autofs",  "fuse.portal"};
    if (virtualTypes.contains(type))
        return false;
    return true;
}

QString StandardFolder(QStandardPaths::StandardLocation location) {
    return QStandardPaths::writableLocation(location);
}

} // namespace

QStringList DesktopSpecialFolders() {
    QStringList folders;
    const QString home = QDir::cleanPath(QDir::homePath());
    if (QFileInfo(home).isDir() && home != DesktopPath)
        folders << home;
    QStringList volumes;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (IsUserVolume(volume) && !folders.contains(volume.rootPath()))
            volumes << QDir::cleanPath(volume.rootPath());
    volumes.sort();
    volumes.removeDuplicates();
    return folders + volumes;
}

QString ResolveRoot(const QString& root) {
    QString path;
    if (root == QLatin1String("rfDesktop") || root == QLatin1String("rfMyComputer") ||
        root == QLatin1String("rfNetwork"))
        path = DesktopPath;
    else if (root == QLatin1String("rfPersonal"))
        path = QDir::homePath();
    else if (root == QLatin1String("rfDesktopDirectory"))
        path = StandardFolder(QStandardPaths::DesktopLocation);
    else if (root == QLatin1String("rfAppData"))
        path = StandardFolder(QStandardPaths::GenericConfigLocation);
    else if (root == QLatin1String("rfFonts"))
        path = QStringLiteral("/usr/share/fonts");
    else if (root == QLatin1String("rfTemplates"))
        path = QDir::homePath() + QStringLiteral("/Templates");
    else if (root == QLatin1String("rfPrograms") || root == QLatin1String("rfCommonPrograms") ||
             root == QLatin1String("rfStartMenu") || root == QLatin1String("rfCommonStartMenu"))
        path = StandardFolder(QStandardPaths::ApplicationsLocation);
    else if (root == QLatin1String("rfCommonDesktopDirectory"))
        path = QStringLiteral("/usr/share/applications");
    else if (root == QLatin1String("rfRecent"))
        path = StandardFolder(QStandardPaths::GenericDataLocation) + QStringLiteral("/recent");
    else if (!root.startsWith(QLatin1String("rf")) || root.contains(QLatin1Char('/')))
        path = root;
    const QString parsed = path.isEmpty() ? QString() : ParsePath(path);
    if (parsed.isEmpty())
        throw Exception(QStringLiteral("Error setting path: \"%1\"").arg(root));
    return parsed;
}

QString ParsePath(const QString& path) {
    QString p = path.trimmed();
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (p.isEmpty())
        return {};
    if (p.startsWith(QLatin1Char('~')))
        p = QDir::homePath() + p.mid(1);
    if (!p.startsWith(QLatin1Char('/')))
        return {};
    p = QDir::cleanPath(p);
    return QFileInfo(p).isDir() ? p : QString();
}

QStringList AncestorChain(const QString& path) {
    const QString p = QDir::cleanPath(path);
    QStringList chain{DesktopPath};
    if (p == DesktopPath || p.isEmpty())
        return chain;
    // The deepest special folder holding the path is the desktop's child on its way.
    QString special;
    for (const QString& folder : DesktopSpecialFolders())
        if ((p == folder || p.startsWith(folder + QLatin1Char('/'))) &&
            folder.size() > special.size())
            special = folder;
    QString current = special;
    if (!special.isEmpty())
        chain << special;
    const QString rest = p.mid(special.size());
    for (const QString& part : rest.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        current += QLatin1Char('/') + part;
        chain << current;
    }
    return chain;
}

QString ParentOf(const QString& path) {
    const QStringList chain = AncestorChain(path);
    return chain.size() >= 2 ? chain.at(chain.size() - 2) : QString();
}

QString CleanDisplayName(const QString& name) {
    if (name.size() > 1 && name.at(0) == QLatin1Char('?') && name.at(1).isDigit()) {
        QString cleaned = name;
        cleaned.remove(QLatin1Char('?'));
        return cleaned;
    }
    return name;
}

QString DisplayName(const QString& path) {
    if (path == DesktopPath)
        return DesktopPath;
    if (path != QDir::cleanPath(QDir::homePath())) {
        const QStorageInfo volume(path);
        if (volume.isValid() && volume.rootPath() == path && !volume.displayName().isEmpty() &&
            volume.displayName() != path)
            return CleanDisplayName(volume.displayName());
    }
    return CleanDisplayName(QFileInfo(path).fileName());
}

QString ExtensionOf(const QString& name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || dot == name.size() - 1)
        return {};
    return name.mid(dot);
}

bool MatchesMask(const QString& name, const QString& mask) {
    if (mask.contains(QLatin1String(".*")))
        return true;
    const QString extension = ExtensionOf(name);
    return !extension.isEmpty() && mask.toUpper().contains(extension.toUpper());
}

} // namespace ShellNamespace

using namespace ShellNamespace;

// ---------------------------------------------------------------- TbsShellImages

namespace {

// Our own pictures where the icon theme gives none: a folder (open or shut) or a page.
QImage DrawnIcon(int size, bool folder, bool open) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    const qreal u = size / 16.0;
    p.scale(u, u);
    if (folder) {
        p.setPen(QColor(150, 110, 20));
        p.setBrush(QColor(240, 200, 80));
        p.drawRect(QRectF(1.5, 3.5, 5, 2));
        p.drawRect(QRectF(1.5, 4.5, 13, 9));
        if (open) {
            p.setBrush(QColor(250, 225, 130));
            p.drawPolygon(QPolygonF({{3.5, 7.5}, {15.5, 7.5}, {13.5, 13.5}, {1.5, 13.5}}));
        }
    } else {
        p.setPen(QColor(100, 100, 100));
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF({{3.5, 1.5}, {10.5, 1.5}, {13.5, 4.5}, {13.5, 14.5}, {3.5, 14.5}}));
        p.drawLine(QPointF(10.5, 1.5), QPointF(10.5, 4.5));
        p.drawLine(QPointF(10.5, 4.5), QPointF(13.5, 4.5));
    }
    return image;
}

QImage IconImage(const QIcon& icon, int size, bool folder, bool open) {
    if (!icon.isNull()) {
        QImage image = icon.pixmap(size, size).toImage();
        if (!image.isNull()) {
            if (image.size() != QSize(size, size))
                image = image.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
            QImage square(size, size, QImage::Format_ARGB32);
            square.fill(Qt::transparent);
            QPainter(&square).drawImage((size - image.width()) / 2, (size - image.height()) / 2,
                                        image);
            return square;
        }
    }
    return DrawnIcon(size, folder, open);
}

} // namespace

TbsShellImages& TbsShellImages::Instance() {
    static TbsShellImages images;
    return images;
}

TbsShellImages::TbsShellImages() {
    FSmall.SetSize(16, 16);
    FLarge.SetSize(32, 32);
}

int TbsShellImages::Add(const QString& key, const QIcon& icon, bool isFolder, bool open) {
    const int index = FSmall.AddImage(IconImage(icon, 16, isFolder, open));
    FLarge.AddImage(IconImage(icon, 32, isFolder, open));
    FIndexes.insert(key, index);
    return index;
}

int TbsShellImages::IndexOf(const QString& path, bool isFolder, bool open) {
    // One icon per kind: folders share theirs, files share one per extension.
    QString key;
    if (isFolder)
        key = path == QDir::cleanPath(QDir::homePath()) ? QStringLiteral("home")
              : open                                    ? QStringLiteral("folder-open")
                                                        : QStringLiteral("folder");
    else
        key = QStringLiteral("file") +
              ExtensionOf(path.mid(path.lastIndexOf(QLatin1Char('/')) + 1)).toLower();
    if (auto found = FIndexes.constFind(key); found != FIndexes.constEnd())
        return *found;
    static QFileIconProvider provider;
    QIcon icon;
    if (key == QLatin1String("home"))
        icon =
            QIcon::fromTheme(QStringLiteral("user-home"), provider.icon(QFileIconProvider::Folder));
    else if (key == QLatin1String("folder-open"))
        icon = QIcon::fromTheme(QStringLiteral("folder-open"),
                                provider.icon(QFileIconProvider::Folder));
    else if (isFolder)
        icon = provider.icon(QFileIconProvider::Folder);
    else if (key == QLatin1String("file"))
        icon = provider.icon(QFileIconProvider::File);
    else
        icon = provider.icon(QFileInfo(path));
    return Add(key, icon, isFolder, open);
}

// ---------------------------------------------------------------- TbsShellFolder

TbsShellFolder::TbsShellFolder(const QString& path, const QString& parentPath, int level)
    : FPath(path), FParentPath(parentPath), FLevel(level) {}

QString TbsShellFolder::DisplayName() const {
    // Only the desktop and its special folders can carry a volume label.
    if (FSpecialRank >= 0 || FParentPath.isEmpty())
        return ShellNamespace::DisplayName(FPath);
    return CleanDisplayName(FPath.mid(FPath.lastIndexOf(QLatin1Char('/')) + 1));
}

bool TbsShellFolder::IsFolder() const {
    if (FIsFolder < 0)
        FIsFolder =
            QFileInfo(FPath).isDir() && ExtensionOf(QFileInfo(FPath).fileName()).toUpper() != ".ZIP"
                ? 1
                : 0;
    return FIsFolder == 1;
}

bool TbsShellFolder::IsHidden() const {
    return QFileInfo(FPath).fileName().startsWith(QLatin1Char('.'));
}

bool TbsShellFolder::HasSubFolders(TShellObjectTypes types) const {
    if (!IsFolder())
        return false;
    if (FPath == DesktopPath)
        return true;
    QDir::Filters filters = QDir::NoDotAndDotDot | QDir::Dirs;
    if (types & otNonFolders)
        filters |= QDir::Files;
    if (types & otHidden)
        filters |= QDir::Hidden;
    QDirIterator it(FPath, filters);
    return it.hasNext();
}

void TbsShellFolder::Rename(const QString& newName) {
    const QString target = QFileInfo(FPath).dir().filePath(newName);
    if (newName.isEmpty() || newName.contains(QLatin1Char('/')) || QFileInfo::exists(target) ||
        !QDir().rename(FPath, target))
        throw Exception(QStringLiteral("Rename to %1 failed").arg(newName));
    FPath = target;
    FDetailsLoaded = false;
}

void TbsShellFolder::ExecuteDefault() const {
    QDesktopServices::openUrl(QUrl::fromLocalFile(FPath));
}

void TbsShellFolder::LoadDetails() const {
    if (FDetailsLoaded)
        return;
    FDetailsLoaded = true;
    const QFileInfo info(FPath);
    if (IsFolder() || !info.exists()) {
        FSize = -1;
        FModified = QDateTime();
        return;
    }
    FSize = info.size();
    FModified = info.lastModified();
}

qint64 TbsShellFolder::Size() const {
    LoadDetails();
    return FSize;
}

QDateTime TbsShellFolder::Modified() const {
    LoadDetails();
    return FModified;
}

QStringList TbsShellFolder::Details() const {
    LoadDetails();
    if (IsFolder())
        return {QString(), QString(), QString()};
    const QString extension = ExtensionOf(QFileInfo(FPath).fileName());
    const QString size = FSize >= 0 ? QLocale::c().toString(FSize) : QString();
    const QString modified =
        FModified.isValid() ? FModified.toLocalTime().toString(QStringLiteral("yy-MM-dd hh:mm"))
                            : QString();
    return {size, extension.mid(1), modified};
}

int TbsShellFolder::ImageIndex(bool open) const {
    return TbsShellImages::Instance().IndexOf(FPath, IsFolder(), open);
}

std::vector<std::unique_ptr<TbsShellFolder>> EnumerateFolder(const TbsShellFolder& folder,
                                                             TShellObjectTypes types) {
    std::vector<std::unique_ptr<TbsShellFolder>> items;
    const QString path = folder.PathName();
    const int level = folder.Level() + 1;
    QStringList specials;
    if (path == DesktopPath && (types & otFolders)) {
        specials = DesktopSpecialFolders();
        for (const QString& special : specials) {
            items.push_back(std::make_unique<TbsShellFolder>(special, path, level));
            items.back()->SetIsFolder(true);
            items.back()->SetSpecialRank(int(items.size()) - 1);
        }
    }
    QDir::Filters filters = QDir::NoDotAndDotDot | QDir::System;
    if (types & otFolders)
        filters |= QDir::Dirs;
    if (types & otNonFolders)
        filters |= QDir::Files;
    if (types & otHidden)
        filters |= QDir::Hidden;
    // An unreadable or vanished folder simply lists nothing.
    QDirIterator it(path, filters);
    const QString prefix = path == DesktopPath ? path : path + QLatin1Char('/');
    while (it.hasNext()) {
        const QFileInfo info = it.nextFileInfo();
        const QString child = prefix + info.fileName();
        if (!specials.isEmpty() && specials.contains(child))
            continue;
        auto item = std::make_unique<TbsShellFolder>(child, path, level);
        // A ZIP file that is a folder on disk still lists as a file.
        const bool folderItem =
            info.isDir() && ExtensionOf(info.fileName()).toUpper() != QLatin1String(".ZIP");
        item->SetIsFolder(folderItem);
        if ((folderItem && !(types & otFolders)) || (!folderItem && !(types & otNonFolders)))
            continue;
        items.push_back(std::move(item));
    }
    return items;
}

int CompareShellItems(const TbsShellFolder& a, const TbsShellFolder& b) {
    {
        const int ia = a.SpecialRank();
        const int ib = b.SpecialRank();
        if (ia != ib) {
            if (ia < 0)
                return 1;
            if (ib < 0)
                return -1;
            return ia < ib ? -1 : 1;
        }
    }
    const QStringView na =
        QStringView(a.PathName()).mid(a.PathName().lastIndexOf(QLatin1Char('/')) + 1);
    const QStringView nb =
        QStringView(b.PathName()).mid(b.PathName().lastIndexOf(QLatin1Char('/')) + 1);
    const int c = na.compare(nb, Qt::CaseInsensitive);
    return c != 0 ? c : na.compare(nb, Qt::CaseSensitive);
}
