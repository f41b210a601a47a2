#include "ui/backup/CDlgBackup.h"

#include "backup/DatabaseBackup.h"
#include "data/DatabaseLocation.h"
#include "data/StringTable.h"

namespace {

constexpr int kBackupPicture = 230; // the toolbar's Backup face

} // namespace

CDlgBackup::CDlgBackup(QWidget* parent)
    : BackupDialogBase(QStringLiteral("Backup"), QStringLiteral("Ready to backup..."),
                       kBackupPicture, parent) {
    setObjectName(QStringLiteral("backupDialog"));
}

void CDlgBackup::OnStart() {
    const std::string archive = ChooseArchive(ArchiveUse::Write);
    if (archive.empty())
        return;
    RunInBackground([this, archive](const hv::BackupOptions& options) {
        m_result = hv::BackupDatabase(hv::ConfiguredDatabase(), archive, options);
    });
}

void CDlgBackup::OnWorkDone() {
    Finish(m_result.ok, m_result.damaged ? std::nullopt : std::optional(hv::ids::BackupFinished));
}
