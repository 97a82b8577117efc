#pragma once

#include "tests/support/form_harness.h"

#include <QString>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace bench {

// Ends a benchmark whose run went wrong: a figure taken from a window that
// did not do what the benchmark asked of it would mislead.
[[noreturn]] inline void Fail(const QString& why)
{
    std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, qPrintable(why));
    std::exit(1);
}

// A control of the main window the benchmark drives; it must be there.
template <typename T>
T& Control(const FormHarness& window, const QString& name)
{
    if (auto* control = window.find<T>(name))
        return *control;
    Fail(QStringLiteral("the main window has no control %1").arg(name));
}

// Shows the main window and ends the benchmark unless it becomes active:
// typed keys would otherwise go nowhere.
inline void ShowActive(FormHarness& window)
{
    window.showActive();
    if (!window.form().isActiveWindow())
        Fail(QStringLiteral("the main window never became active"));
}

} // namespace bench
