// Real launches of the stand-in emulator from the real window, and the scan
// of a real directory.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QLabel>
#include <QListView>
#include <QPushButton>

#include <fstream>
#include <sstream>

#include "tests/qt/harness.hpp"

namespace varnsel::testing {

// One launch as the stand-in recorded it.
class LaunchTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir base_;
    QString folder_;
    std::string record_;
    std::unique_ptr<Launcher> launcher_;
    std::unique_ptr<BoxAnswerer> answers_;  // so that no box waits for ever

    void expectNoBox() {
        for (const SeenBox& box : answers_->seen) qWarning() << "unexpected box:" << box.text;
        QVERIFY(answers_->seen.empty());
    }

    void installEmulator(const QString& where) {
        const QString target = where + "/Neorage.exe";
        QFile::remove(target);
        QVERIFY(QFile::copy(qEnvironmentVariable("NEORAGE_STANDIN"), target));
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void choose(const std::string& game) {
        auto* list = launcher_->widget<QListView>("lstDirs");
        auto& games = *launcher_->impl().games;
        int row = 0;
        while (row < games.count() && games.name(row) != game) ++row;
        QVERIFY2(row < games.count(), game.c_str());
        const QModelIndex index = list->model()->index(row, 0);
        list->scrollTo(index);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
        QTest::mouseClick(launcher_->widget("cmdChoseGame"), Qt::LeftButton);
    }

    void play() { QTest::mouseClick(launcher_->widget("cmdPlay"), Qt::LeftButton); }

    std::vector<Launch> waitForLaunches(std::size_t count) {
        std::vector<Launch> launches;
        (void)QTest::qWaitFor(
            [&] {
                launches = readLaunches(record_);
                return launches.size() >= count;
            },
            10000);
        return launches;
    }

    QStringList listed() {
        QStringList names;
        auto* model = launcher_->widget<QListView>("lstDirs")->model();
        for (int row = 0; row < model->rowCount(); ++row)
            names << model->index(row, 0).data().toString();
        return names;
    }

private slots:
    void init() {
        folder_ = base_.path() + "/My Games";
        QDir().mkpath(folder_);
        record_ = (base_.path() + "/launches.log").toStdString();
        QFile::remove(QString::fromStdString(record_));
        qputenv("NEORAGE_STANDIN_RECORD", QByteArray::fromStdString(record_));
        qunsetenv("NEORAGE_STANDIN_LINGER_MS");
        installEmulator(folder_);
        answers_ = std::make_unique<BoxAnswerer>();
    }
    void cleanup() {
        launcher_.reset();
        answers_.reset();
        QDir(base_.path()).removeRecursively();
        QDir().mkpath(base_.path());
    }

    void launchesFromAPathWithABlank() {
        QDir(folder_).mkdir("Metal Slug");
        launcher_ = std::make_unique<Launcher>(folder_);
        choose("Metal Slug");
        QTest::mouseClick(launcher_->widget("chkVsync"), Qt::LeftButton, {}, QPoint(30, 16));
        play();
        const auto launches = waitForLaunches(1);
        QCOMPARE(launches.size(), std::size_t{1});
        const std::string program = folder_.toStdString() + "/Neorage.exe";
        QCOMPARE(launches[0].argv, (std::vector<std::string>{program, "Metal Slug", "-v"}));
        QCOMPARE(launches[0].cwd, folder_.toStdString());
        // A session of its own: closing the launcher's terminal leaves the game running.
        QCOMPARE(launches[0].session, launches[0].pid);
        expectNoBox();
    }

    void aWorkingDirectoryLongerThan255BytesIsShownAndLaunchedFrom() {
        const QString deep =
            folder_ + "/" + QString(100, 'd') + "/" + QString(100, 'e') + "/" + QString(100, 'p');
        QVERIFY(QDir().mkpath(deep));
        installEmulator(deep);
        launcher_ = std::make_unique<Launcher>(deep);
        QCOMPARE(launcher_->widget<QLabel>("lblDir")->text(), deep);
        play();
        const auto launches = waitForLaunches(1);
        QCOMPARE(launches.size(), std::size_t{1});
        QCOMPARE(launches[0].argv.at(0), deep.toStdString() + "/Neorage.exe");
        QCOMPARE(launches[0].cwd, deep.toStdString());
        expectNoBox();
    }

    void chosingWithoutAGameIsReported_data() {
        QTest::addColumn<bool>("games");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("icon");
        QTest::newRow("none in the folder")
            << false << "There are no games to play in this directory!"
            << int(QMessageBox::Warning);
        QTest::newRow("none selected")
            << true << "You must chose a game first!" << int(QMessageBox::Critical);
    }
    void chosingWithoutAGameIsReported() {
        QFETCH(bool, games);
        QFETCH(QString, text);
        QFETCH(int, icon);
        if (games) QDir(folder_).mkdir("kof98");
        launcher_ = std::make_unique<Launcher>(folder_);
        QTest::mouseClick(launcher_->widget("cmdChoseGame"), Qt::LeftButton);
        const auto& answers = *answers_;
        QCOMPARE(answers.seen.size(), std::size_t{1});
        QCOMPARE(answers.seen[0].title, QStringLiteral("Error"));
        QCOMPARE(answers.seen[0].text, text);
        QCOMPARE(int(answers.seen[0].icon), icon);
        QCOMPARE(launcher_->widget<QLabel>("lblGame")->text(), QStringLiteral("NONE"));
    }

    void doesNotWaitForTheEmulator() {
        qputenv("NEORAGE_STANDIN_LINGER_MS", "5000");
        launcher_ = std::make_unique<Launcher>(folder_);
        play();
        const auto launches = waitForLaunches(1);
        QCOMPARE(launches.size(), std::size_t{1});
        // The first emulator still runs while the launcher starts the next.
        QVERIFY(QFile::exists(QStringLiteral("/proc/%1").arg(launches[0].pid)));
        play();
        QCOMPARE(waitForLaunches(2).size(), std::size_t{2});
        QVERIFY(QFile::exists(QStringLiteral("/proc/%1").arg(launches[0].pid)));
        expectNoBox();
    }

    void fiftyPressesLeaveNoZombie() {
        launcher_ = std::make_unique<Launcher>(folder_);
        for (int i = 0; i < 50; ++i) play();
        QCOMPARE(waitForLaunches(50).size(), std::size_t{50});
        QTRY_COMPARE_WITH_TIMEOUT(zombieChildren(), 0, 10000);
        expectNoBox();
    }

    void aMissingOrUnrunnableEmulatorIsReported_data() {
        QTest::addColumn<QByteArray>("content");  // "missing", "folder", or the file's bytes
        QTest::addColumn<bool>("executable");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << QByteArray("missing") << false << "No such file or directory";
        QTest::newRow("not executable")
            << QByteArray("#!/bin/sh\n") << false << "Permission denied";
        QTest::newRow("a folder") << QByteArray("folder") << false
                                  << "it is a folder, not a program (Permission denied)";
        QTest::newRow("an empty file")
            << QByteArray() << true << "it is an empty file, not a program (Exec format error)";
        QTest::newRow("a Windows program")
            << QByteArray("MZ\x90\x00\x03", 5) << true
            << "it is a Windows program, which Linux starts only through Wine's binfmt support, "
               "the wine-binfmt package (Exec format error)";
        QTest::newRow("a script without #!")
            << QByteArray("echo hello\n") << true
            << "it is not a program this system can start; a script needs a first line that "
               "names its interpreter, such as #!/bin/sh (Exec format error)";
    }
    void aMissingOrUnrunnableEmulatorIsReported() {
        QFETCH(QByteArray, content);
        QFETCH(bool, executable);
        QFETCH(QString, reason);
        const QString program = folder_ + "/Neorage.exe";
        QFile::remove(program);
        if (content == "folder") {
            QVERIFY(QDir().mkdir(program));
        } else if (content != "missing") {
            QFile file(program);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
            file.close();
            file.setPermissions(QFile::ReadOwner | QFile::WriteOwner |
                                (executable ? QFile::ExeOwner : QFile::Permissions()));
        }
        launcher_ = std::make_unique<Launcher>(folder_);
        const auto& answers = *answers_;
        play();
        QTRY_COMPARE(answers.seen.size(), std::size_t{1});
        QCOMPARE(answers.seen[0].title, QStringLiteral("Error"));
        QCOMPARE(answers.seen[0].icon, QMessageBox::Critical);
        QCOMPARE(answers.seen[0].text,
                 "The emulator \"" + program + "\" cannot be started: " + reason);
        QDir().rmdir(program);
        installEmulator(folder_);  // the launcher keeps working
        play();
        QCOMPARE(waitForLaunches(1).size(), std::size_t{1});
    }

    void scansOnlyTheGames() {
        const std::string dir = folder_.toStdString();
        QDir(folder_).mkdir("kof98");
        QDir(folder_).mkdir(".hidden");
        QVERIFY(::mkdir((dir + "/...").c_str(), 0755) == 0);
        QFile(folder_ + "/readme.txt").open(QIODevice::WriteOnly);
        QVERIFY(::symlink("kof98", (dir + "/linked").c_str()) == 0);
        QVERIFY(::symlink("nowhere", (dir + "/dangling").c_str()) == 0);
        launcher_ = std::make_unique<Launcher>(folder_);
        // Here a leading dot marks a name hidden, "..." included.
        QCOMPARE(listed(), (QStringList{"kof98", "linked"}));
        expectNoBox();
    }

    void aNameThatIsNotUtf8IsShownReplacedAndLaunchedExactly() {
        const std::string name =
            "bad\xff"
            "game";
        QVERIFY(::mkdir((folder_.toStdString() + "/" + name).c_str(), 0755) == 0);
        launcher_ = std::make_unique<Launcher>(folder_);
        QCOMPARE(listed(), QStringList{QStringLiteral("bad\uFFFDgame")});
        choose(name);
        play();
        const auto launches = waitForLaunches(1);
        QCOMPARE(launches.size(), std::size_t{1});
        QCOMPARE(launches[0].argv.at(1), name);
        expectNoBox();
        ::rmdir((folder_.toStdString() + "/" + name).c_str());  // beyond QDir, which cannot name it
    }

    void aRemovedWorkingDirectoryIsReported() {
        const QString gone = base_.path() + "/gone";
        QDir().mkpath(gone);
        launcher_ = std::make_unique<Launcher>(gone, false);
        QVERIFY(QDir().rmdir(gone));
        const auto& answers = *answers_;
        launcher_->open();
        QCOMPARE(answers.seen.size(), std::size_t{1});
        QCOMPARE(answers.seen[0].title, QStringLiteral("Error"));
        QCOMPARE(answers.seen[0].icon, QMessageBox::Warning);
        QVERIFY(answers.seen[0].text.startsWith("The current directory cannot be determined: "));
        QVERIFY(listed().isEmpty());
        QVERIFY(launcher_->window()->isVisible());
    }
};

}  // namespace varnsel::testing

QTEST_MAIN(varnsel::testing::LaunchTest)
#include "launch_test.moc"
