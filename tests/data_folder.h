#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <QTemporaryDir>

#include <filesystem>

class QProcess;

// The bytes of a file, or none when it cannot be read.
QByteArray readFile(const QString& path);

// A picture of `size` in one colour, encoded in `format` ("PNG"); a JPEG
// progressive, with its last scan repeated to `scans` in all, when given.
QByteArray encodedPicture(const QSize& size, const char* format, int scans = 0);

// A PNG of 30 x 20 with a chunk of `type` holding `length` zero bytes
// after its header.
QByteArray pngWithChunk(const char* type, int length);

// A number this process reports about itself in /proc/self: the value of
// `key` in `file` ("status", "VmRSS:"), or -1.
qint64 selfReport(const char* file, const QByteArray& key);

// Makes a named pipe at `file`, or throws where the system has none in its
// folders (named_pipe_unix.cpp, named_pipe_win.cpp).
void makeNamedPipe(const std::filesystem::path& file);

// Has `process` start with the standard streams a launcher or a shell may
// hand it: all closed (`<&- >&- 2>&-`), or standard error a pipe whose
// reader has gone. False where the system has no such thing
// (child_streams_unix.cpp, child_streams_win.cpp).
enum class ChildStreams { Closed, ErrorBroken };
bool startWith(QProcess& process, ChildStreams streams);

// A private copy of the shipped data folder that a test may damage at will,
// or an empty folder for files of a test's own. The copy links to the
// shipped files; writing a file replaces its link, never the shipped file.
class DataFolderCopy {
public:
    explicit DataFolderCopy(bool withShippedData = true);

    std::filesystem::path path() const;
    QString file(const QString& relative) const;

    // Puts `contents` in place of the file. Some contents stand for a thing
    // other than a file: "<missing>", "<folder>", "<fifo>", "<device>" (a
    // link to /dev/zero) and "<loop>" (a link to itself).
    void write(const QString& relative, const QByteArray& contents) const;

private:
    QTemporaryDir dir_;
};
