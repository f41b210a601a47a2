#pragma once

#include <QString>
#include <string>

// The file dialogs of the backup and the restore: "Backup.zip" in the current folder is
// proposed, and only zip files are listed.
namespace backup_files {

inline const QString kFilter = QStringLiteral("Backup Files (*.zip)");

// The dialog's title: a string-table text.
QString Caption(int stringId);

// "Backup.zip" in the current folder.
QString ProposedPath();

// A chosen file name as the file system spells it.
std::string LocalPath(const QString& fileName);

} // namespace backup_files
