// The inside of the Qt engine; included by the engine and by its tests.
#pragma once

#include <QApplication>
#include <QListView>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <map>
#include <memory>
#include <string>

#include "app/form/window_definition.hpp"
#include "platform/event_queue.hpp"
#include "platform/posix/posix_runtime.hpp"
#include "platform/qt/game_list_model.hpp"
#include "platform/qt/qt_engine.hpp"

namespace varnsel::platform::qt {

struct QtFormEngine::Impl : public QObject {
    Impl(int& argc, char** argv);
    ~Impl() override;

    struct Control {
        const form::ControlDef* def = nullptr;
        QWidget* widget = nullptr;  // none for a timer
        QTimer* timer = nullptr;
    };

    void build();
    QWidget* make(const form::ControlDef& def, QWidget* parent);
    Control& control(ControlName name, form::Kind kind);
    Control& anyControl(ControlName name);
    // The control a widget belongs to (a list's viewport belongs to the list).
    const Control* controlOf(QObject* object);

    // Events wait in one queue and run one at a time: raise() delivers at
    // once unless a handler is running, post() from the loop's next turn.
    void raise(std::string_view control, EventKind kind, std::int16_t key = 0);
    void post(std::string_view control, EventKind kind);
    bool enqueue(std::string_view control, EventKind kind, std::int16_t key);
    void pump() {
        if (form) events.deliver(*form);
    }

    void focusChanged(QWidget* old, QWidget* now);
    void endProgram();
    bool eventFilter(QObject* watched, QEvent* event) override;

    std::unique_ptr<QApplication> ownApplication;
    posix::PosixRuntime runtime;
    FormHandler* form = nullptr;
    std::unique_ptr<QWidget> window;
    std::map<std::string, Control, std::less<>> controls;
    std::pair<const std::string, Control>* lastFound = nullptr;  // the last control looked up
    GameListModel* games = nullptr;
    QListView* gameList = nullptr;
    QPointer<QWidget> lastFocus;  // the control that had the focus last, in this window
    QPointer<QObject> swallowRelease;
    EventQueue events;
};

}  // namespace varnsel::platform::qt
