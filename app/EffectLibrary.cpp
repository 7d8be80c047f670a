#include "app/EffectLibrary.h"

#include "framework/Exceptions.h"
#include "platform/Gbk.h"
#include "platform/Paths.h"

#include <climits>
#include <cstdlib>

namespace EffectLibrary {

const QStringList& Categories() {
    static const QStringList names{
        QStringLiteral("更新特效"),       QStringLiteral("窗口特效系列"),
        QStringLiteral("链接特效系列"),   QStringLiteral("时间特效系列"),
        QStringLiteral("文字特效系列"),   QStringLiteral("鼠标特效系列"),
        QStringLiteral("图片特效系列"),   QStringLiteral("网页特效系列"),
        QStringLiteral("密码特效系列"),   QStringLiteral("危险特效系列"),
        QStringLiteral("黑客特效系列"),   QStringLiteral("娱乐特效系列"),
        QStringLiteral("文本特效系列"),   QStringLiteral("Cookie脚本"),
        QStringLiteral("状态栏特效系列"),
    };
    return names;
}

QString CategoryPrompt() {
    return QStringLiteral("请选择特效类别");
}

bool IsCategory(const QString& text) {
    return Categories().contains(text, Qt::CaseSensitive);
}

bool IsCategoryPrefix(const QString& text) {
    for (const QString& name : Categories())
        if (name.startsWith(text, Qt::CaseSensitive))
            return true;
    return false;
}

CategoryEntry::Verdict CategoryEntry::EnterPressed(const QString& text) {
    if (text.isEmpty() || text == CategoryPrompt() || IsCategory(text))
        return Verdict::Wait;
    FRefused = true;
    return Verdict::Refuse;
}

CategoryEntry::Verdict CategoryEntry::Left(const QString& text) {
    if (text.isEmpty() || text == CategoryPrompt() || IsCategory(text) || FRefused)
        return Verdict::Wait;
    FRefused = true;
    return Verdict::Refuse;
}

CategoryEntry::Verdict CategoryEntry::TextChanged(const QString& text) {
    if (IsCategory(text)) {
        FRefused = false;
        return Verdict::List;
    }
    if (text == CategoryPrompt() || IsCategoryPrefix(text)) {
        FRefused = false;
        return Verdict::Wait;
    }
    if (FRefused)
        return Verdict::Wait;
    FRefused = true;
    return Verdict::Refuse;
}

QString DataFolder() {
    return Paths::ProgramFolder() + QStringLiteral("data/");
}

QString CategoryFolder(const QString& category) {
    return DataFolder() + category + QLatin1Char('/');
}

bool IsSafeName(const QString& name) {
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')))
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

bool IsProtectedEffect(const QString& name) {
    static const QStringList names{QStringLiteral("zarvo网页特效"), QStringLiteral("软件升级"),
                                   QStringLiteral("软件说明")};
    return names.contains(name, Qt::CaseSensitive);
}

QString TrimmedEffectName(const QString& typed) {
    return typed.trimmed();
}

QString AddEffectProblem(const QString& categoryText, const QString& name, int codeLineCount) {
    if (categoryText == CategoryPrompt())
        return CategoryPrompt();
    if (Gbk::AnsiLength(TrimmedEffectName(name)) < 2)
        return QStringLiteral("特效名称必须要2个字符以上");
    if (codeLineCount < 1)
        return QStringLiteral("特效代码必须在1行以上");
    return {};
}

QString NewEffectPath(const QString& category, const QString& name) {
    const QString path = CategoryFolder(category) + name;
    if (!IsSafeName(category) || !IsSafeName(name))
        throw EFCreateError(path, QStringLiteral("名称不能含有“/”或“\\”，也不能以“.”开头。"));
    const QString outside = OutsideTarget(CategoryFolder(category));
    if (!outside.isEmpty())
        throw EFCreateError(
            path, QStringLiteral("类别文件夹指向特效库以外的“%1”，没有写入。").arg(outside));
    return path;
}

QString ReplaceEffectQuestion(const QString& category, const QString& name) {
    return QStringLiteral("类别“") + category + QStringLiteral("”中已有特效“") + name +
           QStringLiteral("”，要用新的代码替换它吗？");
}

QString ReplaceFileQuestion(const QString& path) {
    return QStringLiteral("文件 ") + path + QStringLiteral(" 已经存在，要替换它吗？");
}

QString ReadOnlyFileMessage(const QString& path) {
    return QStringLiteral("文件 ") + path +
           QStringLiteral(" 是只读的，不能替换。请另选一个文件名。");
}

QString OutsideTarget(const QString& path) {
    // The program folder as the system sees it, links of its own path resolved.
    auto real = [](const QString& name) -> QString {
        char resolved[PATH_MAX];
        if (!::realpath(Paths::EncodeName(name).constData(), resolved))
            return QString();
        return Paths::DecodeName(QByteArray(resolved));
    };
    const QString target = real(path);
    if (target.isEmpty())
        return QString();
    QString folder = real(Paths::ProgramFolder());
    if (folder.isEmpty())
        return QString();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return target.startsWith(folder) || target + QLatin1Char('/') == folder ? QString() : target;
}

void CheckFolderInside(const QString& path) {
    const QString outside = OutsideTarget(Paths::ExtractFilePath(path));
    if (!outside.isEmpty())
        throw EFCreateError(
            path, QStringLiteral("文件夹指向程序文件夹以外的“%1”，没有写入。").arg(outside));
}

QString OutsideLinkMessage(const QString& name, const QString& target) {
    return QStringLiteral("特效“%1”是指向特效库以外的链接（%2），不能打开。").arg(name, target);
}

QString SavedPagePath(const QString& chosenPath) {
    return chosenPath + QStringLiteral(".htm");
}

QString DeletedMessage(const QString& name) {
    return QStringLiteral("特效 ") + name +
           QStringLiteral(" 删除成功！如果您想恢复，请您重新安装本软件！");
}

} // namespace EffectLibrary
