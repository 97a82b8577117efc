#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

// An ICO with one 32-bit BMP entry per image (at most 256 px a side). BMP
// entries rather than embedded PNG so that every reader of the format takes it.
QByteArray IcoFile(const QList<QImage>& images);
