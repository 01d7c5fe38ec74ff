#pragma once
// File names between Qt's strings and the bytes the file system takes.

#include <QString>
#include <string>
#include <string_view>

std::string ToFileName(const QString& strPath);
QString FromFileName(std::string_view path);
