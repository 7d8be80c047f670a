#include "SkinTheme.h"

namespace {

TSkinTheme DefaultStyle() {
    // Calm silver and cornflower blue: the familiar office look, soft and unobtrusive.
    TSkinTheme t;
    t.Folder = QStringLiteral("skin1");
    t.Name = QStringLiteral("默认风格");
    t.Comments = QStringLiteral("银灰与矢车菊蓝，柔和的渐变，适合长时间工作");
    t.Normal = {QColor(252, 253, 255), QColor(212, 222, 238), QColor(118, 138, 174),
                QColor(24, 34, 56)};
    t.Hot = {QColor(255, 251, 236), QColor(250, 212, 140), QColor(196, 136, 44), QColor(40, 28, 8)};
    t.Down = {QColor(236, 184, 104), QColor(252, 226, 168), QColor(156, 96, 24), QColor(40, 24, 4)};
    t.Disabled = {QColor(242, 243, 245), QColor(224, 226, 230), QColor(176, 182, 194),
                  QColor(150, 154, 162)};
    t.FrameTop = QColor(62, 104, 176);
    t.FrameBottom = QColor(44, 80, 150);
    t.FrameBorder = QColor(34, 58, 110);
    t.FrameLight = QColor(170, 198, 240);
    t.CaptionText = QColor(214, 226, 246);
    t.CaptionTextActive = QColor(255, 255, 255);
    t.CaptionShadowColor = QColor(30, 52, 100);
    t.Window = QColor(255, 255, 255);
    t.WindowText = QColor(20, 24, 36);
    t.Selection = QColor(64, 112, 200);
    t.SelectionText = QColor(255, 255, 255);
    t.Panel = QColor(234, 238, 246);
    t.PanelText = QColor(28, 40, 66);
    t.PanelBorder = QColor(146, 164, 198);
    t.Accent = QColor(44, 102, 204);
    t.MenuBack = QColor(250, 251, 254);
    t.MenuText = QColor(24, 30, 48);
    t.MenuHot = QColor(198, 218, 250);
    t.MenuHotText = QColor(12, 22, 44);
    t.MenuDisabledText = QColor(150, 154, 166);
    t.HintBack = QColor(255, 255, 228);
    t.HintText = QColor(30, 30, 20);
    t.HintBorder = QColor(120, 120, 90);
    t.Face = TFaceStyle::Soft;
    t.Pattern = TPattern::None;
    t.Radius = 3;
    t.FontName = QStringLiteral("宋体");
    t.CaptionFontName = QStringLiteral("黑体");
    t.CaptionShadow = true;
    t.FrameCornerRadius = 7;
    t.CaptionHeight = 26;
    t.AutoInactive = true;
    t.InactiveEffect = QStringLiteral("iebrightness");
    t.ButtonMorph = QStringLiteral("mkdefault");
    t.ObjectMorph = QStringLiteral("mkgradient");
    return t;
}

TSkinTheme BlueStorm() {
    // Deep electric blue with glossy glass buttons and rain streaks across the frame.
    TSkinTheme t;
    t.Folder = QStringLiteral("skin2");
    t.Name = QStringLiteral("蓝色风暴");
    t.Comments = QStringLiteral("深邃的电光蓝，玻璃质感按钮，风雨划过窗框");
    t.Normal = {QColor(74, 134, 224), QColor(22, 62, 152), QColor(10, 30, 82),
                QColor(255, 255, 255)};
    t.Hot = {QColor(96, 194, 255), QColor(20, 112, 214), QColor(8, 52, 116), QColor(255, 255, 255)};
    t.Down = {QColor(16, 58, 138), QColor(44, 124, 214), QColor(4, 24, 70), QColor(220, 240, 255)};
    t.Disabled = {QColor(120, 134, 158), QColor(86, 100, 126), QColor(62, 72, 92),
                  QColor(176, 186, 200)};
    t.FrameTop = QColor(24, 56, 128);
    t.FrameBottom = QColor(8, 24, 64);
    t.FrameBorder = QColor(2, 10, 30);
    t.FrameLight = QColor(80, 150, 240);
    t.CaptionText = QColor(176, 206, 246);
    t.CaptionTextActive = QColor(255, 255, 255);
    t.CaptionShadowColor = QColor(0, 10, 40);
    t.InactiveFrameTop = QColor(96, 110, 134);
    t.InactiveFrameBottom = QColor(62, 72, 92);
    t.Window = QColor(242, 247, 255);
    t.WindowText = QColor(10, 26, 62);
    t.Selection = QColor(28, 96, 208);
    t.SelectionText = QColor(255, 255, 255);
    t.Panel = QColor(212, 225, 246);
    t.PanelText = QColor(14, 34, 80);
    t.PanelBorder = QColor(44, 84, 164);
    t.Accent = QColor(0, 162, 255);
    t.MenuBack = QColor(236, 243, 255);
    t.MenuText = QColor(10, 28, 70);
    t.MenuHot = QColor(40, 110, 220);
    t.MenuHotText = QColor(255, 255, 255);
    t.MenuDisabledText = QColor(140, 156, 186);
    t.HintBack = QColor(226, 238, 255);
    t.HintText = QColor(10, 28, 70);
    t.HintBorder = QColor(30, 70, 150);
    t.Face = TFaceStyle::Glass;
    t.Pattern = TPattern::Streaks;
    t.PatternPeriod = 16;
    t.Radius = 4;
    t.FontName = QStringLiteral("黑体");
    t.CaptionFontName = QStringLiteral("黑体");
    t.CaptionShadow = true;
    t.FrameCornerRadius = 9;
    t.CaptionHeight = 28;
    t.InactivePicture = true;
    t.AutoInactive = true;
    t.InactiveEffect = QStringLiteral("iedarkness");
    t.ButtonMorph = QStringLiteral("mkgradient");
    t.ObjectMorph = QStringLiteral("mkpush");
    t.MenuMorph = QStringLiteral("mkleftslide");
    return t;
}

TSkinTheme IceAge() {
    // Frosted white and glacier cyan, snow drifting over the frame and the background.
    TSkinTheme t;
    t.Folder = QStringLiteral("skin3");
    t.Name = QStringLiteral("冰雪世纪");
    t.Comments = QStringLiteral("霜白与冰川青，磨砂玻璃，雪花飘落");
    t.Normal = {QColor(246, 252, 255), QColor(204, 232, 248), QColor(118, 174, 210),
                QColor(20, 60, 100)};
    t.Hot = {QColor(255, 255, 255), QColor(176, 230, 255), QColor(56, 158, 220), QColor(8, 50, 90)};
    t.Down = {QColor(166, 212, 238), QColor(222, 244, 255), QColor(38, 118, 178),
              QColor(8, 44, 80)};
    t.Disabled = {QColor(244, 248, 250), QColor(226, 234, 238), QColor(180, 196, 206),
                  QColor(150, 168, 180)};
    t.FrameTop = QColor(206, 234, 250);
    t.FrameBottom = QColor(164, 206, 234);
    t.FrameBorder = QColor(86, 140, 184);
    t.FrameLight = QColor(255, 255, 255);
    t.CaptionText = QColor(72, 110, 146);
    t.CaptionTextActive = QColor(16, 56, 104);
    t.CaptionShadowColor = QColor(255, 255, 255);
    t.Window = QColor(255, 255, 255);
    t.WindowText = QColor(16, 40, 66);
    t.Selection = QColor(124, 192, 238);
    t.SelectionText = QColor(6, 34, 62);
    t.Panel = QColor(236, 246, 252);
    t.PanelText = QColor(22, 62, 100);
    t.PanelBorder = QColor(140, 190, 222);
    t.Accent = QColor(30, 140, 210);
    t.MenuBack = QColor(246, 251, 255);
    t.MenuText = QColor(20, 54, 90);
    t.MenuHot = QColor(190, 228, 250);
    t.MenuHotText = QColor(6, 40, 76);
    t.MenuDisabledText = QColor(156, 180, 198);
    t.HintBack = QColor(240, 250, 255);
    t.HintText = QColor(20, 54, 90);
    t.HintBorder = QColor(110, 170, 210);
    t.Face = TFaceStyle::Frosted;
    t.Pattern = TPattern::Snow;
    t.PatternPeriod = 24;
    t.Radius = 5;
    t.FontName = QStringLiteral("宋体");
    t.CaptionFontName = QStringLiteral("黑体");
    t.CaptionShadow = true;
    t.FrameCornerRadius = 12;
    t.RoundBottomCorners = true;
    t.CaptionHeight = 28;
    t.AutoInactive = true;
    t.InactiveEffect = QStringLiteral("iesplitblur");
    t.BackgroundPicture = true;
    t.ButtonMorph = QStringLiteral("mkleftgradient");
    t.ObjectMorph = QStringLiteral("mkdefault");
    t.MenuMorph = QStringLiteral("mkrightgradient");
    t.CheckMorph = QStringLiteral("mkdefault");
    return t;
}

TSkinTheme EndlessFantasy() {
    // Violet night with gold light and stars; the system button twinkles.
    TSkinTheme t;
    t.Folder = QStringLiteral("skin4");
    t.Name = QStringLiteral("无限幻想");
    t.Comments = QStringLiteral("紫夜星空，金色微光，闪烁的星星按钮");
    t.Normal = {QColor(152, 92, 214), QColor(88, 38, 150), QColor(46, 16, 88),
                QColor(255, 255, 255)};
    t.Hot = {QColor(236, 134, 226), QColor(150, 58, 182), QColor(92, 26, 112),
             QColor(255, 250, 220)};
    t.Down = {QColor(78, 28, 128), QColor(172, 92, 222), QColor(36, 10, 70), QColor(255, 236, 160)};
    t.Disabled = {QColor(164, 150, 182), QColor(130, 116, 150), QColor(96, 84, 114),
                  QColor(196, 186, 208)};
    t.FrameTop = QColor(74, 32, 128);
    t.FrameBottom = QColor(24, 10, 62);
    t.FrameBorder = QColor(12, 4, 32);
    t.FrameLight = QColor(168, 120, 236);
    t.CaptionText = QColor(206, 184, 236);
    t.CaptionTextActive = QColor(255, 226, 124);
    t.CaptionShadowColor = QColor(20, 4, 40);
    t.Window = QColor(251, 247, 255);
    t.WindowText = QColor(40, 16, 70);
    t.Selection = QColor(158, 80, 202);
    t.SelectionText = QColor(255, 255, 255);
    t.Panel = QColor(238, 230, 250);
    t.PanelText = QColor(52, 22, 92);
    t.PanelBorder = QColor(132, 92, 184);
    t.Accent = QColor(255, 188, 56);
    t.MenuBack = QColor(248, 242, 255);
    t.MenuText = QColor(48, 18, 84);
    t.MenuHot = QColor(150, 76, 200);
    t.MenuHotText = QColor(255, 240, 190);
    t.MenuDisabledText = QColor(170, 150, 196);
    t.HintBack = QColor(44, 20, 84);
    t.HintText = QColor(255, 230, 150);
    t.HintBorder = QColor(200, 150, 255);
    t.Face = TFaceStyle::Velvet;
    t.Pattern = TPattern::Stars;
    t.PatternPeriod = 32;
    t.Radius = 6;
    t.FontName = QStringLiteral("黑体");
    t.CaptionFontName = QStringLiteral("黑体");
    t.CaptionPlate = true;
    t.FrameCornerRadius = 14;
    t.RoundBottomCorners = true;
    t.CaptionHeight = 30;
    t.AutoInactive = true;
    t.InactiveEffect = QStringLiteral("ienoise");
    t.AnimatedSysMenu = true;
    t.StretchLeft = true;
    t.StretchRight = true;
    t.ButtonMorph = QStringLiteral("mkrightslide");
    t.ObjectMorph = QStringLiteral("mkleftgradient");
    t.MenuMorph = QStringLiteral("mkgradient");
    return t;
}

TSkinTheme AgeOfInnocence() {
    // Warm walnut wood and cream paper with raised classic bevels: an old desk.
    TSkinTheme t;
    t.Folder = QStringLiteral("skin5");
    t.Name = QStringLiteral("纯真年代");
    t.Comments = QStringLiteral("胡桃木与米色纸张，经典立体按钮，怀旧的书桌");
    t.Normal = {QColor(246, 236, 212), QColor(226, 210, 178), QColor(118, 88, 58),
                QColor(62, 40, 20)};
    t.Hot = {QColor(255, 246, 216), QColor(242, 220, 166), QColor(160, 108, 48),
             QColor(70, 40, 10)};
    t.Down = {QColor(214, 192, 154), QColor(232, 214, 180), QColor(104, 72, 40),
              QColor(50, 30, 10)};
    t.Disabled = {QColor(238, 232, 220), QColor(226, 218, 204), QColor(176, 164, 146),
                  QColor(160, 148, 130)};
    t.FrameTop = QColor(150, 100, 60);
    t.FrameBottom = QColor(108, 68, 38);
    t.FrameBorder = QColor(60, 34, 16);
    t.FrameLight = QColor(206, 160, 112);
    t.CaptionText = QColor(236, 216, 186);
    t.CaptionTextActive = QColor(255, 248, 230);
    t.CaptionShadowColor = QColor(60, 32, 12);
    t.Window = QColor(255, 252, 242);
    t.WindowText = QColor(56, 36, 18);
    t.Selection = QColor(170, 118, 66);
    t.SelectionText = QColor(255, 250, 236);
    t.Panel = QColor(242, 232, 208);
    t.PanelText = QColor(70, 44, 20);
    t.PanelBorder = QColor(162, 130, 90);
    t.Accent = QColor(178, 78, 36);
    t.MenuBack = QColor(252, 246, 230);
    t.MenuText = QColor(62, 40, 18);
    t.MenuHot = QColor(214, 180, 128);
    t.MenuHotText = QColor(44, 24, 6);
    t.MenuDisabledText = QColor(176, 160, 136);
    t.HintBack = QColor(255, 248, 222);
    t.HintText = QColor(62, 40, 18);
    t.HintBorder = QColor(140, 100, 60);
    t.Face = TFaceStyle::Paper;
    t.Pattern = TPattern::Grain;
    t.PatternPeriod = 32;
    t.Radius = 2;
    t.FontName = QStringLiteral("宋体");
    t.CaptionFontName = QStringLiteral("宋体");
    t.CaptionAlignment = QStringLiteral("taleftjustify");
    t.CaptionShadow = true;
    t.FrameCornerRadius = 5;
    t.CaptionHeight = 24;
    t.AutoInactive = true;
    t.InactiveEffect = QStringLiteral("iegrayscale");
    t.BackgroundPicture = true;
    return t;
}

TSkinTheme FashionWind() {
    // Graphite with a hot pink to orange sweep: flat, sharp and modern; buttons on the left.
    TSkinTheme t;
    t.Folder = QStringLiteral("skin6");
    t.Name = QStringLiteral("时尚之风");
    t.Comments = QStringLiteral("石墨黑配亮粉到橙色的渐变，扁平利落，按钮在左");
    t.Normal = {QColor(62, 62, 70), QColor(62, 62, 70), QColor(96, 96, 108), QColor(240, 240, 246)};
    t.Hot = {QColor(206, 26, 96), QColor(206, 26, 96), QColor(255, 120, 168),
             QColor(255, 255, 255)};
    t.Down = {QColor(234, 92, 40), QColor(234, 92, 40), QColor(255, 146, 86),
              QColor(255, 255, 255)};
    t.Disabled = {QColor(52, 52, 58), QColor(52, 52, 58), QColor(78, 78, 86),
                  QColor(124, 124, 132)};
    t.FrameTop = QColor(42, 42, 48);
    t.FrameBottom = QColor(26, 26, 30);
    t.CaptionSweep = true;
    // Deep enough at both ends for the white caption.
    t.SweepFrom = QColor(186, 20, 84);
    t.SweepTo = QColor(170, 64, 0);
    t.FrameBorder = QColor(14, 14, 18);
    t.FrameLight = QColor(70, 70, 80);
    t.CaptionText = QColor(200, 200, 208);
    t.CaptionTextActive = QColor(255, 255, 255);
    t.CaptionShadowColor = QColor(0, 0, 0);
    t.Window = QColor(46, 46, 52);
    t.WindowText = QColor(236, 236, 242);
    t.Selection = QColor(206, 26, 96);
    t.SelectionText = QColor(255, 255, 255);
    t.Panel = QColor(34, 34, 40);
    t.PanelText = QColor(228, 228, 236);
    t.PanelBorder = QColor(84, 84, 96);
    t.Accent = QColor(255, 62, 132);
    t.MenuBack = QColor(30, 30, 36);
    t.MenuText = QColor(230, 230, 238);
    t.MenuHot = QColor(206, 26, 96);
    t.MenuHotText = QColor(255, 255, 255);
    t.MenuDisabledText = QColor(110, 110, 120);
    t.HintBack = QColor(24, 24, 28);
    t.HintText = QColor(255, 255, 255);
    t.HintBorder = QColor(255, 62, 132);
    t.Face = TFaceStyle::Flat;
    t.Pattern = TPattern::Diagonal;
    t.PatternPeriod = 8;
    t.Radius = 0;
    t.FontName = QStringLiteral("黑体");
    t.CaptionFontName = QStringLiteral("黑体");
    // Bold: thin white strokes on the sweep blur to pink.
    t.CaptionBold = true;
    t.CaptionAlignment = QStringLiteral("taleftjustify");
    t.CaptionShadow = true; // white on the orange end of the sweep needs it
    t.FrameCornerRadius = 0;
    t.BorderWidth = 3;
    t.CaptionHeight = 26;
    t.AutoInactive = true;
    t.InactiveEffect = QStringLiteral("ieinvert");
    t.ButtonsInLeft = true;
    t.StretchTop = true;
    t.StretchBottom = true;
    t.ButtonMorph = QStringLiteral("mkpush");
    t.ObjectMorph = QStringLiteral("mkrightslide");
    t.MenuMorph = QStringLiteral("mkleftslide");
    t.CheckMorph = QStringLiteral("mkgradient");
    return t;
}

} // namespace

const std::vector<TSkinTheme>& InstalledThemes() {
    static const std::vector<TSkinTheme> themes = {
        DefaultStyle(), BlueStorm(), IceAge(), EndlessFantasy(), AgeOfInnocence(), FashionWind()};
    return themes;
}
