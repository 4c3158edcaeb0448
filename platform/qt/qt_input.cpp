// The Qt window's input: focus moves, presses and keys, and the title bar's close.
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

#include "platform/qt/qt_engine_impl.hpp"

namespace varnsel::platform::qt {
namespace {

// The character a key types, as the logic's KeyPress takes it: 13 for Enter
// on either keyboard, 0 for Tab and for a key that types nothing.
std::int16_t keyAscii(const QEvent* event) {
    const auto* keyEvent = static_cast<const QKeyEvent*>(event);
    const int code = keyEvent->key();
    if (code == Qt::Key_Return || code == Qt::Key_Enter) return 13;
    if (code == Qt::Key_Tab || code == Qt::Key_Backtab || keyEvent->text().isEmpty()) return 0;
    return static_cast<std::int16_t>(keyEvent->text().at(0).unicode());
}

}  // namespace

// Focus moves between this window's controls raise LostFocus and GotFocus,
// after the move, as events of their own; the window losing or regaining
// activation (a message box, another program) raises neither.
void QtFormEngine::Impl::focusChanged(QWidget*, QWidget* now) {
    if (!now || !window || now->window() != window.get()) return;
    if (const auto control = controlOf(now)) core.focusMovedTo(*control);
}

// The window's input goes to the engine core before Qt handles it; what the
// core refuses is taken here and goes no further.
bool QtFormEngine::Impl::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // The title bar's close ends the program, as the quit button does.
    if (type == QEvent::Close && window && watched == window.get() && !core.ended()) {
        endProgram();
        return false;
    }
    const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    const bool release = type == QEvent::MouseButtonRelease;
    const bool key = type == QEvent::KeyPress;
    // Only the left button presses: the others press nothing and move no
    // focus, as on Windows. Taken at the window, before Qt gives the focus.
    if ((press || release) && window && watched == window->windowHandle() &&
        static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) {
        return true;
    }
    if ((!press && !release && !key) || !inWindow(watched)) return false;
    const auto target = controlOf(watched);
    if (!target || core.ended()) return core.ended();
    if (press) return !core.press(*target);
    if (release) return !core.release(*target);
    if (!core.key(*target)) return true;
    const std::int16_t ascii = keyAscii(event);
    return ascii != 0 && !core.character(*target, ascii);
}

bool QtFormEngine::Impl::inWindow(QObject* object) const {
    return window && object->isWidgetType() &&
           static_cast<QWidget*>(object)->window() == window.get();
}

bool QtFormEngine::Impl::focusIsOn(ControlId control) const {
    return window->focusWidget() && controlOf(window->focusWidget()) == control;
}

void QtFormEngine::Impl::endProgram() {
    core.end();
    for (QTimer* timer : timers) {
        if (timer) timer->stop();
    }
    if (window) window->hide();
    QCoreApplication::exit(0);
}

}  // namespace varnsel::platform::qt
