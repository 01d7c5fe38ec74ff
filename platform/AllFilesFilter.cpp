#include "platform/AllFilesFilter.h"

#include <QFileDialog>
#include <QFileSystemModel>

namespace {
void ApplyFilter(QFileDialog& dialog, const QString& strFilter) {
    // The toolkit's own dialog lists through this model; a native one matches by itself.
    auto* pModel = dialog.findChild<QFileSystemModel*>();
    if (pModel && strFilter.endsWith(QLatin1String("(*.*)")))
        pModel->setNameFilters({QStringLiteral("*")});
}
} // namespace

void MatchAllFilesWithoutDot(QFileDialog& dialog) {
    // The dialog sets its own patterns before it tells which filter was chosen.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& strFilter) { ApplyFilter(dialog, strFilter); });
    ApplyFilter(dialog, dialog.selectedNameFilter());
}
