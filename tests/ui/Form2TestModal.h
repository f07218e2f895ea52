// Answering modal windows in the window tests: a step scheduled before a window's exec() runs
// inside that window's event loop, while it is shown, as a user's action would.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace tavri::test {

// Runs step once the event loop of the modal window about to be shown is running; step gets
// that window (QApplication::activeModalWidget()).
inline void WhenModal(std::function<void(QWidget*)> step) {
    QTimer::singleShot(0, [step = std::move(step)] { step(QApplication::activeModalWidget()); });
}

}  // namespace tavri::test
