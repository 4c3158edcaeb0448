// The Qt window's input: focus moves, presses and keys, and the title bar's close.
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

#include "platform/qt/qt_engine_impl.hpp"

namespace varnsel::platform::qt {

// Focus moves between this window's controls raise LostFocus and GotFocus,
// after the move, as events of their own; the window losing or regaining
// activation (a message box, another program) raises neither.
void QtFormEngine::Impl::focusChanged(QWidget*, QWidget* now) {
    if (!now || !window || now->window() != window.get()) return;
    if (const auto control = controlOf(now)) core.focusMovedTo(*control);
}

bool QtFormEngine::Impl::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // The title bar's close ends the program, as the quit button does.
    if (type == QEvent::Close && window && watched == window.get() && !core.ended()) {
        endProgram();
        return false;
    }
    const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    const bool key = type == QEvent::KeyPress;
    // Only the left button presses: the others press nothing and move no
    // focus, as on Windows. Taken at the window, before Qt gives the focus.
    if ((press || type == QEvent::MouseButtonRelease) && window &&
        watched == window->windowHandle() &&
        static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) {
        return true;
    }
    if (type == QEvent::MouseButtonRelease && watched == swallowRelease) {
        swallowRelease = nullptr;
        return true;
    }
    if ((!press && !key) || !inWindow(watched)) return false;
    const auto target = controlOf(watched);
    if (!target || core.ended()) return core.ended();
    const form::ControlDef& def = form::def(*target);
    const bool focusable = form::takesFocus(def.kind);
    if (press) swallowRelease = nullptr;  // one whose release went to a message box
    // A press moves the focus to its control first, here rather than inside
    // Qt, so that the move's LostFocus runs before the press does anything;
    // if that handler keeps the focus elsewhere, the press (or a key that
    // was typed meanwhile) has no effect.
    if (press && focusable && !focusIsOn(*target)) widget(*target)->setFocus(Qt::MouseFocusReason);
    core.pump();
    if (core.ended()) return true;
    if (focusable && !focusIsOn(*target)) {
        if (press) swallowRelease = watched;
        return true;
    }
    if (key && def.kind == form::Kind::TextBox) {
        const auto* keyEvent = static_cast<QKeyEvent*>(event);
        const int code = keyEvent->key();
        std::int16_t ascii = 0;
        if (code == Qt::Key_Return || code == Qt::Key_Enter) {
            ascii = 13;
        } else if (code != Qt::Key_Tab && code != Qt::Key_Backtab && !keyEvent->text().isEmpty()) {
            ascii = static_cast<std::int16_t>(keyEvent->text().at(0).unicode());
        }
        if (ascii != 0) core.raise(*target, EventKind::KeyPress, ascii);
        return core.ended();
    }
    return false;
}

bool QtFormEngine::Impl::inWindow(QObject* object) const {
    return window && object->isWidgetType() &&
           static_cast<QWidget*>(object)->window() == window.get();
}

bool QtFormEngine::Impl::focusIsOn(ControlId control) const {
    return window->focusWidget() && controlOf(window->focusWidget()) == control;
}

// A press raises Click. One that did not come through the window's own input
// (an assistive technology's Press or Toggle, whose caller waits for no
// message box) is a click all the same, from the loop's next turn: the focus
// moves to the control first, and if a handler keeps it elsewhere (a bad
// frame-skip value), the press is undone and raises nothing.
void QtFormEngine::Impl::press(ControlId control, const std::function<void()>& undo) {
    if (focusIsOn(control)) return core.raise(control, EventKind::Click);
    QMetaObject::invokeMethod(
        this,
        [this, control, undo] {
            if (core.ended()) return;
            widget(control)->setFocus(Qt::OtherFocusReason);
            core.pump();
            if (core.ended()) return;
            if (!focusIsOn(control)) return undo();
            core.raise(control, EventKind::Click);
        },
        Qt::QueuedConnection);
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
