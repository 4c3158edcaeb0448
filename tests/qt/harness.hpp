// What the Qt suites share: a launcher on the real Qt engine in a folder of
// the test's own, a log of the events it delivered, and a hand that answers
// message boxes as they open.
#pragma once

#include <dirent.h>
#include <unistd.h>
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/frmVarnsel.hpp"
#include "platform/posix/posix_runtime.hpp"
#include "platform/qt/qt_engine.hpp"
#include "platform/qt/qt_engine_impl.hpp"
#include "tools/standin/record.hpp"

namespace varnsel::testing {

struct Delivered {
    std::string control;
    platform::EventKind kind;
};

// The window object, with every event it receives written down.
class RecordingForm : public platform::FormHandler {
public:
    RecordingForm(platform::FormEngine& window, platform::Runtime& runtime)
        : form(window, runtime) {}
    void onEvent(platform::ControlId control, platform::EventKind kind, std::int16_t key) override {
        log.push_back({std::string(form::nameOf(control)), kind});
        form.onEvent(control, kind, key);
    }
    int count(std::string_view control, platform::EventKind kind) const {
        int n = 0;
        for (const Delivered& d : log) n += d.control == control && d.kind == kind;
        return n;
    }
    frmVarnsel form;
    std::vector<Delivered> log;
};

using standin::Launch;
using standin::readLaunches;

// Children of this process that are left as zombies.
inline int zombieChildren() {
    int zombies = 0;
    DIR* proc = opendir("/proc");
    while (const dirent* entry = readdir(proc)) {
        std::ifstream stat(std::string("/proc/") + entry->d_name + "/stat");
        std::string line;
        if (!std::getline(stat, line)) continue;
        std::istringstream rest(line.substr(line.rfind(')') + 2));
        char state = 0;
        long parent = 0;
        rest >> state >> parent;
        zombies += parent == getpid() && state == 'Z';
    }
    closedir(proc);
    return zombies;
}

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    int buttons;
};

// Presses OK on each message box as it opens, after writing down what it said.
class BoxAnswerer : public QObject {
public:
    BoxAnswerer() {
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            seen.push_back({box->windowTitle(), box->text(), box->icon(),
                            static_cast<int>(box->buttons().size())});
            box->button(QMessageBox::Ok)->click();
        });
        timer_.start(5);
    }
    std::vector<SeenBox> seen;

private:
    QTimer timer_;
};

// A launcher on the Qt engine, started in `folder`.
class Launcher {
public:
    // With `openNow` false the test changes the folder first, then open()s.
    explicit Launcher(const QString& folder, bool openNow = true) {
        previous_ = QDir::currentPath();
        QDir::setCurrent(folder);
        engine = std::make_unique<platform::qt::QtFormEngine>(argc_, argv_);
        recorder = std::make_unique<RecordingForm>(*engine, runtime);
        if (openNow) open();
    }
    void open() {
        engine->open(*recorder);
        if (window()->isVisible()) (void)QTest::qWaitForWindowActive(window());
    }
    ~Launcher() {
        recorder.reset();
        engine.reset();
        QDir::setCurrent(previous_);
        if (::chdir(previous_.toLocal8Bit().constData()) != 0) qWarning("cannot go back");
    }
    platform::qt::QtFormEngine::Impl& impl() { return insideOf(*engine); }
    QWidget* window() { return impl().window.get(); }
    template <class W = QWidget>
    W* widget(platform::ControlId control) {
        return qobject_cast<W*>(impl().widget(control));
    }
    QTimer* timer(platform::ControlId control) {
        return impl().timers[static_cast<std::size_t>(control.index)];
    }
    QString focusName() const {
        QWidget* focus = QApplication::focusWidget();
        return focus ? focus->objectName() : QString();
    }
    void pressTab(bool back = false) {
        QTest::keyClick(QApplication::focusWidget(), back ? Qt::Key_Backtab : Qt::Key_Tab);
    }

    platform::posix::PosixRuntime runtime;
    std::unique_ptr<platform::qt::QtFormEngine> engine;
    std::unique_ptr<RecordingForm> recorder;

private:
    QString previous_;
    int argc_ = 1;
    char name_[8] = "varnsel";
    char* argv_[2] = {name_, nullptr};
};

}  // namespace varnsel::testing
