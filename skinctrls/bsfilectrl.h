#pragma once
// The skinned file controls:
//   TbsSkinFileListBox     a skinned list box listing the files of one folder that match a
//                          mask; listing a folder makes it the process's current folder
//   TbsSkinFilterComboBox  a skinned combo box of file-type filters that sets the mask of
//                          a linked file list

#include "skinctrls/bsSkinComboBox.h"
#include "skinctrls/bsSkinListBox.h"

#include <QPointer>
#include <QStringList>

enum TFileAttr { ftReadOnly, ftHidden, ftSystem, ftVolumeID, ftDirectory, ftArchive, ftNormal };

// A set of TFileAttr.
class TFileType {
public:
    constexpr TFileType() = default;
    constexpr TFileType(std::initializer_list<TFileAttr> attrs) {
        for (TFileAttr a : attrs)
            FBits |= 1u << a;
    }
    constexpr bool Contains(TFileAttr a) const { return FBits & (1u << a); }
    friend constexpr bool operator==(const TFileType&, const TFileType&) = default;

private:
    unsigned FBits = 0;
};

class TbsSkinFileListBox : public TbsSkinListBox {
    Q_OBJECT
public:
    explicit TbsSkinFileListBox(QWidget* parent = nullptr);
    ~TbsSkinFileListBox() override;

    // The listed folder, as the system reports it after changing to it.
    QString Directory() const { return FDirectory; }
    // Lists `folder` (nothing when it is the listed one, ignoring case); the process stays
    // in it. A folder that cannot be entered raises EInOutError and changes nothing.
    void SetDirectory(const QString& folder);
    // Wildcard patterns separated by ";"; "*." matches names without an extension.
    QString Mask() const { return FMask; }
    void SetMask(const QString& value);
    TFileType FileType() const { return FFileType; }
    void SetFileType(TFileType value);
    // Shows the selected name, or the mask when nothing is selected. Not owned.
    TCustomEdit* FileEdit() const { return FFileEdit.data(); }
    void SetFileEdit(TCustomEdit* edit);

    // The full path of the selected file; empty when nothing is selected.
    virtual QString FileName() const;
    // Opens a path: its folder is listed, a wildcard name becomes the mask, another name
    // is selected. "[name]" names a folder.
    virtual void OpenPath(const QString& path);
    void SetFileName(const QString& path) { OpenPath(path); }
    // Reads the folder again.
    void Update() { RefillList(); }

    // The selection or the listing changed.
    TNotifyEvent OnChange;

protected:
    virtual void SelectionChanged();
    // Lists the folder again (nothing before the control is first shown).
    virtual void RefillList();
    void ListClick() override;
    void showEvent(QShowEvent* event) override;

private:
    QString FDirectory;
    QString FMask = QStringLiteral("*.*");
    TFileType FFileType{ftNormal};
    QPointer<TCustomEdit> FFileEdit;
    int FLastIndex = -1;
    bool FCreated = false;
};

class TbsSkinFilterComboBox : public TbsSkinComboBox {
    Q_OBJECT
public:
    explicit TbsSkinFilterComboBox(QWidget* parent = nullptr);
    ~TbsSkinFilterComboBox() override;

    // Alternating descriptions and masks separated by "|".
    QString Filter() const { return FFilter; }
    void SetFilter(const QString& value);
    // The list whose mask follows the chosen filter. Not owned.
    TbsSkinFileListBox* FileList() const { return FFileList.data(); }
    void SetFileList(TbsSkinFileListBox* list) { FFileList = list; }
    // The mask of the chosen filter ("*.*" without filters).
    QString Mask();

protected:
    void Changed() override;

private:
    void BuildItems();

    QString FFilter = QStringLiteral("All files (*.*)|*.*");
    QPointer<TbsSkinFileListBox> FFileList;
    QStringList FMasks;
};
