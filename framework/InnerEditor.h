#pragma once
// The inner editor of an edit or memo: a Qt editor whose input first goes through the
// control hosting it (see TEditorHost).

#include "framework/StdCtrls.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWheelEvent>
#include <type_traits>

// Events about an editor's settings and place, which neither show, read nor change its text:
// text held back for the editor's first showing stays held through them.
inline bool LeavesTextAlone(QEvent::Type type) {
    switch (type) {
    case QEvent::Polish:
    case QEvent::PolishRequest:
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
    case QEvent::EnabledChange:
    case QEvent::LocaleChange:
    case QEvent::ParentChange:
    case QEvent::ParentAboutToChange:
    case QEvent::ChildAdded:
    case QEvent::ChildRemoved:
    case QEvent::ChildPolished:
    case QEvent::DynamicPropertyChange:
    case QEvent::LayoutRequest:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::ToolTipChange:
    case QEvent::CursorChange:
    case QEvent::ContentsRectChange:
    case QEvent::ReadOnlyChange:
    case QEvent::MouseTrackingChange:
    case QEvent::ApplicationFontChange:
    case QEvent::ApplicationPaletteChange:
        return true;
    default:
        return false;
    }
}

// The inner editor's link to its host, cut when the host goes: a dying host still has
// its editor as a child, and Qt sends that child focus events while destroying it.
class TInnerEditorLink {
public:
    explicit TInnerEditorLink(TEditorHost* host) : FHost(host) {}
    virtual ~TInnerEditorLink() = default;
    void Unlink() { FHost = nullptr; }

protected:
    TEditorHost* FHost;
};

// Asks for an inner editor made in the application's font rather than its host's.
struct TInApplicationFont {};
inline constexpr TInApplicationFont InApplicationFont;

template <class Editor> class TInnerEditor : public Editor, public TInnerEditorLink {
public:
    explicit TInnerEditor(TEditorHost* host) : Editor(host), TInnerEditorLink(host) {}
    // Made apart from the host and then placed in it, with the application's font as its own:
    // a line edit lays its text out the moment it is made, and an editor that followed its
    // host's font would lay it out again in each font the host passes through, each costing a
    // font engine. Qt holds one for the application's font anyway.
    TInnerEditor(TEditorHost* host, TInApplicationFont) : Editor(nullptr), TInnerEditorLink(host) {
        QFont font = QApplication::font();
        // Every property its own, so nothing of the host's font reaches it through the parent.
        font.setResolveMask(QFont::AllPropertiesResolved);
        this->setFont(font);
        this->setParent(host);
    }

protected:
    bool event(QEvent* event) override {
        if (FHost && !LeavesTextAlone(event->type()))
            FHost->SettleEditor();
        return Editor::event(event);
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (!FHost)
            return Editor::keyPressEvent(event);
        QChar typed;
        if (FHost->DispatchKeyDown(event, &typed) || !FHost->EditorTakesKey(*event)) {
            event->accept();
            return;
        }
        QString text = event->text();
        if (!typed.isNull() && !text.isEmpty() && typed != text.at(0)) {
            // OnKeyPress changed the character: the editor gets the new one.
            QKeyEvent changed(event->type(), event->key(), event->modifiers(), QString(typed),
                              event->isAutoRepeat(), event->count());
            Editor::keyPressEvent(&changed);
        } else {
            Editor::keyPressEvent(event);
        }
        // Keys the editor ignores (Return in a line edit) must not reach the host again.
        event->accept();
    }
    void keyReleaseEvent(QKeyEvent* event) override {
        if (!FHost || !FHost->DispatchKeyUp(event))
            Editor::keyReleaseEvent(event);
        event->accept();
    }
    void mousePressEvent(QMouseEvent* event) override {
        Editor::mousePressEvent(event);
        if (FHost)
            FHost->EditorMouseEvent(event, MouseSurface());
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        Editor::mouseReleaseEvent(event);
        if (FHost)
            FHost->EditorMouseEvent(event, MouseSurface());
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        Editor::mouseDoubleClickEvent(event);
        if (FHost)
            FHost->EditorMouseEvent(event, MouseSurface());
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        Editor::mouseMoveEvent(event);
        if (FHost)
            FHost->EditorMouseEvent(event, MouseSurface());
    }
    void wheelEvent(QWheelEvent* event) override {
        bool handled = false;
        if (FHost)
            Guarded([&] { handled = FHost->EditorWheel(event); });
        if (handled)
            event->accept();
        else
            Editor::wheelEvent(event);
    }
    void focusInEvent(QFocusEvent* event) override {
        Editor::focusInEvent(event);
        if (FHost)
            FHost->EditorFocusIn(event->reason());
    }
    void focusOutEvent(QFocusEvent* event) override {
        // The platform keeps the selection while the control is unfocused (HideSelection
        // only hides it); a line edit would drop it.
        if constexpr (std::is_same_v<Editor, QLineEdit>) {
            // A line edit keeps its selection when it loses focus to a popup; handing it
            // that reason keeps the selection without re-arming the caret afterwards.
            QFocusEvent keepSelection(QEvent::FocusOut, Qt::PopupFocusReason);
            Editor::focusOutEvent(&keepSelection);
        } else {
            Editor::focusOutEvent(event);
        }
        if (FHost)
            FHost->EditorFocusOut(event->reason());
    }
    void contextMenuEvent(QContextMenuEvent* event) override {
        if (FHost && FHost->EditorContextMenu(event->globalPos())) {
            event->accept();
            return;
        }
        Editor::contextMenuEvent(event);
    }

private:
    QWidget* MouseSurface() {
        if constexpr (std::is_base_of_v<QAbstractScrollArea, Editor>)
            return this->viewport();
        else
            return this;
    }
};
