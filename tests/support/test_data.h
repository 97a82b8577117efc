#pragma once

// Test data: files read whole, pictures made to order, and copies of the
// shipped data folder to damage.

#include <QByteArray>
#include <QSize>
#include <QString>
#include <QTemporaryDir>

#include <filesystem>

// The bytes of a file, or none when it cannot be read.
QByteArray ReadFile(const QString& path);

// A picture of `size` in one colour, encoded in `format` ("PNG"); a JPEG
// progressive, with its last scan repeated to `scans` in all, when given.
QByteArray EncodedPicture(const QSize& size, const char* format, int scans = 0);

// A PNG of 30 x 20 with a chunk of `type` holding `length` zero bytes
// after its header.
QByteArray PngWithChunk(const char* type, int length);

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
