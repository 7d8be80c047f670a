// The container, text and list records of a skin: panels, group boxes, bars and labels,
// edits and combo boxes, lists, and the sheet-like controls. Each family is drawn in its
// own Box*.cpp file from the skin's box look (BoxLook.h).

#include "BoxLook.h"

namespace {

// The picture the frame tiles under its windows' client area ([FORMINFO] "bgpictureindex"),
// -1 when it has none. Panels that take it match the window around them.
int FormBackground(TSkinBuilder& skin) {
    for (const auto& [key, value] : skin.Section(QStringLiteral("FORMINFO")).Keys())
        if (key.compare(QLatin1String("bgpictureindex"), Qt::CaseInsensitive) == 0)
            return value.toInt();
    return -1;
}

} // namespace

void AddBoxParts(TSkinBuilder& skin) {
    const TSkinTheme& theme = skin.Theme();
    int texture = -1;
    if (theme.BackgroundPicture) {
        texture = FormBackground(skin);
        if (texture < 0)
            texture = skin.AddPicture(QStringLiteral("boxtexture.bmp"),
                                      BoxPaint::FaceTexture(BoxPaint::LookOf(theme), theme));
    }
    AddPanelBoxes(skin, texture);
    AddFieldBoxes(skin);
    AddListBoxes(skin);
    AddSheetBoxes(skin, texture);
}
