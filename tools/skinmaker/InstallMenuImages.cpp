// The pictures of the menus: music and its player, window and web commands, help and
// updates, in the image list's shared palette.

#include "InstallIconKit.h"
#include "InstallPictures.h"

#include <cmath>
#include <numbers>

namespace InstallArt {

namespace {

void Music(TPixels& p) {
    p.Sprite(0, 0,
             {"..........VVVVV.", //
              ".....VVVVVpppPV.", //
              ".....VpPPPPPPPV.", //
              ".....VPPPPPVVPV.", //
              ".....VPVVVV.VPV.", //
              ".....VPV....VPV.", //
              ".....VPV....VPV.", //
              ".....VPV....VPV.", //
              ".....VPV....VPV.", //
              ".....VPV..VVVPV.", //
              "..VVVVPV.VpPPPV.", //
              ".VpPPPPV.VPPPPV.", //
              ".VPPPPPV.VPPPV..", //
              ".VPPPPV...VVV...", //
              "..VVVV.........."});
}

void ChooseMusic(TPixels& p) {
    OpenFolder(p, 0, 3, 13, 14);
    NoteBadge(p, 9, 1);
}

void Play(TPixels& p) {
    ButtonFace(p, 0, 0, 15, 15);
    for (int d = 0; d <= 7; ++d)
        p.VLine(5 + d, 4 + d / 2, 11 - d / 2, d == 0 ? Ink::Mint : Ink::Green);
    p.Line(6, 4, 12, 7, Ink::Forest);
    p.Line(6, 11, 12, 8, Ink::Forest);
}

void Pause(TPixels& p) {
    ButtonFace(p, 0, 0, 15, 15);
    for (int x : {5, 9}) {
        p.Fill(x, 4, x + 1, 11, Ink::Blue);
        p.VLine(x, 4, 11, Ink::SkyBlue);
        p.HLine(x, x + 1, 11, Ink::Navy);
    }
}

void Stop(TPixels& p) {
    ButtonFace(p, 0, 0, 15, 15);
    p.FillDown(5, 5, 10, 10, Ink::Rose, Ink::Red);
    p.Frame(4, 4, 11, 11, Ink::Maroon);
}

// A ring of arrows around (8, 8): arcs between the given angles (degrees, clockwise from
// the right, 0..360) and arrow heads at the given angles, pointing on clockwise.
bool InArrowRing(double x, double y, std::initializer_list<std::pair<double, double>> arcs,
                 std::initializer_list<double> heads, double inner, double outer) {
    const double dx = x - 8, dy = y - 8;
    const double r = std::sqrt(dx * dx + dy * dy);
    double a = std::atan2(dy, dx) * 180 / std::numbers::pi;
    if (a < 0)
        a += 360;
    const double mid = (inner + outer) / 2;
    for (const auto& [from, to] : arcs)
        if (r >= inner && r <= outer && a >= from && a <= to)
            return true;
    for (double end : heads) {
        const double e = end * std::numbers::pi / 180;
        const QPointF n(std::cos(e), std::sin(e)), t(-std::sin(e), std::cos(e));
        const QPointF base(8 + mid * n.x(), 8 + mid * n.y());
        const QPointF a1 = base + n * 3.0, a2 = base - n * 3.0, tip = base + t * 3.4;
        auto side = [&](QPointF u, QPointF v) {
            return (v.x() - u.x()) * (y - u.y()) - (v.y() - u.y()) * (x - u.x());
        };
        const double s1 = side(a1, a2), s2 = side(a2, tip), s3 = side(tip, a1);
        if ((s1 >= 0 && s2 >= 0 && s3 >= 0) || (s1 <= 0 && s2 <= 0 && s3 <= 0))
            return true;
    }
    return false;
}

void Replay(TPixels& p) {
    ButtonFace(p, 0, 0, 15, 15);
    Shape(
        p,
        [](double x, double y) {
            return InArrowRing(x, y, {{0, 245}, {335, 360}}, {245}, 2.5, 4.7);
        },
        Ink::SkyBlue, Ink::Blue, Ink::Navy);
}

void SaveSong(TPixels& p) {
    Disk(p, 0, 0);
    NoteBadge(p, 10, 7);
}

void DeleteSong(TPixels& p) {
    Music(p);
    CrossBadge(p, 9, 9);
}

void StayOnTop(TPixels& p) {
    p.Line(1, 14, 6, 9, Ink::DarkGrey);
    p.Line(2, 14, 6, 10, Ink::Grey);
    auto pin = [](double x, double y) {
        return InDisc(x, y, 10.5, 5.5, 3.9) || InEllipse(x, y, 7.5, 8.5, 2.2, 2.2);
    };
    Shape(p, pin, Ink::Rose, Ink::Red, Ink::Maroon, QColor(255, 190, 180));
    p.Fill(10, 3, 11, 4, Ink::White);
}

void AskOnExit(TPixels& p) {
    auto bubble = [](double x, double y) {
        const bool body = InEllipse(x, y, 8, 6.5, 7.4, 5.6);
        const bool tail = y >= 10 && y <= 15 && x >= 3 && x <= 7 - (y - 10) * 0.8;
        return body || tail;
    };
    Shape(p, bubble, Ink::Cream, Ink::Gold, Ink::Amber, QColor(255, 250, 220));
    p.Sprite(5, 3,
             {".NNNN.", //
              "NN..NN", //
              "....NN", //
              "...NN.", //
              "..NN..", //
              "......", //
              "..NN.."});
}

void ColorPicker(TPixels& p) {
    // Measured from the tip at the bottom-left: `along` up the tube, `across` at right
    // angles to it.
    auto along = [](double x, double y) { return ((x - 1.5) - (y - 14.5)) / std::sqrt(2.0); };
    auto across = [](double x, double y) { return ((x - 1.5) + (y - 14.5)) / std::sqrt(2.0); };
    auto glass = [=](double x, double y) {
        const double v = along(x, y);
        return v >= 0.6 && v <= 11.2 && std::abs(across(x, y)) <= 1.5 - (v < 2.4 ? 0.7 : 0);
    };
    Shape(p, glass, Ink::White, Ink::Light, Ink::Outline);
    auto paint = [=](double x, double y) {
        const double v = along(x, y);
        return v >= 1.6 && v <= 6.0 && std::abs(across(x, y)) <= 0.8;
    };
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (paint(x + 0.5, y + 0.5))
                p.Dot(x, y, Ink::Red);
    auto bulb = [=](double x, double y) {
        const double v = along(x, y);
        return (v >= 10.6 && v <= 12.2 && std::abs(across(x, y)) <= 2.6) ||
               InDisc(x, y, 12.6, 3.4, 2.9);
    };
    Shape(p, bulb, Ink::DarkGrey, Ink::Outline, Ink::Outline, Ink::Grey);
}

void Donate(TPixels& p) {
    auto heart = [](double x, double y) {
        const bool lobes = InDisc(x, y, 4.8, 5.6, 3.6) || InDisc(x, y, 11.2, 5.6, 3.6);
        const bool point = y >= 5.6 && std::abs(x - 8) <= (14.6 - y) * 0.82;
        return lobes || point;
    };
    Shape(p, heart, Ink::Rose, Ink::Red, Ink::Maroon, QColor(255, 196, 190));
    p.Fill(3, 4, 4, 5, Ink::White);
}

void HomePage(TPixels& p) {
    p.Fill(11, 2, 12, 5, Ink::Maroon); // the chimney, behind the roof
    p.FillDown(3, 8, 12, 14, Ink::Cream, QColor(236, 210, 150));
    p.Frame(3, 7, 12, 15, Ink::Outline);
    p.Fill(6, 10, 8, 14, Ink::Wood);
    p.Frame(5, 9, 9, 15, Ink::Outline);
    p.Fill(10, 9, 11, 10, Ink::SkyBlue);
    for (int y = 1; y <= 7; ++y) {
        const int half = y - 1;
        p.HLine(7 - half, 8 + half, y, y == 7 ? Ink::Maroon : Ink::Red);
        p.Dot(7 - half, y, Ink::Maroon);
        p.Dot(8 + half, y, Ink::Maroon);
        if (y > 2)
            p.Dot(8 - half, y, Ink::Rose);
    }
}

void Bubble(TPixels& p, int x0, int y0, int x1, int y1, const QColor& top, const QColor& bottom,
            const QColor& line, bool tailLeft) {
    p.FillDown(x0 + 1, y0 + 1, x1 - 1, y1 - 1, top, bottom);
    p.RoundFrame(x0, y0, x1, y1, line);
    const int tx = tailLeft ? x0 + 2 : x1 - 2;
    const int dir = tailLeft ? 1 : -1;
    p.Dot(tx, y1, bottom);
    p.Dot(tx + dir, y1, bottom);
    p.Dot(tx, y1 + 1, line);
    p.Dot(tx + dir, y1 + 1, line);
    p.Dot(tx + 2 * dir, y1 + 1, line);
    p.Dot(tx, y1 + 2, line);
}

void Forum(TPixels& p) {
    Bubble(p, 0, 0, 10, 7, Ink::SkyBlue, Ink::Blue, Ink::Navy, true);
    Bubble(p, 5, 5, 15, 12, Ink::Mint, Ink::Green, Ink::Forest, false);
    for (int x : {8, 10, 12})
        p.Dot(x, 9, Ink::White);
}

void RoundSign(TPixels& p, std::initializer_list<const char*> symbol) {
    Shape(
        p, [](double x, double y) { return InDisc(x, y, 8, 8, 7.4); }, Ink::SkyBlue, Ink::Blue,
        Ink::Navy, QColor(200, 228, 255));
    p.Sprite(5, 4, symbol);
}

void Help(TPixels& p) {
    RoundSign(p, {".wwww.", "ww..ww", "....ww", "...ww.", "..ww..", "......", "..ww.."});
}

void Contact(TPixels& p) {
    p.FillDown(1, 3, 14, 13, Ink::White, Ink::Light);
    p.Frame(0, 3, 15, 13, Ink::Outline);
    p.Line(1, 4, 7, 9, Ink::DarkGrey);
    p.Line(14, 4, 8, 9, Ink::DarkGrey);
    p.Line(1, 12, 5, 8, Ink::Grey);
    p.Line(14, 12, 10, 8, Ink::Grey);
    p.Fill(11, 5, 13, 6, Ink::Red); // the stamp
}

void About(TPixels& p) {
    RoundSign(p, {"..ww..", "..ww..", "......", ".www..", "..ww..", "..ww..", ".wwww."});
}

void SiteUpdate(TPixels& p) {
    Globe(p, 0, 0, 13);
    Arrow(p, 7, 6, TArrow::Down, Ink::Green, Ink::Mint);
}

void AutoUpdate(TPixels& p) {
    Shape(
        p,
        [](double x, double y) {
            return InArrowRing(x, y, {{200, 320}, {20, 140}}, {320, 140}, 3.6, 6.2);
        },
        Ink::Mint, Ink::Green, Ink::Forest);
}

void Game(TPixels& p) {
    auto pad = [](double x, double y) {
        const bool body = x >= 3 && x <= 13 && y >= 4 && y <= 10;
        return body || InDisc(x, y, 4, 8.4, 3.6) || InDisc(x, y, 12, 8.4, 3.6);
    };
    Shape(p, pad, Ink::Grey, Ink::DarkGrey, Ink::Outline, Ink::MidLight);
    p.HLine(2, 6, 8, Ink::Outline); // the cross pad
    p.VLine(4, 6, 10, Ink::Outline);
    p.Dot(11, 6, Ink::Red);
    p.Dot(13, 8, Ink::Blue);
    p.Dot(9, 8, Ink::Green);
    p.Dot(11, 10, Ink::Gold);
}

void ShowWindow(TPixels& p) {
    Window(p, 0, 1, 15, 14);
    p.HLine(3, 9, 7, Ink::Grey);
    p.HLine(3, 11, 9, Ink::Grey);
    p.HLine(3, 7, 11, Ink::Grey);
}

} // namespace

void AddMenuDrawings(std::vector<TDrawing>& all) {
    all[miMusic] = Music;
    all[miChooseMusic] = ChooseMusic;
    all[miPlay] = Play;
    all[miPause] = Pause;
    all[miStop] = Stop;
    all[miReplay] = Replay;
    all[miSaveSong] = SaveSong;
    all[miDeleteSong] = DeleteSong;
    all[miStayOnTop] = StayOnTop;
    all[miAskOnExit] = AskOnExit;
    all[miColorPicker] = ColorPicker;
    all[miDonate] = Donate;
    all[miHomePage] = HomePage;
    all[miForum] = Forum;
    all[miHelp] = Help;
    all[miContact] = Contact;
    all[miAbout] = About;
    all[miSiteUpdate] = SiteUpdate;
    all[miAutoUpdate] = AutoUpdate;
    all[miGame] = Game;
    all[miShowWindow] = ShowWindow;
}

} // namespace InstallArt
