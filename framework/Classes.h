#pragma once
// Components and events. A component is a QObject: its owner is its Qt parent, which
// destroys it; its Name is the object name. Visual controls are QWidgets (and so
// QObjects too); they do not derive from TComponent because a class cannot derive from
// QObject twice. References that must be cleared when the referenced component dies
// are QPointer.
//
// Events are std::function members named as the program names them (OnClick, ...),
// taking the sender first. Every event is fired through FireEvent, which turns an
// exception escaping the handler into the standard error report and lets the program
// go on, so exceptions never cross into Qt's event loop.

#include <QObject>
#include <QPointer>
#include <QString>
#include <exception>
#include <functional>
#include <stdexcept>
#include <utility>

using TObject = QObject;
using TNotifyEvent = std::function<void(TObject* Sender)>;

class TComponent : public QObject {
    Q_OBJECT
public:
    explicit TComponent(QObject* owner = nullptr);
    ~TComponent() override;

    QObject* Owner() const { return parent(); }
    QString Name() const { return objectName(); }
    void SetName(const QString& name) { setObjectName(name); }
    // Components owned by this one, in creation order.
    int ComponentCount() const;
    QObject* Components(int index) const;
    // Tag: a free integer for the program's own use.
    long long Tag = 0;
};

// Shows an exception that escaped an event handler. The application replaces the
// default (a message on standard error) with its standard error report.
using TExceptionHandler = std::function<void(const std::exception& error)>;
void SetExceptionHandler(TExceptionHandler handler);
void HandleException(const std::exception& error);

// Runs `action`, reporting any exception through HandleException. Returns false when
// an exception was reported.
template <class F> bool Guarded(F&& action) {
    try {
        std::forward<F>(action)();
        return true;
    } catch (const std::exception& error) {
        HandleException(error);
    } catch (...) {
        HandleException(std::runtime_error("Unknown error"));
    }
    return false;
}

// Fires an event when it is assigned, through the guard.
template <class Event, class... Args> bool FireEvent(const Event& event, Args&&... args) {
    if (!event)
        return true;
    return Guarded([&] { event(std::forward<Args>(args)...); });
}
