#pragma once

#include <QImage>
#include <QString>

#include <string>
#include <variant>

namespace widgets {

// Reads a picture from the data folder. The format is told by the content,
// not the name: GIF, JPEG, PNG or BMP (catalogue/picture_format.h); an
// animated one gives its first frame. A file that cannot serve yields the
// reason, in words that name the file: not a regular file, unreadable, not
// a picture of those formats, cut short, or over a bound of
// catalogue/picture_size.h (pixels, side data, scans). `file` is a path as
// the catalogue holds it (catalogue::PathText).
std::variant<QImage, QString> ReadPicture(const std::string& file);

// The same picture drawn at twice the resolution lies beside it, by the
// usual convention: "k-/a@2x.gif" beside "k-/a.gif".
std::string DoubleResolutionName(const std::string& file);

} // namespace widgets
