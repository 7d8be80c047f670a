#pragma once
// The program's own pictures, installed beside the skins: the main window's placeholder,
// the about picture, the 16 x 16 image list, the application icon and the tool-bar
// pictures of the file dialogs.
//
// Files written into the pictures folder (the program folder's "images"):
//   placeholder.bmp    504 x 273, 24-bit; the code area before an effect is opened. Its
//                      bottom-left pixel colour (magenta 255, 0, 255) is the transparent one.
//   about.jpg          400 x 252, baseline JPEG; the about box picture.
//   mainimages.bmp     ImageCount * 16 x 16, 24-bit; the main window's image list as one
//                      strip, image i at x = 16 * i; magenta (255, 0, 255) is transparent
//                      and every image's bottom-left pixel has that colour.
//   zarvofx-N.png      the application icon at N = 16, 32, 48, 64, 128 and 256 pixels,
//                      32-bit with alpha.
//   BS_BACK.bmp, BS_UP.bmp, BS_NEWFOLDER.bmp, BS_LISTSTYLE.bmp, BS_SMALLICONSTYLE.bmp,
//   BS_ICONSTYLE.bmp, BS_REPORTSTYLE.bmp
//                      16 x 16, 24-bit, one glyph frame each (NumGlyphs 1); the bottom-left
//                      pixel (magenta) is the transparent colour.

#include <QString>
#include <array>

namespace InstallPictureFiles {
inline constexpr const char* Placeholder = "placeholder.bmp";
inline constexpr const char* About = "about.jpg";
inline constexpr const char* ImageList = "mainimages.bmp";
// The icon file of one size: "zarvofx-<size>.png".
QString AppIcon(int size);
inline constexpr std::array<int, 6> AppIconSizes = {16, 32, 48, 64, 128, 256};
// The tool-bar pictures, named after their resources, plus ".bmp".
inline constexpr std::array<const char*, 7> ToolBar = {
    "BS_BACK",           "BS_UP",        "BS_NEWFOLDER",  "BS_LISTSTYLE",
    "BS_SMALLICONSTYLE", "BS_ICONSTYLE", "BS_REPORTSTYLE"};
} // namespace InstallPictureFiles

// Indices into the main window's image list (mainimages.bmp). Menus not listed have no
// picture; the top-level items of the menu bar have none.
enum TMainImage : int {
    miCopyCode = 0,     // button "复制代码"
    miPreview = 1,      // button "特效预览"
    miBrowser = 2,      // button "在浏览器中预览"
    miAddEffect = 3,    // button "添加特效", menu J1 "添加特效(&J)"
    miSaveEffect = 4,   // button "保存特效", menu N1 "保存特效"
    miDeleteEffect = 5, // menu D1 "删除特效(&D)"
    miExit = 6,         // menu N5 "退出", tray N49 "退   出"
    miShowTaskbar = 7,  // menu N6 "显示任务栏"
    miHideTaskbar = 8,  // menu N7 "隐藏任务栏"
    miSystemTools = 9,  // menu E1 "系统工具(&E)"
    miNotepad = 10,     // menu N9 "记事本"
    miEffectItem = 11,  // every item of the effect file list
    miRegistry = 12,    // menu N10 "注册表"
    miComputer = 13,    // menu N11 "我的电脑"
    miCalendar = 14,    // menu Q1 "zarvo万年历(&Q)"
    miCleanup = 15,     // menu v1 "痕迹清理(&F)"
    miClearRecent = 16, // menu N14 "清除开始菜单我最近的文档"
    miCategory = 17,    // the category combo box
    miAppearance = 18,  // menu A1 "外观选择(&A)"
    miMusic = 19,       // menu M1 "背景音乐(&M)"
    miChooseMusic = 20, // menu N16 "选择音乐"
    miPlay = 21,        // menu N18 "播    放"
    miPause = 22,       // menu N19 "暂    停"
    miStop = 23,        // menu N20 "停    止"
    miReplay = 24,      // menu N21 "重    播"
    miSaveSong = 25,    // menu N23 "保存歌曲"
    miDeleteSong = 26,  // menu N24 "删除歌曲"
    miStayOnTop = 27,   // menus N26 and N27 "前端显示"
    miAskOnExit = 28,   // menus N42 and N43 "显示退出显示"
    miColorPicker = 29, // menu T2 "屏幕取色(&T)"
    miDonate = 30,      // menu-bar command N52 "捐助"
    miHomePage = 31,    // menu N28 "访问本站"
    miForum = 32,       // menu N29 "zarvo论坛"
    miHelp = 33,        // menu N31 "帮助", tray N46, system menu "帮助"
    miContact = 34,     // menu L1 "联系我(&L)"
    miAbout = 35,       // menu O1 "关于(&O)", tray N47, system menu N37 "关于"
    miSiteUpdate = 36,  // menu B1 "本站升级(&B)"
    miAutoUpdate = 37,  // menu N32 "自动升级"
    miGame = 38,        // menu-bar command Game1 "zarvoGame推广网"
    miShowWindow = 39,  // tray N44 "显   示"
    miSkin1 = 40,       // menu N15 "默认风格" (a swatch of the skin's colours)
    miSkin2 = 41,       // menu N110 "蓝色风暴"
    miSkin3 = 42,       // menu N210 "冰雪世纪"
    miSkin4 = 43,       // menu N35 "无限幻想"
    miSkin5 = 44,       // menu N41 "纯真年代"
    miSkin6 = 45,       // menu N39 "时尚之风"
    miImageCount = 46
};

// Writes every installation picture into `folder` (made when missing). Throws
// EFCreateError when a file cannot be written. The output is the same on every run.
void WriteInstallPictures(const QString& folder);
