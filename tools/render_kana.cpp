// Renders the kana pictures of data/ and the program's own pictures of
// resources/. Everything is drawn from the Noto Sans CJK JP outlines and fixed
// numbers, so a rerun reproduces the committed files byte for byte.

#include "artwork.h"
#include "kana_pictures.h"
#include "kana_table.h"
#include "output_files.h"
#include "picture_scale.h"

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QGuiApplication>
#include <QRawFont>

#include <cstdio>
#include <stdexcept>

namespace {

const QString kFontFamily = QStringLiteral("Noto Sans CJK JP");
const QString kFontCopyright = QStringLiteral("/usr/share/doc/fonts-noto-cjk/copyright");
constexpr int kGlyphPixels = 38;

QStringList split(std::string_view list)
{
    return QString::fromUtf8(list.data(), static_cast<qsizetype>(list.size())).split(u' ', Qt::SkipEmptyParts);
}

QFont KanaFont(int pixels, QFont::Weight weight)
{
    QFont font(kFontFamily);
    font.setPixelSize(pixels);
    font.setWeight(weight);
    // A fallback font would silently change the look of some pictures.
    font.setStyleStrategy(QFont::NoFontMerging);
    if (QFontInfo(font).family() != kFontFamily)
        throw std::runtime_error("font not installed: " + kFontFamily.toStdString() + " (package fonts-noto-cjk)");
    return font;
}

struct Script {
    const char* folder;
    std::string_view KanaRow::*kana;
};

void WriteKanaData(const QString& dataDir)
{
    for (std::size_t set = 0; set < kKanaRows.size(); ++set) {
        const KanaRow& row = kKanaRows[set];
        const auto count = static_cast<std::size_t>(split(row.names).size());
        if (count != catalogue::kSetShapes[set].count || split(row.files).size() != split(row.names).size()
            || split(row.hiragana).size() != split(row.names).size() || split(row.katakana).size() != split(row.names).size())
            throw std::logic_error("kana table row is ragged: " + std::string(catalogue::kSetShapes[set].caption));
    }

    QStringList everything;
    for (const KanaRow& row : kKanaRows)
        everything << split(row.hiragana) << split(row.katakana);
    const KanaPictures pictures(KanaFont(kGlyphPixels, QFont::Normal), everything);

    int written = 0;
    for (const Script script : {Script{"kat", &KanaRow::katakana}, Script{"hir", &KanaRow::hiragana}}) {
        const QString scriptDir = dataDir + u'/' + QLatin1String(script.folder);
        EnsureDir(scriptDir);
        for (std::size_t set = 0; set < kKanaRows.size(); ++set) {
            const KanaRow& row = kKanaRows[set];
            const std::string_view folder = catalogue::kSetShapes[set].rowFolder;
            const QString rowDir = folder.empty()
                ? scriptDir
                : scriptDir + u'/' + QString::fromUtf8(folder.data(), static_cast<qsizetype>(folder.size()));
            EnsureDir(rowDir);
            const QStringList files = split(row.files);
            const QStringList kana = split(row.*script.kana);
            for (qsizetype i = 0; i < files.size(); ++i) {
                for (const int scale : kPictureScales)
                    WriteGif(rowDir + u'/' + ScaledFileName(files[i], QStringLiteral(".gif"), scale),
                             pictures.picture(kana[i], scale));
                ++written;
            }
        }
        // The lists name the plain pictures only; a @2x file is found by its name.
        WriteLines(scriptDir + QStringLiteral("/stdpaths.txt"),
                   {QStringLiteral("\"a.gif\""), QStringLiteral("\"i.gif\""), QStringLiteral("\"u.gif\""),
                    QStringLiteral("\"e.gif\""), QStringLiteral("\"o.gif\"")});
        WriteLines(scriptDir + QStringLiteral("/yayuyo.txt"),
                   {QStringLiteral("\"a.gif\""), QStringLiteral("\"u.gif\""), QStringLiteral("\"o.gif\"")});
    }

    // The names are the same for both scripts, so only the katakana folder carries them.
    QStringList names;
    for (const KanaRow& row : kKanaRows)
        names << split(row.names);
    WriteLines(dataDir + QStringLiteral("/kat/symbols.txt"), names);

    std::printf("%d kana pictures at %d scales, %d names; single %dx%d, pair %dx%d, baseline at row %d\n",
                written, static_cast<int>(kPictureScales.size()), static_cast<int>(names.size()),
                pictures.singleWidth(), pictures.height(), pictures.pairWidth(), pictures.height(),
                pictures.baseline());
}

// The copyright notice as the font states it in its own name table: name id
// 0, Windows platform, Unicode BMP, US English, in UTF-16BE. Packagers'
// summaries of a font family may name other holders than the font file does.
QString FontCopyrightNotice(const QFont& font)
{
    const QByteArray table = QRawFont::fromFont(font).fontTable("name");
    const auto u16 = [&table](qsizetype at) {
        if (at < 0 || at + 2 > table.size())
            throw std::runtime_error("the name table of " + kFontFamily.toStdString() + " is cut short");
        return (static_cast<int>(static_cast<unsigned char>(table[at])) << 8)
            | static_cast<unsigned char>(table[at + 1]);
    };
    const int count = u16(2);
    const qsizetype strings = u16(4);
    for (int i = 0; i < count; ++i) {
        const qsizetype record = 6 + 12 * static_cast<qsizetype>(i);
        if (u16(record) != 3 || u16(record + 2) != 1 || u16(record + 4) != 0x409 || u16(record + 6) != 0)
            continue;
        const int length = u16(record + 8);
        const qsizetype offset = strings + u16(record + 10);
        QString text;
        for (int at = 0; at + 1 < length; at += 2)
            text.append(QChar(static_cast<char16_t>(u16(offset + at))));
        return text.trimmed();
    }
    throw std::runtime_error("no copyright notice in the name table of " + kFontFamily.toStdString());
}

// The font's licence asks for its copyright notice and licence text to travel
// with anything bundling it. The notice comes from the font file; the licence
// text from the font package's Debian copyright file, whose other paragraphs
// (the packaging, the notice as the packagers summed it up) are left out.
void WriteFontLicence(const QString& dataDir, const QFont& font)
{
    QFile in(kFontCopyright);
    if (!in.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + kFontCopyright.toStdString());
    const QStringList paragraphs = QString::fromUtf8(in.readAll()).split(QStringLiteral("\n\n"));

    const QString notice = FontCopyrightNotice(font);
    QString licenceName;
    for (const QString& para : paragraphs) {
        if (!para.startsWith(QStringLiteral("Files: *\n")))
            continue;
        for (const QString& line : para.split(u'\n')) {
            if (line.startsWith(QStringLiteral("License:")))
                licenceName = line.mid(8).trimmed();
        }
    }
    QStringList body;
    for (const QString& para : paragraphs) {
        if (licenceName.isEmpty() || !para.startsWith(QStringLiteral("License: ") + licenceName + u'\n'))
            continue;
        for (const QString& line : para.split(u'\n').mid(1))
            body << (line == QStringLiteral(" .") ? QString() : line.mid(1));
    }
    if (notice.isEmpty() || body.isEmpty())
        throw std::runtime_error("font licence not found in " + kFontCopyright.toStdString());

    QStringList out;
    out << QStringLiteral("The pictures of Quelvane, the kana as well as the program's own, are rendered from the font %1.").arg(kFontFamily)
        << QString() << notice << QString() << body;
    while (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    WriteLines(dataDir + QStringLiteral("/FONT-LICENSE.txt"), out);
}

} // namespace

int main(int argc, char** argv)
{
    // Always headless: the output must not depend on the desktop it runs on.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: render_kana DATA_DIR RESOURCES_DIR\n");
        return 2;
    }
    try {
        WriteKanaData(args[1]);
        WriteFontLicence(args[1], KanaFont(kGlyphPixels, QFont::Normal));
        WriteArtwork(args[2], [](int pixels, bool bold) {
            return KanaFont(pixels, bold ? QFont::Bold : QFont::Normal);
        });
    } catch (const std::exception& e) {
        std::fprintf(stderr, "render_kana: %s\n", e.what());
        return 1;
    }
    return 0;
}
