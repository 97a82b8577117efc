#include "first_paint.h"

#include <QEvent>
#include <QCoreApplication>
#include <QTimer>
#include <QWidget>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace {

std::chrono::steady_clock::time_point mainEntered;

// A "Name:   1234 kB" line of /proc/self/status.
long statusKib(const char* name)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(name) + ":";
    while (std::getline(status, line)) {
        if (line.rfind(prefix, 0) == 0)
            return std::stol(line.substr(prefix.size()));
    }
    return -1;
}

[[noreturn]] void finish(bool report)
{
    if (report) {
        const auto elapsed = std::chrono::steady_clock::now() - mainEntered;
        std::printf("rss_kib=%ld rss_anon_kib=%ld main_to_paint_us=%lld\n", statusKib("VmRSS"), statusKib("RssAnon"),
                    static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count()));
        std::fflush(stdout);
    }
    _exit(0);
}

} // namespace

void NoteMainEntered()
{
    mainEntered = std::chrono::steady_clock::now();
}

bool ReportRequested(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--report") == 0)
            return true;
    }
    return false;
}

FirstPaintExit::FirstPaintExit(QCoreApplication& app, bool report)
    : QObject(&app)
    , report_(report)
{
    // Watching the whole application lets the program start exactly as it
    // always does, without a hook of its own.
    app.installEventFilter(this);
    // A window that is never painted must not hang the whole benchmark run.
    QTimer::singleShot(30'000, this, [] {
        std::fputs("no first paint within 30 s\n", stderr);
        _exit(3);
    });
}

bool FirstPaintExit::eventFilter(QObject* watched, QEvent* event)
{
    const auto* widget = qobject_cast<const QWidget*>(watched);
    if (event->type() == QEvent::Paint && !painted_ && widget && widget->isWindow()) {
        painted_ = true;
        // The window itself is painted before its children and the result is
        // flushed to the screen after them all; a zero timer fires once that
        // whole pass is over.
        const bool report = report_;
        QTimer::singleShot(0, this, [report] { finish(report); });
    }
    return QObject::eventFilter(watched, event);
}
