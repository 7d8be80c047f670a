// The value forms of skin.ini and the splitting of list entries.

#include "skin/bsSkinValues.h"

#include "framework/Exceptions.h"

#include <gtest/gtest.h>

using namespace SkinValues;

TEST(SkinValues, IntAndColourForms) {
    struct Case {
        const char* text;
        int expected;
    } cases[] = {
        {"12", 12},         {"-5", -5},
        {"0x1F", 31},       {"0X1f", 31},
        {"$FF", 255},       {"$00FF0000", 0xFF0000},
        {"0x", 77},         {"$", 77},
        {"", 77},           {"abc", 77},
        {"12abc", 77},      {"2147483647", 2147483647},
        {"2147483648", 77}, {"16711680", 16711680},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseInt(QString::fromUtf8(c.text), 77), c.expected) << c.text;
}

TEST(SkinValues, BoolIsExactlyOne) {
    EXPECT_TRUE(ParseBool("1"));
    EXPECT_TRUE(ParseBool("0x1"));
    EXPECT_TRUE(ParseBool("$1"));
    EXPECT_FALSE(ParseBool("2"));
    EXPECT_FALSE(ParseBool("-1"));
    EXPECT_FALSE(ParseBool("true"));
    EXPECT_FALSE(ParseBool(""));
}

TEST(SkinValues, RectAndPointKeepOnlyDigits) {
    struct Case {
        const char* text;
        TRect expected;
    } cases[] = {
        {"10, 20, 30, 40", TRect(10, 20, 30, 40)},
        {"-5,0,10,10", TRect(5, 0, 10, 10)},
        {"1px,2 ,x3,4;", TRect(1, 2, 3, 4)},
        {"1,2,3,4,5,6", TRect(1, 2, 3, 4)},
        {"0,0,2147483647,0", TRect(0, 0, 2147483647, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseRect(QString::fromUtf8(c.text)), c.expected) << c.text;
    EXPECT_EQ(ParsePoint(" 7 , -8 "), TPoint(7, 8));
    EXPECT_EQ(ParsePoint("1,2,3"), TPoint(1, 2));
    EXPECT_EQ(ParseRect(FormatRect(TRect(1, 22, 333, 4444))), TRect(1, 22, 333, 4444));
    EXPECT_EQ(ParsePoint(FormatPoint(TPoint(9, 10))), TPoint(9, 10));
}

TEST(SkinValues, RectFieldWithoutDigitsOrTooLargeRaises) {
    const char* bad[] = {"",
                         "1,2,3",
                         "a,2,3,4",
                         "1,,3,4",
                         "1,2,3,-",
                         "4294967296,0,0,0",
                         "2147483648,0,0,0",
                         "99999999999999999999,0,0,0"};
    for (const char* text : bad)
        EXPECT_THROW(ParseRect(QString::fromUtf8(text)), EConvertError) << text;
    EXPECT_THROW(ParsePoint("5"), EConvertError);
    EXPECT_THROW(ParsePoint("x,y"), EConvertError);
    try {
        ParseRect("1,2,3,x");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'' is not a valid integer value");
    }
}

TEST(SkinValues, FontStyleWordsAreCaseSensitive) {
    EXPECT_EQ(ParseFontStyle("fsbold fsitalic"), (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(ParseFontStyle("[fsunderline;fsstrikeout]"), (TFontStyles{fsUnderline, fsStrikeOut}));
    EXPECT_TRUE(ParseFontStyle("FSBOLD").IsEmpty());
    EXPECT_TRUE(ParseFontStyle("").IsEmpty());
    EXPECT_EQ(FormatFontStyle(TFontStyles{fsBold, fsStrikeOut}), "fsbold,fsstrikeout");
    EXPECT_EQ(FormatFontStyle(TFontStyles()), "");
}

TEST(SkinValues, Keywords) {
    EXPECT_EQ(ParseAlignment("taleftjustify"), TbsAlignment::taLeftJustify);
    EXPECT_EQ(ParseAlignment("tacenter"), TbsAlignment::taCenter);
    EXPECT_EQ(ParseAlignment("tarightjustify"), TbsAlignment::taRightJustify);
    EXPECT_EQ(ParseAlignment("TACENTER"), TbsAlignment::taRightJustify);

    const char* commands[] = {"cmclose",   "cmmaximize", "cmminimize",      "cmsysmenu",
                              "cmdefault", "cmrollup",   "cmminimizetotray"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(int(ParseCommand(commands[i])), i) << commands[i];
        EXPECT_EQ(FormatCommand(TbsStdCommand(i)), commands[i]);
    }
    EXPECT_EQ(ParseCommand("cmMinimizeToTray"), TbsStdCommand::cmMinimizeToTray);
    EXPECT_EQ(ParseCommand("CMCLOSE"), TbsStdCommand::cmMinimizeToTray);
    EXPECT_EQ(ParseCommand(""), TbsStdCommand::cmMinimizeToTray);

    const char* effects[] = {"iebrightness", "iedarkness",  "iegrayscale",
                             "ienoise",      "iesplitblur", "ieinvert"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(int(ParseEffect(effects[i])), i) << effects[i];
        EXPECT_EQ(FormatEffect(TbsInactiveEffect(i)), effects[i]);
    }
    EXPECT_EQ(ParseEffect("iesepia"), TbsInactiveEffect::ieGrayScale);

    const char* kinds[] = {"mkdefault",   "mkgradient",   "mkleftgradient", "mkrightgradient",
                           "mkleftslide", "mkrightslide", "mkpush"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(int(ParseMorphKind(kinds[i])), i) << kinds[i];
        EXPECT_EQ(FormatMorphKind(TbsMorphKind(i)), kinds[i]);
    }
    EXPECT_EQ(ParseMorphKind("mkspin"), TbsMorphKind::mkDefault);
}

TEST(SkinValues, ListEntrySplitsAtFirstColon) {
    auto e = SplitListEntry("btn:button");
    EXPECT_EQ(e.Name, "btn");
    EXPECT_EQ(e.Kind, "button");
    e = SplitListEntry("a:b:c");
    EXPECT_EQ(e.Name, "a");
    EXPECT_EQ(e.Kind, "b:c");
    e = SplitListEntry("lonely");
    EXPECT_EQ(e.Name, "lonely");
    EXPECT_EQ(e.Kind, "");
    e = SplitListEntry(":panel");
    EXPECT_EQ(e.Name, "");
    EXPECT_EQ(e.Kind, "panel");
}
