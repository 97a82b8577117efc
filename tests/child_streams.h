#pragma once

class QProcess;

// How a test starts the program with standard streams a launcher or a
// shell may hand it. Each returns false where the system has no such thing
// (child_streams_unix.cpp, child_streams_win.cpp).

// Standard input, output and error all closed, as `<&- >&- 2>&-` leaves them.
bool startWithStreamsClosed(QProcess& process);

// Standard error a pipe whose reader has gone.
bool startWithErrorBroken(QProcess& process);
