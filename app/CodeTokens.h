#pragma once
// The tokens of an effect's code, a line at a time, for colouring the code window: HTML
// tags, attributes, values, comments and entities; the CSS of <style> elements and style
// attributes; the JavaScript of <script> elements and event attributes. A line is scanned
// in the state the line before it ended in, so a comment or an element running over many
// lines keeps its colour, and a changed line rescans only the lines whose state it changes.

#include <QStringView>
#include <cstdint>
#include <vector>

namespace CodeTokens {

enum class TKind : std::uint8_t {
    Tag,       // "<div", "</div", ">", "/>"
    Attribute, // class, onclick
    Value,     // "snow", and the quotes around a style or event attribute
    Comment,   // <!-- -->, /* */, //
    Entity,    // &nbsp; &#20013;
    Keyword,   // function, return, @media
    String,    // 'text', "text", `text`
    Number,    // 12, 0x1F, 1.5e3, 12px
    Regex,     // /snow+/g
    Selector,  // .flake, #box, div
    Property,  // color, background-image
    CssValue,  // red, solid, url(...)
};
constexpr int KindCount = 12;

struct TToken {
    int Start;
    int Length;
    TKind Kind;
};

// The state at the start of a text.
constexpr int TextStart = 0;

// Appends the tokens of `line` (without its line break), which starts in `state`, to
// `tokens`, and returns the state the line ends in. Text between tokens is plain.
int Scan(QStringView line, int state, std::vector<TToken>& tokens);

} // namespace CodeTokens
