// Renders one of each flat control in each state into a PNG sheet for people to look at
// (kept in the test's temporary folder; ZARVO_FLAT_GALLERY names a file to copy it to).

#include "calendar/TFlatButtonUnit.h"
#include "calendar/TFlatEditUnit.h"
#include "calendar/TFlatHintUnit.h"

#include "common/TestEnv.h"
#include "framework/ControlsTestSupport.h"
#include "framework/Forms.h"

#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <memory>

using namespace ControlsTest;

namespace {

class Sheet {
public:
    // Neither white nor black, so both sides of a bevel show.
    Sheet() : FImage(480, 330, QImage::Format_RGB32) { FImage.fill(QColor(180, 195, 220)); }
    void Place(QWidget* w, int x, int y, const char* label) {
        QPainter p(&FImage);
        p.drawImage(x, y, w->grab().toImage());
        p.setFont(QFont(QStringLiteral("Liberation Sans"), 7));
        p.setPen(Qt::black);
        p.drawText(x, y - 3, QString::fromLatin1(label));
    }
    QImage Scaled() const { return FImage.scaled(FImage.size() * 2); }

private:
    QImage FImage;
};

// A 16 x 16 black arrow on magenta, twice: normal and (second image) grey.
TBitmap ArrowStrip() {
    TBitmap strip(32, 16);
    for (int i = 0; i < 2; ++i) {
        TCanvas& c = strip.Canvas();
        c.Brush.Color = clFuchsia;
        c.FillRect(TRect(16 * i, 0, 16 * i + 16, 16));
        c.Brush.Color = i == 0 ? clBlack : clGray;
        c.Pen.Color = c.Brush.Color;
        c.Polygon({TPoint(16 * i + 3, 2), TPoint(16 * i + 13, 8), TPoint(16 * i + 3, 13)});
    }
    strip.Canvas().EndPaint();
    return strip;
}

} // namespace

TEST(FlatGallery, RendersEveryControlInEveryState) {
    TForm form;
    form.SetBounds(50, 50, 480, 300);
    form.Font()->SetName(QStringLiteral("宋体"));
    form.Font()->SetHeight(-12);
    new TFlatHint(&form);
    form.Show();
    QApplication::setActiveWindow(&form);
    QCursor::setPos(0, 0);
    Sheet sheet;

    auto button = [&](int x) {
        auto* b = new TFlatButton(&form);
        b->SetBounds(x, 10, 41, 18);
        b->SetCaption(QStringLiteral("上一年"));
        return b;
    };
    sheet.Place(button(0), 10, 20, "up");
    TFlatButton* hover = button(50);
    hover->SetFocus();
    sheet.Place(hover, 60, 20, "hover");
    TFlatButton* pressed = button(100);
    SendMouse(pressed, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
    sheet.Place(pressed, 110, 20, "pressed");
    SendMouse(pressed, QEvent::MouseButtonRelease, QPoint(-50, 5), Qt::LeftButton, {});
    TFlatButton* latched = button(150);
    latched->SetGroupIndex(1);
    latched->SetDown(true);
    sheet.Place(latched, 160, 20, "latched");
    latched->SetFocus();
    sheet.Place(latched, 210, 20, "latch+hov");
    TFlatButton* disabled = button(200);
    disabled->SetEnabled(false);
    sheet.Place(disabled, 260, 20, "disabled");
    TFlatButton* def = button(250);
    def->SetDefault(true);
    sheet.Place(def, 310, 20, "default");
    TFlatButton* wide = button(300);
    wide->SetBounds(300, 10, 97, 17);
    wide->SetCaption(QStringLiteral("回到今天"));
    sheet.Place(wide, 360, 20, "97x17");

    const char* names[] = {"glyph left", "glyph right", "glyph top", "glyph bottom"};
    for (int i = 0; i < 4; ++i) {
        auto* b = new TFlatButton(&form);
        b->SetBounds(10 + 70 * i, 60, 64, 44);
        b->SetCaption(QStringLiteral("下个月"));
        b->SetGlyph(ArrowStrip());
        b->SetLayout(static_cast<TButtonLayout>(i));
        sheet.Place(b, 10 + 70 * i, 70, names[i]);
    }
    auto* grey = new TFlatButton(&form);
    grey->SetBounds(290, 60, 64, 44);
    grey->SetCaption(QStringLiteral("关于"));
    TBitmap single = ArrowStrip();
    single.SetWidth(16);
    grey->SetGlyph(single);
    grey->SetLayout(blGlyphLeft);
    grey->SetEnabled(false);
    sheet.Place(grey, 290, 70, "1 glyph disabled");
    grey->SetEnabled(true);
    grey->SetTransparentMode(tmAlways);
    sheet.Place(grey, 360, 70, "tmAlways");

    auto edit = [&](int x, const char* label, const std::function<void(TFlatEdit*)>& set) {
        auto* e = new TFlatEdit(&form);
        e->SetBounds(x, 130, 65, 18);
        e->Loaded();
        e->SetText(QStringLiteral("2006"));
        set(e);
        sheet.Place(e, x, 140, label);
    };
    edit(10, "edit idle", [](TFlatEdit*) {});
    edit(90, "edit focused", [](TFlatEdit* e) { e->SetFocus(); });
    edit(170, "edit hover", [&](TFlatEdit* e) {
        e->SetFocus();
        QWidget* away = new TEdit(&form);
        away->setFocus();
        Application->SetMouseControl(e, e->ClientOrigin());
        ASSERT_FALSE(e->Focused());
        ASSERT_TRUE(e->ActiveLook());
    });
    Application->SetMouseControl(nullptr, TPoint(0, 0));

    const TSize screen{Screen->Width(), Screen->Height()};
    const TPoint corners[] = {{screen.cx - 100, 100},
                              {100, 100},
                              {screen.cx - 100, screen.cy - 100},
                              {100, screen.cy - 100}};
    int x = 10;
    int y = 190;
    for (int d = 0; d < 4; ++d) {
        QCursor::setPos(corners[d].ToQPoint());
        TFlatHintWindow window;
        window.ActivateHint(TRect(), d == 1 ? QStringLiteral("选择年份")
                                            : QStringLiteral("关于zarvo万年历: a longer hint "
                                                             "that wraps within the width"));
        ASSERT_EQ(window.Direction(), d);
        static const char* labels[] = {"hint dir 0", "hint dir 1", "hint dir 2", "hint dir 3"};
        if (x + window.Width() > 470) {
            x = 10;
            y += 70;
        }
        sheet.Place(&window, x, y, labels[d]);
        x += window.Width() + 10;
    }

    QString path = TestEnv::NewFolder(QStringLiteral("gallery")) + "/flat-controls.png";
    QImage image = sheet.Scaled();
    ASSERT_TRUE(image.save(path));
    QByteArray copy = qgetenv("ZARVO_FLAT_GALLERY");
    if (!copy.isEmpty()) {
        QFile::remove(QString::fromLocal8Bit(copy));
        EXPECT_TRUE(image.save(QString::fromLocal8Bit(copy)));
    }
}
