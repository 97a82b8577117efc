#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <filesystem>

// A private copy of the shipped data folder that a test may damage at will.
class DataFolderCopy {
public:
    DataFolderCopy();

    std::filesystem::path path() const;
    QString file(const QString& relative) const;

    void write(const QString& relative, const QByteArray& contents) const;
    void remove(const QString& relative) const;

private:
    QTemporaryDir dir_;
};
