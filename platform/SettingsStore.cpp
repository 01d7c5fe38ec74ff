#include "platform/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <atomic>
#include <cstring>
#include <unistd.h>

#include "app/XDataRecord.h"
#include "doc/FileReplace.h"

namespace {
// The program's own key, where "XDATA" lives.
const QString kProgramKey = QStringLiteral("Software/Versewright/");

QSettings OpenStore() {
    return QSettings(GetSettingsFilePath(), QSettings::IniFormat);
}

// A name beside the store that no QSettings of this process has seen, so none reads it from its
// cache.
QString ScratchPath(const QString& strStore) {
    static std::atomic<unsigned> s_nSerial{0};
    return QStringLiteral("%1.%2-%3.part").arg(strStore).arg(getpid()).arg(s_nSerial++);
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
// even when the disk took only part of it, so it writes a scratch copy; that copy is read back
// under a fresh name, and only a copy that holds every value replaces the store, complete.
bool CommitSetting(const QString& strKey, const QVariant& value) {
    const QString strStore = GetSettingsFilePath();
    if (!QDir().mkpath(QFileInfo(strStore).absolutePath()))
        return false;
    QSettings store(strStore, QSettings::IniFormat);
    const QString strDraft = ScratchPath(strStore);
    QSettings draft(strDraft, QSettings::IniFormat);
    for (const QString& strName : store.allKeys())
        draft.setValue(strName, store.value(strName));
    if (value.isNull())
        draft.remove(strKey);
    else
        draft.setValue(strKey, value);
    draft.sync();
    QFile file(strDraft);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    file.close();
    QFile::remove(strDraft);
    const QString strCheck = ScratchPath(strStore);
    bool bOk = draft.status() == QSettings::NoError &&
               WriteFileReplacing(QFile::encodeName(strCheck).toStdString(), bytes.toStdString());
    if (bOk) {
        const QSettings check(strCheck, QSettings::IniFormat);
        bOk = check.status() == QSettings::NoError && SameValues(draft, check);
    }
    QFile::remove(strCheck);
    return bOk &&
           WriteFileReplacing(QFile::encodeName(strStore).toStdString(), bytes.toStdString());
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
    QSettings store = OpenStore();
    return store
        .value(QStringLiteral("Software/%1/%2/%3/%4").arg(strRegKey, strApp, strSection, strEntry),
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
