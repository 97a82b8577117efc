// Starts bench_quelvane_startup and bench_bare_window (beside this program)
// as whole processes, in turn, and compares their time from exec to the first
// painted window, and their peak resident memory by then.
//
// The two alternate, run for run, in one pass, so that a machine that slows
// down or speeds up during the run weighs on both alike.
//
// Usage: bench_startup [--runs N] [--warmup N]   (default 30 and 3)
// The platform is whatever QT_QPA_PLATFORM says; bench/run.sh sets it.

#include "table.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Run {
    double paintMillis = -1; // exec to the first painted window
    double peakKib = -1;     // VmHWM at that paint
};

struct Launch {
    int status = -1;
    std::string output; // standard output and error
};

// One whole process: exec, run to its own exit, reaped. `started` is read
// just before exec, on the clock the program reports its paint on.
Launch launch(const std::string& program, std::chrono::steady_clock::time_point& started)
{
    int pipeEnds[2] = {-1, -1};
    if (pipe(pipeEnds) != 0) {
        std::perror("pipe");
        std::exit(2);
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};

    Launch launched;
    pid_t pid = 0;
    started = std::chrono::steady_clock::now();
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ) != 0) {
        std::perror(program.c_str());
        std::exit(2);
    }
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    char buffer[4096];
    ssize_t got = 0;
    while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0)
        launched.output.append(buffer, static_cast<std::size_t>(got));
    close(pipeEnds[0]);
    waitpid(pid, &launched.status, 0);
    return launched;
}

// The number after "key=" in a report line, or -1.
double Field(const std::string& output, const std::string& key)
{
    const auto at = output.find(key + "=");
    if (at == std::string::npos)
        return -1;
    return std::stod(output.substr(at + key.size() + 1));
}

Run run(const std::string& program)
{
    std::chrono::steady_clock::time_point started;
    const Launch launched = launch(program, started);
    Run result;
    const double paintNs = Field(launched.output, "paint_ns");
    result.peakKib = Field(launched.output, "hwm_kib");
    if (paintNs > 0) {
        const auto startedNs =
            std::chrono::duration_cast<std::chrono::nanoseconds>(started.time_since_epoch()).count();
        result.paintMillis = (paintNs - static_cast<double>(startedNs)) / 1e6;
    }
    const bool clean = WIFEXITED(launched.status) && WEXITSTATUS(launched.status) == 0;
    if (!clean || result.paintMillis < 0 || result.peakKib < 0) {
        std::fprintf(stderr, "%s did not start cleanly (status %d):\n%s\n", program.c_str(), launched.status,
                     launched.output.c_str());
        std::exit(1);
    }
    return result;
}

std::string range(const std::vector<double>& samples, const char* format)
{
    return "p10 " + bench::Format(format, bench::Percentile(samples, 0.1)) + " – p90 " +
           bench::Format(format, bench::Percentile(samples, 0.9));
}

// VmHWM is in KiB; the target is in MB of 10^6 bytes.
double Megabytes(double kib)
{
    return kib * 1024.0 / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    const long runs = std::max(1L, bench::Option(argc, argv, "--runs", 30));
    const long warmup = std::max(0L, bench::Option(argc, argv, "--warmup", 3));
    const auto folder = std::filesystem::canonical("/proc/self/exe").parent_path();
    const std::string quelvane = (folder / "bench_quelvane_startup").string();
    const std::string bare = (folder / "bench_bare_window").string();

    // The warm-up fills the file cache and lets the dynamic loader's caches
    // settle; its runs are not counted.
    for (long i = 0; i < warmup; ++i) {
        run(quelvane);
        run(bare);
    }
    std::vector<double> quelvaneMillis, bareMillis, pairRatios, quelvaneKib, bareKib;
    for (long i = 0; i < runs; ++i) {
        const Run q = run(quelvane);
        const Run b = run(bare);
        quelvaneMillis.push_back(q.paintMillis);
        bareMillis.push_back(b.paintMillis);
        pairRatios.push_back(q.paintMillis / b.paintMillis);
        quelvaneKib.push_back(q.peakKib);
        bareKib.push_back(b.peakKib);
    }

    const auto n = static_cast<std::size_t>(runs);
    const double ratio = bench::Median(quelvaneMillis) / bench::Median(bareMillis);
    const double extra = Megabytes(bench::Median(quelvaneKib) - bench::Median(bareKib));
    bench::Row("Start-up, exec to first paint: Quelvane", bench::Format("%.1f ms", bench::Median(quelvaneMillis)),
               range(quelvaneMillis, "%.1f"), n);
    bench::Row("Start-up, exec to first paint: one-label window", bench::Format("%.1f ms", bench::Median(bareMillis)),
               range(bareMillis, "%.1f"), n);
    bench::Row("**Start-up ratio, Quelvane / one-label window** (spread: run by run)", bench::Format("%.2fx", ratio),
               range(pairRatios, "%.2f"), n, "≤ 1.10x", bench::Verdict(ratio <= 1.10));
    bench::Row("Memory peak (VmHWM) at first paint: Quelvane", bench::Format("%.2f MB", Megabytes(bench::Median(quelvaneKib))),
               range(quelvaneKib, "%.0f") + " KiB", n);
    bench::Row("Memory peak (VmHWM) at first paint: one-label window", bench::Format("%.2f MB", Megabytes(bench::Median(bareKib))),
               range(bareKib, "%.0f") + " KiB", n);
    bench::Row("**Memory peak, Quelvane above one-label window**", bench::Format("%+.2f MB", extra), "", n, "≤ 2 MB",
               bench::Verdict(extra <= 2.0));
    return 0;
}
