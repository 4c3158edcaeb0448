// The Qt engine's members: the controls' properties and the message box.
#include "platform/qt/qt_engine.hpp"

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>

#include "platform/qt/qt_engine_impl.hpp"
#include "platform/qt/qt_text.hpp"
#include "platform/qt/widgets.hpp"
#include "platform/wtf8.hpp"

namespace varnsel::platform::qt {
namespace {

using form::Kind;

std::u16string_view units(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

}  // namespace

QtFormEngine::QtFormEngine(int& argc, char** argv) : impl_(std::make_unique<Impl>(argc, argv)) {}

QtFormEngine::~QtFormEngine() = default;

std::vector<std::string> QtFormEngine::arguments() const {
    return impl_->arguments;
}

void QtFormEngine::open(FormHandler& form) {
    impl_->core.attach(form);
    impl_->build();
    impl_->core.load([this] { impl_->games->settle(); });
    if (impl_->core.ended()) return;
    impl_->window->show();
    impl_->window->activateWindow();
    impl_->focusFirst();
}

int QtFormEngine::run(FormHandler& form) {
    open(form);
    if (impl_->core.ended()) return 0;
    return QApplication::exec();
}

void QtFormEngine::setCaption(Of<Kind::Label> label, std::string_view text) {
    impl_->widget<Label>(label)->setText(qs(text));
    impl_->readOut(label, text, true);
}

int QtFormEngine::value(Of<Kind::CheckBox> checkBox) const {
    // Qt numbers the states clear, grayed, ticked; the logic's values are
    // 0 clear, 1 ticked, 2 grayed.
    switch (impl_->widget<QCheckBox>(checkBox)->checkState()) {
        case Qt::Unchecked:
            return 0;
        case Qt::Checked:
            return 1;
        case Qt::PartiallyChecked:
            return 2;
    }
    return 0;
}

std::string QtFormEngine::text(Of<Kind::TextBox> textBox) const {
    return impl_->widget<QLineEdit>(textBox)->text().toStdString();
}

void QtFormEngine::setVisible(Of<Kind::TextBox, Kind::Image> control, bool visible) {
    if (!visible) impl_->core.hiding(control);
    impl_->widget(control)->setVisible(visible);
}

// The caret waits a moment for the selection that usually follows, so that
// SelStart then SelLength select in one step: a screen reader then hears the
// selected text, not a caret move to the start and then a selection.
void QtFormEngine::setSelStart(Of<Kind::TextBox> textBox, int start) {
    auto* edit = impl_->widget<QLineEdit>(textBox);
    impl_->pendingSelStart = utf16Offset(units(edit->text()), start);
    QMetaObject::invokeMethod(
        edit,
        [this, edit] {
            if (!impl_->pendingSelStart) return;
            edit->setCursorPosition(*impl_->pendingSelStart);
            impl_->pendingSelStart.reset();
        },
        Qt::QueuedConnection);
}

void QtFormEngine::setSelLength(Of<Kind::TextBox> textBox, int length) {
    auto* edit = impl_->widget<QLineEdit>(textBox);
    const QString text = edit->text();
    const int start = impl_->pendingSelStart    ? *impl_->pendingSelStart
                      : edit->hasSelectedText() ? edit->selectionStart()
                                                : edit->cursorPosition();
    impl_->pendingSelStart.reset();
    const int end = utf16Offset(units(text), characterIndex(units(text), start) + length);
    edit->setSelection(start, end - start);
}

void QtFormEngine::setFocus(Of<Kind::TextBox> control) {
    impl_->widget(control)->setFocus(Qt::OtherFocusReason);
}

int QtFormEngine::listCount(Of<Kind::ListBox> /*list*/) const {
    return impl_->core.list.count();
}

bool QtFormEngine::selected(Of<Kind::ListBox> list, int index) const {
    return impl_->widget<QListView>(list)->selectionModel()->isRowSelected(index, {});
}

std::string QtFormEngine::list(Of<Kind::ListBox> /*list*/, int index) const {
    return std::string(impl_->core.list.name(index));
}

void QtFormEngine::addItem(Of<Kind::ListBox> /*list*/, std::string_view text) {
    impl_->games->add(text);
}

void QtFormEngine::setEnabled(Of<Kind::Timer> timer, bool enabled) {
    QTimer* t = impl_->timers[static_cast<std::size_t>(timer.id.index)];
    if (!impl_->core.switchTimer(timer, enabled)) return;
    if (enabled) {
        t->start();
    } else {
        t->stop();
    }
}

void QtFormEngine::messageBox(std::string_view message, MessageIcon icon, std::string_view title) {
    const auto shown = icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Warning;
    QMessageBox box(shown, qs(title), qs(message), QMessageBox::Ok, impl_->window.get());
    box.setTextFormat(Qt::PlainText);
    box.exec();
    // Back to the launcher, wherever the system would put the activation.
    if (impl_->window && impl_->window->isVisible()) impl_->window->activateWindow();
}

void QtFormEngine::end() {
    impl_->endProgram();
}

}  // namespace varnsel::platform::qt
