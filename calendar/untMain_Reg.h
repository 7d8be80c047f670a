#pragma once
// The perpetual calendar window and the plug-in's one export.
//
// PluginFormShow (the only symbol libzarvownl.so exports) creates a calendar window, shows it
// modally and destroys it again before it returns the window's modal result: 2 (cancel) when
// the user closes it with the close box. The host needs a QApplication; a host without any
// Qt application gets one for the duration of the call (see PluginFormShow in the .cpp).

#include "calendar/TFlatButtonUnit.h"
#include "calendar/TFlatEditUnit.h"
#include "calendar/TFlatHintUnit.h"
#include "calendar/hxCalendar.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/Timers.h"

#include <QIcon>

#define ZARVOWNL_EXPORT __attribute__((visibility("default")))

extern "C" ZARVOWNL_EXPORT int PluginFormShow();

// The library's version, also kept as a readable string in the file ("zarvownl 2.0.0.0").
extern const char* const ZarvownlVersion;

// Today's texts of the status bar and the hover text, for the date serial `today`.
// "公历: 2006年8月15日"
QString GregorianDateText(TDateTime today);
// "农历: 丙戌(狗年)七月廿二"; "农历: " alone outside the lunar calendar's range.
QString LunarDateLine(TDateTime today);
// The grid's hover text at the moment `now` (date and time of day).
QString CalendarHoverText(TDateTime now);
// The window icon: a calendar page showing `day`, at 72, 64, 48, 32, 24 and 16 pixels.
QIcon CalendarWindowIcon(int day);

class TForm1 : public TForm {
    Q_OBJECT
public:
    explicit TForm1(QObject* owner = nullptr);
    ~TForm1() override;

    ThxCalendar* hxCalendar1;
    TFlatButton* FlatButton1;
    TFlatHint* FlatHint1;
    TTimer* Timer1;
    TStatusBar* StatusBar1;
    TFlatEdit* FlatEdit1;
    TFlatEdit* FlatEdit2;
    TFlatButton* FlatButton2;
    TFlatButton* FlatButton3;
    TFlatButton* FlatButton4;
    TFlatButton* FlatButton5;
    TFlatButton* FlatButton6;

    // The handlers, as the components call them.
    void FormShow(TObject* Sender);
    void Timer1Timer(TObject* Sender);
    void hxCalendar1MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void FlatEdit1Change(TObject* Sender);
    void FlatEdit2Change(TObject* Sender);
    void FlatButton2Click(TObject* Sender);
    void FlatButton3Click(TObject* Sender);
    void FlatButton4Click(TObject* Sender);
    void FlatButton5Click(TObject* Sender);
    void FlatButton1Click(TObject* Sender);
    void FlatButton6Click(TObject* Sender);

private:
    void CreateComponents();
    TFlatButton* MakeButton(int left, int top, int width, int height, const QString& caption,
                            const QString& hint, int tabOrder);
    TFlatEdit* MakeEdit(int left, int top, int width, const QString& text, const QString& hint,
                        int tabOrder);
};
