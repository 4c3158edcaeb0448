// The real window against its table: geometry, captions, fonts, stacking,
// initial state, and the arrow blinking on the real timers.
#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>

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

    // The control of the table found at a point, not an inner part of it.
    QString controlAt(QWidget* parent, QPoint point) {
        for (QWidget* w = parent->childAt(point); w; w = w->parentWidget()) {
            const std::string name = w->objectName().toStdString();
            if (launcher_->impl().controls.count(name)) return w->objectName();
        }
        return {};
    }

private slots:
    void init() {
        QDir(folder_.path()).mkdir("zeta");
        QDir(folder_.path()).mkdir("Alpha");
        QDir(folder_.path()).mkdir("beta");
        launcher_ = std::make_unique<Launcher>(folder_.path());
    }
    void cleanup() { launcher_.reset(); }

    void titleAndClientArea() {
        QCOMPARE(launcher_->window()->windowTitle(), QStringLiteral("Varnsel v0.1 "));
        QCOMPARE(launcher_->window()->size(), QSize(769, 505));
        QVERIFY(!launcher_->window()->windowIcon().isNull());
        QVERIFY(launcher_->window()->layout() == nullptr);  // nothing moves on resize
    }

    void everyControlAsTheTableSays() {
        for (const form::ControlDef& def : form::kControls) {
            if (def.kind == form::Kind::Timer) continue;
            QWidget* w = launcher_->widget(std::string(def.name).c_str());
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
            QVERIFY2(!w->accessibleName().isEmpty(), def.name.data());
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
        QCOMPARE(shown, (QStringList{"Alpha", "beta", "zeta"}));
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
        QVERIFY(launcher_->impl().events.ended());
        for (const char* timer : {"Timer1", "Timer2"}) {
            QVERIFY(!launcher_->impl().controls.at(timer).timer->isActive());
        }
    }

    void arrowBlinksOnTheRealTimers() {
        QWidget* arrow = launcher_->widget("imgArrow");
        QTimer* t1 = launcher_->impl().controls.at("Timer1").timer;
        QTimer* t2 = launcher_->impl().controls.at("Timer2").timer;
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
