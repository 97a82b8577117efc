#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Small helpers that fail loudly: a half-written data folder is worse than none.
void EnsureDir(const QString& path);
void WriteBytes(const QString& path, const QByteArray& bytes);
// UTF-8, one entry per line, LF endings, final newline.
void WriteLines(const QString& path, const QStringList& lines);
