#include "ui/description_page.h"

#include <QCoreApplication>
#include <QDir>

namespace tropolink {

QUrl descriptionPageUrl() {
    const QDir programDir(QCoreApplication::applicationDirPath());
    const QString page = programDir.filePath(QStringLiteral(TROPOLINK_DESCRIPTION_DIR_FROM_BINDIR "/description.html"));
    return QUrl::fromLocalFile(QDir::cleanPath(page));
}

}  // namespace tropolink
