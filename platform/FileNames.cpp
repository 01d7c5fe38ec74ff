#include "platform/FileNames.h"

#include <QFile>

std::string ToFileName(const QString& strPath) {
    return QFile::encodeName(strPath).toStdString();
}

QString FromFileName(std::string_view path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}
