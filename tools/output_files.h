#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Small helpers that fail loudly: a half-written data folder is worse than none.
void ensureDir(const QString& path);
void writeBytes(const QString& path, const QByteArray& bytes);
// UTF-8, one entry per line, LF endings, final newline.
void writeLines(const QString& path, const QStringList& lines);
