// Gives characters the keyboard lacks keys of their own on the X server, so that a typing
// tool finds them in the keymap instead of remapping a key for each character (which races
// with the application reading the keymap).

#include <QList>
#include <QString>

#include <X11/Xlib.h>
#include <set>
#include <vector>

namespace {
// The keysym of a Unicode character, as the typing tool looks it up.
KeySym CharacterKeySym(char32_t c) {
    return KeySym(0x01000000 + c);
}
bool IsCharacterKeySym(KeySym sym) {
    return sym >= CharacterKeySym(0x80) && sym <= CharacterKeySym(0x10FFFF);
}
} // namespace

// Every test program on the display maps its characters here, and the mappings stay. A
// character mapped by an earlier one keeps its key; once no empty key is left, keys that
// earlier programs gave to characters are taken again, so the characters of this program
// always get keys of their own.
void MapCharactersToSpareKeys(const QString& text) {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return;
    int minCode = 0, maxCode = 0;
    XDisplayKeycodes(display, &minCode, &maxCode);
    int perCode = 0;
    KeySym* map = XGetKeyboardMapping(display, minCode, maxCode - minCode + 1, &perCode);
    std::set<char32_t> characters;
    for (char32_t c : text.toUcs4())
        if (c > 0x7F)
            characters.insert(c);
    std::vector<int> empty, earlier;
    for (int code = minCode; code <= maxCode; ++code) {
        const KeySym* syms = map + (code - minCode) * perCode;
        bool none = true, character = false;
        for (int i = 0; i < perCode; ++i) {
            none = none && syms[i] == NoSymbol;
            character = character || IsCharacterKeySym(syms[i]);
        }
        if (none)
            empty.push_back(code);
        else if (character && characters.erase(char32_t(syms[0] - CharacterKeySym(0))) == 0)
            earlier.push_back(code);
    }
    XFree(map);
    std::vector<int> spare = empty;
    spare.insert(spare.end(), earlier.begin(), earlier.end());
    size_t next = 0;
    for (char32_t c : characters) {
        if (next >= spare.size())
            break;
        std::vector<KeySym> syms(size_t(perCode), NoSymbol);
        syms[0] = syms[1 % perCode] = CharacterKeySym(c);
        XChangeKeyboardMapping(display, spare[next++], perCode, syms.data(), 1);
    }
    XSync(display, False);
    XCloseDisplay(display);
}
