// The effect library as the build stages it: encoding, safety and size.

#include "app/EffectPictures.h"
#include "platform/Gbk.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <gtest/gtest.h>

namespace {
const QString kLibrary = QStringLiteral(ZARVO_PROGRAM_DIR "/data");

const QStringList kCategories{QStringLiteral("更新特效"),      QStringLiteral("窗口特效系列"),
                              QStringLiteral("链接特效系列"),  QStringLiteral("时间特效系列"),
                              QStringLiteral("文字特效系列"),  QStringLiteral("鼠标特效系列"),
                              QStringLiteral("图片特效系列"),  QStringLiteral("网页特效系列"),
                              QStringLiteral("密码特效系列"),  QStringLiteral("危险特效系列"),
                              QStringLiteral("黑客特效系列"),  QStringLiteral("娱乐特效系列"),
                              QStringLiteral("文本特效系列"),  QStringLiteral("Cookie脚本"),
                              QStringLiteral("状态栏特效系列")};

struct Effect {
    QString path;
    QByteArray bytes;
    QString text;
};

std::vector<Effect> LibraryEffects() {
    std::vector<Effect> effects;
    QDirIterator it(kLibrary, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        Effect effect;
        effect.path = it.next();
        QFile file(effect.path);
        if (file.open(QIODevice::ReadOnly))
            effect.bytes = file.readAll();
        effect.text = Gbk::Decode(effect.bytes);
        effects.push_back(effect);
    }
    return effects;
}

// Only two-byte GBK codes: a lead byte 81..FE with a trail byte 40..FE other than 7F.
// GB18030's four-byte codes (a digit as the second byte) and a lone 80 are not GBK.
QString FirstNonGbkOffset(const QByteArray& bytes) {
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80)
            continue;
        const auto trail = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0;
        if (lead == 0x80 || lead == 0xFF || trail < 0x40 || trail == 0x7F || trail == 0xFF)
            return QString::number(i);
        ++i;
    }
    return QString();
}

bool HasBareLineBreak(const QByteArray& bytes) {
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n'))
            return true;
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'))
            return true;
    }
    return false;
}

bool HasChinese(const QString& text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF; });
}

// The brace depth of the script at `offset`: 0 at a script's top level, more inside any
// function or block. Outside <script> elements (event attributes) the code runs on events,
// which counts as inside.
int ScriptDepthAt(const QString& text, qsizetype offset) {
    static const QRegularExpression scriptStart(QStringLiteral("<script[^>]*>"),
                                                QRegularExpression::CaseInsensitiveOption);
    qsizetype start = -1;
    for (auto match = scriptStart.globalMatch(text); match.hasNext();) {
        auto m = match.next();
        if (m.capturedEnd() > offset)
            break;
        start = m.capturedEnd();
    }
    if (start < 0 || text.indexOf(QStringLiteral("</script"), start, Qt::CaseInsensitive) < offset)
        return 1;
    int depth = 0;
    for (qsizetype i = start; i < offset; ++i)
        depth += text[i] == u'{' ? 1 : text[i] == u'}' ? -1 : 0;
    return depth;
}

QStringList Offences(const QString& text) {
    QStringList offences;
    // Namespace names are not references to anything on the network.
    QString scrubbed = text;
    static const QRegularExpression namespaces(QStringLiteral(
        "http://www\\.w3\\.org/(2000/svg|1999/xhtml|1999/xlink|XML/1998/namespace)"));
    scrubbed.replace(namespaces, QStringLiteral("ns"));
    if (scrubbed.contains(QRegularExpression(QStringLiteral("https?:"),
                                             QRegularExpression::CaseInsensitiveOption)))
        offences << QStringLiteral("refers to http:/https:");
    static const QRegularExpression evalCall(QStringLiteral("\\beval\\b|new\\s+Function\\s*\\("));
    static const QRegularExpression fetching(
        QStringLiteral("\\bfetch\\s*\\(|XMLHttpRequest|responseText"));
    if (text.contains(evalCall) && text.contains(fetching))
        offences << QStringLiteral("evaluates fetched text");
    static const QRegularExpression write(
        QStringLiteral("(?<![.\\w])document\\.write(ln)?\\s*\\("));
    for (auto m = write.globalMatch(text); m.hasNext();) {
        if (ScriptDepthAt(text, m.next().capturedStart()) > 0) {
            offences << QStringLiteral("document.write that can run after loading");
            break;
        }
    }
    static const QRegularExpression open(QStringLiteral("\\bwindow\\.open\\s*\\("));
    static const QRegularExpression click(QStringLiteral("onclick|['\"]click['\"]"),
                                          QRegularExpression::CaseInsensitiveOption);
    for (auto m = open.globalMatch(text); m.hasNext();) {
        if (ScriptDepthAt(text, m.next().capturedStart()) == 0 || !text.contains(click)) {
            offences << QStringLiteral("window.open outside a click handler");
            break;
        }
    }
    static const QRegularExpression endless(
        QStringLiteral("(while\\s*\\(\\s*(true|1)\\s*\\)|for\\s*\\(\\s*;\\s*;\\s*\\))[^}]*\\b("
                       "alert|confirm|prompt)\\s*\\("));
    static const QRegularExpression repeated(
        QStringLiteral("setInterval\\s*\\([^;]*\\b(alert|confirm|prompt)\\s*\\("));
    if (text.contains(endless) || text.contains(repeated))
        offences << QStringLiteral("dialogs in an endless loop");
    return offences;
}
} // namespace

TEST(EffectLibrary, EveryFileIsGbkWithCrLfAChineseCommentAndACharset) {
    for (const Effect& effect : LibraryEffects()) {
        SCOPED_TRACE(effect.path.toStdString());
        const QString name = effect.path.section(u'/', -1);
        QStringDecoder utf8(QStringDecoder::Utf8);
        QString decodedName = utf8(QFile::encodeName(effect.path.section(u'/', -1)));
        EXPECT_FALSE(utf8.hasError() || decodedName != name) << "file name is not UTF-8";
        EXPECT_FALSE(name.startsWith(u'.') || name.contains(u'.')) << "name with an extension";
        EXPECT_EQ(FirstNonGbkOffset(effect.bytes), QString()) << "not GBK at this byte";
        EXPECT_EQ(Gbk::Encode(effect.text), effect.bytes) << "does not decode without loss";
        EXPECT_FALSE(HasBareLineBreak(effect.bytes)) << "line end other than CR LF";
        EXPECT_TRUE(effect.bytes.endsWith("\r\n")) << "last line without CR LF";
        EXPECT_TRUE(effect.text.contains(
            QRegularExpression(QStringLiteral("<meta\\s+charset\\s*=\\s*[\"']?gbk[\"']?\\s*/?>"),
                               QRegularExpression::CaseInsensitiveOption)))
            << "no <meta charset=\"gbk\">";
        const QString start = effect.text.trimmed();
        const qsizetype end = start.indexOf(QStringLiteral("-->"));
        EXPECT_TRUE(start.startsWith(QStringLiteral("<!--")) && end > 0 &&
                    HasChinese(start.left(end)))
            << "does not start with a Chinese comment";
    }
}

TEST(EffectLibrary, NoEffectReachesOutLoopsDialogsOrOpensWindowsUnasked) {
    for (const Effect& effect : LibraryEffects())
        EXPECT_EQ(Offences(effect.text), QStringList()) << effect.path.toStdString();
}

TEST(EffectLibrary, SafetyRulesCatchTheirFaults) {
    auto page = [](const QString& script) {
        return QStringLiteral("<!-- 例 --><p onclick=\"go()\">x</p><script>") + script +
               QStringLiteral("</script>");
    };
    EXPECT_EQ(Offences(page(QStringLiteral(
                  "var s = document.createElementNS('http://www.w3.org/2000/svg','svg');"
                  "document.write('<p>parsing</p>');"
                  "function go(){ window.open('about:blank'); }"))),
              QStringList());
    EXPECT_EQ(Offences(page(QStringLiteral("var img = 'https://example.com/a.png';"))).size(), 1);
    EXPECT_EQ(
        Offences(page(QStringLiteral("fetch('x').then(function(r){return r.text()}).then(eval);")))
            .size(),
        1);
    EXPECT_EQ(
        Offences(page(QStringLiteral("window.onload = function(){ document.write('gone'); };")))
            .size(),
        1);
    EXPECT_EQ(Offences(page(QStringLiteral("window.open('about:blank');"))).size(), 1);
    EXPECT_EQ(Offences(page(QStringLiteral("while (true) { alert('again'); }"))).size(), 1);
    EXPECT_EQ(
        Offences(page(QStringLiteral("setInterval(function(){ alert('again'); }, 10);"))).size(),
        1);
}

// Passes once the library is in: every category with at least 12 effects, 200 in all, and
// the three pages the program itself opens.
TEST(EffectLibrary, EveryCategoryHoldsEnoughEffects) {
    int total = 0;
    for (const QString& category : kCategories) {
        QDir folder(kLibrary + u'/' + category);
        ASSERT_TRUE(folder.exists()) << category.toStdString();
        const int count = static_cast<int>(folder.entryList(QDir::Files).size());
        EXPECT_GE(count, 12) << category.toStdString();
        total += count;
    }
    EXPECT_GE(total, 200);
    for (const QString& name :
         {QStringLiteral("zarvo网页特效"), QStringLiteral("软件升级"), QStringLiteral("软件说明")})
        EXPECT_TRUE(QFileInfo::exists(kLibrary + QStringLiteral("/更新特效/") + name))
            << name.toStdString();
    EXPECT_EQ(QDir(kLibrary).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(),
              kCategories.size());
}

// The pictures kept with the sources are those of the shipped effects, one each, named by the
// effect's SHA-256: a fresh build then takes none. After a change to the library,
// scripts/effect-pictures brings them in step.
TEST(EffectLibrary, TheKeptPicturesAreThoseOfTheShippedEffects) {
    QStringList wanted;
    QDirIterator it(QStringLiteral(ZARVO_SOURCE_INSTALL "/data"), QDir::Files | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        wanted << EffectPictures::NameOfFile(it.next());
    wanted.sort();
    QStringList kept = QDir(QStringLiteral(ZARVO_SOURCE_INSTALL "/thumbnails"))
                           .entryList({QStringLiteral("*.png")}, QDir::Files);
    kept.sort();
    EXPECT_EQ(kept, wanted) << "run scripts/effect-pictures and commit install/thumbnails/";
}
