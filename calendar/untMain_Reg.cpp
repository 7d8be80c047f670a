#include "calendar/untMain_Reg.h"

#include "framework/Canvas.h"
#include "framework/DateUtils.h"
#include "framework/Dialogs.h"
#include "framework/SysUtils.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <memory>

// Kept in the file so `strings libzarvownl.so` shows the version. The leading zero ends
// whatever bytes the compiler placed before it, so the text stands alone.
__attribute__((used)) static const char VersionString[] = "\0zarvownl 2.0.0.0";
const char* const ZarvownlVersion = VersionString + 1;

namespace {

const QString WindowCaption = QStringLiteral("zarvo万年历");
constexpr int GbCharset = 134; // Simplified Chinese
const QChar LineBreak = u'\r';

// The about box's text: greeting, empty line, maker, mail address and home page.
const QString AboutText = QStringLiteral("欢迎您使用zarvo软件！\r"
                                         "\r"
                                         "制作人：zarvo工作室\r"
                                         "E-mail:zarvo@zarvo.example\r"
                                         "http://www.zarvo.example/");

void SetSongFont(TFont& font) {
    font.SetName(QStringLiteral("宋体"));
    font.SetHeight(-12);
    font.SetCharset(GbCharset);
    font.SetStyle({});
}

// The number the edit holds when it holds only decimal digits. Anything else is reset to
// "0" (so is an empty text) and gives false. Too large a number raises EConvertError.
bool DigitsOf(TFlatEdit* edit, int& value) {
    const QString text = edit->Text();
    for (QChar c : text)
        if (c < u'0' || c > u'9') {
            edit->SetText(QStringLiteral("0"));
            return false;
        }
    if (text.isEmpty()) {
        edit->SetText(QStringLiteral("0"));
        return false;
    }
    value = StrToInt(text);
    return true;
}

// The edit's number moved by `delta`; "1" for an empty edit.
void StepEdit(TFlatEdit* edit, int delta) {
    const QString text = Trim(edit->Text());
    if (text.isEmpty())
        edit->SetText(QStringLiteral("1"));
    else
        edit->SetText(IntToStr(static_cast<qint64>(StrToInt(text)) + delta));
}

void ReplaceText(TFlatEdit* edit, const QString& from, const QString& to) {
    if (edit->Text() == from)
        edit->SetText(to);
}

// One image of the window icon: a white page with a red binding strip, two rings and the
// day number, on a transparent square.
QPixmap CalendarIconImage(int size, int day) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, size >= 24);
    const qreal unit = size / 16.0;
    const QRectF page(0.5 * unit, 1.5 * unit, 15 * unit, 14 * unit);
    p.setPen(QPen(QColor(90, 90, 90), std::max<qreal>(1.0, unit * 0.5)));
    p.setBrush(Qt::white);
    p.drawRect(page);
    const QRectF strip(page.left(), page.top(), page.width(), 4 * unit);
    p.fillRect(strip, QColor(200, 30, 30));
    p.setBrush(QColor(60, 60, 60));
    p.setPen(Qt::NoPen);
    for (qreal x : {4.0, 11.0})
        p.drawRect(QRectF(x * unit, 0.5 * unit, 1.2 * unit, 3 * unit));
    QFont font(TFont::SubstituteFamily(QStringLiteral("Arial")));
    font.setBold(true);
    font.setPixelSize(std::max(6, static_cast<int>(9 * unit)));
    p.setFont(font);
    p.setPen(QColor(0, 0, 128));
    const QRectF digits(page.left(), strip.bottom(), page.width(), page.bottom() - strip.bottom());
    p.drawText(digits, Qt::AlignCenter, QString::number(day));
    p.end();
    return QPixmap::fromImage(image);
}

// The window shown modally, destroyed before the call returns.
int ShowCalendarWindow() {
    Application->SetTitle(WindowCaption);
    std::unique_ptr<TForm1> form(new TForm1(Application));
    return form->ShowModal();
}

// Set once the library has made the framework's application object; the cleanup at unload
// then takes it off the host's QApplication.
bool gFrameworkUsed = false;

// Runs when the library is unloaded (or the process ends with it loaded). While the host's
// QApplication lives, nothing of this library may stay registered with it: no forms, no
// hint window, no event filter, no exit routine.
struct UnloadCleanup {
    UnloadCleanup() = default;
    UnloadCleanup(const UnloadCleanup&) = delete;
    UnloadCleanup& operator=(const UnloadCleanup&) = delete;
    ~UnloadCleanup() {
        if (!gFrameworkUsed || !QCoreApplication::instance())
            return;
        Application->Finalize();
        delete static_cast<TApplication*>(Application);
        delete static_cast<TScreen*>(Screen);
    }
};
UnloadCleanup gUnloadCleanup;

// A host without any Qt application (a plain C program): the call gets its own
// QApplication, and everything of the framework leaves it before it is destroyed.
int ShowWithOwnApplication() {
    static int argc = 1;
    static char name[] = "zarvownl";
    static char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    const int result = ShowCalendarWindow();
    Application->Finalize();
    return result;
}

} // namespace

// ---------------------------------------------------------------------------------------
// Texts

QString GregorianDateText(TDateTime today) {
    int y = 0, m = 0, d = 0;
    DecodeDate(today, y, m, d);
    return QStringLiteral("公历: %1年%2月%3日").arg(y).arg(m).arg(d);
}

QString LunarDateLine(TDateTime today) {
    return QStringLiteral("农历: ") + LunarDateText(SolarToLunar(today));
}

QString CalendarHoverText(TDateTime now) {
    const QString twoBreaks(2, LineBreak);
    return QStringLiteral("今天是：") + twoBreaks + GregorianDateText(now) + LineBreak +
           LunarDateLine(now) + twoBreaks + QStringLiteral("当前时间: ") + twoBreaks +
           FormatLongTime(now);
}

QIcon CalendarWindowIcon(int day) {
    QIcon icon;
    for (int size : {72, 64, 48, 32, 24, 16})
        icon.addPixmap(CalendarIconImage(size, day));
    return icon;
}

// ---------------------------------------------------------------------------------------
// The window

TForm1::TForm1(QObject* owner) : TForm(owner) {
    setObjectName(QStringLiteral("Form1"));
    SetText(WindowCaption);
    SetBorderStyle(bsToolWindow);
    SetBorderIcons(biSystemMenu);
    SetPosition(poScreenCenter);
    SetColor(clBtnFace);
    SetSongFont(*Font());
    int y = 0, m = 0, d = 0;
    DecodeDate(Date(), y, m, d);
    SetIcon(CalendarWindowIcon(d));
    SetClientSize(529, 285);
    CreateComponents();
    SetAutoSize(true);
    OnShow = [this](TObject* sender) { FormShow(sender); };
    DoCreate();
}

TForm1::~TForm1() {
    DoDestroy();
}

TFlatButton* TForm1::MakeButton(int left, int top, int width, int height, const QString& caption,
                                const QString& hint, int tabOrder) {
    auto* button = new TFlatButton(this);
    button->SetBounds(left, top, width, height);
    button->SetCaption(caption);
    button->SetHint(hint);
    button->SetShowHint(true);
    button->SetTabOrder(tabOrder);
    return button;
}

TFlatEdit* TForm1::MakeEdit(int left, int top, int width, const QString& text, const QString& hint,
                            int tabOrder) {
    auto* edit = new TFlatEdit(this);
    edit->SetBounds(left, top, width, 18);
    edit->SetColorFlat(clBtnFace);
    edit->SetParentColor(true);
    edit->SetText(text);
    edit->SetHint(hint);
    edit->SetShowHint(true);
    edit->SetTabOrder(tabOrder);
    edit->Loaded();
    return edit;
}

void TForm1::CreateComponents() {
    hxCalendar1 = new ThxCalendar(this);
    hxCalendar1->setObjectName(QStringLiteral("hxCalendar1"));
    hxCalendar1->SetBorderStyle(bsNone);
    SetSongFont(*hxCalendar1->Font());
    hxCalendar1->Font()->SetColor(clNavy);
    hxCalendar1->SetStartOfWeek(0);
    hxCalendar1->SetShowHint(true);
    // The mouse moves keep the hover text current. It is not empty to begin with either, so
    // the application counts the grid as a control with a hint from the first entry on.
    hxCalendar1->SetHint(CalendarHoverText(Now()));
    hxCalendar1->SetBounds(5, 0, 521, 233);
    hxCalendar1->SetTabOrder(0);
    hxCalendar1->OnMouseMove = [this](TObject* sender, TShiftState shift, int x, int y) {
        hxCalendar1MouseMove(sender, shift, x, y);
    };

    FlatButton1 =
        MakeButton(8, 239, 97, 17, QStringLiteral("回到今天"), QStringLiteral("回到今天"), 1);
    FlatButton1->OnClick = [this](TObject* sender) { FlatButton1Click(sender); };

    FlatHint1 = new TFlatHint(this);
    FlatHint1->setObjectName(QStringLiteral("FlatHint1"));
    FlatHint1->Font()->SetName(QStringLiteral("MS Sans Serif"));
    FlatHint1->Font()->SetHeight(-11);
    FlatHint1->Font()->SetCharset(TFont::DefaultCharset);
    FlatHint1->Font()->SetColor(clWindowText);

    Timer1 = new TTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->SetInterval(1000);
    Timer1->OnTimer = [this](TObject* sender) { Timer1Timer(sender); };
    Timer1->SetEnabled(true);

    StatusBar1 = new TStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->SetBounds(0, 266, 529, 19);
    StatusBar1->SetAlign(alBottom);
    for (int width : {160, 180, 50})
        StatusBar1->Panels()->Add()->SetWidth(width);

    FlatEdit1 = MakeEdit(168, 239, 65, QStringLiteral("2006"), QStringLiteral("选择年份"), 3);
    FlatEdit1->OnChange = [this](TObject* sender) { FlatEdit1Change(sender); };
    FlatEdit2 = MakeEdit(352, 239, 58, QStringLiteral("8"), QStringLiteral("选择月份"), 4);
    FlatEdit2->OnChange = [this](TObject* sender) { FlatEdit2Change(sender); };

    FlatButton2 =
        MakeButton(240, 239, 41, 18, QStringLiteral("下一年"), QStringLiteral("下一年"), 5);
    FlatButton2->OnClick = [this](TObject* sender) { FlatButton2Click(sender); };
    FlatButton3 =
        MakeButton(120, 239, 41, 18, QStringLiteral("上一年"), QStringLiteral("上一年"), 6);
    FlatButton3->OnClick = [this](TObject* sender) { FlatButton3Click(sender); };
    FlatButton4 =
        MakeButton(416, 239, 41, 18, QStringLiteral("下个月"), QStringLiteral("下个月"), 7);
    FlatButton4->OnClick = [this](TObject* sender) { FlatButton4Click(sender); };
    FlatButton5 =
        MakeButton(304, 239, 41, 18, QStringLiteral("上个月"), QStringLiteral("上个月"), 8);
    FlatButton5->OnClick = [this](TObject* sender) { FlatButton5Click(sender); };
    FlatButton6 =
        MakeButton(472, 239, 49, 18, QStringLiteral("关于"), QStringLiteral("关于zarvo万年历"), 9);
    FlatButton6->OnClick = [this](TObject* sender) { FlatButton6Click(sender); };

    const std::pair<TControl*, const char*> names[] = {
        {FlatButton1, "FlatButton1"}, {FlatEdit1, "FlatEdit1"},     {FlatEdit2, "FlatEdit2"},
        {FlatButton2, "FlatButton2"}, {FlatButton3, "FlatButton3"}, {FlatButton4, "FlatButton4"},
        {FlatButton5, "FlatButton5"}, {FlatButton6, "FlatButton6"}};
    for (const auto& [control, name] : names)
        control->SetName(QString::fromLatin1(name));
}

// ---------------------------------------------------------------------------------------
// Handlers

void TForm1::FormShow(TObject*) {
    const TDateTime today = Date();
    StatusBar1->Panels()->Items(0)->SetText(GregorianDateText(today));
    StatusBar1->Panels()->Items(1)->SetText(LunarDateLine(today));
    FlatEdit1->SetText(IntToStr(hxCalendar1->Year()));
    FlatEdit2->SetText(IntToStr(hxCalendar1->Month()));
}

void TForm1::Timer1Timer(TObject*) {
    StatusBar1->Panels()->Items(2)->SetText(FormatLongTime(Time()));
}

void TForm1::hxCalendar1MouseMove(TObject*, TShiftState, int, int) {
    hxCalendar1->SetHint(CalendarHoverText(Now()));
}

void TForm1::FlatEdit1Change(TObject*) {
    int year = 0;
    if (DigitsOf(FlatEdit1, year) && year > 0)
        hxCalendar1->SetYear(year);
}

void TForm1::FlatEdit2Change(TObject*) {
    int month = 0;
    if (DigitsOf(FlatEdit2, month) && month >= 1 && month <= 12)
        hxCalendar1->SetMonth(month);
}

void TForm1::FlatButton2Click(TObject*) {
    StepEdit(FlatEdit1, +1);
    ReplaceText(FlatEdit1, QStringLiteral("9999"), QStringLiteral("2006"));
}

void TForm1::FlatButton3Click(TObject*) {
    StepEdit(FlatEdit1, -1);
    ReplaceText(FlatEdit1, QStringLiteral("9999"), QStringLiteral("2006"));
}

void TForm1::FlatButton4Click(TObject*) {
    StepEdit(FlatEdit2, +1);
    ReplaceText(FlatEdit2, QStringLiteral("13"), QStringLiteral("1"));
}

void TForm1::FlatButton5Click(TObject*) {
    StepEdit(FlatEdit2, -1);
    ReplaceText(FlatEdit2, QStringLiteral("0"), QStringLiteral("12"));
}

void TForm1::FlatButton1Click(TObject*) {
    int y = 0, m = 0, d = 0;
    DecodeDate(Date(), y, m, d);
    hxCalendar1->SetYear(y);
    hxCalendar1->SetMonth(m);
    hxCalendar1->SetDay(d);
}

void TForm1::FlatButton6Click(TObject*) {
    MessageBox(AboutText, WindowCaption, TMessageBoxIcon::None, TMessageBoxButtons::OK);
}

// ---------------------------------------------------------------------------------------
// The export

int PluginFormShow() {
    try {
        QCoreApplication* host = QCoreApplication::instance();
        // A console (non-GUI) Qt application cannot show windows.
        if (host && !qobject_cast<QApplication*>(host))
            return mrNone;
        gFrameworkUsed = true;
        return host ? ShowCalendarWindow() : ShowWithOwnApplication();
    } catch (const std::exception& error) {
        Guarded([&] { HandleException(error); });
    } catch (...) {
    }
    return mrNone;
}
