// The real window against its table: geometry, captions, fonts, stacking,
// initial state, what each kind of control draws, and the arrow blinking on
// the real timers.
#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QScrollBar>
#include <QStyleOptionSlider>

#include <QTextDocumentFragment>

#include "tests/qt/harness.hpp"

namespace varnsel::testing {

class WindowTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir folder_;
    std::unique_ptr<Launcher> launcher_;

    QString captionOf(QWidget* widget) {
        if (auto* b = qobject_cast<QAbstractButton*>(widget)) return b->text();
        if (auto* l = qobject_cast<QLabel*>(widget)) return l->text();
        if (auto* g = qobject_cast<QGroupBox*>(widget)) return g->title();
        if (auto* e = qobject_cast<QLineEdit*>(widget)) return e->text();
        return {};
    }

    QColor face() { return launcher_->window()->palette().color(QPalette::Window); }

    // The smallest rectangle holding every pixel of `area` that is not the
    // face colour: what a control drew there.
    QRect ink(platform::ControlId name, QRect area = {}) {
        const QImage image = launcher_->widget(name)->grab().toImage();
        if (area.isNull()) area = image.rect();
        QRect found;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                if (image.pixelColor(x, y) != face()) found |= QRect(x, y, 1, 1);
            }
        }
        return found;
    }

    // Qt's tooltip while it shows.
    static QLabel* shownTooltip() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->inherits("QTipLabel") && w->isVisible()) return qobject_cast<QLabel*>(w);
        }
        return nullptr;
    }

    // The control of the table found at a point, not an inner part of it.
    QString controlAt(QWidget* parent, QPoint point) {
        for (QWidget* w = parent->childAt(point); w; w = w->parentWidget()) {
            const auto& widgets = launcher_->impl().widgets;
            if (std::find(widgets.begin(), widgets.end(), w) != widgets.end())
                return w->objectName();
        }
        return {};
    }

private slots:
    void init() {
        QDir(folder_.path()).mkdir("zeta");
        QDir(folder_.path()).mkdir("Alpha");
        QDir(folder_.path()).mkdir("beta");
        QDir(folder_.path()).mkdir("delta");
        QDir(folder_.path()).mkdir("Echo");
        launcher_ = std::make_unique<Launcher>(folder_.path());
    }
    void cleanup() { launcher_.reset(); }

    void titleAndClientArea() {
        QCOMPARE(launcher_->window()->windowTitle(), QStringLiteral("Varnsel v0.1 "));
        QCOMPARE(launcher_->window()->size(), QSize(769, 505));
        // The icon's two images, read from the icon file as the desktop's
        // copies of them show.
        for (int size : {32, 48}) {
            const QImage image = launcher_->window()->windowIcon().pixmap(size).toImage();
            const QImage expected(
                QStringLiteral(VARNSEL_SOURCE_DIR "/assets/icon-%1.png").arg(size));
            QCOMPARE(image.convertToFormat(QImage::Format_RGB32),
                     expected.convertToFormat(QImage::Format_RGB32));
        }
        QVERIFY(launcher_->window()->layout() == nullptr);  // nothing moves on resize
    }

    void everyControlAsTheTableSays() {
        for (const form::ControlDef& def : form::kControls) {
            if (def.kind == form::Kind::Timer) continue;
            const platform::ControlId control(static_cast<int>(&def - form::kControls.data()));
            QWidget* w = launcher_->widget(control);
            QVERIFY2(w, def.name.data());
            QCOMPARE(w->geometry(),
                     QRect(def.left / 15, def.top / 15, def.width / 15, def.height / 15));
            const QString expectedParent =
                def.container.empty()
                    ? QStringLiteral("frmVarnsel")
                    : QString::fromUtf8(def.container.data(), def.container.size());
            QCOMPARE(w->parentWidget()->objectName(), expectedParent);
            const bool captioned = def.kind != form::Kind::Image &&
                                   def.kind != form::Kind::PictureBox &&
                                   def.kind != form::Kind::ListBox;
            if (captioned && def.name != "lblDir") {  // lblDir shows the directory since Load
                QCOMPARE(captionOf(w), QString::fromUtf8(def.caption.data(), def.caption.size()));
            }
            QCOMPARE(w->isVisible(), def.visible);
            if (def.font == form::FontId::SystemBold || def.font == form::FontId::Credit) {
                QCOMPARE(w->font().weight(), QFont::Bold);
                QCOMPARE(w->font().pointSizeF(), form::fontDef(def.font).points);
            } else if (def.font == form::FontId::Default) {
                QCOMPARE(w->font().weight(), QApplication::font().weight());
            }
            const std::string_view name = form::accessibleName(control);
            QCOMPARE(w->accessibleName(), QString::fromUtf8(name.data(), name.size()));
            QCOMPARE(w->focusPolicy() != Qt::NoFocus, form::takesFocus(def.kind));
        }
    }

    void startsInItsInitialState() {
        QCOMPARE(launcher_->widget<QLabel>("lblDir")->text(), QDir::currentPath());
        QCOMPARE(launcher_->widget<QLabel>("lblGame")->text(), QStringLiteral("NONE"));
        QVERIFY(
            launcher_->widget<QListView>("lstDirs")->selectionModel()->selectedRows().isEmpty());
        QCOMPARE(launcher_->focusName(), QStringLiteral("chkScanlines"));
        QVERIFY(launcher_->widget("imgArrow")->isVisible());
    }

    void listSortedWithoutRegardToCase() {
        auto* list = launcher_->widget<QListView>("lstDirs");
        QStringList shown;
        for (int row = 0; row < list->model()->rowCount(); ++row) {
            shown << list->model()->index(row, 0).data().toString();
        }
        QCOMPARE(shown, (QStringList{"Alpha", "beta", "delta", "Echo", "zeta"}));
    }

    void theCreditTakesOneLine() {
        auto* credit = launcher_->widget<QLabel>("lblNom");
        const QRect drawn = ink("lblNom");
        QVERIFY(!drawn.isEmpty());
        QVERIFY(drawn.height() <= QFontMetrics(credit->font()).height());
        QVERIFY(drawn.right() < credit->width() - 1);  // and whole
    }

    void theListShowsExactlyThreeWholeRows() {
        auto* list = launcher_->widget<QListView>("lstDirs");
        const int row = list->visualRect(list->model()->index(0, 0)).height();
        QCOMPARE(list->viewport()->height(), 3 * row);
        QCOMPARE(list->visualRect(list->model()->index(3, 0)).top(), 3 * row);
    }

    void theScrollBarOfFiveGamesDrawsAThumb() {
        QScrollBar* bar = launcher_->widget<QListView>("lstDirs")->verticalScrollBar();
        QVERIFY(bar->isVisible());
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.orientation = Qt::Vertical;
        option.minimum = bar->minimum();
        option.maximum = bar->maximum();
        option.sliderPosition = option.sliderValue = bar->value();
        option.pageStep = bar->pageStep();
        option.singleStep = bar->singleStep();
        option.subControls = QStyle::SC_All;
        const auto part = [&](QStyle::SubControl control) {
            return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, control, bar);
        };
        const QRect thumb = part(QStyle::SC_ScrollBarSlider);
        const QRect groove = part(QStyle::SC_ScrollBarGroove);
        QVERIFY(thumb.height() > 0);
        QVERIFY(thumb.height() < groove.height());  // room to show where one is
        QVERIFY(groove.contains(thumb));
    }

    void aLongPathDrawsOneClippedLineAndTellsItAllInItsTooltip() {
        auto* dir = launcher_->widget<QLabel>("lblDir");
        const QString path = "/home/someone/" + QString("very-long-folder-name/").repeated(8);
        launcher_->engine->setCaption("lblDir", path.toStdString());
        const QRect drawn = ink("lblDir");
        QVERIFY(drawn.bottom() < QFontMetrics(dir->font()).lineSpacing());
        QVERIFY(drawn.right() >= dir->width() - 3);  // up to the edge, and cut there
        const auto tooltip = [&] {
            QHelpEvent help(QEvent::ToolTip, {5, 5}, dir->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(dir, &help);
            return dir->toolTip();
        };
        QCOMPARE(tooltip().remove('\n'), path);  // wrapped where wider than the screen
        // A name that looks like markup shows as typed.
        const QString markup = "<u>Alpha & co</u> <i>" + QString("x").repeated(60);
        launcher_->engine->setCaption("lblDir", markup.toStdString());
        QCOMPARE(QTextDocumentFragment::fromHtml(tooltip()).toPlainText(), markup);
        launcher_->engine->setCaption("lblDir", "/home/someone");
        QVERIFY(tooltip().isEmpty());
    }

    void aTooltipWiderThanTheScreenWrapsWhollyOntoIt() {
        auto* game = launcher_->widget<QLabel>("lblGame");
        const QString name(210, 'A');
        launcher_->engine->setCaption("lblGame", name.toStdString());
        QHelpEvent help(QEvent::ToolTip, {5, 5}, game->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(game, &help);
        QLabel* tip = nullptr;
        QTRY_VERIFY((tip = shownTooltip()) != nullptr);
        const QRect screen = game->screen()->availableGeometry();
        QVERIFY2(screen.contains(tip->geometry()),
                 qPrintable(QStringLiteral("%1,%2 %3x%4 on a screen %5 wide")
                                .arg(tip->x())
                                .arg(tip->y())
                                .arg(tip->width())
                                .arg(tip->height())
                                .arg(screen.width())));
        QCOMPARE(tip->text().remove('\n'), name);
    }

    void theFrameCaptionCrossesItsTopBorder() {
        QWidget* frame = launcher_->widget("fraOptions");
        const QImage image = frame->grab().toImage();
        int border = 0;  // the top border's first row, found right of the caption
        while (image.pixelColor(frame->width() - 8, border) == face()) ++border;
        // The caption's letters, the only dark pixels there, stand above that
        // line and reach below it (the etched line itself is two rows).
        const int width = QFontMetrics(frame->font()).horizontalAdvance(QStringLiteral("Options"));
        const auto letters = [&](int top, int bottom) {
            int dark = 0;
            for (int y = top; y < bottom; ++y) {
                for (int x = 0; x < width + 16; ++x) dark += qGray(image.pixel(x, y)) < 96;
            }
            return dark;
        };
        QVERIFY(letters(0, border) > 0);
        QVERIFY(letters(border + 2, border + 8) > 0);
    }

    void theArrowsGreyIsTheFaceColour() {
        const QImage arrow = launcher_->widget("imgArrow")->grab().toImage();
        QCOMPARE(arrow.pixelColor(2, 95), face());
        QCOMPARE(arrow.pixelColor(2, 2), face());
        QCOMPARE(arrow.pixelColor(57, 10), QColor(255, 0, 0));
    }

    // Every caption in its palette's text colour on a dark palette, set
    // before the window is built and changed while it runs; the arrow's grey
    // in the window's colour each time.
    void aDarkPaletteLeavesEveryCaptionReadable() {
        const auto darkPalette = [](QColor window, QColor text) {
            QPalette dark(window, window);
            for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
                dark.setColor(role, text);
            dark.setColor(QPalette::Base, window.darker());
            return dark;
        };
        struct Restore {
            QPalette before = QApplication::palette();
            ~Restore() { QApplication::setPalette(before); }
        } restore;
        // A pixel of the text, antialiased or not: nearer its colour than the face's.
        const auto distance = [](QColor a, QColor b) {
            return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                   std::abs(a.blue() - b.blue());
        };
        QApplication::setPalette(darkPalette(Qt::black, Qt::yellow));
        launcher_ = std::make_unique<Launcher>(folder_.path());
        const auto readable = [&](const char* when) {
            const QColor window = face(),
                         text = launcher_->window()->palette().color(QPalette::WindowText);
            for (std::size_t i = 0; i < form::kControlCount; ++i) {
                using form::Kind;
                const form::ControlDef& def = form::kControls[i];
                QWidget* widget = launcher_->widget(platform::ControlId(static_cast<int>(i)));
                if (def.kind == Kind::Image) {
                    const QImage arrow = widget->grab().toImage();
                    QVERIFY2(arrow.pixelColor(2, 95) == window, when);
                }
                if (def.kind != Kind::CheckBox && def.kind != Kind::Frame &&
                    def.kind != Kind::Label && def.kind != Kind::CommandButton)
                    continue;
                const QImage image = widget->grab().toImage();
                int shown = 0;
                for (int y = 0;
                     y < std::min(image.height(), def.kind == Kind::Frame ? 16 : 1 << 30); ++y) {
                    for (int x = 0; x < image.width(); ++x) {
                        const QColor pixel = image.pixelColor(x, y);
                        shown += distance(pixel, text) < distance(pixel, window);
                    }
                }
                QVERIFY2(
                    shown > 10,
                    qPrintable(QStringLiteral("%1's caption %2").arg(def.name.data()).arg(when)));
            }
        };
        readable("on a dark palette");
        QApplication::setPalette(darkPalette(QColor(0, 0, 128), Qt::cyan));
        QTRY_COMPARE(face(), QColor(0, 0, 128));
        readable("after the palette changed");
    }

    void aCtrlClickKeepsTheChosenGameSelected() {
        BoxAnswerer answers;
        auto* list = launcher_->widget<QListView>("lstDirs");
        const QPoint beta = list->visualRect(list->model()->index(1, 0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, beta);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, beta);
        QVERIFY(list->selectionModel()->isRowSelected(1, {}));
        QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier);
        QVERIFY(list->selectionModel()->isRowSelected(1, {}));
        QTest::mouseClick(launcher_->widget("cmdChoseGame"), Qt::LeftButton);
        QVERIFY(answers.seen.empty());
        QCOMPARE(launcher_->widget<QLabel>("lblGame")->text(), QStringLiteral("beta"));
    }

    void frontControlsLieOverTheOnesBehind() {
        // Where the text box covers the check box, and the picture the arrow,
        // the table's first control is the one hit.
        QWidget* frame = launcher_->widget("fraOptions");
        launcher_->engine->setVisible("txtFrameSkip", true);
        QCOMPARE(controlAt(frame, {150, 110}), QStringLiteral("txtFrameSkip"));
        QCOMPARE(controlAt(launcher_->window(), {600, 245}), QStringLiteral("pctBrivane"));
        QCOMPARE(controlAt(launcher_->window(), {600, 235}), QStringLiteral("imgArrow"));
        QCOMPARE(controlAt(launcher_->window(), {500, 48}), QStringLiteral("lstDirs"));
    }

    void quitEndsTheLauncherAtOnce() {
        QTest::mouseClick(launcher_->widget("cmdQuit"), Qt::LeftButton);
        QVERIFY(!launcher_->window()->isVisible());
        QVERIFY(launcher_->impl().core.ended());
        QVERIFY(!launcher_->timer("Timer1")->isActive());
        QVERIFY(!launcher_->timer("Timer2")->isActive());
    }

    void theTitleBarCloseEndsTheLauncher() {
        launcher_->window()->close();
        QVERIFY(!launcher_->window()->isVisible());
        QVERIFY(launcher_->impl().core.ended());
        QVERIFY(!launcher_->timer("Timer1")->isActive());
    }

    void arrowBlinksOnTheRealTimers() {
        QWidget* arrow = launcher_->widget("imgArrow");
        QTimer* t1 = launcher_->timer("Timer1");
        QTimer* t2 = launcher_->timer("Timer2");
        QCOMPARE(t1->interval(), 600);
        QCOMPARE(t2->interval(), 600);
        for (int i = 0; i < 2; ++i) {
            QTRY_VERIFY_WITH_TIMEOUT(!arrow->isVisible(), 2500);
            QVERIFY(t1->isActive() != t2->isActive());
            QTRY_VERIFY_WITH_TIMEOUT(arrow->isVisible(), 2500);
            QVERIFY(t1->isActive() != t2->isActive());
        }
    }
};

}  // namespace varnsel::testing

QTEST_MAIN(varnsel::testing::WindowTest)
#include "window_test.moc"
