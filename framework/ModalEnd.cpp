#include "framework/ModalEnd.h"

#include <QApplication>
#include <QElapsedTimer>

namespace ModalEnd {
namespace {

QElapsedTimer& SinceLastEnd() {
    static QElapsedTimer clock;
    return clock;
}

} // namespace

void Note() {
    SinceLastEnd().start();
}

bool JustEnded() {
    const QElapsedTimer& clock = SinceLastEnd();
    return clock.isValid() && clock.elapsed() < QApplication::doubleClickInterval();
}

} // namespace ModalEnd
