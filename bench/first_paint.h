#pragma once

#include <QObject>

class QCoreApplication;

// Ends the process as soon as a window has been painted for the first time.
// The launcher times the whole process, from exec to exit, so everything the
// learner waits for before seeing the window is counted, and the tear-down,
// which the learner never waits for, is not: the process leaves with _exit.
//
// With `report`, it first prints one line for the launcher:
//     rss_kib=<VmRSS> rss_anon_kib=<RssAnon> main_to_paint_us=<from main to the paint>
class FirstPaintExit : public QObject {
public:
    FirstPaintExit(QCoreApplication& app, bool report);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool painted_ = false;
    bool report_ = false;
};

// Called first thing in main, for main_to_paint_us.
void NoteMainEntered();

// True when "--report" is among the arguments.
bool ReportRequested(int argc, char* argv[]);
