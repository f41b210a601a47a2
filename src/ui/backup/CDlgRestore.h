#pragma once

#include "backup/DatabaseRestore.h"
#include "ui/backup/BackupDialogBase.h"

// "Restore": Start asks for a backup archive, then on a worker thread extracts and checks
// its database beside the live one and asks "The database will be replaced, do you want to
// go on?". Yes replaces the live database in one step, shows "Restore finished! …", closes
// with OK and ends the program, so the next start uses the restored data. No, or a failure
// (which has been reported), closes with Cancel and leaves the live database as it was.
class CDlgRestore : public BackupDialogBase {
    Q_OBJECT

public:
    explicit CDlgRestore(QWidget* parent = nullptr);

protected:
    void OnStart() override;
    void OnWorkDone() override;
    // Ends the program with status 0 once the toolbar's handler has returned to the event
    // loop. Tests override it: the end of the process is not theirs to take.
    virtual void EndProgram();

private:
    // Written by the worker, read once it has been joined.
    hv::RestoreOutcome m_outcome = hv::RestoreOutcome::Failed;
};
