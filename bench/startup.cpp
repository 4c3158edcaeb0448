// Start-up and memory: process start to the window shown and painted, and
// the peak resident memory then, for the launcher in a folder of games and
// for Qt programs showing one window of the same size: with one bold label
// and one push button (the reference: what any window with text and a button
// pays, fontconfig's start included), and bare (for information). Each is
// started afresh many times, interleaved; medians and ratios are printed.
//   bench_startup            the comparison (1 000 games for time, 100 000 for memory)
#include <QLabel>
#include <QPushButton>

#include <cstring>

#include "bench/first_frame.hpp"

using namespace varnsel;

namespace {

int referenceToFirstFrame(int argc, char** argv, bool withText) {
    bench::FirstFrame watcher;
    QApplication app(argc, argv);
    QWidget window;
    window.resize(769, 505);
    if (withText) {
        auto* label = new QLabel(QStringLiteral("Games in this directory:"), &window);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        label->setGeometry(488, 24, 161, 25);
        auto* button = new QPushButton(QStringLiteral("PLAY"), &window);
        button->setGeometry(280, 184, 129, 65);
    }
    window.installEventFilter(&watcher);
    window.show();
    return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::strcmp(argv[1], "--child") == 0) {
        int childArgc = 1;
        if (std::strcmp(argv[2], "launcher") == 0)
            return bench::launcherToFirstFrame(childArgc, argv, argv[3]);
        return referenceToFirstFrame(childArgc, argv, std::strcmp(argv[2], "reference") == 0);
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const int runs = 21;
    const std::string thousand = bench::gameFolder(1000);
    const std::string hundredThousand = bench::gameFolder(100000);
    const auto run = [&](const char* mode, const std::string& folder) {
        return bench::timeProgram({argv[0], "--child", mode, folder});
    };
    run("reference", thousand);  // warm the caches alike
    run("launcher", thousand);
    std::vector<double> bare, reference, ours, bareKb, oursKb;
    for (int i = 0; i < runs; ++i) {
        bare.push_back(run("bare", thousand).ms);
        reference.push_back(run("reference", thousand).ms);
        ours.push_back(run("launcher", thousand).ms);
    }
    for (int i = 0; i < 5; ++i) {
        bareKb.push_back(static_cast<double>(run("bare", hundredThousand).kb));
        oursKb.push_back(static_cast<double>(run("launcher", hundredThousand).kb));
    }
    const double b = bench::median(bare), r = bench::median(reference), o = bench::median(ours);
    std::printf("start-up to the first frame, 1 000 games: varnsel %.2f ms\n", o);
    std::printf("  against a window with one bold label and one button: %.2f ms, ratio %.3f\n", r,
                o / r);
    std::printf("  against a bare window, for information: %.2f ms, ratio %.3f\n", b, o / b);
    const double bm = bench::median(bareKb) / 1024, om = bench::median(oursKb) / 1024;
    std::printf(
        "peak resident memory, 100 000 games: varnsel %.1f MB, bare window %.1f MB, difference "
        "%+.1f MB\n",
        om, bm, om - bm);
    return 0;
}
