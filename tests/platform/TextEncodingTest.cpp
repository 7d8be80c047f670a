#include "platform/TextEncoding.h"

#include "platform/Gbk.h"

#include <QDirIterator>
#include <QFile>
#include <algorithm>
#include <gtest/gtest.h>

using namespace TextEncoding;

namespace {

QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray bytes;
    for (int v : values)
        bytes.append(static_cast<char>(v));
    return bytes;
}

const QString Chinese = QStringLiteral("<p>鼠标经过时，图片慢慢变亮；移开后恢复原样。</p>");
const QString Emoji = QStringLiteral("<span>点赞 \U0001F44D 笑脸 \U0001F600</span>");

} // namespace

TEST(TextEncoding, EveryEffectOfTheShippedLibraryReadsAsGbk) {
    const QString library = QStringLiteral(ZARVO_SHIPPED_LIBRARY);
    QDirIterator it(library, QDir::Files, QDirIterator::Subdirectories);
    int files = 0;
    while (it.hasNext()) {
        QFile file(it.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
        EXPECT_EQ(Detect(file.readAll()), Encoding::Gbk) << file.fileName().toStdString();
        ++files;
    }
    EXPECT_GT(files, 15);
}

TEST(TextEncoding, Utf8TextIsRecognisedWithAndWithoutItsByteOrderMark) {
    const QStringList corpus = {
        Chinese,
        Emoji,
        QStringLiteral("<script>alert('第1个弹窗')</script>"),
        QStringLiteral("function f() { return 1; } // 中"), // one character among much ASCII
        QStringLiteral("中"),
        QStringLiteral("中文"),
        QStringLiteral("\U0001F600"),
        QStringLiteral("©2008 zarvo · 版权所有"),
    };
    for (const QString& text : corpus) {
        const QByteArray utf8 = text.toUtf8();
        EXPECT_EQ(Detect(utf8), Encoding::Utf8) << text.toStdString();
        EXPECT_EQ(Detect("\xEF\xBB\xBF" + utf8), Encoding::Utf8) << text.toStdString();
        EXPECT_EQ(Decode("\xEF\xBB\xBF" + utf8, Encoding::Utf8), text) << "the mark is dropped";
        // The same text in GBK stays GBK.
        const bool bmpOnly =
            std::none_of(text.begin(), text.end(), [](QChar c) { return c.isSurrogate(); });
        if (bmpOnly) {
            EXPECT_EQ(Detect(Gbk::Encode(text)), Encoding::Gbk) << text.toStdString();
        }
    }
    // ASCII alone reads alike either way: the library's default.
    EXPECT_EQ(Detect("<b>plain</b>"), Encoding::Gbk);
    EXPECT_EQ(Detect(QByteArray()), Encoding::Gbk);
}

TEST(TextEncoding, GbkBytesThatHappenToBeValidUtf8StayGbk) {
    // C4 A3 is a GBK character and also the UTF-8 of a Latin letter with a cedilla.
    const QByteArray bytes = Bytes({0xC4, 0xA3, 0xC4, 0xA3, '<', 'b', '>'});
    ASSERT_EQ(QString::fromUtf8(bytes).toUtf8(), bytes);
    EXPECT_EQ(Detect(bytes), Encoding::Gbk);
    // A page that declares UTF-8 is believed.
    EXPECT_EQ(Detect("<meta charset=\"utf-8\">" + bytes), Encoding::Utf8);
}

TEST(TextEncoding, InvalidBytesNeverStopTheReading) {
    const QByteArray broken = Bytes({'a', 0xFF, 0xE4, 0xB8, 'b', 0x80, 0xD6});
    EXPECT_EQ(Detect(broken), Encoding::Gbk);
    const QString asGbk = Decode(broken, Encoding::Gbk);
    EXPECT_TRUE(asGbk.startsWith('a'));
    EXPECT_TRUE(asGbk.contains(QChar(0xFFFD)));
    const QString asUtf8 = Decode(broken, Encoding::Utf8);
    EXPECT_TRUE(asUtf8.startsWith('a'));
    EXPECT_TRUE(asUtf8.contains(QChar(0xFFFD)));
    // Overlong forms and surrogates are no UTF-8.
    EXPECT_EQ(Detect(Bytes({0xC0, 0xAF, 0xE4, 0xB8, 0xAD})), Encoding::Gbk);
    EXPECT_EQ(Detect(Bytes({0xED, 0xA0, 0x80})), Encoding::Gbk);
}

TEST(TextEncoding, TheDeclarationIsFoundAsBrowsersLookForIt) {
    EXPECT_EQ(Declared(QStringLiteral("<meta charset=\"utf-8\">")), Encoding::Utf8);
    EXPECT_EQ(Declared(QStringLiteral("<META CHARSET=UTF8>")), Encoding::Utf8);
    EXPECT_EQ(Declared(QStringLiteral("<meta charset='GB2312' />")), Encoding::Gbk);
    EXPECT_EQ(Declared(QStringLiteral(
                  "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\">")),
              Encoding::Gbk);
    EXPECT_EQ(Declared(QStringLiteral("<Meta Http-Equiv='content-type' "
                                      "Content='text/html;charset=GB18030'>")),
              Encoding::Gbk);
    EXPECT_EQ(Declared(QStringLiteral("<meta charset=\"iso-8859-1\">")), std::nullopt);
    EXPECT_EQ(Declared(QStringLiteral("<p>charset=utf-8</p>")), std::nullopt) << "not a meta";
    EXPECT_EQ(Declared(QString(1100, ' ') + "<meta charset=utf-8>"), std::nullopt)
        << "past the first 1024 characters";
}

TEST(TextEncoding, WritingFollowsTheDeclarationElseTheReadingAndKeepsEveryCharacter) {
    const QString declared = QStringLiteral("<meta charset=\"utf-8\">") + Emoji;
    EXPECT_EQ(ForWriting(declared, Encoding::Gbk), Encoding::Utf8);
    EXPECT_EQ(ForWriting(QStringLiteral("<meta charset=gbk>") + Chinese, Encoding::Utf8),
              Encoding::Gbk);
    EXPECT_EQ(ForWriting(Chinese, Encoding::Utf8), Encoding::Utf8);
    EXPECT_EQ(ForWriting(Chinese, Encoding::Gbk), Encoding::Gbk);
    for (Encoding encoding : {Encoding::Gbk, Encoding::Utf8})
        EXPECT_EQ(Decode(Encode(Emoji, encoding), encoding), Emoji) << Name(encoding).toStdString();
    // GBK's characters keep their GBK bytes.
    EXPECT_EQ(Encode(QStringLiteral("中"), Encoding::Gbk), Bytes({0xD6, 0xD0}));
}
