#pragma once

#include <QByteArray>

// A number this process reports about itself, or -1 where the system keeps
// no such report: the value of `key` in /proc/self/`file` ("io", "rchar:").
qint64 SelfReport(const char* file, const QByteArray& key);

// Resident memory in kB, with the freed blocks the allocator still holds
// handed back first: those are not growth.
qint64 ResidentKb();
