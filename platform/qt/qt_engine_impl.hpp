// The inside of the Qt engine; included by the engine, its tests and its
// benchmarks.
#pragma once

#include <QApplication>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "form/window_definition.hpp"
#include "platform/engine_core.hpp"
#include "platform/qt/game_list_model.hpp"
#include "platform/qt/qt_engine.hpp"

namespace varnsel::platform::qt {

struct QtFormEngine::Impl : public QObject {
    Impl(int& argc, char** argv);
    ~Impl() override;

    // Building the window from its table (qt_window.cpp).
    void build();
    QWidget* make(ControlId control, QWidget* parent);
    void focusFirst();

    // The control a widget belongs to (a list's viewport belongs to the list).
    std::optional<ControlId> controlOf(QObject* object) const;
    QWidget* widget(ControlId control) const {
        return widgets[static_cast<std::size_t>(control.index)];
    }
    // The widget of a control of the kind `Widget` is made for.
    template <class Widget, form::Kind K>
    Widget* widget(form::Of<K> control) const {
        return static_cast<Widget*>(widget(control.id));
    }

    // What a screen reader hears of a label's caption, announced when it
    // changed rather than when the window was built.
    void readOut(ControlId label, std::string_view caption, bool changed);

    // Input (qt_input.cpp).
    void focusChanged(QWidget* old, QWidget* now);
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool inWindow(QObject* object) const;
    bool focusIsOn(ControlId control) const;
    void endProgram();

    std::unique_ptr<QApplication> ownApplication;
    std::vector<std::string> arguments;  // the program's own, as exact bytes
    EngineCore core{{
        .schedulePump =
            [this] {
                QMetaObject::invokeMethod(
                    this, [this] { core.pump(); }, Qt::QueuedConnection);
            },
        .hasFocus = [this](ControlId control) { return focusIsOn(control); },
        .giveFocus = [this](ControlId control) { widget(control)->setFocus(Qt::MouseFocusReason); },
        .shown =
            [this](ControlId control) {
                const QWidget* w = widget(control);
                return w && w->isVisible() && w->isEnabled();
            },
    }};
    std::unique_ptr<QWidget> window;
    std::array<QWidget*, form::kControlCount> widgets{};  // none for a timer
    std::array<QTimer*, form::kControlCount> timers{};
    GameListModel* games = nullptr;
    QWidget* announcer = nullptr;        // shown to have a screen reader say its name at once
    std::optional<int> pendingSelStart;  // a caret move that waits for its selection
};

inline QtFormEngine::Impl& insideOf(QtFormEngine& engine) {
    return *engine.impl_;
}

}  // namespace varnsel::platform::qt
