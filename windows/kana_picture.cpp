#include "windows/kana_picture.h"

#include "catalogue/gif_structure.h"
#include "quiz/presentation.h"
#include "windows/twips.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace windows {

namespace {

// Far more than any kana picture needs, and little enough to read at once.
constexpr qint64 kMaxPictureBytes = 1 << 20;

QString failure(const QString& path, const QString& cause)
{
    return QStringLiteral("The picture %1 cannot be shown: %2.").arg(QDir::toNativeSeparators(path), cause);
}

} // namespace

std::variant<QPixmap, QString> LoadKanaPicture(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return failure(path, QStringLiteral("not found"));
    if (info.isDir())
        return failure(path, QStringLiteral("it is a folder, not a file"));
    if (info.size() > kMaxPictureBytes)
        return failure(path, QStringLiteral("it is %1 bytes long, too large for a kana picture").arg(info.size()));

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(path, QStringLiteral("it cannot be read: %1").arg(file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failure(path, QStringLiteral("it cannot be read: %1").arg(file.errorString()));

    if (const auto damage = catalogue::GifDamage(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))))
        return failure(path, QString::fromStdString(*damage));

    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "gif");
    // Checked before decoding, so that a huge picture is never decoded.
    const QSize size = reader.size();
    if (!size.isValid())
        return failure(path, QStringLiteral("its size cannot be read"));
    const QSize window(toPixels(quiz::kKanaWindowWidth), toPixels(quiz::kKanaWindowHeight));
    if (size.width() > window.width() || size.height() > window.height()) {
        return failure(path, QStringLiteral("it is %1 x %2 pixels, larger than the kana window (%3 x %4)")
                                 .arg(size.width())
                                 .arg(size.height())
                                 .arg(window.width())
                                 .arg(window.height()));
    }

    const QImage image = reader.read();
    if (image.isNull())
        return failure(path, QStringLiteral("it cannot be decoded: %1").arg(reader.errorString()));
    return QPixmap::fromImage(image);
}

} // namespace windows
