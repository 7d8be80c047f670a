#include "app/CodeTokens.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <random>

using CodeTokens::TKind;

namespace {

const char* KindName(TKind kind) {
    static const char* names[] = {"tag",    "attr", "value", "comment",  "entity",   "kw",
                                  "string", "num",  "regex", "selector", "property", "cssvalue"};
    return names[int(kind)];
}

// The tokens of consecutive lines as "kind:text", each line in the state the last one left.
QStringList Tokens(const QStringList& lines) {
    QStringList shown;
    int state = CodeTokens::TextStart;
    for (const QString& line : lines) {
        std::vector<CodeTokens::TToken> tokens;
        state = CodeTokens::Scan(line, state, tokens);
        for (const CodeTokens::TToken& t : tokens)
            shown << QString::fromLatin1(KindName(t.Kind)) + ":" + line.mid(t.Start, t.Length);
    }
    return shown;
}

} // namespace

TEST(CodeTokens, HtmlTagsAttributesValuesEntitiesAndComments) {
    EXPECT_EQ(Tokens({QStringLiteral("<div class=\"snow\" id=box>雪&nbsp;花&#20013;</div>")}),
              QStringList({"tag:<div", "attr:class", "value:\"snow\"", "attr:id", "value:box",
                           "tag:>", "entity:&nbsp;", "entity:&#20013;", "tag:</div", "tag:>"}));
    // A comment over lines, a lone "<" and "&" as text, a doctype, a self-closing tag.
    EXPECT_EQ(
        Tokens({"<!DOCTYPE html><!-- start", "still <b>comment</b>", "end --> a < b & c", "<br/>"}),
        QStringList({"tag:<!DOCTYPE", "attr:html", "tag:>", "comment:<!-- start",
                     "comment:still <b>comment</b>", "comment:end -->", "tag:<br", "tag:/>"}));
    // A tag whose attributes run over lines, a value in quotes over a line break.
    EXPECT_EQ(Tokens({"<img src='a.gif'", "  alt=\"one", "two\">x"}),
              QStringList({"tag:<img", "attr:src", "value:'a.gif'", "attr:alt", "value:\"one",
                           "value:two\"", "tag:>"}));
}

TEST(CodeTokens, ScriptKeywordsStringsNumbersCommentsAndRegularExpressions) {
    EXPECT_EQ(
        Tokens({"<SCRIPT language=\"javascript\">", "var re = /sn[/]ow+/gi, half = 4 / 2; // 注释",
                "if (x) return /a/.test(\"</b>\") + 'it\\'s' + 0x1F + 1.5e-3;", "/* over",
                "lines */ let t = `a", "b`;</script><p>"}),
        QStringList({"tag:<SCRIPT",
                     "attr:language",
                     "value:\"javascript\"",
                     "tag:>",
                     "kw:var",
                     "regex:/sn[/]ow+/gi",
                     "num:4",
                     "num:2",
                     "comment:// 注释",
                     "kw:if",
                     "kw:return",
                     "regex:/a/",
                     "string:\"</b>\"",
                     "string:'it\\'s'",
                     "num:0x1F",
                     "num:1.5e-3",
                     "comment:/* over",
                     "comment:lines */",
                     "kw:let",
                     "string:`",
                     "string:a",
                     "string:b`",
                     "tag:</script",
                     "tag:>",
                     "tag:<p",
                     "tag:>"}));
}

TEST(CodeTokens, StyleRulesAtRulesAndStyleAndEventAttributes) {
    EXPECT_EQ(
        Tokens({"<style type=\"text/css\">",
                ".flake, #box a:hover { color: #fff; margin: 0 4px !important }",
                "@media (max-width: 600px) { p { font-family: \"宋体\" } } /* end */", "</style>"}),
        QStringList({"tag:<style",
                     "attr:type",
                     "value:\"text/css\"",
                     "tag:>",
                     "selector:.flake",
                     "selector:#box",
                     "selector:a:hover",
                     "property:color",
                     "num:#fff",
                     "property:margin",
                     "num:0",
                     "num:4px",
                     "kw:!important",
                     "kw:@media",
                     "selector:(max-width:",
                     "selector:600px)",
                     "selector:p",
                     "property:font-family",
                     "string:\"宋体\"",
                     "comment:/* end */",
                     "tag:</style",
                     "tag:>"}));
    EXPECT_EQ(Tokens({"<p style=\"color:red;font-size:12px\" onclick=\"go(1); return false\">"}),
              QStringList({"tag:<p", "attr:style", "value:\"", "property:color", "cssvalue:red",
                           "property:font-size", "num:12px", "value:\"", "attr:onclick", "value:\"",
                           "num:1", "kw:return", "kw:false", "value:\"", "tag:>"}));
}

TEST(CodeTokens, AnyLineGivesTokensInOrderInsideItAndAStateTheNextLineTakes) {
    std::mt19937 random(11);
    const QString pieces = QStringLiteral("<>/=\"'`&;#*-!{}:() \tascriptyle中\\\n");
    int state = CodeTokens::TextStart;
    for (int round = 0; round < 3000; ++round) {
        QString line;
        const int length = int(random() % 80);
        for (int i = 0; i < length; ++i)
            line += pieces.at(int(random() % pieces.size()));
        if (round % 7 == 0)
            line = QStringLiteral("<script>") + line;
        std::vector<CodeTokens::TToken> tokens;
        state = CodeTokens::Scan(line, state, tokens);
        int end = 0;
        for (const CodeTokens::TToken& t : tokens) {
            ASSERT_GE(t.Start, end) << qPrintable(line);
            ASSERT_GT(t.Length, 0);
            end = t.Start + t.Length;
            ASSERT_LE(end, line.size()) << qPrintable(line);
        }
        ASSERT_GE(state, 0);
    }
    // A 1 MB line of one open tag ends in a state, without going back over itself.
    std::vector<CodeTokens::TToken> tokens;
    const QString huge = "<a " + QString(1 << 20, QLatin1Char('x'));
    EXPECT_NE(CodeTokens::Scan(huge, CodeTokens::TextStart, tokens), CodeTokens::TextStart);
}
