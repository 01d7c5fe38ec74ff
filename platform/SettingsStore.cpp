#include "platform/SettingsStore.h"

#include <QSettings>
#include <QStandardPaths>
#include <cstring>

#include "app/XDataRecord.h"

namespace {
// The program's own key, where "XDATA" lives.
const QString kProgramKey = QStringLiteral("Software/Versewright/");

QSettings OpenStore() {
    return QSettings(GetSettingsFilePath(), QSettings::IniFormat);
}
} // namespace

QString GetSettingsFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Versewright/Versewright.ini");
}

bool ReadSetting(const char* pszName, void* pBuffer, uint32_t& size) {
    QSettings store = OpenStore();
    const QVariant value = store.value(kProgramKey + QString::fromLatin1(pszName));
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
    default: {
        bool bOk = false;
        const uint32_t n = value.toUInt(&bOk);
        if (!bOk)
            return false;
        bytes.resize(4);
        for (int i = 0; i < 4; ++i)
            bytes[i] = static_cast<char>(n >> (8 * i));
        break;
    }
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
    QSettings store = OpenStore();
    const char* p = static_cast<const char*>(pData);
    QVariant value;
    if (nType == REG_SZ) {
        value = QString::fromUtf8(p, static_cast<qsizetype>(strnlen(p, size)));
    } else if (nType == REG_DWORD && size == 4) {
        uint32_t n = 0;
        for (int i = 0; i < 4; ++i)
            n |= static_cast<uint32_t>(static_cast<uint8_t>(p[i])) << (8 * i);
        value = n;
    } else {
        value = QByteArray(p, static_cast<qsizetype>(size));
    }
    store.setValue(kProgramKey + QString::fromLatin1(pszName), value);
    store.sync();
    return store.status() == QSettings::NoError;
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
    QSettings store = OpenStore();
    return store
        .value(QStringLiteral("Software/%1/%2/%3/%4").arg(strRegKey, strApp, strSection, strEntry),
               strDefault)
        .toString();
}

void WriteProfileStringValue(const QString& strRegKey, const QString& strApp,
                             const QString& strSection, const QString& strEntry,
                             const QString& strValue) {
    QSettings store = OpenStore();
    const QString strKey =
        QStringLiteral("Software/%1/%2/%3/%4").arg(strRegKey, strApp, strSection, strEntry);
    if (strValue.isNull())
        store.remove(strKey);
    else
        store.setValue(strKey, strValue);
    store.sync();
}
