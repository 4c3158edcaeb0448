// Odd and hostile folder names, end to end: listed or left out as they
// should be, never run by a shell, and handed to the emulator as their exact
// bytes as exactly one argument. And many launches in a row leave nothing behind.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QItemSelectionModel>
#include <QListView>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>

#include "tests/qt/harness.hpp"

namespace varnsel::testing {

// Each open descriptor with what it refers to. Qt's idle threads close
// descriptors of their own after 30 s, so a later set may hold fewer; only
// one that was not open before counts as left behind.
std::set<std::string> openDescriptors() {
    std::set<std::string> open;
    DIR* fds = opendir("/proc/self/fd");
    const int own = dirfd(fds);
    while (const dirent* entry = readdir(fds)) {
        if (entry->d_name[0] == '.' || std::atoi(entry->d_name) == own) continue;
        const std::string path = std::string("/proc/self/fd/") + entry->d_name;
        char target[4096];
        const ssize_t length = readlink(path.c_str(), target, sizeof(target));
        open.insert(std::string(entry->d_name) + " -> " +
                    std::string(target, static_cast<std::size_t>(std::max<ssize_t>(length, 0))));
    }
    closedir(fds);
    return open;
}

// The descriptors open now that were not before, one a line.
std::string addedSince(const std::set<std::string>& before) {
    std::vector<std::string> added;
    const auto now = openDescriptors();
    std::set_difference(now.begin(), now.end(), before.begin(), before.end(),
                        std::back_inserter(added));
    std::string lines;
    for (const std::string& descriptor : added) lines += descriptor + "\n";
    return lines;
}

class HostileTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir base_;
    std::string folder_;
    std::string record_;

    void prepare() {
        folder_ = base_.path().toStdString() + "/games";
        ::mkdir(folder_.c_str(), 0755);
        record_ = base_.path().toStdString() + "/launches.log";
        ::unlink(record_.c_str());
        qputenv("NEORAGE_STANDIN_RECORD", QByteArray::fromStdString(record_));
        const QString emulator = QString::fromStdString(folder_ + "/Neorage.exe");
        QFile::remove(emulator);
        QVERIFY(QFile::copy(qEnvironmentVariable("NEORAGE_STANDIN"), emulator));
        QFile::setPermissions(emulator, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    std::vector<Launch> waitForLaunches(std::size_t count) {
        std::vector<Launch> launches;
        (void)QTest::qWaitFor([&] { return (launches = readLaunches(record_)).size() >= count; },
                              20000);
        return launches;
    }

private slots:
    void hostileNamesAreListedAndLaunchedExactly() {
        prepare();
        const std::vector<std::string> games{"two  blanks",
                                             "tab\there",
                                             "quote\"s",
                                             "Metal Slug",
                                             "back\\slash\\",
                                             "ends in\\",
                                             "both \\\"kinds\\",
                                             "single'quote",
                                             "$(touch x)",
                                             "semi;colon",
                                             "pipe|bar",
                                             "amp&ersand",
                                             "back`tick",
                                             "new\nline",
                                             "-leading",
                                             std::string(255, 'n'),
                                             "\xC3\x9Cn\xC3\xAF\x63\xC3\xB6\x64\xC3\xA9",
                                             "bad\xFFutf8",
                                             "locked"};
        for (const std::string& game : games)
            QVERIFY2(::mkdir((folder_ + "/" + game).c_str(), 0755) == 0, game.c_str());
        ::chmod((folder_ + "/locked").c_str(), 0);
        ::mkdir((folder_ + "/target").c_str(), 0755);
        QVERIFY(::symlink("target", (folder_ + "/linked").c_str()) == 0);
        QVERIFY(::symlink("nowhere", (folder_ + "/dangling").c_str()) == 0);

        Launcher launcher(QString::fromStdString(folder_));
        BoxAnswerer answers;
        auto& model = *launcher.impl().games;
        std::vector<std::string> listed;
        for (int row = 0; row < model.count(); ++row) listed.push_back(model.name(row));
        std::vector<std::string> expected = games;
        expected.push_back("target");
        expected.push_back("linked");
        std::sort(listed.begin(), listed.end());
        std::sort(expected.begin(), expected.end());
        QVERIFY(listed == expected);  // the dangling link is no game

        auto* list = launcher.widget<QListView>("lstDirs");
        for (int row = 0; row < model.count(); ++row) {
            list->selectionModel()->select(list->model()->index(row, 0),
                                           QItemSelectionModel::ClearAndSelect);
            QTest::mouseClick(launcher.widget("cmdChoseGame"), Qt::LeftButton);
            QTest::mouseClick(launcher.widget("cmdPlay"), Qt::LeftButton);
        }
        const auto launches = waitForLaunches(static_cast<std::size_t>(model.count()));
        QCOMPARE(launches.size(), static_cast<std::size_t>(model.count()));
        // The emulators run side by side, so their records come in any order.
        std::vector<std::vector<std::string>> received, sent;
        for (const Launch& launch : launches)
            received.emplace_back(launch.argv.begin() + 1, launch.argv.end());
        for (int row = 0; row < model.count(); ++row) sent.push_back({model.name(row)});
        std::sort(received.begin(), received.end());
        std::sort(sent.begin(), sent.end());
        QVERIFY(received == sent);
        QVERIFY(answers.seen.empty());
        QVERIFY(
            !QFile::exists(QString::fromStdString(folder_ + "/x")));  // no shell ran "$(touch x)"
        QVERIFY(!QFile::exists(QStringLiteral("x")));
        ::chmod((folder_ + "/locked").c_str(), 0755);
        ::rmdir((folder_ + "/bad\xFFutf8").c_str());
    }

    void aThousandLaunchesLeaveNoZombieAndNoDescriptor() {
        prepare();
        Launcher launcher(QString::fromStdString(folder_));
        const auto before = openDescriptors();
        for (int i = 0; i < 1000; ++i)
            QTest::mouseClick(launcher.widget("cmdPlay"), Qt::LeftButton);
        QCOMPARE(waitForLaunches(1000).size(), std::size_t{1000});
        const std::string added = addedSince(before);
        QVERIFY2(added.empty(), added.c_str());
        QTRY_COMPARE_WITH_TIMEOUT(zombieChildren(), 0, 10000);
    }
};

}  // namespace varnsel::testing

QTEST_MAIN(varnsel::testing::HostileTest)
#include "hostile_test.moc"
