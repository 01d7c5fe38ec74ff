#pragma once
// The settings store: what the program kept in the registry, kept in an INI file in the user's
// configuration folder ($XDG_CONFIG_HOME/Versewright/Versewright.ini). Groups mirror the key
// paths; binary values keep their exact size.

#include <QString>
#include <cstdint>

struct XDataRecord;

enum : uint32_t { REG_SZ = 1, REG_BINARY = 3, REG_DWORD = 4 };

// Full path of the settings file.
QString GetSettingsFilePath();

// Reads the value name of the program's key into buffer. size holds the buffer's size on entry
// and the stored size on return; a value larger than the buffer fails (nothing copied).
bool ReadSetting(const char* pszName, void* pBuffer, uint32_t& size);
// Writes the value with its type (REG_BINARY, REG_SZ, REG_DWORD).
bool WriteSetting(const char* pszName, uint32_t nType, const void* pData, uint32_t size);

// The record "XDATA": true only if one of exactly 120 bytes is stored.
bool LoadXData(XDataRecord& record);
bool SaveXData(const XDataRecord& record);

// The framework's profile: Software/<registry key>/<application>/<section>.
QString ReadProfileString(const QString& strRegKey, const QString& strApp,
                          const QString& strSection, const QString& strEntry,
                          const QString& strDefault);
void WriteProfileStringValue(const QString& strRegKey, const QString& strApp,
                             const QString& strSection, const QString& strEntry,
                             const QString& strValue);
