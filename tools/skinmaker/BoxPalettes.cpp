// The colours of each skin's boxes: what all six share, then each skin's own bars, status
// bar, tool bar, label plates and selections.

#include "BoxLook.h"

#include <algorithm>

namespace BoxPaint {

using namespace SkinPaint;

namespace {

// What every skin shares: panels in the theme's panel colours, fields in its window
// colours, selections from its selection colour. The six skins then set their own bars,
// status bars and accents.
TBoxLook BaseLook(const TSkinTheme& t) {
    TBoxLook l;
    l.Face = t.Panel;
    l.Text = t.PanelText;
    l.Border = t.PanelBorder;
    l.Light = Lighter(t.Panel, 0.75);
    l.Shadow = Darker(t.PanelBorder, 0.2);
    l.Radius = std::min(t.Radius, 5);
    l.BarTop = t.Normal.Top;
    l.BarBottom = t.Normal.Bottom;
    l.BarLine = t.PanelBorder;
    l.BarText = t.Normal.Text;
    l.BarGloss = QColor(255, 255, 255, 0);
    l.PatternInk = QColor(0, 0, 0, 0);
    l.OrnamentColor = t.Accent;
    l.Field = t.Window;
    l.FieldText = t.WindowText;
    l.FieldBorder = Mix(t.PanelBorder, t.Window, 0.15);
    l.FieldActiveBorder = t.Accent;
    l.FieldActiveFill = t.Window;
    l.FieldDisabledText = Mix(t.WindowText, t.Window, 0.55);
    l.FieldShade = Darker(t.Window, 0.08);
    l.SelTop = Lighter(t.Selection, 0.2);
    l.SelBottom = Darker(t.Selection, 0.05);
    l.SelBorder = Darker(t.Selection, 0.25);
    l.SelText = t.SelectionText;
    l.SoftSelTop = Mix(t.Selection, t.Window, 0.78);
    l.SoftSelBottom = Mix(t.Selection, t.Window, 0.68);
    l.SoftSelText = t.WindowText;
    l.HotTint = Mix(t.Hot.Bottom, t.Window, 0.6);
    l.LinkText = t.Accent;
    l.FontName = t.FontName;
    l.BoldFontName = t.CaptionFontName;
    l.FontHeight = 12;
    return l;
}

void SilverLook(TBoxLook& l) {
    l.BarTop = QColor(250, 252, 255);
    l.BarBottom = QColor(200, 215, 241);
    l.BarLine = QColor(146, 164, 198);
    l.BarText = QColor(26, 38, 66);
    l.Ornament = TOrnament::Bar;
    l.OrnamentColor = QColor(100, 149, 237);
    l.StatusTop = QColor(248, 250, 253);
    l.StatusBottom = QColor(220, 228, 241);
    l.StatusLine = QColor(146, 164, 198);
    l.StatusText = QColor(28, 40, 66);
    l.WellFill = QColor(243, 246, 251);
    l.WellBorder = QColor(166, 182, 210);
    l.WellShade = QColor(222, 228, 240);
    l.ToolTop = QColor(252, 253, 255);
    l.ToolBottom = QColor(223, 230, 243);
    l.ToolLine = QColor(166, 182, 210);
    l.PlateTop = QColor(249, 251, 254);
    l.PlateBottom = QColor(231, 236, 246);
    l.PlateBorder = QColor(196, 206, 226);
}

void BlueGlassLook(TBoxLook& l) {
    l.BarTop = QColor(72, 132, 224);
    l.BarBottom = QColor(16, 50, 132);
    l.BarGloss = QColor(255, 255, 255, 72);
    l.BarLine = QColor(6, 22, 66);
    l.BarText = QColor(255, 255, 255);
    l.PatternInk = QColor(255, 255, 255, 26);
    l.Ornament = TOrnament::Pill;
    l.OrnamentColor = QColor(0, 206, 255);
    l.StatusTop = QColor(38, 78, 160);
    l.StatusBottom = QColor(10, 30, 80);
    l.StatusLine = QColor(4, 14, 42);
    l.StatusText = QColor(214, 232, 255);
    l.WellFill = QColor(8, 26, 66);
    l.WellBorder = QColor(62, 108, 196);
    l.WellShade = QColor(2, 10, 32);
    l.ToolTop = QColor(230, 239, 253);
    l.ToolBottom = QColor(186, 207, 240);
    l.ToolLine = QColor(112, 146, 210);
    l.PlateTop = QColor(230, 239, 253);
    l.PlateBottom = QColor(204, 220, 246);
    l.PlateBorder = QColor(138, 168, 222);
    l.LinkText = QColor(0, 100, 214);
}

void FrostLook(TBoxLook& l) {
    l.Light = QColor(255, 255, 255);
    l.BarTop = QColor(228, 245, 255);
    l.BarBottom = QColor(166, 210, 238);
    l.BarGloss = QColor(255, 255, 255, 110);
    l.BarLine = QColor(116, 172, 212);
    l.BarText = QColor(12, 50, 94);
    l.PatternInk = QColor(255, 255, 255, 235);
    l.Ornament = TOrnament::Flake;
    l.OrnamentColor = QColor(40, 132, 204);
    l.StatusTop = QColor(244, 251, 255);
    l.StatusBottom = QColor(196, 228, 247);
    l.StatusLine = QColor(140, 190, 222);
    l.StatusText = QColor(20, 58, 96);
    l.WellFill = QColor(250, 253, 255);
    l.WellBorder = QColor(150, 196, 226);
    l.WellShade = QColor(220, 237, 248);
    l.ToolTop = QColor(250, 254, 255);
    l.ToolBottom = QColor(210, 236, 250);
    l.ToolLine = QColor(150, 196, 226);
    l.PlateTop = QColor(253, 255, 255);
    l.PlateBottom = QColor(228, 243, 251);
    l.PlateBorder = QColor(176, 214, 236);
    l.FieldBorder = QColor(126, 180, 214);
    l.SelTop = QColor(178, 224, 250);
    l.SelBottom = QColor(116, 186, 234);
    l.SelBorder = QColor(66, 146, 208);
    l.LinkText = QColor(20, 120, 196);
}

void VioletLook(TBoxLook& l) {
    l.BarTop = QColor(114, 54, 178);
    l.BarBottom = QColor(50, 16, 98);
    l.BarLine = QColor(214, 162, 64);
    l.BarText = QColor(255, 226, 124);
    l.PatternInk = QColor(255, 244, 210, 220);
    l.Ornament = TOrnament::Star;
    l.OrnamentColor = QColor(255, 198, 72);
    l.StatusTop = QColor(76, 34, 130);
    l.StatusBottom = QColor(34, 12, 76);
    l.StatusLine = QColor(200, 150, 60);
    l.StatusText = QColor(255, 228, 150);
    l.WellFill = QColor(30, 10, 62);
    l.WellBorder = QColor(112, 72, 172);
    l.WellShade = QColor(14, 4, 34);
    l.ToolTop = QColor(246, 240, 253);
    l.ToolBottom = QColor(214, 198, 240);
    l.ToolLine = QColor(168, 128, 216);
    l.PlateTop = QColor(247, 242, 254);
    l.PlateBottom = QColor(228, 216, 246);
    l.PlateBorder = QColor(188, 160, 226);
    l.FieldActiveBorder = QColor(214, 150, 30);
    l.SelTop = QColor(184, 114, 226);
    l.SelBottom = QColor(126, 56, 178);
    l.SelBorder = QColor(86, 32, 136);
    l.LinkText = QColor(150, 60, 206);
}

void PaperLook(TBoxLook& l) {
    l.Classic = true;
    l.Radius = 0;
    l.Light = QColor(255, 251, 240);
    l.Shadow = QColor(150, 116, 78);
    l.Border = QColor(118, 86, 54);
    l.BarTop = QColor(154, 104, 64);
    l.BarBottom = QColor(108, 68, 38);
    l.BarLine = QColor(66, 40, 18);
    l.BarText = QColor(255, 246, 224);
    l.PatternInk = QColor(52, 26, 8, 80);
    l.Ornament = TOrnament::Rivet;
    l.OrnamentColor = QColor(216, 178, 98);
    l.StatusTop = QColor(247, 239, 220);
    l.StatusBottom = QColor(229, 216, 189);
    l.StatusLine = QColor(162, 130, 90);
    l.StatusText = QColor(70, 44, 20);
    l.WellFill = QColor(244, 235, 213);
    l.WellBorder = QColor(150, 116, 78);
    l.WellShade = QColor(255, 251, 240);
    l.ToolTop = QColor(249, 242, 225);
    l.ToolBottom = QColor(229, 215, 187);
    l.ToolLine = QColor(162, 130, 90);
    l.PlateTop = QColor(250, 243, 227);
    l.PlateBottom = QColor(240, 229, 204);
    l.PlateBorder = QColor(198, 170, 128);
    l.FieldBorder = QColor(150, 116, 78);
    l.SelTop = QColor(190, 138, 84);
    l.SelBottom = QColor(156, 104, 54);
    l.SelBorder = QColor(108, 70, 36);
    l.LinkText = QColor(178, 78, 36);
    l.FontName = QStringLiteral("宋体");
}

void GraphiteLook(TBoxLook& l) {
    l.Radius = 0;
    l.Border = QColor(66, 66, 76);
    l.Light = QColor(50, 50, 58);
    l.Shadow = QColor(18, 18, 22);
    l.BarTop = QColor(62, 62, 72);
    l.BarBottom = QColor(50, 50, 58);
    l.BarLine = QColor(255, 62, 132);
    l.BarText = QColor(255, 255, 255);
    l.PatternInk = QColor(255, 255, 255, 9);
    l.Ornament = TOrnament::Square;
    l.OrnamentColor = QColor(255, 62, 132);
    l.StatusTop = QColor(30, 30, 35);
    l.StatusBottom = QColor(24, 24, 28);
    l.StatusLine = QColor(58, 58, 68);
    l.StatusText = QColor(206, 206, 216);
    l.WellFill = QColor(40, 40, 47);
    l.WellBorder = QColor(62, 62, 72);
    l.WellShade = QColor(32, 32, 38);
    l.ToolTop = QColor(44, 44, 50);
    l.ToolBottom = QColor(38, 38, 44);
    l.ToolLine = QColor(58, 58, 68);
    l.PlateTop = QColor(43, 43, 50);
    l.PlateBottom = QColor(40, 40, 47);
    l.PlateBorder = QColor(58, 58, 68);
    l.FieldBorder = QColor(84, 84, 96);
    l.FieldShade = QColor(38, 38, 44);
    l.FieldDisabledText = QColor(120, 120, 130);
    l.SelTop = QColor(255, 70, 138);
    l.SelBottom = QColor(242, 52, 122);
    l.SelBorder = QColor(196, 28, 94);
    l.SoftSelTop = QColor(88, 52, 70);
    l.SoftSelBottom = QColor(82, 48, 66);
    l.SoftSelText = QColor(236, 236, 242);
    l.HotTint = QColor(64, 50, 60);
    l.LinkText = QColor(255, 88, 150);
}

} // namespace

TBoxLook LookOf(const TSkinTheme& theme) {
    TBoxLook l = BaseLook(theme);
    switch (theme.Face) {
    case TFaceStyle::Soft:
        SilverLook(l);
        break;
    case TFaceStyle::Glass:
        BlueGlassLook(l);
        break;
    case TFaceStyle::Frosted:
        FrostLook(l);
        break;
    case TFaceStyle::Velvet:
        VioletLook(l);
        break;
    case TFaceStyle::Paper:
        PaperLook(l);
        break;
    case TFaceStyle::Flat:
        GraphiteLook(l);
        break;
    }
    return l;
}

} // namespace BoxPaint
