#pragma once
// The skinned message box. TbsSkinMessage is the non-visual component the program keeps one
// of; each ShowMessageDialog builds a TbsMessageForm (a dialog form with a skinned label, the
// kind's icon and a centred row of skinned buttons), shows it modally, destroys it and
// answers the modal result of the button pressed (mrCancel = 2 when the box was closed in
// another way).
//
// Layout of a box, in client coordinates:
//   icon 32 x 32 at (5, T), T = the label's middle - 16, at least 10
//   label at (50, 15), auto-sized to the text
//   buttons 60 wide, H high (the skin's "button" height or 25), 10 apart, centred,
//   10 above the bottom; client = max(label right, button row) + 40 wide,
//   H + label height + 50 high.

#include "skin/bsSkinData.h"

#include "framework/Font.h"
#include "framework/Forms.h"

#include <QPointer>
#include <QString>
#include <array>
#include <initializer_list>

class TImage;
class TbsBusinessSkinForm;
class TbsSkinButton;
class TbsSkinStdLabel;

// The kinds of message, in the order of their numbers.
enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// The buttons of a box, in the order in which they are laid out from left to right.
enum TMsgDlgBtn {
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp
};
constexpr int MsgDlgButtonCount = mbHelp + 1;

// A set of buttons: bit i stands for the button numbered i.
class TMsgDlgButtons {
public:
    constexpr TMsgDlgButtons() = default;
    constexpr TMsgDlgButtons(std::initializer_list<TMsgDlgBtn> buttons) {
        for (TMsgDlgBtn b : buttons)
            FBits |= 1u << b;
    }
    static constexpr TMsgDlgButtons FromBits(unsigned bits) {
        TMsgDlgButtons set;
        set.FBits = bits & ((1u << MsgDlgButtonCount) - 1);
        return set;
    }
    constexpr bool Contains(TMsgDlgBtn button) const { return (FBits >> button) & 1u; }
    constexpr unsigned Bits() const { return FBits; }
    int Count() const;

private:
    unsigned FBits = 0;
};

// What the table of buttons says about one of them.
struct TMsgDlgButtonInfo {
    const char* Name;    // component name
    const char* Caption; // "&" marks the accelerator
    TModalResult Result;
};
const TMsgDlgButtonInfo& MsgDlgButtonInfo(TMsgDlgBtn button);
// The caption of a box of this kind ("警告", ...); the application title for mtCustom.
QString MsgDlgCaption(TMsgDlgType kind);
// The kind's icon as a 32 x 32 picture on button face, from the desktop style's standard
// icons; an empty bitmap for mtCustom.
TBitmap MsgDlgIcon(TMsgDlgType kind);

// The button Enter presses and the one Escape presses in a box with these buttons.
// Returns false when the set has no such button.
bool MsgDlgDefaultButton(TMsgDlgButtons buttons, TMsgDlgBtn& button);
bool MsgDlgCancelButton(TMsgDlgButtons buttons, TMsgDlgBtn& button);

// The dialog form of one message. It is built complete by TbsSkinMessage::CreateMessageForm.
class TbsMessageForm : public TForm {
    Q_OBJECT
public:
    explicit TbsMessageForm(QObject* owner = nullptr);
    ~TbsMessageForm() override;

    // The skinned frame around the box: the skin's caption, no caption buttons.
    TbsBusinessSkinForm* Frame() const { return FFrame; }
    TbsSkinStdLabel* Message() const { return FMessage; }
    TImage* Image() const { return FImage; }
    // The button of that kind, or nullptr when the box does not have it.
    TbsSkinButton* Button(TMsgDlgBtn button) const;

    int HelpContext = 0;

private:
    friend class TbsSkinMessage;
    TbsBusinessSkinForm* FFrame = nullptr;
    TbsSkinStdLabel* FMessage = nullptr;
    TImage* FImage = nullptr;
    std::array<TbsSkinButton*, MsgDlgButtonCount> FButtons{};
};

class TbsSkinMessage : public TComponent {
    Q_OBJECT
public:
    explicit TbsSkinMessage(QObject* owner = nullptr);
    ~TbsSkinMessage() override;

    static constexpr int ButtonWidth = 60;
    static constexpr int ButtonSpacing = 10;
    static constexpr int PlainButtonHeight = 25;

    // Builds the box, shows it modally, destroys it and answers its modal result: the
    // pressed button's, or mrCancel when closed otherwise. `helpContext` goes to the Help
    // button. While the framework's message-box hook is set, the request goes to the hook
    // instead and its answer is the result.
    int ShowMessageDialog(const QString& text, TMsgDlgType kind, TMsgDlgButtons buttons,
                          int helpContext = 0);
    // A question with Yes and No whose default button is No, so that Enter keeps what exists:
    // asked before something is replaced. Answers as ShowMessageDialog does.
    int ShowQuestionDefaultNo(const QString& text);
    // The box ShowMessageDialog shows, built but not shown; the caller owns it.
    TbsMessageForm* CreateMessageForm(const QString& text, TMsgDlgType kind, TMsgDlgButtons buttons,
                                      int helpContext = 0) const;
    // The button height of the box: the "skinrect" height of the button record of
    // CtrlSkinData, or 25 without one.
    int ButtonHeight() const;

    // Passed on to the box's frame.
    bool AlphaBlend = false;
    bool AlphaBlendAnimation = false;
    int AlphaBlendValue = 200;

    // Skin of the box's frame; not owned, cleared when it is destroyed.
    TbsSkinData* SkinData() const { return FSkinData.data(); }
    void SetSkinData(TbsSkinData* value) { FSkinData = value; }
    // Skin of the label and the buttons, and of the frame's menus.
    TbsSkinData* CtrlSkinData() const { return FCtrlSkinData.data(); }
    void SetCtrlSkinData(TbsSkinData* value) { FCtrlSkinData = value; }

    QString ButtonSkinDataName = QStringLiteral("button");
    QString MessageLabelSkinDataName = QStringLiteral("stdlabel");
    // The label's font and the buttons' font (assigning copies).
    TFont* DefaultFont() { return &FDefaultFont; }
    void SetDefaultFont(const TFont& font) { FDefaultFont.Assign(font); }
    TFont* DefaultButtonFont() { return &FDefaultButtonFont; }
    void SetDefaultButtonFont(const TFont& font) { FDefaultButtonFont.Assign(font); }
    bool UseSkinFont = true;

    // Asked to show the help topic of a box's help context (its Help button).
    std::function<void(int HelpContext)> OnHelp;

private:
    // Shows the box modally and destroys it; the modal result.
    static int ShowAndDestroy(TbsMessageForm* box);
    void SkinFrame(TbsMessageForm& form) const;
    void AddLabel(TbsMessageForm& form, const QString& text) const;
    void AddIcon(TbsMessageForm& form, TMsgDlgType kind) const;
    void FitFormSize(TbsMessageForm& form, int buttonHeight, int rowWidth) const;
    void AddButtons(TbsMessageForm& form, TMsgDlgButtons buttons, int buttonHeight,
                    int rowWidth) const;

    QPointer<TbsSkinData> FSkinData;
    QPointer<TbsSkinData> FCtrlSkinData;
    TFont FDefaultFont;
    TFont FDefaultButtonFont;
};
