// Gives characters the keyboard lacks keys of their own on the X server, so that a typing
// tool finds them in the keymap instead of remapping a key for each character (which races
// with the application reading the keymap).

#include <QList>
#include <QString>

#include <X11/Xlib.h>
#include <set>
#include <vector>

void MapCharactersToSpareKeys(const QString& text) {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return;
    int minCode = 0, maxCode = 0;
    XDisplayKeycodes(display, &minCode, &maxCode);
    int perCode = 0;
    KeySym* map = XGetKeyboardMapping(display, minCode, maxCode - minCode + 1, &perCode);
    std::vector<int> spare;
    for (int code = minCode; code <= maxCode; ++code) {
        bool empty = true;
        for (int i = 0; i < perCode; ++i)
            empty = empty && map[(code - minCode) * perCode + i] == NoSymbol;
        if (empty)
            spare.push_back(code);
    }
    XFree(map);
    std::set<char32_t> characters;
    for (char32_t c : text.toUcs4())
        if (c > 0x7F)
            characters.insert(c);
    size_t next = 0;
    for (char32_t c : characters) {
        if (next >= spare.size())
            break;
        std::vector<KeySym> syms(size_t(perCode), NoSymbol);
        syms[0] = syms[1 % perCode] = KeySym(0x01000000 + c);
        XChangeKeyboardMapping(display, spare[next++], perCode, syms.data(), 1);
    }
    XSync(display, False);
    XCloseDisplay(display);
}
