#include "app/SearchWindow.h"

#include "framework/Canvas.h"
#include "skinforms/bsSkinForm.h"
#include "skinctrls/bsSkinEdit.h"
#include "skinctrls/bsSkinListBox.h"
#include "skinctrls/bsSkinPanels.h"

#include <QTimer>
#include <algorithm>

using namespace LibrarySearch;

namespace {

constexpr int Margin = 8;
constexpr int EditHeight = 20;
constexpr int Gap = 6;
// The category and name columns of a row, at most (a narrow window gives them less).
constexpr int CategoryWidth = 100;
constexpr int NameWidth = 150;
// Behind the words a row highlights; the words themselves are drawn in black on it.
constexpr TColor HighlightFill = 0x0066E6FF;

// The query as a message quotes it: white space made single, long queries shortened.
QString Quoted(const QString& query) {
    QString shown = query.simplified();
    constexpr int Longest = 24;
    if (shown.size() > Longest)
        shown = shown.left(Longest) + QStringLiteral("…");
    return shown;
}

// Draws `text` at x clipped to `clip`, the spans on the highlight colour.
void DrawMarked(TCanvas& canvas, int x, int y, const TRect& clip, const QString& text,
                const std::vector<Span>& spans) {
    const TColor plain = canvas.Font.Color();
    canvas.Brush.Style = bsClear;
    int at = 0;
    auto draw = [&](int from, int to, bool marked) {
        if (to <= from || x >= clip.Right)
            return;
        const QString piece = text.mid(from, to - from);
        const int width = canvas.TextWidth(piece);
        if (marked) {
            canvas.Brush.Style = bsSolid;
            canvas.Brush.Color = HighlightFill;
            TRect fill(x, clip.Top + 1, std::min(x + width, clip.Right), clip.Bottom - 1);
            canvas.FillRect(fill);
            canvas.Brush.Style = bsClear;
            canvas.Font.SetColor(clBlack);
        }
        canvas.TextRect(clip, x, y, piece);
        canvas.Font.SetColor(plain);
        x += width;
    };
    for (const Span& span : spans) {
        draw(at, span.Start, false);
        draw(span.Start, span.Start + span.Length, true);
        at = span.Start + span.Length;
    }
    draw(at, int(text.size()), false);
}

} // namespace

TSearchLayout TSearchLayout::For(int width, int height) {
    const int right = std::max(Margin, width - Margin);
    const int listTop = Margin + EditHeight + Gap;
    return {TRect(Margin, Margin, right, Margin + EditHeight),
            TRect(Margin, listTop, right, std::max(listTop, height - Margin))};
}

TSearchWindow::TSearchWindow(const QString& dataFolder, QObject* owner) : TForm(owner) {
    SetText(Caption());
    SetBorderStyle(bsSizeable);
    SetPosition(poScreenCenter);
    bsBusinessSkinForm1 = new TbsBusinessSkinForm(this);
    bsBusinessSkinForm1->SetBorderIcons(biSystemMenu | biMinimize | biMaximize);
    SetClientSize(620, 400);

    bsSkinStatusBar1 = new TbsSkinStatusBar(this);
    bsSkinStatusBar1->SetSkinDataName(QStringLiteral("statusbar"));
    bsSkinStatusBar1->SetBounds(0, 400 - 21, 620, 21);
    bsSkinStatusBar1->SetAlign(alBottom);
    bsSkinStatusPanel1 = new TbsSkinStatusPanel(bsSkinStatusBar1);
    bsSkinStatusPanel1->SetSkinDataName(QStringLiteral("statuspanel"));
    bsSkinStatusPanel1->SetAlign(alClient);

    bsSkinPanel1 = new TbsSkinPanel(this);
    bsSkinPanel1->SetSkinDataName(QStringLiteral("panel"));
    bsSkinPanel1->SetAlign(alClient);

    bsSkinEdit1 = new TbsSkinEdit(bsSkinPanel1);
    bsSkinEdit1->SetSkinDataName(QStringLiteral("edit"));
    bsSkinListBox1 = new TbsSkinListBox(bsSkinPanel1);
    bsSkinListBox1->SetSkinDataName(QStringLiteral("listbox"));
    PlaceControls();
    SetActiveControl(bsSkinEdit1);

    FIndex = new TLibraryIndex(dataFolder, this);
    connect(FIndex, &TLibraryIndex::Ready, this, [this] { Guarded([this] { Search(); }); });

    bsSkinPanel1->OnResize = [this](TObject*) { PlaceControls(); };
    bsSkinEdit1->OnChange = [this](TObject* sender) { bsSkinEdit1Change(sender); };
    bsSkinEdit1->OnKeyDown = [this](TObject* sender, int& key, TShiftState shift) {
        bsSkinEdit1KeyDown(sender, key, shift);
    };
    bsSkinEdit1->OnKeyPress = [this](TObject* sender, QChar& key) {
        bsSkinEdit1KeyPress(sender, key);
    };
    bsSkinListBox1->OnListBoxDblClick = [this](TObject* sender) {
        bsSkinListBox1ListBoxDblClick(sender);
    };
    bsSkinListBox1->OnListBoxKeyDown = [this](TObject* sender, int& key, TShiftState shift) {
        bsSkinListBox1ListBoxKeyDown(sender, key, shift);
    };
    bsSkinListBox1->OnDrawItem = [this](TObject*, TCanvas& canvas, int index, int, int,
                                        TRect textRect,
                                        TOwnerDrawState) { DrawRow(canvas, index, textRect); };
    ShowStatus();
}

void TSearchWindow::UseSkin(TbsSkinData* skinData) {
    bsBusinessSkinForm1->SetSkinData(skinData);
    bsSkinStatusBar1->SetSkinData(skinData);
    bsSkinPanel1->SetSkinData(skinData);
    bsSkinEdit1->SetSkinData(skinData);
    bsSkinListBox1->SetSkinData(skinData);
}

void TSearchWindow::PlaceControls() {
    const TSearchLayout layout = TSearchLayout::For(bsSkinPanel1->Width(), bsSkinPanel1->Height());
    bsSkinEdit1->SetBounds(layout.Edit.Left, layout.Edit.Top, layout.Edit.Width(),
                           layout.Edit.Height());
    bsSkinListBox1->SetBounds(layout.List.Left, layout.List.Top, layout.List.Width(),
                              layout.List.Height());
}

void TSearchWindow::DoShow() {
    TForm::DoShow();
    // The library is read while the user types the first words.
    FIndex->Start();
    ShowStatus();
}

void TSearchWindow::ShowSearch() {
    Show();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
    bsSkinEdit1->SetFocus();
    bsSkinEdit1->SelectAll();
}

void TSearchWindow::bsSkinEdit1Change(TObject*) {
    Search();
}

void TSearchWindow::Search() {
    FWords = Words(bsSkinEdit1->Text());
    FAnswer = FIndex->Find(bsSkinEdit1->Text(), MaxRows);
    QStringList rows;
    for (const Result& result : FAnswer.Results)
        rows << result.Category + QLatin1Char(' ') + result.Name;
    bsSkinListBox1->InnerList()->SetOrderedItems(rows);
    bsSkinListBox1->SyncListBars();
    bsSkinListBox1->SetItemIndex(rows.isEmpty() ? -1 : 0);
    ShowStatus();
}

QString TSearchWindow::StatusText() const {
    return bsSkinStatusPanel1->Caption();
}

void TSearchWindow::ShowStatus() {
    QString text;
    const QString query = bsSkinEdit1->Text();
    if (!FIndex->Started() || FIndex->Reading())
        text = QStringLiteral("正在读取特效库……");
    else if (Words(query).isEmpty())
        text = QStringLiteral("请输入要查找的文字（多个词用空格分开）");
    else if (FAnswer.Total == 0)
        text = QStringLiteral("没有找到包含“%1”的特效").arg(Quoted(query));
    else if (FAnswer.Total > int(FAnswer.Results.size()))
        text = QStringLiteral("找到 %1 个特效，显示前 %2 个")
                   .arg(FAnswer.Total)
                   .arg(FAnswer.Results.size());
    else
        text = QStringLiteral("找到 %1 个特效").arg(FAnswer.Total);
    const QStringList unreadable = FIndex->Unreadable();
    if (!unreadable.isEmpty()) {
        constexpr int Named = 3;
        text +=
            QStringLiteral("　无法读取：") + unreadable.mid(0, Named).join(QStringLiteral("、"));
        if (unreadable.size() > Named)
            text += QStringLiteral(" 等 %1 项").arg(unreadable.size());
    }
    bsSkinStatusPanel1->SetCaption(text);
}

void TSearchWindow::DrawRow(TCanvas& canvas, int index, const TRect& rect) {
    if (index < 0 || index >= int(FAnswer.Results.size()))
        return;
    const Result& result = FAnswer.Results[size_t(index)];
    const int y = rect.Top + (rect.Height() - canvas.TextHeight(QStringLiteral("Ag"))) / 2;
    const int width = rect.Width();
    const int categoryWidth = std::min(CategoryWidth, width / 4);
    const int nameWidth = std::min(NameWidth, width / 3);
    const int gap = 6;
    TRect column(rect.Left, rect.Top, rect.Left + categoryWidth - gap, rect.Bottom);
    DrawMarked(canvas, column.Left, y, column, result.Category, {});
    column = TRect(column.Right + gap, rect.Top, column.Right + gap + nameWidth - gap, rect.Bottom);
    DrawMarked(canvas, column.Left, y, column, result.Name,
               ShownLine(result.Name, FWords).Highlights);
    column = TRect(column.Right + gap, rect.Top, rect.Right, rect.Bottom);
    DrawMarked(canvas, column.Left, y, column, result.LineText, result.Highlights);
}

void TSearchWindow::MoveChoice(int by) {
    const int count = bsSkinListBox1->Count();
    if (count == 0)
        return;
    bsSkinListBox1->SetItemIndex(std::clamp(bsSkinListBox1->ItemIndex() + by, 0, count - 1));
}

void TSearchWindow::bsSkinEdit1KeyDown(TObject*, int& Key, TShiftState) {
    const int page =
        std::max(1, bsSkinListBox1->Height() / std::max(1, bsSkinListBox1->ItemHeight()) - 1);
    switch (Key) {
    case Qt::Key_Down:
        MoveChoice(1);
        break;
    case Qt::Key_Up:
        MoveChoice(-1);
        break;
    case Qt::Key_PageDown:
        MoveChoice(page);
        break;
    case Qt::Key_PageUp:
        MoveChoice(-page);
        break;
    default:
        return;
    }
    Key = 0;
}

void TSearchWindow::bsSkinEdit1KeyPress(TObject*, QChar& Key) {
    if (Key == QLatin1Char('\r')) {
        Key = QChar();
        OpenChosen();
    } else if (Key == QChar(27)) {
        Key = QChar();
        Close();
    }
}

void TSearchWindow::bsSkinListBox1ListBoxDblClick(TObject*) {
    OpenChosen();
}

void TSearchWindow::bsSkinListBox1ListBoxKeyDown(TObject*, int& Key, TShiftState) {
    if (Key == Qt::Key_Return || Key == Qt::Key_Enter) {
        Key = 0;
        OpenChosen();
    } else if (Key == Qt::Key_Escape) {
        Key = 0;
        Close();
    }
}

bool TSearchWindow::OpenChosen() {
    if (FAnswer.Results.empty() || !OnOpen)
        return false;
    const int index = std::max(0, bsSkinListBox1->ItemIndex());
    const Result chosen =
        FAnswer.Results[size_t(std::min<size_t>(size_t(index), FAnswer.Results.size() - 1))];
    if (OnOpen(chosen))
        return true;
    // The effect is gone: the rows follow the library again.
    Search();
    return false;
}
