#pragma once

#include "backup/DatabaseBackup.h"
#include "ui/backup/BackupDialogBase.h"

#include <string>

// "Backup": Start asks where to write the archive ("Backup.zip" in the current folder is
// proposed), then writes a consistent snapshot of the database into it on a worker thread
// while the bar fills. "Backup finished!" follows and the dialog closes with OK; a backup of
// a damaged database is written too, and closes with OK after saying plainly what it holds.
// A backup that fails has said why and closes with Cancel; cancelling the file dialog
// closes it with Cancel at once.
class CDlgBackup : public BackupDialogBase {
    Q_OBJECT

public:
    explicit CDlgBackup(QWidget* parent = nullptr);

protected:
    void OnStart() override;
    void OnWorkDone() override;

private:
    hv::BackupResult m_result; // written by the worker, read once it has been joined
};
