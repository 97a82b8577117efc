#pragma once

#include <QObject>

class QCoreApplication;

// Ends the process as soon as a window has been painted for the first time,
// after printing one line for the launcher (bench_startup):
//     paint_ns=<steady clock at the paint> hwm_kib=<VmHWM>
// The launcher takes the time from its own clock reading before exec, so the
// figure runs from exec to the painted window; the tear-down, which the
// learner never waits for, is left out: the process leaves with _exit.
class FirstPaintExit : public QObject {
public:
    explicit FirstPaintExit(QCoreApplication& app);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool painted_ = false;
};
