#include "data_folder.h"

#include <QDir>
#include <QFile>

#include <stdexcept>

DataFolderCopy::DataFolderCopy()
{
    if (!dir_.isValid())
        throw std::runtime_error("cannot create a temporary folder");
    for (const char* script : {"kat", "hir"}) {
        std::filesystem::copy(std::filesystem::path(QUELVANE_SHIPPED_DATA) / script, path() / script,
                              std::filesystem::copy_options::recursive);
    }
}

std::filesystem::path DataFolderCopy::path() const
{
    return dir_.path().toStdString();
}

QString DataFolderCopy::file(const QString& relative) const
{
    return dir_.filePath(relative);
}

void DataFolderCopy::write(const QString& relative, const QByteArray& contents) const
{
    QFile f(file(relative));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(contents) != contents.size())
        throw std::runtime_error("cannot write " + relative.toStdString());
}

void DataFolderCopy::remove(const QString& relative) const
{
    std::filesystem::remove_all(file(relative).toStdString());
}
