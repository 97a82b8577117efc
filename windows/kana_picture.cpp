#include "windows/kana_picture.h"

#include "quiz/presentation.h"
#include "windows/twips.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace windows {

namespace {

QString failure(const QString& path, const QString& cause)
{
    return QStringLiteral("The picture %1 cannot be shown: %2.").arg(QDir::toNativeSeparators(path), cause);
}

} // namespace

std::variant<QPixmap, QString> LoadKanaPicture(const QString& path)
{
    const QFileInfo file(path);
    if (!file.exists())
        return failure(path, QStringLiteral("not found"));
    if (file.isDir())
        return failure(path, QStringLiteral("it is a folder, not a file"));
    if (!file.isReadable())
        return failure(path, QStringLiteral("it cannot be read"));

    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    if (reader.format() != "gif")
        return failure(path, QStringLiteral("it is not a GIF picture"));

    // Checked before decoding, so that a huge picture is never read whole.
    const QSize size = reader.size();
    const QSize window(toPixels(quiz::kKanaWindowWidth), toPixels(quiz::kKanaWindowHeight));
    if (size.isValid() && (size.width() > window.width() || size.height() > window.height())) {
        return failure(path, QStringLiteral("it is %1 x %2 pixels, larger than the kana window (%3 x %4)")
                                 .arg(size.width())
                                 .arg(size.height())
                                 .arg(window.width())
                                 .arg(window.height()));
    }

    const QImage image = reader.read();
    if (image.isNull())
        return failure(path, reader.errorString().toLower());
    return QPixmap::fromImage(image);
}

} // namespace windows
