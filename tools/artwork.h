#pragma once

#include <QFont>
#include <QString>

#include <functional>

using FontMaker = std::function<QFont(int pixels, bool bold)>;

// The program's own pictures: window art, the small-tsu marker and the icon.
void WriteArtwork(const QString& resourcesDir, const FontMaker& font);
