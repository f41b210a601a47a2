#include "ui/backup/CDlgRestore.h"

#include "backup/DatabaseRestore.h"
#include "data/DatabaseLocation.h"
#include "data/StringTable.h"

#include <QCoreApplication>

namespace {

constexpr int kRestorePicture = 234; // the toolbar's Restore face

} // namespace

CDlgRestore::CDlgRestore(QWidget* parent)
    : BackupDialogBase(QStringLiteral("Restore"), QStringLiteral("Ready to restore..."),
                       kRestorePicture, parent) {
    setObjectName(QStringLiteral("restoreDialog"));
}

void CDlgRestore::OnStart() {
    const std::string archive = ChooseArchive(ArchiveUse::Read);
    if (archive.empty())
        return;
    // The question is asked from the worker; the message sink shows it on this thread,
    // whose event loop keeps running meanwhile.
    RunInBackground([this, archive](const hv::BackupOptions& options) {
        m_outcome = hv::RestoreDatabase(archive, hv::ConfiguredDatabase(), options).outcome;
    });
}

void CDlgRestore::OnWorkDone() {
    if (Finish(m_outcome == hv::RestoreOutcome::Restored, hv::ids::RestoreFinished))
        EndProgram();
}

void CDlgRestore::EndProgram() {
    // exit() rather than quit(): quit() would let the main window ask its exit question, and
    // the program must not go on after its database has been replaced.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}
