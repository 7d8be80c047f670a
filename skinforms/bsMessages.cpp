#include "skinforms/bsMessages.h"

#include "skinforms/bsSkinForm.h"
#include "skinctrls/bsSkinButton.h"
#include "skinctrls/bsSkinPanels.h"

#include "framework/Dialogs.h"
#include "framework/ExtCtrls.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QStyle>
#include <bit>

namespace {

constexpr std::array<TMsgDlgButtonInfo, MsgDlgButtonCount> ButtonTable{{
    {"Yes", "是(&Y)", mrYes},
    {"No", "否(&N)", mrNo},
    {"OK", "确定", mrOk},
    {"Cancel", "取消", mrCancel},
    {"Abort", "放弃(&A)", mrAbort},
    {"Retry", "重试(&R)", mrRetry},
    {"Ignore", "忽略(&I)", mrIgnore},
    {"All", "全部(&A)", mrAll},
    {"NoToAll", "全部否(&O)", mrNoToAll},
    {"YesToAll", "全部是(&Y)", mrYesToAll},
    {"Help", "帮助(&H)", mrNone},
}};

constexpr int IconSize = 32;
constexpr int LabelLeft = 50;
constexpr int LabelTop = 15;
constexpr int IconLeft = 5;
constexpr int IconTopMin = 10;
// Room right of the wider of text and button row, and below the buttons.
constexpr int SideMargin = 40;
constexpr int BottomMargin = 10;
// Room above the text, between text and buttons, and below the buttons together.
constexpr int VerticalMargins = 50;

// The first button of `order` that is in the set.
bool FirstIn(TMsgDlgButtons buttons, std::initializer_list<TMsgDlgBtn> order, TMsgDlgBtn& button) {
    for (TMsgDlgBtn b : order)
        if (buttons.Contains(b)) {
            button = b;
            return true;
        }
    return false;
}

// The plain box's picture of a kind.
TMessageBoxIcon PlainIcon(TMsgDlgType kind) {
    switch (kind) {
    case mtWarning:
        return TMessageBoxIcon::Warning;
    case mtError:
        return TMessageBoxIcon::Error;
    case mtInformation:
        return TMessageBoxIcon::Information;
    case mtConfirmation:
        return TMessageBoxIcon::Question;
    case mtCustom:
        break;
    }
    return TMessageBoxIcon::None;
}

// The plain box's button set nearest to a set of buttons (OK for sets it has no name for).
TMessageBoxButtons PlainButtons(TMsgDlgButtons buttons) {
    struct TPair {
        TMsgDlgButtons Set;
        TMessageBoxButtons Plain;
    };
    const TPair pairs[] = {{{mbOK, mbCancel}, TMessageBoxButtons::OKCancel},
                           {{mbAbort, mbRetry, mbIgnore}, TMessageBoxButtons::AbortRetryIgnore},
                           {{mbYes, mbNo, mbCancel}, TMessageBoxButtons::YesNoCancel},
                           {{mbYes, mbNo}, TMessageBoxButtons::YesNo},
                           {{mbRetry, mbCancel}, TMessageBoxButtons::RetryCancel}};
    for (const TPair& pair : pairs)
        if ((buttons.Bits() & ~(1u << mbHelp)) == pair.Set.Bits())
            return pair.Plain;
    return TMessageBoxButtons::OK;
}

} // namespace

int TMsgDlgButtons::Count() const {
    return std::popcount(FBits);
}

const TMsgDlgButtonInfo& MsgDlgButtonInfo(TMsgDlgBtn button) {
    return ButtonTable.at(button);
}

QString MsgDlgCaption(TMsgDlgType kind) {
    switch (kind) {
    case mtWarning:
        return QStringLiteral("警告");
    case mtError:
        return QStringLiteral("错误");
    case mtInformation:
        return QStringLiteral("信息");
    case mtConfirmation:
        return QStringLiteral("确认");
    case mtCustom:
        break;
    }
    return Application->Title();
}

TBitmap MsgDlgIcon(TMsgDlgType kind) {
    QStyle::StandardPixmap pixmap;
    switch (kind) {
    case mtWarning:
        pixmap = QStyle::SP_MessageBoxWarning;
        break;
    case mtError:
        pixmap = QStyle::SP_MessageBoxCritical;
        break;
    case mtInformation:
        pixmap = QStyle::SP_MessageBoxInformation;
        break;
    case mtConfirmation:
        pixmap = QStyle::SP_MessageBoxQuestion;
        break;
    default:
        return TBitmap();
    }
    // The icon's own transparency is flattened onto button face, the colour the picture
    // control then leaves out, so the box's background shows around the icon.
    QImage image(IconSize, IconSize, QImage::Format_RGB32);
    TColor face = ColorToRGB(clBtnFace);
    image.fill(QColor(GetRValue(face), GetGValue(face), GetBValue(face)));
    QIcon icon = QApplication::style()->standardIcon(pixmap);
    {
        QPainter painter(&image);
        icon.paint(&painter, QRect(0, 0, IconSize, IconSize));
    }
    TBitmap bitmap;
    bitmap.FromQImage(image);
    bitmap.SetTransparentColor(face);
    bitmap.SetTransparent(true);
    return bitmap;
}

bool MsgDlgDefaultButton(TMsgDlgButtons buttons, TMsgDlgBtn& button) {
    // Only the first choice present counts: without OK or Yes, Retry or nothing.
    TMsgDlgBtn preferred = buttons.Contains(mbOK)    ? mbOK
                           : buttons.Contains(mbYes) ? mbYes
                                                     : mbRetry;
    return FirstIn(buttons, {preferred}, button);
}

bool MsgDlgCancelButton(TMsgDlgButtons buttons, TMsgDlgBtn& button) {
    TMsgDlgBtn preferred = buttons.Contains(mbCancel) ? mbCancel
                           : buttons.Contains(mbNo)   ? mbNo
                                                      : mbOK;
    return FirstIn(buttons, {preferred}, button);
}

// ---------------------------------------------------------------- TbsMessageForm

TbsMessageForm::TbsMessageForm(QObject* owner) : TForm(owner ? owner : Application.operator->()) {
    SetPosition(poScreenCenter);
    SetBorderStyle(bsDialog);
    // No caption buttons: the box is answered by its buttons or closed by the keyboard.
    SetBorderIcons(0);
    SetKeyPreview(true);
    FFrame = new TbsBusinessSkinForm(this);
    FFrame->SetBorderIcons(0);
    FFrame->SetHideCaptionButtons(true);
}

TbsMessageForm::~TbsMessageForm() = default;

TbsSkinButton* TbsMessageForm::Button(TMsgDlgBtn button) const {
    return FButtons.at(button);
}

// ---------------------------------------------------------------- TbsSkinMessage

TbsSkinMessage::TbsSkinMessage(QObject* owner) : TComponent(owner) {
    for (TFont* font : {&FDefaultFont, &FDefaultButtonFont}) {
        font->SetName(QStringLiteral("Arial"));
        font->SetHeight(14);
        font->SetStyle(TFontStyles());
    }
}

TbsSkinMessage::~TbsSkinMessage() = default;

int TbsSkinMessage::ButtonHeight() const {
    TbsSkinData* data = CtrlSkinData();
    if (!data || data->SkinEmpty)
        return PlainButtonHeight;
    int index = data->IndexOfControl(ButtonSkinDataName);
    if (index < 0)
        return PlainButtonHeight;
    auto* record = dynamic_cast<TbsDataSkinButtonControl*>(data->SkinControls[index].get());
    return record ? record->SkinRect.Height() : PlainButtonHeight;
}

int TbsSkinMessage::ShowMessageDialog(const QString& text, TMsgDlgType kind, TMsgDlgButtons buttons,
                                      int helpContext) {
    // Tests and tools without a display answer every box, the skinned ones too.
    if (const TMessageBoxHook& hook = MessageBoxHook())
        return hook(
            TMessageBoxRequest{text, MsgDlgCaption(kind), PlainIcon(kind), PlainButtons(buttons)});
    return ShowAndDestroy(CreateMessageForm(text, kind, buttons, helpContext));
}

int TbsSkinMessage::ShowQuestionDefaultNo(const QString& text) {
    const TMsgDlgButtons buttons{mbYes, mbNo};
    if (const TMessageBoxHook& hook = MessageBoxHook())
        return hook(TMessageBoxRequest{text, MsgDlgCaption(mtConfirmation),
                                       PlainIcon(mtConfirmation), PlainButtons(buttons)});
    TbsMessageForm* form = CreateMessageForm(text, mtConfirmation, buttons);
    form->Button(mbYes)->SetDefault(false);
    form->Button(mbNo)->SetDefault(true);
    form->SetActiveControl(form->Button(mbNo));
    return ShowAndDestroy(form);
}

int TbsSkinMessage::ShowAndDestroy(TbsMessageForm* box) {
    std::unique_ptr<TbsMessageForm> form(box);
    QPointer<TbsMessageForm> alive(form.get());
    int result = form->ShowModal();
    // Something may have destroyed the box while it was open (its owner going away).
    if (!alive)
        (void)form.release();
    return result;
}

TbsMessageForm* TbsSkinMessage::CreateMessageForm(const QString& text, TMsgDlgType kind,
                                                  TMsgDlgButtons buttons, int helpContext) const {
    auto* form = new TbsMessageForm();
    form->HelpContext = helpContext;
    int buttonHeight = ButtonHeight();
    int count = buttons.Count();
    int rowWidth = count == 0 ? 0 : ButtonWidth * count + ButtonSpacing * (count - 1);
    form->SetText(MsgDlgCaption(kind));
    SkinFrame(*form);
    AddLabel(*form, text);
    AddIcon(*form, kind);
    FitFormSize(*form, buttonHeight, rowWidth);
    AddButtons(*form, buttons, buttonHeight, rowWidth);
    return form;
}

void TbsSkinMessage::SkinFrame(TbsMessageForm& form) const {
    TbsBusinessSkinForm* frame = form.FFrame;
    frame->AlphaBlend = AlphaBlend;
    frame->AlphaBlendAnimation = AlphaBlendAnimation;
    frame->AlphaBlendValue = AlphaBlendValue;
    frame->SetMenusSkinData(CtrlSkinData());
    frame->SetSkinData(SkinData());
}

void TbsSkinMessage::AddLabel(TbsMessageForm& form, const QString& text) const {
    auto* label = new TbsSkinStdLabel(&form);
    label->SetName(QStringLiteral("Message"));
    label->SetFont(FDefaultFont);
    label->SetDefaultFont(FDefaultFont);
    label->SetUseSkinFont(UseSkinFont);
    label->SetSkinDataName(MessageLabelSkinDataName);
    label->SetSkinData(CtrlSkinData());
    // The message is plain text: an "&" in it is shown, not taken as an accelerator.
    label->SetShowAccelChar(false);
    label->SetAutoSize(true);
    label->SetText(text);
    label->SetLeft(LabelLeft);
    label->SetTop(LabelTop);
    form.FMessage = label;
}

void TbsSkinMessage::AddIcon(TbsMessageForm& form, TMsgDlgType kind) const {
    auto* image = new TImage(&form);
    image->SetName(QStringLiteral("Image"));
    image->SetPicture(MsgDlgIcon(kind));
    image->SetTransparent(true);
    TbsSkinStdLabel* label = form.FMessage;
    int top = std::max(IconTopMin, label->Top() + label->Height() / 2 - IconSize / 2);
    image->SetBounds(IconLeft, top, IconSize, IconSize);
    form.FImage = image;
}

void TbsSkinMessage::FitFormSize(TbsMessageForm& form, int buttonHeight, int rowWidth) const {
    TbsSkinStdLabel* label = form.FMessage;
    int textRight = label->Left() + label->Width();
    form.SetClientSize(std::max(textRight, rowWidth) + SideMargin,
                       buttonHeight + label->Height() + VerticalMargins);
    // A box never grows wider than the work area, nor narrower than its frame can be drawn.
    const int maxWidth = Screen->MonitorWorkArea(&form).Width();
    const int minWidth = form.FFrame->MinFrameWidth();
    if (maxWidth > 0 && form.Width() > maxWidth)
        form.SetWidth(maxWidth);
    else if (minWidth > form.Width())
        form.SetWidth(minWidth);
}

void TbsSkinMessage::AddButtons(TbsMessageForm& form, TMsgDlgButtons buttons, int buttonHeight,
                                int rowWidth) const {
    TMsgDlgBtn defaultButton = mbOK, cancelButton = mbOK;
    bool hasDefault = MsgDlgDefaultButton(buttons, defaultButton);
    bool hasCancel = MsgDlgCancelButton(buttons, cancelButton);
    int x = (form.ClientWidth() - rowWidth) / 2;
    int y = form.ClientHeight() - buttonHeight - BottomMargin;
    for (int i = 0; i < MsgDlgButtonCount; ++i) {
        auto kind = static_cast<TMsgDlgBtn>(i);
        if (!buttons.Contains(kind))
            continue;
        const TMsgDlgButtonInfo& info = ButtonTable[i];
        auto* button = new TbsSkinButton(&form);
        button->SetName(QString::fromLatin1(info.Name));
        button->SetCanFocused(true);
        button->SetCaption(QString::fromUtf8(info.Caption));
        button->SetModalResult(info.Result);
        button->SetDefault(hasDefault && kind == defaultButton);
        button->SetCancel(hasCancel && kind == cancelButton);
        button->SetDefaultHeight(buttonHeight);
        button->SetDefaultFont(FDefaultButtonFont);
        button->SetUseSkinFont(UseSkinFont);
        button->SetSkinDataName(ButtonSkinDataName);
        button->SetSkinData(CtrlSkinData());
        button->SetBounds(x, y, ButtonWidth, buttonHeight);
        if (kind == mbHelp) {
            TbsMessageForm* box = &form;
            auto onHelp = OnHelp;
            button->OnClick = [box, onHelp](TObject*) {
                if (onHelp)
                    onHelp(box->HelpContext);
            };
        }
        form.FButtons[i] = button;
        x += ButtonWidth + ButtonSpacing;
    }
    // Focus starts on the default button, so Enter answers it even before Tab is pressed.
    if (hasDefault)
        form.SetActiveControl(form.FButtons[defaultButton]);
}
