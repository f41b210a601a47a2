#include "ui/backup/BackupFileNames.h"

#include "data/StringTable.h"

#include <QDir>
#include <QFile>

namespace backup_files {

QString Caption(int stringId) {
    return QString::fromUtf8(hv::LoadString(stringId));
}

QString ProposedPath() {
    return QDir::current().filePath(QStringLiteral("Backup.zip"));
}

std::string LocalPath(const QString& fileName) {
    return QFile::encodeName(fileName).toStdString();
}

} // namespace backup_files
