#include "calendar/untMain_Reg.h"

#include "framework/Dialogs.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

// The window with its grid on August 2006, as the edits put it there.
std::unique_ptr<TForm1> MakeWindow() {
    auto form = std::make_unique<TForm1>();
    form->FormShow(form.get()); // the edits show today's year and month
    form->FlatEdit1->SetText(QStringLiteral("2006"));
    form->FlatEdit2->SetText(QStringLiteral("8"));
    return form;
}

// Answers every message box while alive and keeps what was asked.
class AnsweredBoxes {
public:
    AnsweredBoxes() {
        FOld = SetMessageBoxHook([this](const TMessageBoxRequest& r) {
            Requests.push_back(r);
            return mrOk;
        });
    }
    ~AnsweredBoxes() { SetMessageBoxHook(FOld); }
    AnsweredBoxes(const AnsweredBoxes&) = delete;
    AnsweredBoxes& operator=(const AnsweredBoxes&) = delete;

    std::vector<TMessageBoxRequest> Requests;

private:
    TMessageBoxHook FOld;
};

} // namespace

TEST(CalendarWindow, HasTheControlsWhereTheyBelong) {
    TForm1 form;
    EXPECT_EQ(form.Caption(), QStringLiteral("zarvo万年历"));
    EXPECT_EQ(form.BorderStyle(), bsToolWindow);
    EXPECT_EQ(form.BorderIcons(), TBorderIcons(biSystemMenu));
    EXPECT_EQ(form.Position(), poScreenCenter);
    EXPECT_EQ(form.ClientWidth(), 529);
    EXPECT_EQ(form.ClientHeight(), 285);
    EXPECT_EQ(form.Font()->Height(), -12);
    EXPECT_EQ(form.Font()->Charset(), 134);

    EXPECT_EQ(form.hxCalendar1->BoundsRect(), Bounds(5, 0, 521, 233));
    EXPECT_EQ(form.hxCalendar1->BorderStyle(), bsNone);
    EXPECT_EQ(form.hxCalendar1->DefaultColWidth(), 73);
    EXPECT_EQ(form.hxCalendar1->DefaultRowHeight(), 32);
    EXPECT_EQ(form.hxCalendar1->Font()->Color(), clNavy);
    EXPECT_EQ(form.hxCalendar1->StartOfWeek(), 0);
    EXPECT_TRUE(form.hxCalendar1->ShowHint());

    struct Expected {
        TControl* Control;
        TRect Bounds;
        const char16_t* Text;
        const char16_t* Hint;
        int TabOrder;
    };
    const Expected controls[] = {
        {form.FlatButton3, Bounds(120, 239, 41, 18), u"上一年", u"上一年", 6},
        {form.FlatEdit1, Bounds(168, 239, 65, 18), nullptr, u"选择年份", 3},
        {form.FlatButton2, Bounds(240, 239, 41, 18), u"下一年", u"下一年", 5},
        {form.FlatButton5, Bounds(304, 239, 41, 18), u"上个月", u"上个月", 8},
        {form.FlatEdit2, Bounds(352, 239, 58, 18), nullptr, u"选择月份", 4},
        {form.FlatButton4, Bounds(416, 239, 41, 18), u"下个月", u"下个月", 7},
        {form.FlatButton1, Bounds(8, 239, 97, 17), u"回到今天", u"回到今天", 1},
        {form.FlatButton6, Bounds(472, 239, 49, 18), u"关于", u"关于zarvo万年历", 9},
    };
    for (const Expected& e : controls) {
        SCOPED_TRACE(e.Control->Name().toStdString());
        EXPECT_EQ(e.Control->BoundsRect(), e.Bounds);
        if (e.Text) {
            EXPECT_EQ(e.Control->Caption(), QString::fromUtf16(e.Text));
        }
        EXPECT_EQ(e.Control->Hint(), QString::fromUtf16(e.Hint));
        EXPECT_TRUE(e.Control->ShowHint());
        EXPECT_EQ(e.Control->TabOrder(), e.TabOrder);
    }
    EXPECT_FALSE(form.FlatButton1->TabStop());
    EXPECT_TRUE(form.FlatEdit1->TabStop());
    EXPECT_TRUE(form.FlatEdit1->ParentColor());
    EXPECT_EQ(ColorToRGB(form.FlatEdit1->ColorFlat()), ColorToRGB(clBtnFace));

    EXPECT_EQ(form.StatusBar1->BoundsRect(), Bounds(0, 266, 529, 19));
    ASSERT_EQ(form.StatusBar1->Panels()->Count(), 3);
    EXPECT_EQ(form.StatusBar1->Panels()->Items(0)->Width(), 160);
    EXPECT_EQ(form.StatusBar1->Panels()->Items(1)->Width(), 180);
    EXPECT_EQ(form.StatusBar1->Panels()->Items(2)->Width(), 50);
    EXPECT_EQ(form.Timer1->Interval(), 1000);
    EXPECT_TRUE(form.Timer1->Enabled());
    EXPECT_EQ(form.FlatHint1->Font()->Height(), -11);

    QList<QSize> sizes = form.Icon().availableSizes();
    std::sort(sizes.begin(), sizes.end(), [](QSize a, QSize b) { return a.width() > b.width(); });
    EXPECT_EQ(sizes, (QList<QSize>{{72, 72}, {64, 64}, {48, 48}, {32, 32}, {24, 24}, {16, 16}}));
}

TEST(CalendarWindow, ShowingWritesTodayAndTheGridsMonth) {
    TForm1 form;
    form.Show();
    const TDateTime today = Date();
    EXPECT_EQ(form.StatusBar1->Panels()->Items(0)->Text(), GregorianDateText(today));
    EXPECT_EQ(form.StatusBar1->Panels()->Items(1)->Text(), LunarDateLine(today));
    EXPECT_EQ(form.FlatEdit1->Text(), QString::number(form.hxCalendar1->Year()));
    EXPECT_EQ(form.FlatEdit2->Text(), QString::number(form.hxCalendar1->Month()));
    EXPECT_EQ(form.hxCalendar1->SelectedDate(), today);

    form.Timer1Timer(form.Timer1);
    const QString clock = form.StatusBar1->Panels()->Items(2)->Text();
    EXPECT_FALSE(clock.isEmpty());
    EXPECT_EQ(clock.size(), FormatLongTime(Time()).size());
}

TEST(CalendarWindow, YearButtonsStepTheEditAndTheEditMovesTheGrid) {
    auto form = MakeWindow();
    ThxCalendar* grid = form->hxCalendar1;
    EXPECT_EQ(grid->Year(), 2006);
    EXPECT_EQ(grid->Month(), 8);

    form->FlatButton2->Click(); // 下一年
    EXPECT_EQ(form->FlatEdit1->Text(), "2007");
    EXPECT_EQ(grid->Year(), 2007);
    EXPECT_EQ(grid->Month(), 8);
    form->FlatButton3->Click(); // 上一年
    EXPECT_EQ(grid->Year(), 2006);

    // 9998 -> 9999 -> 2006: the grid passes through 9999 and ends at 2006.
    std::vector<int> years;
    grid->OnChange = [&](TObject*) { years.push_back(grid->Year()); };
    form->FlatEdit1->SetText(QStringLiteral("9998"));
    form->FlatButton2->Click();
    EXPECT_EQ(form->FlatEdit1->Text(), "2006");
    EXPECT_EQ(years, (std::vector<int>{9998, 9999, 2006}));

    // Below year 1 the edit stays at "0" (a minus sign is no digit) and the grid stays.
    form->FlatEdit1->SetText(QStringLiteral("1"));
    EXPECT_EQ(grid->Year(), 1);
    form->FlatButton3->Click();
    EXPECT_EQ(form->FlatEdit1->Text(), "0");
    form->FlatButton3->Click();
    EXPECT_EQ(form->FlatEdit1->Text(), "0");
    EXPECT_EQ(grid->Year(), 1);
    form->FlatEdit1->SetText(QString());
    EXPECT_EQ(form->FlatEdit1->Text(), "0") << "an empty edit reads 0";
}

TEST(CalendarWindow, MonthButtonsWrapWithinTheYear) {
    auto form = MakeWindow();
    ThxCalendar* grid = form->hxCalendar1;
    form->FlatEdit2->SetText(QStringLiteral("12"));
    form->FlatButton4->Click(); // 下个月 from 12
    EXPECT_EQ(form->FlatEdit2->Text(), "1");
    EXPECT_EQ(grid->Month(), 1);
    EXPECT_EQ(grid->Year(), 2006);
    form->FlatButton5->Click(); // 上个月 from 1
    EXPECT_EQ(form->FlatEdit2->Text(), "12");
    EXPECT_EQ(grid->Month(), 12);
    EXPECT_EQ(grid->Year(), 2006);

    // A day the new month lacks: 31 January -> February selects the 28th.
    form->FlatEdit2->SetText(QStringLiteral("1"));
    grid->SetDay(31);
    form->FlatButton4->Click();
    EXPECT_EQ(grid->SelectedDate(), EncodeDate(2006, 2, 28));
}

TEST(CalendarWindow, BadEditTextsResetTheEditAndKeepTheGrid) {
    auto form = MakeWindow();
    ThxCalendar* grid = form->hxCalendar1;
    const TDateTime before = grid->SelectedDate();

    form->FlatEdit2->SetText(QStringLiteral("13"));
    EXPECT_EQ(form->FlatEdit2->Text(), "13");
    form->FlatEdit2->SetText(QStringLiteral("1a"));
    EXPECT_EQ(form->FlatEdit2->Text(), "0");
    form->FlatEdit1->SetText(QStringLiteral("20x6"));
    EXPECT_EQ(form->FlatEdit1->Text(), "0");
    form->FlatEdit1->SetText(QStringLiteral(" 2006"));
    EXPECT_EQ(form->FlatEdit1->Text(), "0") << "a blank is no digit";
    EXPECT_EQ(grid->SelectedDate(), before);

    // Numbers no date can hold: the framework's error report, the grid keeps its date.
    AnsweredBoxes boxes;
    form->FlatEdit1->SetText(QStringLiteral("10000"));
    form->FlatEdit1->SetText(QStringLiteral("99999999999"));
    EXPECT_EQ(boxes.Requests.size(), 2u);
    for (const TMessageBoxRequest& r : boxes.Requests)
        EXPECT_EQ(r.Icon, TMessageBoxIcon::Error);
    EXPECT_EQ(grid->SelectedDate(), before);
}

TEST(CalendarWindow, TodayButtonAndAboutBox) {
    auto form = MakeWindow();
    form->FlatButton1->Click(); // 回到今天
    EXPECT_EQ(form->hxCalendar1->SelectedDate(), Date());

    AnsweredBoxes boxes;
    form->FlatButton6->Click(); // 关于
    ASSERT_EQ(boxes.Requests.size(), 1u);
    const TMessageBoxRequest& about = boxes.Requests[0];
    EXPECT_EQ(about.Caption, QStringLiteral("zarvo万年历"));
    EXPECT_EQ(about.Buttons, TMessageBoxButtons::OK);
    const QStringList lines = about.Text.split(u'\r');
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], QStringLiteral("欢迎您使用zarvo软件！"));
    EXPECT_EQ(lines[1], QString());
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("制作人：")));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("E-mail:")));
    EXPECT_TRUE(lines[4].startsWith(QStringLiteral("http")));
}

TEST(CalendarWindow, HoverTextSpeaksOfTodayWhereverTheMouseIs) {
    const TDateTime moment = EncodeDate(2006, 8, 15) + EncodeTime(14, 5, 9, 0);
    EXPECT_EQ(GregorianDateText(moment), QStringLiteral("公历: 2006年8月15日"));
    EXPECT_EQ(LunarDateLine(moment), QStringLiteral("农历: 丙戌(狗年)七月廿二"));
    EXPECT_EQ(LunarDateLine(EncodeDate(2101, 1, 1)), QStringLiteral("农历: "));
    EXPECT_EQ(CalendarHoverText(moment),
              QStringLiteral("今天是：\r\r公历: 2006年8月15日\r农历: 丙戌(狗年)七月廿二\r\r"
                             "当前时间: \r\r") +
                  FormatLongTime(moment));

    auto form = MakeWindow(); // the grid shows August 2006, not today's month
    const QString todayPrefix = QStringLiteral("今天是：\r\r") + GregorianDateText(Date()) +
                                QChar(u'\r') + LunarDateLine(Date()) +
                                QStringLiteral("\r\r当前时间: \r\r");
    for (QPoint p : {QPoint(10, 10), QPoint(300, 150)}) {
        form->hxCalendar1->SetHint(QString());
        QMouseEvent move(QEvent::MouseMove, QPointF(p), QPointF(form->hxCalendar1->mapToGlobal(p)),
                         Qt::NoButton, {}, {});
        QApplication::sendEvent(form->hxCalendar1, &move);
        EXPECT_TRUE(form->hxCalendar1->Hint().startsWith(todayPrefix));
    }
}

TEST(CalendarWindow, PluginFormShowReturnsTheCloseResultAndLeavesNoWindow) {
    const int formsBefore = Screen->FormCount();
    for (int call = 0; call < 2; ++call) {
        QWidget* seen = nullptr;
        QTimer closer;
        closer.setInterval(10);
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                seen = modal;
                modal->close();
            }
        });
        closer.start();
        EXPECT_EQ(PluginFormShow(), mrCancel);
        ASSERT_NE(seen, nullptr);
        EXPECT_EQ(Screen->FormCount(), formsBefore) << "the window is destroyed";
    }
}

// The window as it shows 10 December 2026 at 9:30, for the snapshot check (tests/snapshots),
// which asks for the picture in $SNAPSHOT_PICTURES. The day's texts are worked out by hand.
TEST(CalendarWindow, ShowsAFixedDayAndClockAsPictured) {
    TForm1 form;
    form.Show();
    form.Timer1->SetEnabled(false);
    form.FlatEdit1->SetText(QStringLiteral("2026"));
    form.FlatEdit2->SetText(QStringLiteral("12"));
    form.hxCalendar1->SetDay(10);
    const TDateTime day = EncodeDate(2026, 12, 10);
    EXPECT_EQ(GregorianDateText(day), QStringLiteral("公历: 2026年12月10日"));
    EXPECT_EQ(LunarDateLine(day), QStringLiteral("农历: 丙午(马年)十一月初二"));
    TStatusPanels* panels = form.StatusBar1->Panels();
    panels->Items(0)->SetText(GregorianDateText(day));
    panels->Items(1)->SetText(LunarDateLine(day));
    panels->Items(2)->SetText(FormatLongTime(EncodeTime(9, 30, 0, 0)));
    EXPECT_EQ(form.hxCalendar1->SelectedDate(), day);

    const QString pictures = qEnvironmentVariable("SNAPSHOT_PICTURES");
    if (!pictures.isEmpty()) {
        EXPECT_TRUE(form.grab().save(pictures + QStringLiteral("/calendar.png")));
    }
}
