#pragma once
// The add-effect dialog: a category, a name and the code of a new effect, written into the
// library as one extension-less file. The dialog stays open after an addition, emptied for
// the next one.
//
// Layout (client coordinates): the three labels at the left (27, 31 / 63 / 95), the
// category box and the name at (131, 31 / 63), the code memo with its bar at (30, 119),
// and the buttons "添加", "取消", "关于" along the bottom at y 315.

#include "framework/Forms.h"

#include <QPointer>

class TbsBusinessSkinForm;
class TbsSkinButton;
class TbsSkinComboBox;
class TbsSkinData;
class TbsSkinEdit;
class TbsSkinGroupBox;
class TbsSkinLabel;
class TbsSkinMemo2;
class TbsSkinMessage;
class TbsSkinScrollBar;

class TForm3 : public TForm {
    Q_OBJECT
public:
    explicit TForm3(QObject* owner = nullptr);
    ~TForm3() override;

    // The main window's skin and message box, shared by all windows. The frame takes the
    // skin at once, as the window's size follows it; the controls when the window first
    // shows, so a dialog the user may never open costs nothing at start-up.
    void UseSkin(TbsSkinData* skinData, TbsSkinMessage* messages);

    // --- Handlers
    // Every showing starts empty: the category prompt, no name, no code.
    void FormShow(TObject* Sender);
    // "添加": the three checks in order, then the file, the message, the reset and
    // OnEffectAdded.
    void bsSkinButton1Click(TObject* Sender);
    // "取消".
    void bsSkinButton2Click(TObject* Sender);
    // "关于": the author and the contact address.
    void bsSkinButton3Click(TObject* Sender);

    // An effect was written; the main window re-reads its effect list.
    TNotifyEvent OnEffectAdded;

    // --- Components
    TbsBusinessSkinForm* bsBusinessSkinForm1; // the skinned frame, without caption buttons
    TbsSkinGroupBox* bsSkinGroupBox1;         // "zarvo特效添加"
    TbsSkinLabel* bsSkinLabel1;               // "请选择特效类别"
    TbsSkinLabel* bsSkinLabel2;               // "请输入特效名称"
    TbsSkinLabel* bsSkinLabel3;               // "请输入特效代码"
    TbsSkinComboBox* bsSkinComboBox1;         // the category (any text may be typed)
    TbsSkinEdit* bsSkinEdit1;                 // the effect's name
    TbsSkinMemo2* bsSkinMemo21;               // the effect's code
    TbsSkinScrollBar* bsSkinScrollBar1;       // the memo's vertical bar
    TbsSkinButton* bsSkinButton1;             // "添加"
    TbsSkinButton* bsSkinButton2;             // "取消"
    TbsSkinButton* bsSkinButton3;             // "关于"

private:
    TbsSkinLabel* AddLabel(int top, const QString& caption);
    TbsSkinButton* AddButton(int left, const QString& caption);
    void Reset();
    // Gives the controls the skin kept by UseSkin, once.
    void SkinControls();

    QPointer<TbsSkinMessage> FMessages;
    QPointer<TbsSkinData> FControlsSkin;
};

extern TForm3* Form3;
