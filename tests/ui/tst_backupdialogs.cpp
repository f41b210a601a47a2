#include "ModalDriver.h"
#include "RecordingSink.h"
#include "TestDatabase.h"
#include "backup/DatabaseBackup.h"
#include "data/AdoDb.h"
#include "data/MessageSink.h"
#include "ui/app/GuiMessageSink.h"
#include "ui/backup/CDlgBackup.h"
#include "ui/backup/CDlgRestore.h"
#include "ui/widgets/FileDialog.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <minizip/unzip.h>

namespace fs = std::filesystem;

namespace {

const std::string kBackupFinished = "Backup finished!";
const std::string kQuestion = "The database will be replaced, do you want to go on?";
const std::string kRestoreFinished =
    "Restore finished! The application will exit after you click the 'OK' button and restart "
    "the application please";

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The entry names of a zip archive, in order.
QStringList EntryNames(const fs::path& archive) {
    QStringList names;
    unzFile unzip = unzOpen64(archive.string().c_str());
    if (!unzip)
        return names;
    for (int rc = unzGoToFirstFile(unzip); rc == UNZ_OK; rc = unzGoToNextFile(unzip)) {
        char name[256] = {};
        unzGetCurrentFileInfo64(unzip, nullptr, name, sizeof name, nullptr, 0, nullptr, 0);
        names << QString::fromUtf8(name);
    }
    unzClose(unzip);
    return names;
}

int CountPersons(const std::string& name) {
    hv::CAdoDb db;
    if (!db.Open() || !db.OpenRecordset("SELECT count(*) AS cnt FROM Examer WHERE Name=?", {name}))
        return -1;
    return db.GetLong("cnt");
}

void AddPerson(const std::string& name) {
    hv::CAdoDb db;
    QVERIFY(db.Open());
    QVERIFY(db.AddRow("Examer", {{"GroupID", 1}, {"Name", name}, {"Sex", 0}}));
}

// Records, like the test sink, whether questions reached it off the GUI thread.
class ThreadNotingSink final : public hv::MessageSink {
public:
    explicit ThreadNotingSink(hv::test::RecordingSink& inner)
        : m_inner(inner), m_previous(hv::SetMessageSink(this)) {}
    ~ThreadNotingSink() override { hv::SetMessageSink(m_previous); }

    void ShowMessage(const std::string& text) override { m_inner.ShowMessage(text); }
    bool AskYesNo(const std::string& text) override {
        askedOffTheGuiThread = QThread::currentThread() != qApp->thread();
        return m_inner.AskYesNo(text);
    }
    bool askedOffTheGuiThread = false;

private:
    hv::test::RecordingSink& m_inner;
    hv::MessageSink* m_previous;
};

// Answers the program's message boxes as they show, one button per box, in order, and
// notes their captions and texts.
class BoxAnswerer {
public:
    explicit BoxAnswerer(QList<QMessageBox::StandardButton> buttons)
        : m_buttons(std::move(buttons)) {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
        m_timer.start();
    }
    QStringList captions;
    QStringList texts;

private:
    void Poll() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || m_buttons.isEmpty())
            return;
        captions << box->windowTitle();
        texts << box->text();
        box->button(m_buttons.takeFirst())->click();
    }

    QList<QMessageBox::StandardButton> m_buttons;
    QTimer m_timer;
};

// The restore dialog, counting the ends of the program it asks for instead of ending it.
class CountingRestore final : public CDlgRestore {
public:
    int programEnds = 0;

protected:
    void EndProgram() override { ++programEnds; }
};

} // namespace

class TestBackupDialogs : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_install = std::make_unique<hv::test::TestInstallation>();
        m_sink = std::make_unique<hv::test::RecordingSink>();
        m_live = m_install->databasePath();
    }
    void cleanup() {
        m_sink.reset();
        m_install.reset();
    }

    void backupWritesTheArchiveAndSaysFinished();
    void cancellingTheFileDialogClosesTheBackupAtOnce();
    void failedBackupSaysWhyAndNeverFinished();
    void restoreAnsweredNoLeavesTheDatabaseAsItWas();
    void restoreAnsweredYesReplacesTheDatabaseAndEndsTheProgram();
    void rejectedArchiveIsReportedAndChangesNothing();
    void programsMessageBoxesAnswerTheWorker();

private:
    // Presses Start on the dialog once it shows.
    static std::unique_ptr<ModalDriver> PressStartWhenShown() {
        return std::make_unique<ModalDriver>([](QWidget* modal) {
            auto* dialog = qobject_cast<BackupDialogBase*>(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->ProgressBar()->value(), 0);
            QCOMPARE(dialog->ProgressBar()->maximum(), BackupDialogBase::kBarSteps);
            dialog->StartButton()->click();
        });
    }

    // A backup of the database as it is now; then a person added that the backup lacks.
    fs::path ArchiveThenChange() {
        AddPerson("Saved");
        const fs::path archive = m_install->path() / "Saved.zip";
        hv::BackupDatabase(m_live.string(), archive.string());
        AddPerson("Later");
        return archive;
    }

    std::unique_ptr<hv::test::TestInstallation> m_install;
    std::unique_ptr<hv::test::RecordingSink> m_sink;
    fs::path m_live;
};

void TestBackupDialogs::backupWritesTheArchiveAndSaysFinished() {
    const fs::path archive = m_install->path() / "Chosen.zip";
    FileDialog::setNextFileName(QString::fromStdString(archive.string()));
    CDlgBackup dialog;
    QList<int> values;
    connect(dialog.ProgressBar(), &QProgressBar::valueChanged, [&values](int v) { values << v; });
    auto driver = PressStartWhenShown();

    QCOMPARE(dialog.exec(), int(QDialog::Accepted));

    QVERIFY(driver->Handled());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Backup"));
    const FileDialog::Request& request = FileDialog::lastRequest();
    QCOMPARE(request.caption, QStringLiteral("Backup file to"));
    QCOMPARE(request.filter, QStringLiteral("Backup Files (*.zip)"));
    QCOMPARE(request.path, QDir::current().filePath(QStringLiteral("Backup.zip")));
    QCOMPARE(m_sink->messages, std::vector<std::string>{kBackupFinished});
    QCOMPARE(EntryNames(archive), QStringList{QStringLiteral("DataBase.mdb")});
    // The bar rose step by step to its end, moved by the worker through queued calls.
    QVERIFY(!values.isEmpty());
    QVERIFY(std::is_sorted(values.begin(), values.end()));
    QCOMPARE(values.last(), BackupDialogBase::kBarSteps);
}

void TestBackupDialogs::cancellingTheFileDialogClosesTheBackupAtOnce() {
    FileDialog::setNextFileName(QString());
    CDlgBackup dialog;
    auto driver = PressStartWhenShown();

    QCOMPARE(dialog.exec(), int(QDialog::Rejected));

    QVERIFY(m_sink->messages.empty());
    QVERIFY(!fs::exists(m_install->path() / "Backup.zip"));
}

void TestBackupDialogs::failedBackupSaysWhyAndNeverFinished() {
    const fs::path archive = m_install->path() / "NoSuchFolder" / "Backup.zip";
    FileDialog::setNextFileName(QString::fromStdString(archive.string()));
    CDlgBackup dialog;
    auto driver = PressStartWhenShown();

    QCOMPARE(dialog.exec(), int(QDialog::Rejected));

    QCOMPARE(m_sink->messages.size(), std::size_t{1});
    QVERIFY(m_sink->messages.front().starts_with("The backup was not made: "));
    QVERIFY(!fs::exists(archive));
}

void TestBackupDialogs::restoreAnsweredNoLeavesTheDatabaseAsItWas() {
    const fs::path archive = ArchiveThenChange();
    const std::string before = ReadBytes(m_live);
    m_sink->answers = {false};
    ThreadNotingSink noting(*m_sink);
    FileDialog::setNextFileName(QString::fromStdString(archive.string()));
    CountingRestore dialog;
    auto driver = PressStartWhenShown();

    QCOMPARE(dialog.exec(), int(QDialog::Rejected));

    QCOMPARE(FileDialog::lastRequest().caption, QStringLiteral("Open backup file"));
    QCOMPARE(FileDialog::lastRequest().filter, QStringLiteral("Backup Files (*.zip)"));
    QCOMPARE(m_sink->questions, std::vector<std::string>{kQuestion});
    QVERIFY2(noting.askedOffTheGuiThread, "the restore runs on a worker thread");
    QVERIFY(m_sink->messages.empty());
    QVERIFY(ReadBytes(m_live) == before);
    QCOMPARE(dialog.programEnds, 0);
}

void TestBackupDialogs::restoreAnsweredYesReplacesTheDatabaseAndEndsTheProgram() {
    const fs::path archive = ArchiveThenChange();
    FileDialog::setNextFileName(QString::fromStdString(archive.string()));
    CountingRestore dialog;
    auto driver = PressStartWhenShown();

    QCOMPARE(dialog.exec(), int(QDialog::Accepted));

    QCOMPARE(dialog.windowTitle(), QStringLiteral("Restore"));
    QCOMPARE(m_sink->questions, std::vector<std::string>{kQuestion});
    QCOMPARE(m_sink->messages, std::vector<std::string>{kRestoreFinished});
    QCOMPARE(dialog.ProgressBar()->value(), BackupDialogBase::kBarSteps);
    QCOMPARE(CountPersons("Saved"), 1);
    QCOMPARE(CountPersons("Later"), 0);
    QCOMPARE(dialog.programEnds, 1);
}

void TestBackupDialogs::rejectedArchiveIsReportedAndChangesNothing() {
    AddPerson("Kept");
    const fs::path archive = m_install->path() / "Other.zip";
    std::ofstream(archive) << "this is not an archive";
    const std::string before = ReadBytes(m_live);
    FileDialog::setNextFileName(QString::fromStdString(archive.string()));
    CountingRestore dialog;
    auto driver = PressStartWhenShown();

    QCOMPARE(dialog.exec(), int(QDialog::Rejected));

    QCOMPARE(m_sink->messages, std::vector<std::string>{"Can not find the backup database"});
    QVERIFY(m_sink->questions.empty());
    QVERIFY(ReadBytes(m_live) == before);
    QCOMPARE(dialog.programEnds, 0);
}

// The program's own message sink: the worker's question waits for the box on the GUI
// thread, and every box carries the program's caption.
void TestBackupDialogs::programsMessageBoxesAnswerTheWorker() {
    const fs::path archive = ArchiveThenChange();
    const std::string before = ReadBytes(m_live);
    m_sink.reset();
    GuiMessageSink gui;
    struct Installed {
        hv::MessageSink* previous;
        ~Installed() { hv::SetMessageSink(previous); }
    } installed{hv::SetMessageSink(&gui)};

    FileDialog::setNextFileName(QString::fromStdString((m_install->path() / "New.zip").string()));
    CDlgBackup backup;
    auto pressBackup = PressStartWhenShown();
    BoxAnswerer finished({QMessageBox::Ok});
    QCOMPARE(backup.exec(), int(QDialog::Accepted));
    QCOMPARE(finished.texts, QStringList{QString::fromStdString(kBackupFinished)});

    FileDialog::setNextFileName(QString::fromStdString(archive.string()));
    CountingRestore restore;
    auto pressRestore = PressStartWhenShown();
    BoxAnswerer question({QMessageBox::No});
    QCOMPARE(restore.exec(), int(QDialog::Rejected));
    QCOMPARE(question.texts, QStringList{QString::fromStdString(kQuestion)});
    QVERIFY(ReadBytes(m_live) == before);

    QCOMPARE(finished.captions + question.captions,
             (QStringList{QStringLiteral("Pelmora"), QStringLiteral("Pelmora")}));
}

QTEST_MAIN(TestBackupDialogs)
#include "tst_backupdialogs.moc"
