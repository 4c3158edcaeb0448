// The keyboard and the focus on the real window: the tab order, keys that
// press nothing, and the frame-skip box with real keys, clicks and boxes.
#include <QCheckBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QWindow>

#include "tests/qt/harness.hpp"

namespace varnsel::testing {

using platform::EventKind;

const QStringList kFocusOrder{"chkScanlines", "lstDirs",    "cmdChoseGame", "cmdPlay",
                              "cmdQuit",      "chkVsync",   "chkFrameSkip", "chkVga",
                              "chkSkipCode",  "pctBrivane", "chkJoystick",  "chkModeX"};

const QString kReport = QStringLiteral("Frame skip value must be a number between 1 and 4!");

class FocusTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir folder_;
    std::unique_ptr<Launcher> launcher_;

    QLineEdit* box() { return launcher_->widget<QLineEdit>("txtFrameSkip"); }

    // Ticks "Frame Skip" with the mouse; the box shows with the focus.
    void tickFrameSkip() {
        QTest::mouseClick(launcher_->widget("chkFrameSkip"), Qt::LeftButton, {}, QPoint(40, 16));
        QTRY_COMPARE(launcher_->focusName(), QStringLiteral("txtFrameSkip"));
    }

    void expectOneReport(const BoxAnswerer& answers) {
        QCOMPARE(answers.seen.size(), std::size_t{1});
        QCOMPARE(answers.seen[0].title, QStringLiteral("Frame skip value error"));
        QCOMPARE(answers.seen[0].text, kReport);
        QCOMPARE(answers.seen[0].icon, QMessageBox::Warning);
        QCOMPARE(answers.seen[0].buttons, 1);
    }

private slots:
    void init() {
        QDir(folder_.path()).mkdir("kof98");
        launcher_ = std::make_unique<Launcher>(folder_.path());
        QTRY_COMPARE(launcher_->focusName(), QStringLiteral("chkScanlines"));
    }
    void cleanup() { launcher_.reset(); }

    void tabVisitsTheTwelveControlsAndComesBack() {
        QStringList visited{launcher_->focusName()};
        for (int i = 0; i < 12; ++i) {
            launcher_->pressTab();
            visited << launcher_->focusName();
        }
        QCOMPARE(visited, QStringList(kFocusOrder) << "chkScanlines");
        launcher_->pressTab(true);
        QCOMPARE(launcher_->focusName(), QStringLiteral("chkModeX"));
    }

    void withFrameSkipTheBoxComesBetweenPictureAndJoystick() {
        tickFrameSkip();
        QTest::keyClicks(box(), "2");
        launcher_->widget("chkScanlines")->setFocus();
        QTRY_COMPARE(launcher_->focusName(), QStringLiteral("chkScanlines"));
        QStringList visited;
        for (int i = 0; i < 13; ++i) {
            visited << launcher_->focusName();
            launcher_->pressTab();
        }
        QStringList expected = kFocusOrder;
        expected.insert(10, "txtFrameSkip");
        QCOMPARE(visited, expected);
    }

    void enterAndEscapePressNothing() {
        BoxAnswerer answers;
        for (platform::ControlId name :
             std::initializer_list<platform::ControlId>{"chkScanlines", "lstDirs", "chkVga"}) {
            launcher_->widget(name)->setFocus();
            QTRY_COMPARE(launcher_->focusName(), QString::fromUtf8(name.name()));
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
                QTest::keyClick(QApplication::focusWidget(), key);
            }
        }
        QCoreApplication::processEvents();
        for (const char* button : {"cmdChoseGame", "cmdPlay", "cmdQuit"}) {
            QCOMPARE(launcher_->recorder->count(button, EventKind::Click), 0);
        }
        QCOMPARE(launcher_->widget<QCheckBox>("chkVga")->checkState(), Qt::Unchecked);
        QVERIFY(answers.seen.empty());
        QVERIFY(launcher_->window()->isVisible());
    }

    void tickTypeEnterWithAGoodValue() {
        BoxAnswerer answers;
        tickFrameSkip();
        QVERIFY(box()->isVisible());
        QTest::keyClicks(box(), "3");
        QTest::keyClick(box(), Qt::Key_Return);
        QCoreApplication::processEvents();
        QVERIFY(answers.seen.empty());
        QCOMPARE(box()->text(), QStringLiteral("3"));
        QCOMPARE(launcher_->recorder->count("txtFrameSkip", EventKind::KeyPress), 2);
    }

    void enterWithABadValueReportsAndKeepsTheFocus_data() {
        QTest::addColumn<Qt::Key>("enter");
        QTest::newRow("Return") << Qt::Key_Return;
        QTest::newRow("the keypad's Enter") << Qt::Key_Enter;
    }
    void enterWithABadValueReportsAndKeepsTheFocus() {
        QFETCH(Qt::Key, enter);
        BoxAnswerer answers;
        tickFrameSkip();
        QTest::keyClicks(box(), "9");
        QTest::keyClick(box(), enter);
        QTRY_COMPARE(answers.seen.size(), std::size_t{1});
        expectOneReport(answers);
        QTRY_COMPARE(launcher_->focusName(), QStringLiteral("txtFrameSkip"));
        QCOMPARE(box()->text(), QStringLiteral("9"));
    }

    void tabAwayWithABadValueComesBackSelected() {
        BoxAnswerer answers;
        tickFrameSkip();
        QTest::keyClicks(box(), "0.4");
        launcher_->pressTab();
        QTRY_COMPARE(answers.seen.size(), std::size_t{1});
        expectOneReport(answers);
        QTRY_COMPARE(launcher_->focusName(), QStringLiteral("txtFrameSkip"));
        QTRY_COMPARE(box()->selectedText(), QStringLiteral("0.4"));
        QTest::keyClicks(box(), "4");  // retyped over the selection
        launcher_->pressTab();
        QTRY_COMPARE(launcher_->focusName(), QStringLiteral("chkJoystick"));
        QCOMPARE(box()->text(), QStringLiteral("4"));
        QCOMPARE(answers.seen.size(), std::size_t{1});
    }

    void aClickAwayFromABadValueDoesNothingElse() {
        BoxAnswerer answers;
        tickFrameSkip();
        QTest::keyClicks(box(), "x");
        QTest::mouseClick(launcher_->widget("cmdPlay"), Qt::LeftButton);
        QTRY_COMPARE(answers.seen.size(), std::size_t{1});
        QTRY_COMPARE(launcher_->focusName(), QStringLiteral("txtFrameSkip"));
        QCoreApplication::processEvents();
        QCOMPARE(launcher_->recorder->count("cmdPlay", EventKind::Click), 0);

        QTest::mouseClick(launcher_->widget("chkVga"), Qt::LeftButton, {}, QPoint(40, 16));
        QTRY_COMPARE(answers.seen.size(), std::size_t{2});
        QTRY_COMPARE(launcher_->focusName(), QStringLiteral("txtFrameSkip"));
        QCOMPARE(launcher_->widget<QCheckBox>("chkVga")->checkState(), Qt::Unchecked);

        // Each press of a double click moves the focus first, the second too.
        QTest::mouseDClick(launcher_->widget("cmdPlay"), Qt::LeftButton);
        QTRY_COMPARE(launcher_->focusName(), QStringLiteral("txtFrameSkip"));
        QCoreApplication::processEvents();
        QCOMPARE(launcher_->recorder->count("cmdPlay", EventKind::Click), 0);
    }

    void aClickAwayFromAGoodValueTakesEffect() {
        tickFrameSkip();
        QTest::keyClicks(box(), "2");
        QTest::mouseClick(launcher_->widget("chkVga"), Qt::LeftButton, {}, QPoint(40, 16));
        QTRY_COMPARE(launcher_->widget<QCheckBox>("chkVga")->checkState(), Qt::Checked);
        QCOMPARE(launcher_->focusName(), QStringLiteral("chkVga"));
    }

    void aCheckBoxAnswersAClickAnywhereInItsArea() {
        // The blank at the right end of "VGA Resolution"'s 153 x 33 area.
        QTest::mouseClick(launcher_->widget("chkVga"), Qt::LeftButton, {}, QPoint(150, 30));
        QTRY_COMPARE(launcher_->widget<QCheckBox>("chkVga")->checkState(), Qt::Checked);
        // Where the hidden frame-skip box lies, (176, 168) in the window.
        QWidget* frameSkip = launcher_->widget("chkFrameSkip");
        const QPoint there = frameSkip->mapFrom(launcher_->window(), QPoint(176, 168));
        QTest::mouseClick(frameSkip, Qt::LeftButton, {}, there);
        QTRY_COMPARE(launcher_->focusName(), QStringLiteral("txtFrameSkip"));
        QCOMPARE(launcher_->widget<QCheckBox>("chkFrameSkip")->checkState(), Qt::Checked);
    }

    void theRightAndMiddleButtonsPressNothing() {
        BoxAnswerer answers;
        tickFrameSkip();
        QTest::keyClicks(box(), "9");
        // Through the window, as the system delivers a click: PLAY's middle,
        // then "VGA Resolution"'s caption.
        QWindow* window = launcher_->window()->windowHandle();
        for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
            QTest::mouseClick(window, button, {}, QPoint(344, 216));
            QTest::mouseClick(window, button, {}, QPoint(80, 208));
        }
        QCoreApplication::processEvents();
        QVERIFY(answers.seen.empty());
        QCOMPARE(launcher_->focusName(), QStringLiteral("txtFrameSkip"));
        QCOMPARE(launcher_->recorder->count("cmdPlay", EventKind::Click), 0);
        QCOMPARE(launcher_->widget<QCheckBox>("chkVga")->checkState(), Qt::Unchecked);
        QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(344, 216));  // the left one does
        QTRY_COMPARE(answers.seen.size(), std::size_t{1});
    }

    void untickingHidesTheBoxAndKeepsItsText() {
        tickFrameSkip();
        QTest::keyClicks(box(), "3");
        QTest::mouseClick(launcher_->widget("chkFrameSkip"), Qt::LeftButton, {}, QPoint(40, 16));
        QTRY_VERIFY(!box()->isVisible());
        QCOMPARE(box()->text(), QStringLiteral("3"));
        tickFrameSkip();
        QTRY_COMPARE(box()->selectedText(), QStringLiteral("3"));
    }
};

}  // namespace varnsel::testing

QTEST_MAIN(varnsel::testing::FocusTest)
#include "focus_test.moc"
