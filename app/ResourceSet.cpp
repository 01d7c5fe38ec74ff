#include "app/ResourceSet.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

// Outside any namespace, as Q_INIT_RESOURCE requires.
static void InitEmbeddedResources() {
    Q_INIT_RESOURCE(resources);
}

void EnsureResources() {
    static const bool bDone = [] {
        InitEmbeddedResources();
        return true;
    }();
    (void)bDone;
}

QIcon LoadFrameIcon() {
    EnsureResources();
    QIcon icon;
    for (int nSize : {16, 32, 48})
        icon.addFile(QStringLiteral(":/resources/images/frame128_%1.png").arg(nSize));
    return icon;
}

namespace {

bool ReadEntries(const QJsonArray& array, QList<SMenuEntry>* pEntries) {
    for (const QJsonValue& value : array) {
        if (!value.isObject())
            return false;
        const QJsonObject object = value.toObject();
        SMenuEntry entry;
        entry.bSeparator = object.value(QStringLiteral("separator")).toBool();
        if (!entry.bSeparator) {
            entry.strText = object.value(QStringLiteral("text")).toString();
            entry.bGrayed = object.value(QStringLiteral("grayed")).toBool();
            const QJsonValue items = object.value(QStringLiteral("items"));
            if (items.isArray()) {
                if (!ReadEntries(items.toArray(), &entry.items))
                    return false;
            } else {
                entry.nId = object.value(QStringLiteral("id")).toInt();
                if (entry.nId <= 0 || entry.nId > 0xFFFF)
                    return false;
            }
        }
        pEntries->append(entry);
    }
    return true;
}

} // namespace

bool CResourceSet::Load(int nSetId) {
    EnsureResources();
    *this = CResourceSet();
    QFile file(QStringLiteral(":/resources/set%1.json").arg(nSetId));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QJsonDocument json = QJsonDocument::fromJson(file.readAll());
    if (!json.isObject())
        return false;
    const QJsonObject root = json.object();

    CResourceSet set;
    set.m_nId = nSetId;
    if (!ReadEntries(root.value(QStringLiteral("menu")).toArray(), &set.m_menu))
        return false;
    for (const QJsonValue& value : root.value(QStringLiteral("accelerators")).toArray()) {
        const QJsonObject object = value.toObject();
        SAccelerator accel;
        accel.key = QKeySequence::fromString(object.value(QStringLiteral("key")).toString(),
                                             QKeySequence::PortableText);
        accel.nCommand = object.value(QStringLiteral("id")).toInt();
        if (accel.key.count() != 1 || accel.key[0].key() == Qt::Key_unknown || accel.nCommand <= 0)
            return false;
        set.m_accelerators.append(accel);
    }
    set.m_strDocument = root.value(QStringLiteral("document")).toString();
    *this = set;
    return true;
}

QString CResourceSet::DocumentField(int nField) const {
    const QStringList fields = m_strDocument.split(QLatin1Char('\n'));
    return nField >= 0 && nField < fields.size() ? fields.at(nField) : QString();
}

QImage SToolbarResource::Image(int nIndex) const {
    if (nIndex < 0 || (nIndex + 1) * nWidth > strip.width())
        return QImage();
    // Light grey 0xC0C0C0 is the strips' transparent colour, as alpha is.
    QImage image = strip.copy(nIndex * nWidth, 0, nWidth, nHeight);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) < 128 || (image.pixel(x, y) & 0xFFFFFF) == 0xC0C0C0)
                image.setPixel(x, y, 0);
    return image;
}

bool LoadToolbarResource(int nId, SToolbarResource* pToolbar) {
    EnsureResources();
    QFile file(QStringLiteral(":/resources/toolbars.json"));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QJsonObject object =
        QJsonDocument::fromJson(file.readAll()).object().value(QString::number(nId)).toObject();
    SToolbarResource toolbar;
    toolbar.nWidth = object.value(QStringLiteral("width")).toInt();
    toolbar.nHeight = object.value(QStringLiteral("height")).toInt();
    int nImages = 0;
    for (const QJsonValue& button : object.value(QStringLiteral("buttons")).toArray()) {
        toolbar.buttons.append(button.toInt());
        nImages += toolbar.buttons.back() != 0;
    }
    toolbar.strip =
        QImage(QStringLiteral(":/resources/") + object.value(QStringLiteral("image")).toString())
            .convertToFormat(QImage::Format_ARGB32);
    if (toolbar.nWidth <= 0 || toolbar.nHeight <= 0 || toolbar.buttons.isEmpty() ||
        toolbar.strip.height() < toolbar.nHeight ||
        toolbar.strip.width() < nImages * toolbar.nWidth)
        return false;
    *pToolbar = toolbar;
    return true;
}
