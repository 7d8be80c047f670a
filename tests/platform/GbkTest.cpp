#include "platform/Gbk.h"

#include <gtest/gtest.h>

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
