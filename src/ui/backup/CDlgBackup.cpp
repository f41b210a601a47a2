#include "ui/backup/CDlgBackup.h"

#include "backup/DatabaseBackup.h"
#include "data/AdoDb.h"
#include "data/StringTable.h"
#include "ui/backup/BackupFileNames.h"
#include "ui/widgets/FileDialog.h"


namespace {

constexpr int kBackupPicture = 230; // the toolbar's Backup face

} // namespace

CDlgBackup::CDlgBackup(QWidget* parent)
    : BackupDialogBase(QStringLiteral("Backup"), QStringLiteral("Ready to backup..."),
                       kBackupPicture, parent) {
    setObjectName(QStringLiteral("backupDialog"));
}

void CDlgBackup::OnStart() {
    const QString file =
        FileDialog::getSaveFileName(this, backup_files::Caption(hv::ids::BackupFileTo),
                                    backup_files::ProposedPath(), backup_files::kFilter);
    if (file.isEmpty()) {
        reject();
        return;
    }
    const std::string archive = backup_files::LocalPath(file);
    RunInBackground([this, archive](hv::BackupProgress& progress) {
        hv::BackupOptions options;
        options.progress = &progress;
        m_ok = hv::BackupDatabase(hv::CAdoDb::kDatabasePath, archive, options).ok;
    });
}

void CDlgBackup::OnWorkDone() {
    Finish(m_ok, hv::ids::BackupFinished);
}
