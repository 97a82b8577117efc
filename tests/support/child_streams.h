#pragma once

class QProcess;

// Has `process` start with the standard streams a launcher or a shell may
// hand it: all closed (`<&- >&- 2>&-`), or standard error a pipe whose
// reader has gone. False where the system has no such thing.
enum class ChildStreams { Closed, ErrorBroken };
bool StartWith(QProcess& process, ChildStreams streams);
