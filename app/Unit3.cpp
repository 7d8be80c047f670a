#include "app/Unit3.h"

#include "app/EffectFile.h"
#include "app/EffectLibrary.h"
#include "app/Unit1.h"
#include "framework/Strings.h"
#include "skinctrls/bsSkinButton.h"
#include "skinctrls/bsSkinComboBox.h"
#include "skinctrls/bsSkinEdit.h"
#include "skinctrls/bsSkinMemo.h"
#include "skinctrls/bsSkinPanels.h"
#include "skinctrls/bsSkinScrollBar.h"
#include "skinforms/bsMessages.h"
#include "skinforms/bsSkinForm.h"

#include <QFileInfo>

TForm3* Form3 = nullptr;

TForm3::TForm3(QObject* owner) : TForm(owner) {
    SetText(QStringLiteral("zarvo特效添加"));
    SetBorderStyle(bsSingle);
    SetBorderIcons(0);
    SetPosition(poScreenCenter);
    // An unskinned box until the main window's is given.
    FMessages = new TbsSkinMessage(this);

    bsBusinessSkinForm1 = new TbsBusinessSkinForm(this);
    bsBusinessSkinForm1->SetHideCaptionButtons(true);
    SetClientSize(369, 358);

    bsSkinGroupBox1 = new TbsSkinGroupBox(this);
    bsSkinGroupBox1->SetSkinDataName(QStringLiteral("groupbox"));
    bsSkinGroupBox1->SetBounds(0, 0, 369, 358);
    bsSkinGroupBox1->SetCaption(QStringLiteral("zarvo特效添加"));

    bsSkinLabel1 = AddLabel(31, QStringLiteral("请选择特效类别"));
    bsSkinLabel2 = AddLabel(63, QStringLiteral("请输入特效名称"));
    bsSkinLabel3 = AddLabel(95, QStringLiteral("请输入特效代码"));

    bsSkinComboBox1 = new TbsSkinComboBox(bsSkinGroupBox1);
    bsSkinComboBox1->SetSkinDataName(QStringLiteral("combobox"));
    bsSkinComboBox1->SetStyle(bscbEditStyle);
    bsSkinComboBox1->SetBounds(131, 31, 169, 20);
    bsSkinComboBox1->Items()->AddStrings(EffectLibrary::Categories());
    bsSkinComboBox1->SetText(EffectLibrary::CategoryPrompt());

    bsSkinEdit1 = new TbsSkinEdit(bsSkinGroupBox1);
    bsSkinEdit1->SetSkinDataName(QStringLiteral("edit"));
    bsSkinEdit1->SetBounds(131, 63, 169, 20);

    bsSkinMemo21 = new TbsSkinMemo2(bsSkinGroupBox1);
    bsSkinMemo21->SetSkinDataName(QStringLiteral("memo"));
    bsSkinMemo21->SetBounds(30, 119, 296, 178);
    bsSkinMemo21->SetScrollBars(ssVertical);

    bsSkinScrollBar1 = new TbsSkinScrollBar(bsSkinGroupBox1);
    bsSkinScrollBar1->SetSkinDataName(QStringLiteral("vscrollbar"));
    bsSkinScrollBar1->SetKind(sbVertical);
    bsSkinScrollBar1->SetBounds(325, 119, 19, 178);
    bsSkinScrollBar1->SetEnabled(false);
    bsSkinMemo21->SetVScrollBar(bsSkinScrollBar1);

    bsSkinButton1 = AddButton(62, QStringLiteral("添加"));
    bsSkinButton2 = AddButton(150, QStringLiteral("取消"));
    bsSkinButton3 = AddButton(238, QStringLiteral("关于"));

    OnShow = [this](TObject* sender) { FormShow(sender); };
    bsSkinButton1->OnClick = [this](TObject* sender) { bsSkinButton1Click(sender); };
    bsSkinButton2->OnClick = [this](TObject* sender) { bsSkinButton2Click(sender); };
    bsSkinButton3->OnClick = [this](TObject* sender) { bsSkinButton3Click(sender); };
}

TForm3::~TForm3() {
    if (Form3 == this)
        Form3 = nullptr;
}

TbsSkinLabel* TForm3::AddLabel(int top, const QString& caption) {
    auto* label = new TbsSkinLabel(bsSkinGroupBox1);
    label->SetSkinDataName(QStringLiteral("label"));
    label->SetBounds(27, top, 94, 21);
    label->SetCaption(caption);
    return label;
}

TbsSkinButton* TForm3::AddButton(int left, const QString& caption) {
    auto* button = new TbsSkinButton(bsSkinGroupBox1);
    button->SetSkinDataName(QStringLiteral("button"));
    button->SetBounds(left, 315, 75, 25);
    button->SetCaption(caption);
    return button;
}

void TForm3::UseSkin(TbsSkinData* skinData, TbsSkinMessage* messages) {
    if (messages)
        FMessages = messages;
    bsBusinessSkinForm1->SetSkinData(skinData);
    FControlsSkin = skinData;
    if (isVisible())
        SkinControls();
}

void TForm3::SkinControls() {
    const QPointer<TbsSkinData> skinData = std::exchange(FControlsSkin, nullptr);
    if (!skinData)
        return;
    for (TbsSkinCustomControl* control : std::initializer_list<TbsSkinCustomControl*>{
             bsSkinGroupBox1, bsSkinLabel1, bsSkinLabel2, bsSkinLabel3, bsSkinComboBox1,
             bsSkinScrollBar1, bsSkinButton1, bsSkinButton2, bsSkinButton3})
        control->SetSkinData(skinData);
    bsSkinEdit1->SetSkinData(skinData);
    bsSkinMemo21->SetSkinData(skinData);
}

void TForm3::Reset() {
    bsSkinComboBox1->SetText(EffectLibrary::CategoryPrompt());
    bsSkinEdit1->SetText(QString());
    bsSkinMemo21->Clear();
}

void TForm3::FormShow(TObject*) {
    SkinControls();
    Reset();
}

void TForm3::bsSkinButton1Click(TObject*) {
    const QString category = bsSkinComboBox1->Text();
    const QString name = EffectLibrary::TrimmedEffectName(bsSkinEdit1->Text());
    const QString problem =
        EffectLibrary::AddEffectProblem(category, name, bsSkinMemo21->Lines()->Count());
    if (!problem.isEmpty()) {
        FMessages->ShowMessageDialog(problem, mtInformation, {mbOK});
        return;
    }
    const QString path = EffectLibrary::NewEffectPath(category, name);
    // An effect of that name is replaced only when the user says so; the input stays.
    if (QFileInfo::exists(path) &&
        FMessages->ShowQuestionDefaultNo(EffectLibrary::ReplaceEffectQuestion(category, name)) !=
            mrYes)
        return;
    // New text: GB18030 (GBK), unless the page declares UTF-8.
    EffectFile::Save(*bsSkinMemo21->Lines(), path, TextEncoding::Encoding::Gbk);
    FMessages->ShowMessageDialog(QStringLiteral("添加特效成功"), mtInformation, {mbOK});
    Reset();
    FireEvent(OnEffectAdded, this);
}

void TForm3::bsSkinButton2Click(TObject*) {
    Close();
}

void TForm3::bsSkinButton3Click(TObject*) {
    FMessages->ShowMessageDialog(QStringLiteral("欢迎您使用zarvo软件！制作人：") +
                                     MakerInfo::Author() + QStringLiteral(",E-mail:") +
                                     MakerInfo::MailAddress(),
                                 mtInformation, {mbOK});
}
