#include "framework/Classes.h"

#include "platform/Errors.h"

#include <cstdio>
#include <stdexcept>

TComponent::TComponent(QObject* owner) : QObject(owner) {}

TComponent::~TComponent() = default;

int TComponent::ComponentCount() const {
    return static_cast<int>(children().size());
}

QObject* TComponent::Components(int index) const {
    const QObjectList& list = children();
    return index >= 0 && index < list.size() ? list.at(index) : nullptr;
}

namespace {
TExceptionHandler& Handler() {
    static TExceptionHandler handler;
    return handler;
}
} // namespace

void SetExceptionHandler(TExceptionHandler handler) {
    Handler() = std::move(handler);
}

void HandleException(const std::exception& error) {
    if (Handler()) {
        try {
            Handler()(error);
            return;
        } catch (...) {
            // A failing report must not take the program down; fall through to stderr.
        }
    }
    std::fprintf(stderr, "%s\n", error.what());
}
