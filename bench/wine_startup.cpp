// VARNSEL.exe's start, timed under Wine beside the plain Win32 peer, the same
// peer with the launcher's manifest (v6), the peer's list left unsorted (the
// floor: the enumeration and a list box filled in its order) and a window
// with one label: from CreateProcessW to the program's window shown and its
// message loop idle, in folders of games. Every program is started afresh
// for each sample, the programs interleaved; medians and ratios are printed.
// Run by bench/wine-startup, which makes the folders.
//   bench_wine_startup [--before OLD.exe] VARNSEL.exe PEER.exe PEER-V6.exe SAMPLES FOLDER...
// With --before, an earlier VARNSEL.exe is timed beside them too.
#include <windows.h>
// After windows.h.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

double nowMs() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Search {
    DWORD process;
    bool shown = false;
};

BOOL CALLBACK findShown(HWND hwnd, LPARAM out) {
    auto* search = reinterpret_cast<Search*>(out);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == search->process && IsWindowVisible(hwnd)) search->shown = true;
    return !search->shown;
}

// The peak memory of the last program timed, in MiB.
double peakMiB = 0;

// Milliseconds from the start of `line` in `folder` to its window shown and
// idle; the program is ended then.
double timeToWindow(std::wstring line, const std::wstring& folder) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const double started = nowMs();
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &process)) {
        std::printf("cannot start %ls: %lu\n", line.c_str(), GetLastError());
        std::exit(1);
    }
    Search search{process.dwProcessId};
    while (WaitForInputIdle(process.hProcess, 60000) == 0 && !search.shown) {
        EnumWindows(findShown, reinterpret_cast<LPARAM>(&search));
        if (!search.shown) Sleep(1);
    }
    const double took = nowMs() - started;
    PROCESS_MEMORY_COUNTERS memory{};
    if (K32GetProcessMemoryInfo(process.hProcess, &memory, sizeof(memory)))
        peakMiB = static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0);
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return took;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring before;
    if (argc > 2 && std::wstring(argv[1]) == L"--before") {
        before = L"\"" + std::wstring(argv[2]) + L"\"";
        argv += 2;
        argc -= 2;
    }
    if (argc < 6) {
        std::printf(
            "usage: bench_wine_startup [--before OLD.exe] VARNSEL.exe PEER.exe PEER-V6.exe "
            "SAMPLES FOLDER...\n");
        return 2;
    }
    const std::wstring launcher = L"\"" + std::wstring(argv[1]) + L"\"";
    const std::wstring peer = L"\"" + std::wstring(argv[2]) + L"\"";
    const std::wstring peerV6 = L"\"" + std::wstring(argv[3]) + L"\"";
    const int samples = std::max(1, _wtoi(argv[4]));
    enum { kLabel, kFloor, kPeer, kPeerV6, kOurs, kBefore };
    std::vector<std::wstring> lines{peer + L" --label", peer + L" --unsorted", peer, peerV6,
                                    launcher};
    if (!before.empty()) lines.push_back(before);
    timeToWindow(launcher, argv[5]);  // Wine maps the programs in once
    std::printf("%-28s %8s %8s %8s %8s %8s %8s %9s %10s", "folder", "label", "floor", "peer",
                "peer v6", "VARNSEL", "/peer", "/peer v6", "floor/peer");
    std::printf(before.empty() ? "\n" : " %8s %8s\n", "before", "/peer");
    for (int f = 5; f < argc; ++f) {
        std::vector<std::vector<double>> times(lines.size());
        double memory[2] = {};  // the peer's and VARNSEL.exe's peak
        for (int s = 0; s < samples; ++s) {
            for (std::size_t p = 0; p < lines.size(); ++p) {
                times[p].push_back(timeToWindow(lines[p], argv[f]));
                if (p == kPeer) memory[0] = peakMiB;
                if (p == kOurs) memory[1] = peakMiB;
            }
        }
        double m[kBefore + 1] = {};
        for (std::size_t p = 0; p < lines.size(); ++p) m[p] = median(times[p]);
        std::printf("%-28ls %5.0f ms %5.0f ms %5.0f ms %5.0f ms %5.0f ms %7.2fx %8.2fx %9.2fx",
                    argv[f], m[kLabel], m[kFloor], m[kPeer], m[kPeerV6], m[kOurs],
                    m[kOurs] / m[kPeer], m[kOurs] / m[kPeerV6], m[kFloor] / m[kPeer]);
        if (!before.empty()) std::printf(" %5.0f ms %7.2fx", m[kBefore], m[kBefore] / m[kPeer]);
        std::printf("   peak memory: peer %.1f MiB, VARNSEL %.1f MiB\n", memory[0], memory[1]);
        std::fflush(stdout);
    }
    return 0;
}
