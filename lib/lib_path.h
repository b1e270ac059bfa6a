#pragma once
#include <QFile>
#include <QString>
#include <string>

// The bytes the file layer opens for a path the user chose: the platform's file-name
// encoding (UTF-8 here), never a legacy code page.
inline std::string lib_file_path_bytes(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}
