#include "platform/Gbk.h"

#include <gtest/gtest.h>
#include <random>

TEST(Gbk, RoundTripsChineseTextAndMeasuresAnsiBytes) {
    const QString text = QStringLiteral("zarvo网页特效2008");
    QByteArray bytes = Gbk::Encode(text);
    EXPECT_EQ(bytes.size(), 5 + 4 * 2 + 4);
    EXPECT_EQ(Gbk::AnsiLength(text), bytes.size());
    EXPECT_EQ(Gbk::Decode(bytes), text);
    // "网" is B0 E0... check a known GBK code: "中" = D6 D0.
    EXPECT_EQ(Gbk::Encode(QStringLiteral("中")), QByteArray("\xD6\xD0"));
}

TEST(Gbk, KeepsCharactersOutsideGbkAndMarksBadBytes) {
    // An emoji and a rare CJK extension-B character are not in GBK; GB18030 keeps them.
    const QString rare = QString::fromUtf8("a\xF0\x9F\x98\x80"
                                           "b\xF0\xA0\x80\x80");
    EXPECT_EQ(Gbk::Decode(Gbk::Encode(rare)), rare);
    // A truncated double-byte sequence decodes with a replacement mark, not a crash.
    QString decoded = Gbk::Decode(QByteArray("ab\xD6"));
    EXPECT_TRUE(decoded.startsWith(QStringLiteral("ab")));
    EXPECT_EQ(decoded.size(), 3);
    EXPECT_TRUE(Gbk::Decode(QByteArray()).isEmpty());
}

TEST(Gbk, LongTextsDecodeAsTheConverterDoesEveryCodeAndBadByte) {
    // Every double-byte code, some four-byte ones, and bytes no code takes, among ASCII.
    QByteArray bytes;
    for (int lead = 0x81; lead <= 0xFE; ++lead)
        for (int trail = 0x40; trail <= 0xFE; ++trail)
            bytes.append(char(lead)).append(char(trail)).append('a');
    bytes += Gbk::Encode(QString::fromUtf8("\xF0\x9F\x98\x80 \xF0\xA0\x80\x80 \xE2\x82\xAC"));
    bytes += QByteArray("\x80\xFF\x81\x30\x81 \x81", 10);
    ASSERT_GT(bytes.size(), 8192);
    EXPECT_EQ(Gbk::Decode(bytes), Gbk::DecodeWithConverter(bytes.constData(), bytes.size()));

    // Random bytes, biased to the double-byte range, at many lengths and cuts.
    std::mt19937 random(7);
    for (int round = 0; round < 50; ++round) {
        QByteArray noise(5000 + round * 37, Qt::Uninitialized);
        for (char& c : noise)
            c = char(random() % 3 == 0 ? random() % 0x80 : 0x80 + random() % 0x80);
        EXPECT_EQ(Gbk::Decode(noise), Gbk::DecodeWithConverter(noise.constData(), noise.size()))
            << round;
    }
}

TEST(Gbk, AsciiDecodesAsTheConverterDoesAtAnyLength) {
    QByteArray ascii;
    for (int c = 0; c < 0x80; ++c)
        ascii.append(char(c));
    for (const QByteArray& bytes : {ascii, ascii.repeated(64), QByteArray("[Skins]\r\n")})
        EXPECT_EQ(Gbk::Decode(bytes), Gbk::DecodeWithConverter(bytes.constData(), bytes.size()));
    EXPECT_TRUE(Gbk::Decode(QByteArray()).isEmpty());
    // A long ASCII text with one Chinese name uses the table for that one code only.
    const QByteArray skin = ascii.repeated(64) + Gbk::Encode(QStringLiteral("宋体")) + "\r\n";
    EXPECT_EQ(Gbk::Decode(skin), Gbk::DecodeWithConverter(skin.constData(), skin.size()));
}
