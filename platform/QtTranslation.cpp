#include "platform/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "platform/SystemLanguage.h"

bool InstallQtTranslation(QObject* pOwner, int nLanguage) {
    const char* pszLocale = nullptr;
    switch (nLanguage) {
    case LangChineseSimplified:
        pszLocale = "zh_CN";
        break;
    case LangChineseTraditional:
        pszLocale = "zh_TW";
        break;
    case LangSpanish:
        pszLocale = "es";
        break;
    default:
        return false;
    }
    // Removed from the application again when its owner deletes it.
    auto* pTranslator = new QTranslator(pOwner);
    if (!pTranslator->load(QStringLiteral("qtbase_") + QLatin1String(pszLocale),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(pTranslator)) {
        delete pTranslator;
        return false;
    }
    return true;
}
