#include "output_files.h"

#include <QDir>
#include <QSaveFile>

#include <stdexcept>

void ensureDir(const QString& path)
{
    if (!QDir().mkpath(path))
        throw std::runtime_error("cannot create folder " + path.toStdString());
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw std::runtime_error("cannot write " + path.toStdString());
}

void writeLines(const QString& path, const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + '\n';
    writeBytes(path, bytes);
}
