#include "tests/support/test_data.h"

#include "tests/support/named_pipe.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QtEndian>

#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray EncodedPicture(const QSize& size, const char* format, int scans)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(scans > 0);
    writer.write(image);
    // 0xFF 0xDA starts a scan; coded data never holds it.
    const qsizetype last = bytes.lastIndexOf("\xFF\xDA");
    const QByteArray scan = bytes.mid(last, bytes.size() - 2 - last);
    while (scans > 0 && bytes.count("\xFF\xDA") < scans)
        bytes.insert(bytes.size() - 2, scan);
    return bytes;
}

QByteArray PngWithChunk(const char* type, int length)
{
    QByteArray chunk(4 + 4 + length + 4, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(length), chunk.data());
    chunk.replace(4, 4, type);
    return EncodedPicture({30, 20}, "PNG").insert(33, chunk); // after the signature and the header
}

namespace {

// Windows programs may not make links; there the shipped files are copied.
void LinkOrCopy(const fs::path& shipped, const fs::path& copy)
{
    std::error_code noLinks;
    fs::create_symlink(shipped, copy, noLinks);
    if (noLinks)
        fs::copy_file(shipped, copy);
}

} // namespace

DataFolderCopy::DataFolderCopy(bool withShippedData)
{
    if (!dir_.isValid())
        throw std::runtime_error("cannot create a temporary folder");
    if (!withShippedData)
        return;
    const fs::path shipped = QUELVANE_SHIPPED_DATA;
    for (const char* script : {"kat", "hir"}) {
        for (const auto& entry : fs::recursive_directory_iterator(shipped / script)) {
            const fs::path copy = path() / fs::relative(entry.path(), shipped);
            if (entry.is_directory())
                fs::create_directories(copy);
            else
                LinkOrCopy(entry.path(), copy);
        }
    }
}

fs::path DataFolderCopy::path() const
{
    return dir_.path().toStdString();
}

QString DataFolderCopy::file(const QString& relative) const
{
    return dir_.filePath(relative);
}

void DataFolderCopy::write(const QString& relative, const QByteArray& contents) const
{
    const fs::path target = file(relative).toStdString();
    fs::remove_all(target);
    if (contents == "<folder>")
        fs::create_directories(target);
    else if (contents == "<fifo>")
        MakeNamedPipe(target);
    else if (contents == "<device>")
        fs::create_symlink("/dev/zero", target);
    else if (contents == "<loop>")
        fs::create_symlink(target, target);
    if (contents.startsWith('<') && contents.endsWith('>'))
        return;
    QFile f(file(relative));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(contents) != contents.size())
        throw std::runtime_error("cannot write " + relative.toStdString());
}
