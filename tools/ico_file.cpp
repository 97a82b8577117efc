#include "ico_file.h"

#include <QtEndian>

#include <stdexcept>

namespace {

void Put16(QByteArray& out, int v)
{
    char b[2];
    qToLittleEndian<quint16>(static_cast<quint16>(v), b);
    out.append(b, 2);
}

void Put32(QByteArray& out, qint64 v)
{
    char b[4];
    qToLittleEndian<quint32>(static_cast<quint32>(v), b);
    out.append(b, 4);
}

QByteArray BmpEntry(const QImage& source)
{
    const QImage img = source.convertToFormat(QImage::Format_ARGB32);
    const int w = img.width();
    const int h = img.height();
    const int maskStride = ((w + 31) / 32) * 4;

    QByteArray out;
    Put32(out, 40);
    Put32(out, w);
    Put32(out, 2 * h); // colour rows followed by the mask rows
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0);
    Put32(out, static_cast<qint64>(w) * h * 4 + static_cast<qint64>(maskStride) * h);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);

    for (int y = h - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < w; ++x)
            Put32(out, line[x]); // 0xAARRGGBB little-endian is B, G, R, A
    }
    for (int y = h - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        QByteArray row(maskStride, '\0');
        for (int x = 0; x < w; ++x) {
            if (qAlpha(line[x]) == 0)
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        }
        out += row;
    }
    return out;
}

} // namespace

QByteArray IcoFile(const QList<QImage>& images)
{
    QList<QByteArray> entries;
    for (const QImage& img : images) {
        if (img.width() < 1 || img.width() > 256 || img.height() < 1 || img.height() > 256)
            throw std::runtime_error("icon sizes must lie between 1 and 256");
        entries << BmpEntry(img);
    }

    QByteArray out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, static_cast<int>(images.size()));
    qint64 offset = 6 + 16 * images.size();
    for (qsizetype i = 0; i < images.size(); ++i) {
        out.append(static_cast<char>(images[i].width() & 0xff)); // 256 is written as 0
        out.append(static_cast<char>(images[i].height() & 0xff));
        out.append('\0');
        out.append('\0');
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, entries[i].size());
        Put32(out, offset);
        offset += entries[i].size();
    }
    for (const QByteArray& e : entries)
        out += e;
    return out;
}
