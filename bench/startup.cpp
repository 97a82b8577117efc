// Starts bench_quelvane_startup, bench_bare_window and bench_caption_window
// (beside this program) as whole processes, in turn, and compares their time
// from exec to exit after the first paint, and their resident memory then.
//
// The three are interleaved, run for run, so that a machine that slows down or
// speeds up during the run weighs on all alike.
//
// Usage: bench_startup [--runs N] [--warmup N]
// The platform is whatever QT_QPA_PLATFORM says; bench/run.sh sets it.

#include "table.h"

#include <fcntl.h>
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
    double millis = 0;
    int status = -1;
    std::string output; // standard output and error, when asked for
};

// One whole process: exec, run to its own exit, reaped. With `report`, the
// program is asked for its report line and its output is kept.
Run launch(const std::string& program, bool report)
{
    int pipeEnds[2] = {-1, -1};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (report) {
        if (pipe(pipeEnds) != 0) {
            std::perror("pipe");
            std::exit(2);
        }
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
    } else {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    }
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    if (report)
        argv.push_back(const_cast<char*>("--report"));
    argv.push_back(nullptr);

    Run run;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
        std::perror(program.c_str());
        std::exit(2);
    }
    posix_spawn_file_actions_destroy(&actions);
    if (report) {
        close(pipeEnds[1]);
        char buffer[4096];
        ssize_t got = 0;
        while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0)
            run.output.append(buffer, static_cast<std::size_t>(got));
        close(pipeEnds[0]);
    }
    waitpid(pid, &run.status, 0);
    const auto end = std::chrono::steady_clock::now();
    run.millis = std::chrono::duration<double, std::milli>(end - start).count();
    return run;
}

[[noreturn]] void fail(const std::string& program)
{
    const Run shown = launch(program, true);
    std::fprintf(stderr, "%s did not start cleanly (status %d):\n%s\n", program.c_str(), shown.status,
                 shown.output.c_str());
    std::exit(1);
}

bool clean(const Run& run)
{
    return WIFEXITED(run.status) && WEXITSTATUS(run.status) == 0;
}

// The number after "key=" in a report line.
double field(const std::string& output, const std::string& key)
{
    const auto at = output.find(key + "=");
    if (at == std::string::npos)
        return -1;
    return std::stod(output.substr(at + key.size() + 1));
}

struct Figures {
    std::vector<double> wallMillis;
    std::vector<double> mainMillis;
    std::vector<double> residentKib;
    std::vector<double> anonymousKib;
};

std::string range(const std::vector<double>& samples, const char* format)
{
    return bench::Format(format, bench::Percentile(samples, 0.0)) + " – " +
           bench::Format(format, bench::Percentile(samples, 1.0));
}

// VmRSS is in KiB; the target is in MB of 10^6 bytes.
double megabytes(double kib)
{
    return kib * 1024.0 / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    const long runs = std::max(1L, bench::Option(argc, argv, "--runs", 30));
    const long warmup = std::max(0L, bench::Option(argc, argv, "--warmup", 3));
    const auto folder = std::filesystem::canonical("/proc/self/exe").parent_path();

    enum { kQuelvane, kBare, kCaption, kCount };
    const std::string programs[kCount] = {(folder / "bench_quelvane_startup").string(),
                                          (folder / "bench_bare_window").string(),
                                          (folder / "bench_caption_window").string()};
    const char* names[kCount] = {"Quelvane", "bare window", "window with one caption"};
    Figures figures[kCount];

    // Fills the file cache and lets the dynamic loader's caches settle.
    for (long i = 0; i < warmup; ++i) {
        for (const auto& program : programs) {
            if (!clean(launch(program, false)))
                fail(program);
        }
    }
    for (long i = 0; i < runs; ++i) {
        for (int p = 0; p < kCount; ++p) {
            const Run run = launch(programs[p], false);
            if (!clean(run))
                fail(programs[p]);
            figures[p].wallMillis.push_back(run.millis);
        }
    }
    // The report is read in runs of its own, so that printing it does not
    // weigh on the timed runs.
    for (long i = 0; i < runs; ++i) {
        for (int p = 0; p < kCount; ++p) {
            const Run run = launch(programs[p], true);
            if (!clean(run))
                fail(programs[p]);
            figures[p].residentKib.push_back(field(run.output, "rss_kib"));
            figures[p].anonymousKib.push_back(field(run.output, "rss_anon_kib"));
            figures[p].mainMillis.push_back(field(run.output, "main_to_paint_us") / 1000.0);
        }
    }

    const auto n = static_cast<std::size_t>(runs);
    auto median = [&](int p, std::vector<double> Figures::*samples) { return bench::Median(figures[p].*samples); };

    for (int p = 0; p < kCount; ++p) {
        bench::Row(std::string("Start-up, exec to exit after first paint: ") + names[p],
                   bench::Format("%.1f ms", median(p, &Figures::wallMillis)), range(figures[p].wallMillis, "%.1f"),
                   n);
    }
    const double ratio = median(kQuelvane, &Figures::wallMillis) / median(kBare, &Figures::wallMillis);
    bench::Row("**Start-up ratio, Quelvane / bare window**", bench::Format("%.2fx", ratio), "", n, "≤ 1.15x",
               bench::Verdict(ratio <= 1.15));
    bench::Row("Start-up ratio, Quelvane / window with one caption",
               bench::Format("%.2fx", median(kQuelvane, &Figures::wallMillis) / median(kCaption, &Figures::wallMillis)),
               "", n);
    for (int p = 0; p < kCount; ++p) {
        bench::Row(std::string("of which main() to first paint: ") + names[p],
                   bench::Format("%.1f ms", median(p, &Figures::mainMillis)), range(figures[p].mainMillis, "%.1f"), n);
    }

    for (int p = 0; p < kCount; ++p) {
        bench::Row(std::string("Resident memory (VmRSS) after first paint: ") + names[p],
                   bench::Format("%.2f MB", megabytes(median(p, &Figures::residentKib))),
                   range(figures[p].residentKib, "%.0f") + " KiB", n);
    }
    const double extra = megabytes(median(kQuelvane, &Figures::residentKib) - median(kBare, &Figures::residentKib));
    bench::Row("**Resident memory, Quelvane above bare window**", bench::Format("%+.2f MB", extra), "", n, "≤ 3 MB",
               bench::Verdict(extra <= 3.0));
    bench::Row("of which anonymous (RssAnon: heap, stacks); the rest is mapped files",
               bench::Format("%+.2f MB", megabytes(median(kQuelvane, &Figures::anonymousKib) -
                                                   median(kBare, &Figures::anonymousKib))),
               "", n);
    bench::Row("Resident memory, Quelvane above window with one caption",
               bench::Format("%+.2f MB", megabytes(median(kQuelvane, &Figures::residentKib) -
                                                   median(kCaption, &Figures::residentKib))),
               "", n);
    return 0;
}
