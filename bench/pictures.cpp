// ReadPicture on the worst pictures within the program's bounds, and on the
// hostile ones they refuse: the time of each read (median of the runs) and
// the memory it took at its peak (VmHWM over the resident size before).
// Each picture is read in a process of its own, so that one peak does not
// hide the next: with no argument the benchmark starts itself per picture.
//
// Usage: bench_pictures [--runs N]   (default 5)

#include "table.h"

#include "catalogue/path_text.h"
#include "widgets/picture_file.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <zlib.h>

namespace {

constexpr int kSide = 2048; // the largest square within the bound

QByteArray Encoded(const QImage& image, const char* format, bool progressive = false)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (QByteArray(format) == "jpeg")
        writer.setQuality(100); // for a PNG it would mean no compression
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

QImage noise(QImage::Format format)
{
    QImage image(kSide, kSide, format);
    QRandomGenerator random(7);
    for (int y = 0; y < image.height(); ++y)
        random.fillRange(reinterpret_cast<quint32*>(image.scanLine(y)), image.bytesPerLine() / 4);
    return image;
}

QImage Solid(QImage::Format format)
{
    QImage image(kSide, kSide, format);
    image.fill(QColor(40, 80, 160));
    return image;
}

// A PNG chunk as a decoder reads it, with its CRC.
QByteArray Chunk(const char* type, const QByteArray& data)
{
    QByteArray bytes(4, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(data.size()), bytes.data());
    bytes += QByteArray(type) + data;
    const auto crc = crc32(0, reinterpret_cast<const Bytef*>(bytes.constData() + 4), static_cast<uInt>(bytes.size() - 4));
    QByteArray tail(4, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(crc), tail.data());
    return bytes + tail;
}

// Compressed text of at most `packed` bytes, unpacking to about a thousand
// times that: deflate packs a run of one letter 1,030 to one at best.
QByteArray ZText(int packed)
{
    const QByteArray text(static_cast<qsizetype>(packed - 100) * 1020, 'a');
    QByteArray deflated(packed, '\0');
    uLongf size = static_cast<uLongf>(deflated.size());
    compress2(reinterpret_cast<Bytef*>(deflated.data()), &size, reinterpret_cast<const Bytef*>(text.constData()),
              static_cast<uLong>(text.size()), 9);
    deflated.truncate(static_cast<qsizetype>(size));
    return Chunk("zTXt", QByteArray("Comment\0\0", 9) + deflated);
}

// A progressive JPEG whose last scan is repeated to `scans`.
QByteArray scans(QByteArray jpeg, int count)
{
    const qsizetype last = jpeg.lastIndexOf("\xFF\xDA");
    const QByteArray scan = jpeg.mid(last, jpeg.size() - 2 - last);
    while (jpeg.count("\xFF\xDA") < count)
        jpeg.insert(jpeg.size() - 2, scan);
    return jpeg;
}

struct Case {
    const char* name;
    QByteArray (*make)();
};

const Case kCases[] = {
    {"PNG 2048 x 2048, 16 bits a channel, 8 KiB of compressed text, 1000 KiB of text",
     [] {
         QByteArray png = Encoded(Solid(QImage::Format_RGBA64), "png");
         png.insert(33, ZText(8 * 1024 - 12) + Chunk("tEXt", "Comment\0" + QByteArray(1000 * 1024, 'b')));
         return png;
     }},
    {"PNG 2048 x 2048 of noise", [] { return Encoded(noise(QImage::Format_RGB32), "png"); }},
    {"JPEG 2048 x 2048 of noise, quality 100", [] { return Encoded(noise(QImage::Format_RGB32), "jpeg"); }},
    // Scans of one colour are small, so that 64 of them fit the file's bound.
    {"progressive JPEG 2048 x 2048, 64 scans", [] { return scans(Encoded(Solid(QImage::Format_RGB32), "jpeg", true), 64); }},
    {"BMP 2048 x 2048, 32 bits", [] { return Encoded(noise(QImage::Format_ARGB32), "bmp"); }},
    {"PNG with 150 KB of compressed text",
     [] { return Encoded(QImage(30, 20, QImage::Format_RGB32), "png").insert(33, ZText(150000)); }},
    {"progressive JPEG 2048 x 2048, 5000 scans",
     [] { return scans(Encoded(Solid(QImage::Format_RGB32), "jpeg", true), 5000); }},
    {"JPEG of 40,000 empty comments",
     [] { return Encoded(QImage(30, 20, QImage::Format_RGB32), "jpeg").insert(2, QByteArray("\xFF\xFE\0\x02", 4).repeated(40000)); }},
};

long residentKb(const char* key)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(key, 0) == 0)
            return std::stol(line.substr(std::string(key).size()));
    }
    return -1;
}

// In a process of its own, started for the one picture: nothing but the
// read itself stands in its peak.
int Measure(const QString& file, const QString& name, int runs)
{
    const std::string path = catalogue::PathText(file.toStdString());
    const long before = residentKb("VmRSS:");
    std::vector<double> millis;
    QString outcome;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const auto read = widgets::ReadPicture(path);
        millis.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        outcome = std::holds_alternative<QImage>(read) ? QStringLiteral("shown")
                                                       : std::get<QString>(read).section(QStringLiteral(": "), 1);
    }
    const double peak = static_cast<double>(residentKb("VmHWM:") - before) / 1024.0;
    bench::Row("ReadPicture, " + name.toStdString() + " (" + outcome.toStdString() + ")",
               bench::Format("%.1f ms", bench::Median(millis)), bench::Format("peak +%.1f MB", peak), millis.size(),
               "< 1 s, < 64 MB", bench::Verdict(bench::Median(millis) < 1000 && peak < 64));
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const int runs = static_cast<int>(std::max(1L, bench::Option(argc, argv, "--runs", 5)));
    const QStringList arguments = QCoreApplication::arguments();
    if (const qsizetype read = arguments.indexOf("--read"); read > 0 && read + 2 < arguments.size())
        return Measure(arguments[read + 1], arguments[read + 2], runs);
    QTemporaryDir folder;
    int status = 0;
    for (const Case& picture : kCases) {
        const QString file = folder.filePath(QStringLiteral("picture.gif"));
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(picture.make()) < 0)
            return 1;
        out.close();
        QProcess one;
        one.setProcessChannelMode(QProcess::ForwardedChannels);
        one.start(QCoreApplication::applicationFilePath(),
                  {"--runs", QString::number(runs), "--read", file, QString::fromUtf8(picture.name)});
        one.waitForFinished(-1);
        status |= one.exitCode();
    }
    return status;
}
