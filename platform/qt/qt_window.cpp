// Building the Qt window from the window table.
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QFontDatabase>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <limits>

#include "form/pictures.hpp"
#include "platform/qt/picture_files.hpp"
#include "platform/qt/qt_engine_impl.hpp"
#include "platform/qt/qt_text.hpp"
#include "platform/qt/widgets.hpp"

namespace varnsel::platform::qt {
namespace {

using form::Kind;

int px(int twips) {
    return twips / form::kTwipsPerPixelAt96Dpi;
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
    if (widget->objectName() == QLatin1String("announcement"))
        return new QAccessibleWidget(widget, QAccessible::Notification);
    return nullptr;
}

QIcon windowIcon() {
    QIcon icon;
    for (const QImage& image : readIcon(form::iconFile()))
        icon.addPixmap(QPixmap::fromImage(image));
    return icon;
}

Qt::Alignment alignment(const form::Look& look) {
    return (look.align == form::Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop;
}

}  // namespace

QtFormEngine::Impl::Impl(int& argc, char** argv) {
    if (!QApplication::instance()) ownApplication = std::make_unique<QApplication>(argc, argv);
    // Qt has taken its own options out of argv; the rest are exact bytes.
    arguments.assign(argv + std::min(argc, 1), argv + argc);
    connect(qApp, &QApplication::focusChanged, this, &Impl::focusChanged);
    QAccessible::installFactory(describe);
    qApp->installEventFilter(this);
}

QtFormEngine::Impl::~Impl() {
    QAccessible::removeFactory(describe);
    qApp->removeEventFilter(this);
    window.reset();
}

QWidget* QtFormEngine::Impl::make(ControlId control, QWidget* parent) {
    const form::ControlDef& def = form::def(control);
    const QString caption = qs(def.caption);
    switch (def.kind) {
        case Kind::PictureBox:
            return new PictureBox(form::pictureFile(def.picture), parent);
        case Kind::Timer:
            return nullptr;
        case Kind::ListBox: {
            auto* view = new GameListView(def.look.rows, parent);
            games = new GameListModel(core.list, view);
            view->setModel(games);
            return view;
        }
        case Kind::Frame:
            return new OptionsFrame(caption, parent);
        case Kind::CheckBox: {
            auto* box = new WholeAreaCheckBox(caption, parent);
            box->setChecked(def.value == 1);
            // Every change the user makes: a click, Space, and the toggle of
            // assistive technology, which emits no clicked(). The logic
            // itself never changes a check box. A toggle whose focus move a
            // handler refused is taken back.
            connect(box, &QCheckBox::toggled, this, [this, control, box] {
                core.click(control, [box] {
                    const QSignalBlocker quiet(box);
                    box->toggle();
                });
            });
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
                    [this, control] { core.click(control, [] {}); });
            return button;
        }
        case Kind::Image:
            return new FaceImage(form::pictureFile(def.picture), {px(def.width), px(def.height)},
                                 parent);
        case Kind::Label: {
            auto* label = new Label(caption, parent);
            label->setTextFormat(Qt::PlainText);  // a name is never markup
            label->setAlignment(alignment(def.look));
            if (def.look.border == form::Border::Single)
                label->setFrameStyle(QFrame::Box | QFrame::Plain);
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

    for (std::size_t i = 0; i < form::kControlCount; ++i) {
        const ControlId control{static_cast<int>(i)};
        const form::ControlDef& def = form::def(control);
        if (def.kind == Kind::Timer) {
            QTimer* timer = timers[i] = new QTimer(this);
            timer->setInterval(def.interval);
            connect(timer, &QTimer::timeout, this,
                    [this, control] { core.post(control, EventKind::Timer); });
            continue;
        }
        const ControlId container = form::containerOf(control);
        QWidget* widget = widgets[i] =
            make(control, container == form::kForm ? window.get() : this->widget(container));
        widget->setObjectName(qs(def.name));
        widget->setGeometry(px(def.left), px(def.top), px(def.width), px(def.height));
        if (def.font != form::FontId::None) widget->setFont(fontFor(def.font));
        if (const auto name = form::accessibleName(control); !name.empty())
            widget->setAccessibleName(qs(name));
        widget->setFocusPolicy(form::takesFocus(def.kind) ? Qt::StrongFocus : Qt::NoFocus);
        widget->setEnabled(def.enabled);
        if (!def.visible) widget->hide();
    }
    for (const form::DescribedBy& described : form::kDescribedBy)
        readOut(described.value, form::def(described.value).caption, false);
    // Nothing to see: a screen reader says its name when it shows.
    announcer = new QWidget(window.get());
    announcer->setObjectName(QStringLiteral("announcement"));
    announcer->setGeometry(0, 0, 1, 1);
    announcer->hide();
    // A label's buddy is what it names: Qt reports the buddy as labelled by it.
    for (const form::LabelledBy& relation : form::kLabelledBy)
        static_cast<QLabel*>(widget(relation.label))->setBuddy(widget(relation.control));
    // The table runs front to back: raising from the back leaves the first in front.
    for (auto it = widgets.rbegin(); it != widgets.rend(); ++it) {
        if (*it) (*it)->raise();
    }
    for (std::size_t i = 1; i < form::kTabOrder.size(); ++i)
        QWidget::setTabOrder(widget(form::kTabOrder[i - 1]), widget(form::kTabOrder[i]));
    for (std::size_t i = 0; i < form::kControlCount; ++i) {
        if (timers[i] &&
            core.switchTimer(ControlId(static_cast<int>(i)), form::kControls[i].enabled))
            timers[i]->start();
    }
}

void QtFormEngine::Impl::readOut(ControlId label, std::string_view caption, bool changed) {
    const ReadOut heard = platform::readOut(label, caption);
    for (const auto& [control, description] : heard.descriptions)
        widget(control)->setAccessibleDescription(qs(description));
    if (!changed || heard.announcement.empty()) return;
    announcer->hide();
    announcer->setAccessibleName(qs(heard.announcement));
    announcer->show();
}

// The lowest tab position that can take the focus.
void QtFormEngine::Impl::focusFirst() {
    if (const auto first = core.nextFocus(std::nullopt, false))
        widget(*first)->setFocus(Qt::OtherFocusReason);
}

std::optional<ControlId> QtFormEngine::Impl::controlOf(QObject* object) const {
    for (; object; object = object->parent()) {
        const auto it = std::find(widgets.begin(), widgets.end(), object);
        if (it != widgets.end()) return ControlId{static_cast<int>(it - widgets.begin())};
    }
    return std::nullopt;
}

}  // namespace varnsel::platform::qt
