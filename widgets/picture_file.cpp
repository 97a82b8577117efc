#include "widgets/picture_file.h"

#include "catalogue/load_error.h"
#include "catalogue/path_text.h"
#include "catalogue/picture_format.h"
#include "catalogue/picture_size.h"
#include "catalogue/regular_file.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>

namespace widgets {

namespace {

QString Failure(const std::filesystem::path& file, const QString& cause)
{
    const QString name = QDir::toNativeSeparators(QString::fromStdString(catalogue::PathText(file)));
    return QStringLiteral("The picture %1 cannot be shown: %2.").arg(name, cause);
}

QString FromStd(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

std::variant<QImage, QString> ReadPicture(const std::string& file)
{
    const std::filesystem::path path = catalogue::TextPath(file);
    QByteArray bytes;
    try {
        catalogue::RegularFile in(path);
        bytes = QByteArray::fromStdString(in.readAll(catalogue::kMaxPictureBytes, "this program reads for one picture"));
    } catch (const catalogue::LoadError& error) {
        return Failure(error.file(), FromStd(error.cause()));
    }
    const std::filesystem::path absolute = std::filesystem::absolute(path);

    // The file's own structure is checked against the program's bounds
    // before the toolkit reads a byte of it: its decoders unpack side data
    // and size their buffers while they only read the header.
    const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (const auto damage = catalogue::PictureDamage(view))
        return Failure(absolute, FromStd(*damage));
    QBuffer buffer(&bytes);
    // Only the decoder of the format checked, never one guessed from the content.
    QImageReader reader(&buffer, catalogue::FormatName(*catalogue::PictureFormatOf(view)));
    reader.setAutoDetectImageFormat(false);
    reader.setAllocationLimit(catalogue::kMaxDecodedMiB);
    if (!reader.canRead())
        return Failure(absolute, QStringLiteral("it is not a picture in a format this program can show"));
    const QSize size = reader.size();
    if (!size.isValid())
        return Failure(absolute, QStringLiteral("its size cannot be read"));
    if (const auto cause = catalogue::SizeCause(static_cast<std::uint64_t>(size.width()),
                                                static_cast<std::uint64_t>(size.height()), "a picture"))
        return Failure(absolute, FromStd(*cause));

    QImage image = reader.read();
    if (image.isNull())
        return Failure(absolute, QStringLiteral("it cannot be decoded: %1").arg(reader.errorString()));
    if (image.size() != size)
        return Failure(absolute, QStringLiteral("it is damaged: it decodes to another size than it declares"));
    return image;
}

std::string DoubleResolutionName(const std::string& file)
{
    const std::size_t slash = file.find_last_of('/');
    const std::size_t dot = file.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    std::string doubled = file;
    doubled.insert(hasExtension ? dot : file.size(), "@2x");
    return doubled;
}

} // namespace widgets
