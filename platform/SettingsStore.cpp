#include "platform/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <atomic>
#include <cstring>
#include <memory>
#include <unistd.h>

#include "app/XDataRecord.h"
#include "doc/FileReplace.h"
#include "platform/FileNames.h"

namespace {
// The program's own key, where "XDATA" lives.
const QString kProgramKey = QStringLiteral("Software/Versewright/");

// A copy of the store's bytes under a name no QSettings of this process has seen: QSettings keeps
// what it read of a file in a cache that trusts the file's size and time, and the store is replaced
// behind its back, so it is only ever read through such a copy. The copy is thrown away, so it is
// written plainly (only the store itself is made durable), and only its owner may read it.
class CStoreCopy {
public:
    CStoreCopy(const QString& strFolder, const QByteArray& bytes) {
        static std::atomic<unsigned> s_nSerial{0};
        m_strPath = QStringLiteral("%1/.Versewright.ini.%2-%3")
                        .arg(strFolder)
                        .arg(getpid())
                        .arg(s_nSerial++);
        QFile file(m_strPath);
        m_bOk = file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner) &&
                file.write(bytes) == bytes.size() && file.flush();
        file.close();
        m_bOk = m_bOk && file.error() == QFileDevice::NoError;
        m_pSettings = std::make_unique<QSettings>(m_strPath, QSettings::IniFormat);
    }
    ~CStoreCopy() {
        m_pSettings.reset();
        QFile::remove(m_strPath);
    }
    CStoreCopy(const CStoreCopy&) = delete;
    CStoreCopy& operator=(const CStoreCopy&) = delete;

    bool IsOk() const { return m_bOk && m_pSettings->status() == QSettings::NoError; }
    QSettings& Settings() { return *m_pSettings; }
    // What QSettings wrote, after sync.
    QByteArray Bytes() const {
        QFile file(m_strPath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QString m_strPath;
    bool m_bOk = false;
    std::unique_ptr<QSettings> m_pSettings;
};

// The store's bytes; false when it is there but cannot be read.
bool ReadStoreBytes(QByteArray& bytes) {
    QFile file(GetSettingsFilePath());
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}

QVariant ReadStoreValue(const QString& strKey, const QVariant& fallback = QVariant()) {
    QByteArray bytes;
    if (!ReadStoreBytes(bytes))
        return fallback;
    CStoreCopy copy(QDir::tempPath(), bytes);
    if (copy.IsOk())
        return copy.Settings().value(strKey, fallback);
    // No room for a copy: the store itself, read once.
    return QSettings(GetSettingsFilePath(), QSettings::IniFormat).value(strKey, fallback);
}

// Whether b read back every value a holds; numbers come back from the file as text.
bool SameValues(const QSettings& a, const QSettings& b) {
    const QStringList keys = a.allKeys();
    if (keys != b.allKeys())
        return false;
    for (const QString& strKey : keys) {
        const QVariant va = a.value(strKey), vb = b.value(strKey);
        if (va.typeId() == QMetaType::QByteArray ? va.toByteArray() != vb.toByteArray()
                                                 : va.toString() != vb.toString())
            return false;
    }
    return true;
}

// Sets (or, for a null value, removes) one value. QSettings writes its file in place of the old one
// even when the disk took only part of it, so it writes a copy; the copy's bytes are read back
// under a fresh name, and only bytes that hold every value replace the store, complete.
bool CommitSetting(const QString& strKey, const QVariant& value) {
    const QString strFolder = QFileInfo(GetSettingsFilePath()).absolutePath();
    QByteArray bytes;
    if (!QDir().mkpath(strFolder) || !ReadStoreBytes(bytes))
        return false;
    CStoreCopy draft(strFolder, bytes);
    if (!draft.IsOk())
        return false;
    QSettings& settings = draft.Settings();
    if (value.isNull() ? !settings.contains(strKey) : settings.value(strKey) == value)
        return true; // nothing to write
    if (value.isNull())
        settings.remove(strKey);
    else
        settings.setValue(strKey, value);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        return false;
    bytes = draft.Bytes();
    CStoreCopy check(strFolder, bytes);
    return check.IsOk() && SameValues(settings, check.Settings()) &&
           WriteFileReplacing(ToFileName(GetSettingsFilePath()), bytes.toStdString());
}
} // namespace

QString GetSettingsFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Versewright/Versewright.ini");
}

bool ReadSetting(const char* pszName, void* pBuffer, uint32_t& size) {
    const QVariant value = ReadStoreValue(kProgramKey + QString::fromLatin1(pszName));
    if (!value.isValid())
        return false;
    QByteArray bytes;
    switch (value.typeId()) {
    case QMetaType::QByteArray:
        bytes = value.toByteArray();
        break;
    case QMetaType::QString:
        bytes = value.toString().toUtf8();
        bytes.append('\0');
        break;
    default:
        return false;
    }
    const uint32_t nCapacity = size;
    size = static_cast<uint32_t>(bytes.size());
    if (size > nCapacity)
        return false;
    if (size)
        std::memcpy(pBuffer, bytes.constData(), size);
    return true;
}

bool WriteSetting(const char* pszName, uint32_t nType, const void* pData, uint32_t size) {
    const char* p = static_cast<const char*>(pData);
    QVariant value;
    if (nType == REG_SZ) {
        value = QString::fromUtf8(p, static_cast<qsizetype>(strnlen(p, size)));
    } else {
        // A number too keeps its bytes: the file holds numbers as text, which would read back
        // as a string of digits.
        value = QByteArray(p, static_cast<qsizetype>(size));
    }
    return CommitSetting(kProgramKey + QString::fromLatin1(pszName), value);
}

bool LoadXData(XDataRecord& record) {
    uint8_t buffer[XDATA_SIZE];
    uint32_t size = sizeof buffer;
    if (!ReadSetting("XDATA", buffer, size))
        return false;
    return DecodeXData(buffer, size, record);
}

bool SaveXData(const XDataRecord& record) {
    uint8_t buffer[XDATA_SIZE];
    EncodeXData(record, buffer);
    return WriteSetting("XDATA", REG_BINARY, buffer, sizeof buffer);
}

QString ReadProfileString(const QString& strRegKey, const QString& strApp,
                          const QString& strSection, const QString& strEntry,
                          const QString& strDefault) {
    return ReadStoreValue(
               QStringLiteral("Software/%1/%2/%3/%4").arg(strRegKey, strApp, strSection, strEntry),
               strDefault)
        .toString();
}

void WriteProfileStringValue(const QString& strRegKey, const QString& strApp,
                             const QString& strSection, const QString& strEntry,
                             const QString& strValue) {
    CommitSetting(
        QStringLiteral("Software/%1/%2/%3/%4").arg(strRegKey, strApp, strSection, strEntry),
        strValue.isNull() ? QVariant() : QVariant(strValue));
}
