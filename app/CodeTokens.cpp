#include "app/CodeTokens.h"

#include <array>

namespace CodeTokens {
namespace {

enum class TMode : int { Html, HtmlComment, Tag, Script, Style, TagValue };
enum class TElement : int { Html, Script, Style };
enum class TLang : int { Plain, Css, Js };

// What a line starts in, packed into the int a text block keeps.
struct TState {
    TMode Mode = TMode::Html;
    TElement Element = TElement::Html; // what the tag being scanned opens
    char16_t Quote = 0;                // the quote of an attribute value running on
    TLang Lang = TLang::Plain;         // the language of that attribute's value
    bool JsComment = false;
    bool JsTemplate = false;
    bool CssComment = false;
    bool CssBlock = false;  // inside { } of a rule: properties and values
    bool CssNested = false; // inside the { } of @media and its kind: rules again

    static TState Unpack(int packed) {
        TState s;
        if (packed <= 0)
            return s;
        s.Mode = TMode(packed & 7);
        s.Element = TElement((packed >> 3) & 3);
        const int quote = (packed >> 5) & 3;
        s.Quote = quote == 1 ? u'"' : quote == 2 ? u'\'' : 0;
        s.Lang = TLang((packed >> 7) & 3);
        s.JsComment = packed & (1 << 9);
        s.JsTemplate = packed & (1 << 10);
        s.CssComment = packed & (1 << 11);
        s.CssBlock = packed & (1 << 12);
        s.CssNested = packed & (1 << 13);
        return s;
    }
    int Pack() const {
        const int quote = Quote == u'"' ? 1 : Quote == u'\'' ? 2 : 0;
        return int(Mode) | int(Element) << 3 | quote << 5 | int(Lang) << 7 | JsComment << 9 |
               JsTemplate << 10 | CssComment << 11 | CssBlock << 12 | CssNested << 13;
    }
};

bool IsSpace(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\f';
}

bool IsAsciiLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool IsIdentifierStart(QChar c) {
    return IsAsciiLetter(c) || c == u'_' || c == u'$' || (c.unicode() > 127 && c.isLetter());
}

bool IsIdentifierPart(QChar c) {
    return IsIdentifierStart(c) || IsDigit(c);
}

bool IsJsKeyword(QStringView word) {
    static constexpr std::array<std::u16string_view, 43> keywords{
        u"async",     u"await",      u"break",   u"case",   u"catch",    u"class", u"const",
        u"continue",  u"debugger",   u"default", u"delete", u"do",       u"else",  u"export",
        u"extends",   u"false",      u"finally", u"for",    u"function", u"if",    u"import",
        u"in",        u"instanceof", u"let",     u"new",    u"null",     u"of",    u"return",
        u"super",     u"switch",     u"this",    u"throw",  u"true",     u"try",   u"typeof",
        u"undefined", u"var",        u"void",    u"while",  u"with",     u"yield", u"static",
        u"get"};
    for (std::u16string_view keyword : keywords)
        if (word == QStringView(keyword.data(), qsizetype(keyword.size())))
            return true;
    return false;
}

// Keywords after which a slash starts a regular expression, not a division.
bool KeywordTakesOperand(QStringView word) {
    for (const char16_t* keyword :
         {u"return", u"typeof", u"case", u"do", u"else", u"in", u"of", u"new", u"delete", u"void",
          u"throw", u"instanceof", u"yield", u"await"})
        if (word == QStringView(keyword))
            return true;
    return false;
}

// At-rules whose braces hold rules rather than declarations.
bool AtRuleHoldsRules(QStringView word) {
    for (const char16_t* rule : {u"@media", u"@supports", u"@keyframes", u"@-webkit-keyframes",
                                 u"@document", u"@layer", u"@container"})
        if (word.compare(QStringView(rule), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

class TScanner {
public:
    TScanner(QStringView line, int state, std::vector<TToken>& tokens)
        : L(line), N(int(line.size())), S(TState::Unpack(state)), Out(tokens) {}

    int Run() {
        while (P < N) {
            switch (S.Mode) {
            case TMode::Html:
                Html();
                break;
            case TMode::HtmlComment:
                HtmlComment();
                break;
            case TMode::Tag:
                Tag();
                break;
            case TMode::TagValue:
                Value(P, false);
                break;
            case TMode::Script:
                Embedded(u"</script", TLang::Js);
                break;
            case TMode::Style:
                Embedded(u"</style", TLang::Css);
                break;
            }
        }
        return S.Pack();
    }

private:
    void Emit(int start, int end, TKind kind) {
        if (end > start)
            Out.push_back({start, end - start, kind});
    }
    // The position of `what` at or after `from` and before `to`, or -1.
    int Find(QStringView what, int from, int to, Qt::CaseSensitivity cs = Qt::CaseSensitive) const {
        const qsizetype at = L.first(to).indexOf(what, from, cs);
        return at < 0 ? -1 : int(at);
    }
    // The closing `quote` of a string starting after `from`, skipping escaped ones, or -1.
    int ClosingQuote(QChar quote, int from, int to) const {
        for (int i = from; i < to; ++i) {
            if (L[i] == u'\\')
                ++i;
            else if (L[i] == quote)
                return i;
        }
        return -1;
    }
    // A /* */ comment from `i`; `open` tells whether it runs on past `to`. Returns its end.
    int BlockComment(int i, int to, bool& open) {
        const int end = Find(u"*/", i + 2, to);
        open = end < 0;
        Emit(i, open ? to : end + 2, TKind::Comment);
        return open ? to : end + 2;
    }
    int SkipSpaces(int i, int to) const {
        while (i < to && IsSpace(L[i]))
            ++i;
        return i;
    }

    // --- HTML -----------------------------------------------------------------------
    void Html() {
        int i = P;
        while (i < N && L[i] != u'<' && L[i] != u'&')
            ++i;
        P = i;
        if (P >= N)
            return;
        if (L[P] == u'&')
            return Entity();
        if (L.sliced(P).startsWith(u"<!--")) {
            P += 4;
            S.Mode = TMode::HtmlComment;
            return HtmlComment(P - 4);
        }
        int q = P + 1;
        const bool closing = q < N && L[q] == u'/';
        if (closing || (q < N && (L[q] == u'!' || L[q] == u'?')))
            ++q;
        if (q >= N || !(IsAsciiLetter(L[q]) || (!closing && q > P + 1))) {
            ++P; // a lone "<" is text
            return;
        }
        const int nameStart = q;
        while (q < N && (IsAsciiLetter(L[q]) || IsDigit(L[q]) || L[q] == u'-' || L[q] == u':'))
            ++q;
        const QStringView name = L.sliced(nameStart, q - nameStart);
        S.Element = closing                                             ? TElement::Html
                    : name.compare(u"script", Qt::CaseInsensitive) == 0 ? TElement::Script
                    : name.compare(u"style", Qt::CaseInsensitive) == 0  ? TElement::Style
                                                                        : TElement::Html;
        Emit(P, q, TKind::Tag);
        P = q;
        S.Mode = TMode::Tag;
    }
    void Entity() {
        int q = P + 1;
        while (q < N && q - P <= 32 && (IsAsciiLetter(L[q]) || IsDigit(L[q]) || L[q] == u'#'))
            ++q;
        if (q < N && L[q] == u';' && q > P + 1) {
            Emit(P, q + 1, TKind::Entity);
            P = q + 1;
        } else {
            ++P;
        }
    }
    void HtmlComment(int start = -1) {
        if (start < 0)
            start = P;
        const int end = Find(u"-->", P, N);
        if (end < 0) {
            Emit(start, N, TKind::Comment);
            P = N;
            return;
        }
        Emit(start, end + 3, TKind::Comment);
        P = end + 3;
        S.Mode = TMode::Html;
    }

    // --- Inside a tag: attributes and values ------------------------------------------
    void Tag() {
        P = SkipSpaces(P, N);
        if (P >= N)
            return;
        if (L[P] == u'>' || L.sliced(P).startsWith(u"/>")) {
            const int length = L[P] == u'>' ? 1 : 2;
            Emit(P, P + length, TKind::Tag);
            P += length;
            S.Mode = length == 2                     ? TMode::Html
                     : S.Element == TElement::Script ? TMode::Script
                     : S.Element == TElement::Style  ? TMode::Style
                                                     : TMode::Html;
            S.Element = TElement::Html;
            return;
        }
        int q = P;
        while (q < N && !IsSpace(L[q]) && L[q] != u'=' && L[q] != u'>' && L[q] != u'"' &&
               L[q] != u'\'' && !(L[q] == u'/' && q + 1 < N && L[q + 1] == u'>'))
            ++q;
        if (q == P) { // a stray quote or "=" between attributes
            ++P;
            return;
        }
        const QStringView name = L.sliced(P, q - P);
        S.Lang = name.compare(u"style", Qt::CaseInsensitive) == 0 ? TLang::Css
                 : name.size() > 2 && name.first(2).compare(u"on", Qt::CaseInsensitive) == 0
                     ? TLang::Js
                     : TLang::Plain;
        Emit(P, q, TKind::Attribute);
        q = SkipSpaces(q, N);
        if (q >= N || L[q] != u'=') {
            P = q;
            return;
        }
        q = SkipSpaces(q + 1, N);
        P = q;
        if (q >= N)
            return;
        if (L[q] == u'"' || L[q] == u'\'') {
            S.Quote = L[q].unicode();
            return Value(q, true);
        }
        while (q < N && !IsSpace(L[q]) && L[q] != u'>')
            ++q;
        Emit(P, q, TKind::Value);
        P = q;
    }
    // An attribute value in quotes, from its opening quote or, running on from the line
    // before, from the line's start.
    void Value(int from, bool opening) {
        const int inner = opening ? from + 1 : from;
        const int close = Find(QStringView(&S.Quote, 1), inner, N);
        const int end = close < 0 ? N : close;
        if (S.Lang == TLang::Plain) {
            Emit(from, close < 0 ? N : close + 1, TKind::Value);
        } else {
            if (opening)
                Emit(from, from + 1, TKind::Value);
            if (S.Lang == TLang::Css)
                Css(inner, end, true);
            else
                Js(inner, end);
            if (close >= 0)
                Emit(close, close + 1, TKind::Value);
        }
        if (close < 0) {
            S.Mode = TMode::TagValue;
            P = N;
            return;
        }
        S.Mode = TMode::Tag;
        S.Quote = 0;
        S.Lang = TLang::Plain;
        S.JsComment = S.JsTemplate = S.CssComment = false;
        P = close + 1;
    }

    // --- The content of <script> and <style> ---------------------------------------------
    void Embedded(QStringView endTag, TLang lang) {
        const int end = Find(endTag, P, N, Qt::CaseInsensitive);
        const int to = end < 0 ? N : end;
        if (lang == TLang::Js)
            Js(P, to);
        else
            Css(P, to, false);
        P = to;
        if (end >= 0) {
            S.Mode = TMode::Html;
            S.JsComment = S.JsTemplate = S.CssComment = S.CssBlock = S.CssNested = false;
        }
    }

    // --- JavaScript ----------------------------------------------------------------------
    void Js(int i, int to) {
        bool operandBefore = false; // a slash after an operand divides
        while (i < to) {
            if (S.JsComment) {
                const int end = Find(u"*/", i, to);
                Emit(i, end < 0 ? to : end + 2, TKind::Comment);
                i = end < 0 ? to : end + 2;
                S.JsComment = end < 0;
                continue;
            }
            if (S.JsTemplate) {
                const int end = ClosingQuote(u'`', i, to);
                Emit(i, end < 0 ? to : end + 1, TKind::String);
                i = end < 0 ? to : end + 1;
                S.JsTemplate = end < 0;
                operandBefore = true;
                continue;
            }
            const QChar c = L[i];
            const QChar next = i + 1 < to ? L[i + 1] : QChar();
            if (IsSpace(c)) {
                ++i;
            } else if (c == u'/' && next == u'/') {
                Emit(i, to, TKind::Comment);
                i = to;
            } else if (c == u'/' && next == u'*') {
                i = BlockComment(i, to, S.JsComment);
            } else if (c == u'"' || c == u'\'') {
                const int end = ClosingQuote(c, i + 1, to);
                Emit(i, end < 0 ? to : end + 1, TKind::String);
                i = end < 0 ? to : end + 1;
                operandBefore = true;
            } else if (c == u'`') {
                S.JsTemplate = true;
                Emit(i, i + 1, TKind::String);
                ++i;
            } else if (IsDigit(c) || (c == u'.' && IsDigit(next))) {
                int q = i + 1;
                while (q < to &&
                       (IsDigit(L[q]) || IsAsciiLetter(L[q]) || L[q] == u'.' || L[q] == u'_' ||
                        ((L[q] == u'+' || L[q] == u'-') && (L[q - 1] == u'e' || L[q - 1] == u'E'))))
                    ++q;
                Emit(i, q, TKind::Number);
                i = q;
                operandBefore = true;
            } else if (IsIdentifierStart(c)) {
                int q = i + 1;
                while (q < to && IsIdentifierPart(L[q]))
                    ++q;
                const QStringView word = L.sliced(i, q - i);
                const bool keyword = IsJsKeyword(word);
                if (keyword)
                    Emit(i, q, TKind::Keyword);
                operandBefore = !(keyword && KeywordTakesOperand(word));
                i = q;
            } else if (c == u'/' && !operandBefore) {
                const int end = RegexEnd(i + 1, to);
                if (end < 0) {
                    ++i;
                    operandBefore = false;
                    continue;
                }
                int q = end + 1;
                while (q < to && IsAsciiLetter(L[q]))
                    ++q;
                Emit(i, q, TKind::Regex);
                i = q;
                operandBefore = true;
            } else {
                operandBefore = c == u')' || c == u']' || c == u'}';
                ++i;
            }
        }
    }
    // The closing slash of a regular expression whose body starts at `from`, or -1.
    int RegexEnd(int from, int to) const {
        bool inClass = false;
        for (int i = from; i < to; ++i) {
            const QChar c = L[i];
            if (c == u'\\')
                ++i;
            else if (c == u'[')
                inClass = true;
            else if (c == u']')
                inClass = false;
            else if (c == u'/' && !inClass)
                return i > from ? i : -1;
        }
        return -1;
    }

    // --- CSS -------------------------------------------------------------------------------
    // `declarations`: the text is a style attribute's, properties and values alone.
    void Css(int i, int to, bool declarations) {
        bool inValue = false;
        bool groupRule = false; // an at-rule seen whose braces hold rules
        while (i < to) {
            if (S.CssComment) {
                const int end = Find(u"*/", i, to);
                Emit(i, end < 0 ? to : end + 2, TKind::Comment);
                i = end < 0 ? to : end + 2;
                S.CssComment = end < 0;
                continue;
            }
            const QChar c = L[i];
            const QChar next = i + 1 < to ? L[i + 1] : QChar();
            const bool block = declarations || S.CssBlock;
            if (IsSpace(c) || c == u',') {
                ++i;
            } else if (c == u'/' && next == u'*') {
                i = BlockComment(i, to, S.CssComment);
            } else if (c == u'"' || c == u'\'') {
                const int end = ClosingQuote(c, i + 1, to);
                Emit(i, end < 0 ? to : end + 1, TKind::String);
                i = end < 0 ? to : end + 1;
            } else if (c == u'{') {
                if (groupRule)
                    S.CssNested = true;
                else
                    S.CssBlock = true;
                groupRule = false;
                inValue = false;
                ++i;
            } else if (c == u'}') {
                if (S.CssBlock)
                    S.CssBlock = false;
                else
                    S.CssNested = false;
                inValue = false;
                ++i;
            } else if (c == u';') {
                inValue = false;
                groupRule = false;
                ++i;
            } else if (c == u'@' || (block && c == u'!')) {
                int q = i + 1;
                while (q < to && (IsAsciiLetter(L[q]) || L[q] == u'-'))
                    ++q;
                Emit(i, q, TKind::Keyword);
                groupRule = c == u'@' && AtRuleHoldsRules(L.sliced(i, q - i));
                i = q;
            } else if (!block) {
                int q = i + 1;
                while (q < to && !IsSpace(L[q]) && L[q] != u'{' && L[q] != u',' && L[q] != u'}' &&
                       !(L[q] == u'/' && q + 1 < to && L[q + 1] == u'*'))
                    ++q;
                Emit(i, q, TKind::Selector);
                i = q;
            } else if (c == u':' && !inValue) {
                inValue = true;
                ++i;
            } else if (!inValue) {
                int q = i + 1;
                while (q < to &&
                       (IsAsciiLetter(L[q]) || IsDigit(L[q]) || L[q] == u'-' || L[q] == u'_'))
                    ++q;
                Emit(i, q, TKind::Property);
                i = q;
            } else if (IsDigit(c) || ((c == u'.' || c == u'-' || c == u'#') && next != QChar() &&
                                      (IsDigit(next) || (c == u'#' && next.isLetterOrNumber())))) {
                int q = i + 1;
                while (q < to &&
                       (IsDigit(L[q]) || IsAsciiLetter(L[q]) || L[q] == u'.' || L[q] == u'%'))
                    ++q;
                Emit(i, q, TKind::Number);
                i = q;
            } else {
                int q = i + 1;
                while (q < to && !IsSpace(L[q]) && L[q] != u';' && L[q] != u'}' && L[q] != u',' &&
                       L[q] != u'"' && L[q] != u'\'' && L[q] != u'!')
                    ++q;
                Emit(i, q, TKind::CssValue);
                i = q;
            }
        }
    }

    QStringView L;
    int N;
    int P = 0;
    TState S;
    std::vector<TToken>& Out;
};

} // namespace

int Scan(QStringView line, int state, std::vector<TToken>& tokens) {
    return TScanner(line, state, tokens).Run();
}

} // namespace CodeTokens
