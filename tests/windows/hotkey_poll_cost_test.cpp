// What the hotkey poll costs under Wine, where every look at the keyboard or
// the joystick may be a round trip to the Wine server. Run on demand, through
// bench/hotkey_poll_cost.py.
// It polls at the worker's pace (one poll every 150 ms) on a thread without
// windows, as the worker is, and reads the CPU time of that thread and of the
// Wine server from Linux (/proc through drive Z:), each block of polls beside
// a block of sleeps alone. GKR_POLL_COST_POLLS sets the number of polls per
// case (default 200).
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "input/input_devices_win.h"
#include "input/input_poll_win.h"
#include "input/pad_caps_win.h"
#include "settings/settings.h"
#include "tests/windows/manager_test_support.h"

namespace gkr {
namespace {

// Files under Z: are opened by the Wine server, so /proc/self would be the
// server's: the processes are found by name and by the prefix they run in.

// Nanoseconds on the CPU from a Linux schedstat file; -1 when unreadable.
long long SchedNs(const std::string& path) {
    std::ifstream in(path);
    long long ns = -1;
    in >> ns;
    return ns;
}

// Calls `each` with the name of every entry of a folder.
template <class F>
void ForEachEntry(const std::string& folder, F each) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (found.cFileName[0] != '.') each(std::string(found.cFileName));
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// The /proc folder of the process of this prefix whose name starts with `name`.
std::string ProcessFolder(const std::string& name) {
    char prefix[MAX_PATH] = {};
    GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH);
    std::string result;
    ForEachEntry("Z:\\proc", [&](const std::string& entry) {
        if (!result.empty() || entry.find_first_not_of("0123456789") != std::string::npos) return;
        const std::string dir = "Z:\\proc\\" + entry;
        std::ifstream comm(dir + "\\comm");
        std::string command;
        if (!(comm >> command) || command.rfind(name, 0) != 0) return;
        std::ifstream environment(dir + "\\environ", std::ios::binary);
        const std::string env((std::istreambuf_iterator<char>(environment)), std::istreambuf_iterator<char>());
        if (env.find(std::string("WINEPREFIX=") + prefix + '\0') != std::string::npos) result = dir;
    });
    return result;
}

// CPU time of all threads of a process, in nanoseconds.
long long ProcessNs(const std::string& folder) {
    long long sum = 0;
    ForEachEntry(folder + "\\task",
                 [&](const std::string& task) { sum += SchedNs(folder + "\\task\\" + task + "\\schedstat"); });
    return sum;
}

std::set<std::string> Tasks(const std::string& process) {
    std::set<std::string> tasks;
    ForEachEntry(process + "\\task", [&](const std::string& task) { tasks.insert(task); });
    return tasks;
}

struct Cost {
    double threadUs = 0;  // CPU of the polling thread, per pass
    double serverUs = 0;  // CPU of the Wine server, per pass (other programs of the prefix add noise)
    double wallUs = 0;    // time inside the poll, per pass
};

// `polls` passes of a 150 ms sleep, each followed by a poll if `poll`.
Cost Measure(int polls, bool poll, const std::string& self, const std::string& server) {
    Cost cost;
    const std::set<std::string> before = Tasks(self);
    std::thread worker([&] {
        std::string mine;  // the one task that was not there before this thread
        for (const std::string& task : Tasks(self))
            if (!before.count(task)) mine = self + "\\task\\" + task + "\\schedstat";
        LARGE_INTEGER frequency, a, b;
        QueryPerformanceFrequency(&frequency);
        double wall = 0;
        InputPoll input;
        // The first polls of a new thread set up its key state cache.
        if (poll)
            for (int i = 0; i < 3; ++i) input.Poll();
        const long long thread0 = SchedNs(mine), server0 = ProcessNs(server);
        for (int i = 0; i < polls; ++i) {
            Sleep(150);
            QueryPerformanceCounter(&a);
            if (poll) input.Poll();
            QueryPerformanceCounter(&b);
            wall += double(b.QuadPart - a.QuadPart) / double(frequency.QuadPart);
        }
        cost.threadUs = double(SchedNs(mine) - thread0) / 1000.0 / polls;
        cost.serverUs = double(ProcessNs(server) - server0) / 1000.0 / polls;
        cost.wallUs = wall * 1e6 / polls;
    });
    worker.join();
    return cost;
}

Accel Bound(std::vector<uint32_t> keys, std::vector<int32_t> pads) {
    Accel a;
    a.keys = std::move(keys);
    a.pads = std::move(pads);
    return a;
}

TEST(HotkeyPollCost, DISABLED_PollUnderWine) {
    testing::SettingsGuard guard;
    Settings& s = Settings::Instance();
    for (Option* o : {&s.UseKey, &s.UsePad, &s.UseX, &s.UseY, &s.UseZ, &s.UseR, &s.UseU, &s.UseV}) *o = 1;
    RefreshPadCaps();
    const char* count = std::getenv("GKR_POLL_COST_POLLS");
    const int polls = count ? std::atoi(count) : 200;
    const std::string self = ProcessFolder("windows_tests"), server = ProcessFolder("wineserver");
    ASSERT_FALSE(self.empty() || server.empty()) << "this process or its wineserver not found under Z:\\proc";

    // Every action bound to a two-key chord that is not held; the first two to the pad too.
    AccelList keys, both;
    for (uint32_t n = 0; n < 8; ++n) {
        keys.push_back(Bound({0x70 + n, 0x11}, {}));
        both.push_back(Bound({0x70 + n, 0x11}, n < 2 ? std::vector<int32_t>{1, -2} : std::vector<int32_t>{}));
    }
    AccelList pad(8);
    pad[0].pads = {1, -2};
    const struct {
        const char* name;
        AccelList list;
    } cases[] = {
        {"nothing bound", AccelList(8)},
        {"keys bound", keys},
        {"pad bound", pad},
        {"keys and pad bound", both},
    };
    // Rounds of short blocks, each case beside a block of sleeps only, so that
    // what the prefix's other programs make the server do drifts out.
    constexpr int kBlock = 20;
    const int rounds = polls / kBlock > 1 ? polls / kBlock : 2;
    std::vector<std::vector<double>> added(std::size(cases));
    std::vector<Cost> sums(std::size(cases));
    for (int round = 0; round < rounds; ++round) {
        for (size_t i = 0; i < std::size(cases); ++i) {
            const Cost idle = Measure(kBlock, false, self, server);
            s.accels.Publish(cases[i].list);
            const Cost cost = Measure(kBlock, true, self, server);
            added[i].push_back((cost.threadUs - idle.threadUs) + (cost.serverUs - idle.serverUs));
            sums[i].threadUs += (cost.threadUs - idle.threadUs) / rounds;
            sums[i].serverUs += (cost.serverUs - idle.serverUs) / rounds;
            sums[i].wallUs += cost.wallUs / rounds;
        }
    }
    std::printf("%d polls per case, one every 150 ms; per poll (us) and added share of one core:\n", rounds * kBlock);
    for (size_t i = 0; i < std::size(cases); ++i) {
        double mean = 0, square = 0;
        for (double a : added[i]) mean += a / added[i].size();
        for (double a : added[i]) square += (a - mean) * (a - mean);
        const double error = std::sqrt(square / (added[i].size() - 1) / added[i].size());
        std::printf("%-20s thread %+7.2f  server %+7.2f  inside the poll %7.2f  added %.4f %% +- %.4f %%\n",
                    cases[i].name, sums[i].threadUs, sums[i].serverUs, sums[i].wallUs, mean / 1500.0, error / 1500.0);
    }
}

// What a pad read that fails and a capability read cost the worker: the time
// inside each call, with the reads as close as the poll's back-off brings them
// and after a quiet spell of a few seconds. The test prefix has no joystick,
// so every read fails.
TEST(HotkeyPollCost, DISABLED_FailedPadReadAndCapabilityRead) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const auto timed = [&](int count, DWORD gapMs, const auto& call) {
        std::vector<double> ms;
        for (int i = 0; i < count; ++i) {
            Sleep(gapMs);
            LARGE_INTEGER a, b;
            QueryPerformanceCounter(&a);
            call();
            QueryPerformanceCounter(&b);
            ms.push_back(double(b.QuadPart - a.QuadPart) * 1000.0 / double(frequency.QuadPart));
        }
        std::sort(ms.begin(), ms.end());
        return std::make_pair(ms[ms.size() / 2], ms.back());
    };
    PadPosition position;
    const auto read = [&] { EXPECT_FALSE(ReadFirstPad(position)); };
    for (const DWORD apart : {150, 300, 600, 900, 1200, 1350, 3000}) {
        const auto cost = timed(apart < 1000 ? 20 : 8, apart, read);
        std::printf("failed pad read, %4lu ms apart:    median %8.3f ms  max %8.3f ms\n", apart, cost.first,
                    cost.second);
    }
    const auto caps = timed(5, 1000, [] { RefreshPadCaps(); });
    std::printf("capability read (RefreshPadCaps): median %8.3f ms  max %8.3f ms\n", caps.first, caps.second);
}

}  // namespace
}  // namespace gkr
