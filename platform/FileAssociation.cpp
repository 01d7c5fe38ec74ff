#include "platform/FileAssociation.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <cstring>

#include "doc/FileReplace.h"
#include "platform/FileNames.h"

static void InitAssociationResources() {
    Q_INIT_RESOURCE(association);
}

namespace {
const QString kDefaultSection = QStringLiteral("[Default Applications]");

QString MimeAppsPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/mimeapps.list");
}

QString DataPath(const QString& strRelative) {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QLatin1Char('/') + strRelative;
}

QStringList ReadLines(const QString& strPath) {
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// QSaveFile would put a file the disk took only part of in place of mimeapps.list, which other
// programs' associations share.
bool WriteAll(const QString& strPath, const QByteArray& data) {
    QDir().mkpath(QFileInfo(strPath).absolutePath());
    return WriteFileReplacing(ToFileName(strPath), data.toStdString());
}

// Index of the "mime=" line in [Default Applications], -1 if none; section start in *pSection.
int FindDefaultLine(const QStringList& lines, const QString& strMime, int* pSection) {
    bool bInSection = false;
    *pSection = -1;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            bInSection = line == kDefaultSection;
            if (bInSection)
                *pSection = i;
            continue;
        }
        if (bInSection && line.section(QLatin1Char('='), 0, 0).trimmed() == strMime)
            return i;
    }
    return -1;
}

QString ReadDefaultApp(const QString& strMime) {
    const QStringList lines = ReadLines(MimeAppsPath());
    int nSection = -1;
    const int nLine = FindDefaultLine(lines, strMime, &nSection);
    return nLine < 0 ? QString() : lines[nLine].section(QLatin1Char('='), 1).trimmed();
}

// Sets or (with a null value) removes the entry, keeping everything else of the file.
void WriteDefaultApp(const QString& strMime, const QString& strValue) {
    QStringList lines = ReadLines(MimeAppsPath());
    int nSection = -1;
    const int nLine = FindDefaultLine(lines, strMime, &nSection);
    if (strValue.isNull()) {
        if (nLine < 0)
            return;
        lines.removeAt(nLine);
    } else if (nLine >= 0) {
        const QString strLine = strMime + QLatin1Char('=') + strValue;
        if (lines[nLine] == strLine)
            return; // already so: nothing is written at start-up
        lines[nLine] = strLine;
    } else {
        if (nSection < 0) {
            lines.append(kDefaultSection);
            nSection = static_cast<int>(lines.size()) - 1;
        }
        lines.insert(nSection + 1, strMime + QLatin1Char('=') + strValue);
    }
    WriteAll(MimeAppsPath(), (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
}

// A file of the association's resources, by its name there or its full resource path.
QByteArray ReadResource(const QString& strName) {
    InitAssociationResources();
    const QString strPrefix = QStringLiteral(":/association/");
    QFile file(strName.startsWith(strPrefix) ? strName : strPrefix + strName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes the file when its content differs; true if it was written.
bool Install(const QString& strPath, const QByteArray& data) {
    if (data.isEmpty())
        return false;
    QFile current(strPath);
    if (current.open(QIODevice::ReadOnly) && current.readAll() == data)
        return false;
    return WriteAll(strPath, data);
}
} // namespace

const char* MimeTypeOfExtension(const char* pszExtension) {
    if (pszExtension && qstricmp(pszExtension, ".lrc") == 0)
        return "text/x-lrc";
    return "";
}

bool IsFileTypeRegistered(const char* pszExtension) {
    const char* pszMime = MimeTypeOfExtension(pszExtension);
    if (!*pszMime)
        return false;
    return ReadDefaultApp(QString::fromLatin1(pszMime)) == QLatin1String(kDesktopEntryName);
}

void UnregisterFileType(const char* pszExtension) {
    const char* pszMime = MimeTypeOfExtension(pszExtension);
    if (*pszMime)
        WriteDefaultApp(QString::fromLatin1(pszMime), QString());
}

void RegisterShellFileTypes() {
    if (Install(DataPath(QStringLiteral("mime/packages/versewright-lrc.xml")),
                ReadResource(QStringLiteral("versewright-lrc.xml")))) {
        // The desktop reads MIME types from the compiled database; a missing tool is no error.
        QProcess::startDetached(QStringLiteral("update-mime-database"),
                                {DataPath(QStringLiteral("mime"))});
    }
    // The entry starts this very program, wherever it was installed.
    QByteArray entry = ReadResource(QStringLiteral("versewright.desktop"));
    const QString strProgram = QCoreApplication::applicationFilePath();
    if (!strProgram.isEmpty())
        entry.replace("Exec=versewright %f", "Exec=" + QuotedExecArgument(strProgram) + " %f");
    Install(DataPath(QStringLiteral("applications/")) + QLatin1String(kDesktopEntryName), entry);
    // The entry and the .lrc files show the program's icon, from the user's icon theme folder.
    const QString strIcons = QStringLiteral("icons/hicolor/");
    InitAssociationResources();
    QDirIterator icons(QStringLiteral(":/association/") + strIcons, QDirIterator::Subdirectories);
    while (icons.hasNext()) {
        const QString strSource = icons.next();
        if (icons.fileInfo().isFile())
            Install(DataPath(strIcons + strSource.section(strIcons, 1)), ReadResource(strSource));
    }
    const QString strMime = QStringLiteral("text/x-lrc");
    const QString strCurrent = ReadDefaultApp(strMime);
    if (strCurrent.isEmpty() || strCurrent == QLatin1String(kDesktopEntryName))
        WriteDefaultApp(strMime, QString::fromLatin1(kDesktopEntryName));
}

// A path as one quoted argument of a desktop entry's Exec key: the quoting rule escapes '"', '`',
// '$' and the backslash with a backslash, then the string rule doubles every backslash; '%' is
// written "%%".
QByteArray QuotedExecArgument(const QString& strPath) {
    QByteArray out = "\"";
    for (char ch : strPath.toUtf8()) {
        if (ch == '"' || ch == '`' || ch == '$')
            out += QByteArray("\\\\") + ch;
        else if (ch == '\\')
            out += "\\\\\\\\";
        else if (ch == '%')
            out += "%%";
        else
            out += ch;
    }
    return out + "\"";
}
