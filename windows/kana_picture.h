#pragma once

#include <QPixmap>
#include <QString>

#include <variant>

namespace windows {

// Loads the picture of a kana from the data folder. Only a GIF no larger
// than the kana window will do; anything else yields the reason, in words
// that name the file.
std::variant<QPixmap, QString> LoadKanaPicture(const QString& path);

} // namespace windows
