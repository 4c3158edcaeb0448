#include "platform/qt/qt_engine.hpp"

#include <QAccessibleWidget>
#include <QCheckBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollBar>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

#include "app/form/pictures.hpp"
#include "platform/qt/qt_engine_impl.hpp"
#include "platform/qt/widgets.hpp"
#include "platform/wtf8.hpp"

namespace varnsel::platform::qt {
namespace {

using form::Kind;

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

int px(int twips) {
    return twips / form::kTwipsPerPixelAt96Dpi;
}

[[noreturn]] void fault(const std::string& what) {
    std::fprintf(stderr, "varnsel: %s\n", what.c_str());
    std::abort();
}

// The face where this system has it, else a bold sans-serif face of about
// the same width: the common metric-compatible faces first, so captions fit
// their controls as they were drawn for. Looked up in the list of families,
// which costs nothing beyond the font database that any text needs: a list
// of families given to QFont instead has fontconfig search fallbacks for
// each face that is missing.
QString resolveFace(const QString& face) {
    static const QStringList families = QFontDatabase::families();
    for (const QString& candidate : {face, QStringLiteral("Liberation Sans"),
                                     QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")}) {
        if (families.contains(candidate, Qt::CaseInsensitive)) return candidate;
    }
    return QStringLiteral("sans-serif");
}

QFont fontFor(form::FontId id) {
    const form::FontDef def = form::fontDef(id);
    QFont font = QApplication::font();
    if (def.face.empty()) {
        // Set explicitly, so a box inside the bold frame does not inherit bold.
        font.setFamily(font.family());
        if (font.pointSizeF() > 0) font.setPointSizeF(font.pointSizeF());
        font.setWeight(QFont::Normal);
        return font;
    }
    font.setFamily(resolveFace(qs(def.face)));
    font.setPointSizeF(def.points);
    font.setWeight(static_cast<QFont::Weight>(def.weight));
    return font;
}

// What assistive technology sees of two controls that Qt's widgets describe
// otherwise: the window is a frame, not a filler; the illustration an image,
// not a frame.
QAccessibleInterface* describe(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) return nullptr;
    if (widget->isWindow() && widget->objectName() == qs(form::kWindow.name))
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (dynamic_cast<PictureBox*>(widget))
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    return nullptr;
}

QIcon windowIcon() {
    QIcon icon;
    for (const QImage& image : readIcon(form::iconFile()))
        icon.addPixmap(QPixmap::fromImage(image));
    return icon;
}

std::u16string_view units(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

}  // namespace

// --- Building the window ----------------------------------------------------

QtFormEngine::Impl::Impl(int& argc, char** argv) {
    if (!QApplication::instance()) ownApplication = std::make_unique<QApplication>(argc, argv);
    connect(qApp, &QApplication::focusChanged, this, &Impl::focusChanged);
    QAccessible::installFactory(describe);
    qApp->installEventFilter(this);
}

QtFormEngine::Impl::~Impl() {
    QAccessible::removeFactory(describe);
    qApp->removeEventFilter(this);
    window.reset();
}

QWidget* QtFormEngine::Impl::make(const form::ControlDef& def, QWidget* parent) {
    const QString caption = qs(def.caption);
    const std::string name(def.name);
    switch (def.kind) {
        case Kind::PictureBox:
            return new PictureBox(form::pictureFile(def.picture), parent);
        case Kind::Timer:
            return nullptr;
        case Kind::ListBox: {
            auto* view = new GameListView(parent);
            games = new GameListModel(view);
            view->setModel(games);
            view->setSelectionMode(QAbstractItemView::SingleSelection);
            view->setEditTriggers(QAbstractItemView::NoEditTriggers);
            view->setUniformItemSizes(true);
            // Rows are laid out a batch at a time between events, so a long
            // list does not hold the first frame back.
            view->setLayoutMode(QListView::Batched);
            view->setBatchSize(1000);
            view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            view->setTextElideMode(Qt::ElideNone);
            gameList = view;
            return view;
        }
        case Kind::Frame:
            return new OptionsFrame(caption, parent);
        case Kind::CheckBox: {
            auto* box = new QCheckBox(caption, parent);
            // Every change the user makes: a click, Space, and the toggle of
            // assistive technology, which emits no clicked(). The logic
            // itself never changes a check box.
            connect(box, &QCheckBox::toggled, this,
                    [this, name] { raise(name, EventKind::Click); });
            return box;
        }
        case Kind::TextBox: {
            auto* box = new QLineEdit(caption, parent);
            box->setMaxLength(std::numeric_limits<int>::max());  // no limit but memory's
            return box;
        }
        case Kind::CommandButton: {
            auto* button = new WrappingButton(caption, parent);
            button->setAutoDefault(false);  // Enter and Escape press no button
            button->setDefault(false);
            connect(button, &QPushButton::clicked, this,
                    [this, name] { raise(name, EventKind::Click); });
            return button;
        }
        case Kind::Image: {
            auto* image = new QLabel(parent);
            image->setPixmap(QPixmap::fromImage(
                readBitmap(form::pictureFile(def.picture), {px(def.width), px(def.height)},
                           parent->palette().color(QPalette::Window))));
            image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            return image;
        }
        case Kind::Label: {
            auto* label = new Label(caption, parent);
            label->setTextFormat(Qt::PlainText);  // a name is never markup
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            if (def.name == "lblGame") {
                label->setFrameStyle(QFrame::Box | QFrame::Plain);
                label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            }
            return label;
        }
    }
    return nullptr;
}

void QtFormEngine::Impl::build() {
    window = std::make_unique<QWidget>();
    window->setObjectName(qs(form::kWindow.name));
    window->setWindowTitle(qs(form::kWindow.caption));
    window->setAccessibleName(qs(form::kWindow.caption));
    window->setWindowIcon(windowIcon());
    window->resize(px(form::kWindow.clientWidth), px(form::kWindow.clientHeight));

    for (const form::ControlDef& def : form::kControls) {
        Control entry{&def, nullptr, nullptr};
        if (def.kind == Kind::Timer) {
            entry.timer = new QTimer(this);
            entry.timer->setInterval(def.interval);
            const std::string name(def.name);
            connect(entry.timer, &QTimer::timeout, this,
                    [this, name] { post(name, EventKind::Timer); });
        } else {
            QWidget* parent =
                def.container.empty() ? window.get() : anyControl(def.container).widget;
            QWidget* widget = make(def, parent);
            widget->setObjectName(qs(def.name));
            widget->setGeometry(px(def.left), px(def.top), px(def.width), px(def.height));
            if (def.font != form::FontId::None) widget->setFont(fontFor(def.font));
            if (!def.accessibleName.empty()) widget->setAccessibleName(qs(def.accessibleName));
            widget->setFocusPolicy(form::takesFocus(def.kind) ? Qt::StrongFocus : Qt::NoFocus);
            widget->setEnabled(def.enabled);
            if (!def.visible) widget->hide();
            entry.widget = widget;
        }
        controls.emplace(std::string(def.name), entry);
    }
    // A label's buddy is what it names: Qt reports the buddy as labelled by it.
    for (const form::LabelledBy& relation : form::kLabelledBy) {
        static_cast<QLabel*>(anyControl(relation.label).widget)
            ->setBuddy(anyControl(relation.control).widget);
    }
    // The table runs front to back: raising from the back leaves the first in front.
    for (auto it = form::kControls.rbegin(); it != form::kControls.rend(); ++it) {
        if (QWidget* widget = controls.at(std::string(it->name)).widget) widget->raise();
    }
    std::vector<const Control*> order;
    for (const auto& [name, entry] : controls) {
        if (entry.widget && form::takesFocus(entry.def->kind)) order.push_back(&entry);
    }
    std::sort(order.begin(), order.end(), [](const Control* a, const Control* b) {
        return a->def->tabIndex < b->def->tabIndex;
    });
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1]->widget, order[i]->widget);
    }
    for (const auto& [name, entry] : controls) {
        if (entry.timer && entry.def->enabled) entry.timer->start();
    }
}

QtFormEngine::Impl::Control& QtFormEngine::Impl::anyControl(ControlName name) {
    // The scan adds every game to the same control: the last one found is
    // looked at first.
    if (lastFound && lastFound->first == name) return lastFound->second;
    const auto it = controls.find(name);
    if (it == controls.end()) fault("no control named \"" + std::string(name) + "\" in the window");
    lastFound = &*it;
    return it->second;
}

QtFormEngine::Impl::Control& QtFormEngine::Impl::control(ControlName name, form::Kind kind) {
    Control& entry = anyControl(name);
    if (entry.def->kind != kind) fault("\"" + std::string(name) + "\" is not of the kind used");
    return entry;
}

const QtFormEngine::Impl::Control* QtFormEngine::Impl::controlOf(QObject* object) {
    for (; object; object = object->parent()) {
        if (!object->isWidgetType()) continue;
        const auto it = controls.find(object->objectName().toStdString());
        if (it != controls.end() && it->second.widget == object) return &it->second;
    }
    return nullptr;
}

// --- Delivering events ------------------------------------------------------

bool QtFormEngine::Impl::enqueue(std::string_view control, EventKind kind, std::int16_t key) {
    return form && form::delivers(control, kind) && events.add(control, kind, key);
}

void QtFormEngine::Impl::raise(std::string_view control, EventKind kind, std::int16_t key) {
    if (enqueue(control, kind, key)) pump();
}

void QtFormEngine::Impl::post(std::string_view control, EventKind kind) {
    if (enqueue(control, kind, 0))
        QMetaObject::invokeMethod(this, &Impl::pump, Qt::QueuedConnection);
}

// Focus moves between this window's controls raise LostFocus and GotFocus,
// after the move, as events of their own; the window losing or regaining
// activation (a message box, another program) raises neither.
void QtFormEngine::Impl::focusChanged(QWidget*, QWidget* now) {
    if (!now || !window || now->window() != window.get()) return;
    const Control* entry = controlOf(now);
    if (!entry || entry->widget == lastFocus) return;
    QPointer<QWidget> from = lastFocus;
    lastFocus = entry->widget;
    if (from) post(from->objectName().toStdString(), EventKind::LostFocus);
    post(entry->def->name, EventKind::GotFocus);
}

bool QtFormEngine::Impl::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // The title bar's close ends the program, as the quit button does.
    if (type == QEvent::Close && window && watched == window.get() && !events.ended()) {
        endProgram();
        return false;
    }
    const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    const bool key = type == QEvent::KeyPress;
    if (type == QEvent::MouseButtonRelease && watched == swallowRelease) {
        swallowRelease = nullptr;
        return true;
    }
    if ((!press && !key) || !window || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != window.get()) {
        return false;
    }
    const Control* target = controlOf(watched);
    if (!target || events.ended()) return events.ended();
    const bool focusable = form::takesFocus(target->def->kind);
    if (press) swallowRelease = nullptr;  // one whose release went to a message box
    const auto focusIsOnTarget = [&] {
        return window->focusWidget() && controlOf(window->focusWidget()) == target;
    };
    // A press moves the focus to its control first, here rather than inside
    // Qt, so that the move's LostFocus runs before the press does anything;
    // if that handler keeps the focus elsewhere, the press (or a key that
    // was typed meanwhile) has no effect.
    if (press && focusable && !focusIsOnTarget()) target->widget->setFocus(Qt::MouseFocusReason);
    pump();
    if (events.ended()) return true;
    if (focusable && !focusIsOnTarget()) {
        if (press) swallowRelease = watched;
        return true;
    }
    if (key && target->def->kind == Kind::TextBox) {
        const auto* keyEvent = static_cast<QKeyEvent*>(event);
        const int code = keyEvent->key();
        std::int16_t ascii = 0;
        if (code == Qt::Key_Return || code == Qt::Key_Enter) {
            ascii = 13;
        } else if (code != Qt::Key_Tab && code != Qt::Key_Backtab && !keyEvent->text().isEmpty()) {
            ascii = static_cast<std::int16_t>(keyEvent->text().at(0).unicode());
        }
        if (ascii != 0) raise(target->def->name, EventKind::KeyPress, ascii);
        return events.ended();
    }
    return false;
}

// --- The engine ---------------------------------------------------------------

QtFormEngine::QtFormEngine(int& argc, char** argv) : impl_(std::make_unique<Impl>(argc, argv)) {}

QtFormEngine::~QtFormEngine() = default;

void QtFormEngine::open(FormHandler& form) {
    impl_->form = &form;
    impl_->build();
    impl_->games->beginCollecting();  // the scan adds in bulk; sort once after
    impl_->raise(form::kWindow.name, EventKind::Load);
    impl_->games->endCollecting();
    if (impl_->events.ended()) return;
    impl_->window->show();
    impl_->window->activateWindow();
    for (int tab = 0; tab < 20; ++tab) {  // the lowest tab position that takes the focus
        const auto it =
            std::find_if(impl_->controls.begin(), impl_->controls.end(), [&](const auto& c) {
                return c.second.def->tabIndex == tab && c.second.widget &&
                       c.second.widget->isVisible() && form::takesFocus(c.second.def->kind);
            });
        if (it != impl_->controls.end()) {
            it->second.widget->setFocus(Qt::OtherFocusReason);
            break;
        }
    }
}

int QtFormEngine::run(FormHandler& form) {
    open(form);
    if (impl_->events.ended()) return 0;
    return QApplication::exec();
}

void QtFormEngine::setCaption(ControlName label, std::string_view text) {
    static_cast<Label*>(impl_->control(label, Kind::Label).widget)->setText(qs(text));
}

int QtFormEngine::value(ControlName checkBox) const {
    // Qt numbers the states clear, grayed, ticked; the logic's values are
    // 0 clear, 1 ticked, 2 grayed.
    switch (
        static_cast<QCheckBox*>(impl_->control(checkBox, Kind::CheckBox).widget)->checkState()) {
        case Qt::Unchecked:
            return 0;
        case Qt::Checked:
            return 1;
        case Qt::PartiallyChecked:
            return 2;
    }
    return 0;
}

std::string QtFormEngine::text(ControlName textBox) const {
    return static_cast<QLineEdit*>(impl_->control(textBox, Kind::TextBox).widget)
        ->text()
        .toStdString();
}

void QtFormEngine::setVisible(ControlName control, bool visible) {
    impl_->anyControl(control).widget->setVisible(visible);
}

void QtFormEngine::setSelStart(ControlName textBox, int start) {
    auto* edit = static_cast<QLineEdit*>(impl_->control(textBox, Kind::TextBox).widget);
    edit->setCursorPosition(utf16Offset(units(edit->text()), start));
}

void QtFormEngine::setSelLength(ControlName textBox, int length) {
    auto* edit = static_cast<QLineEdit*>(impl_->control(textBox, Kind::TextBox).widget);
    const QString text = edit->text();
    const int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    const int end = utf16Offset(units(text), characterIndex(units(text), start) + length);
    edit->setSelection(start, end - start);
}

void QtFormEngine::setFocus(ControlName control) {
    impl_->anyControl(control).widget->setFocus(Qt::OtherFocusReason);
}

int QtFormEngine::listCount(ControlName list) const {
    impl_->control(list, Kind::ListBox);
    return impl_->games->count();
}

bool QtFormEngine::selected(ControlName list, int index) const {
    impl_->control(list, Kind::ListBox);
    return impl_->gameList->selectionModel()->isRowSelected(index, {});
}

std::string QtFormEngine::list(ControlName list, int index) const {
    impl_->control(list, Kind::ListBox);
    return impl_->games->name(index);
}

void QtFormEngine::addItem(ControlName list, std::string_view text) {
    impl_->control(list, Kind::ListBox);
    impl_->games->add(text);
}

void QtFormEngine::setEnabled(ControlName timer, bool enabled) {
    QTimer* t = impl_->control(timer, Kind::Timer).timer;
    if (!enabled) {
        t->stop();
    } else if (!t->isActive()) {  // enabling a running timer does not restart it
        t->start();
    }
}

char QtFormEngine::pathSeparator() const {
    return posix::PosixRuntime::kSeparator;
}
Result<std::string> QtFormEngine::currentDirectory() {
    return impl_->runtime.currentDirectory();
}
Result<Done> QtFormEngine::enterDirectory(std::string_view path) {
    return impl_->runtime.enterDirectory(path);
}
Result<std::string> QtFormEngine::firstEntry(std::string_view pattern, int kinds) {
    return impl_->runtime.firstEntry(pattern, kinds);
}
Result<std::string> QtFormEngine::nextEntry() {
    return impl_->runtime.nextEntry();
}
Result<int> QtFormEngine::attributes(std::string_view path) {
    return impl_->runtime.attributes(path);
}

void QtFormEngine::messageBox(std::string_view message, MessageIcon icon, std::string_view title) {
    const auto shown = icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Warning;
    QMessageBox box(shown, qs(title), qs(message), QMessageBox::Ok, impl_->window.get());
    box.setTextFormat(Qt::PlainText);
    box.exec();
    // Back to the launcher, wherever the system would put the activation.
    if (impl_->window && impl_->window->isVisible()) impl_->window->activateWindow();
}

Result<Done> QtFormEngine::startProgram(std::string_view program, std::string_view commandLine,
                                        int) {
    return impl_->runtime.startProgram(program, commandLine);
}

void QtFormEngine::end() {
    impl_->endProgram();
}

void QtFormEngine::Impl::endProgram() {
    events.end();
    for (auto& [name, entry] : controls) {
        if (entry.timer) entry.timer->stop();
    }
    if (window) window->hide();
    QCoreApplication::exit(0);
}

}  // namespace varnsel::platform::qt
