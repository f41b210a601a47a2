#pragma once

// Shared by the report viewing window tests: a Qt WebEngine test program's start, a fresh
// installation with persons and tests, and waits for what the browser engine does in the
// background.

#include "RecordingSink.h"
#include "TestDatabase.h"
#include "common/OleDate.h"
#include "data/AdoDb.h"
#include "ui/viewing/CExplorer.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <filesystem>
#include <map>
#include <minizip/unzip.h>
#include <string>

// The browser engine refuses to start as root inside its sandbox, and there is no GPU in a
// test run; both must be settled before the application object exists.
#define HALVORET_WEBENGINE_TEST_MAIN(TestObject)                                                   \
    int main(int argc, char** argv) {                                                              \
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");                                               \
        if (!qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS"))                              \
            qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");                                \
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);                                \
        QApplication app(argc, argv);                                                              \
        QApplication::setQuitOnLastWindowClosed(false);                                            \
        TestObject test;                                                                           \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

namespace viewing_test {

// Generous: the first page starts the browser engine's processes.
constexpr int kEngineTimeout = 60000;

struct Environment {
    hv::test::TestInstallation install;
    hv::test::RecordingSink sink;

    void RemoveDatabase() {
        for (const char* suffix : {"", "-wal", "-shm"})
            std::filesystem::remove(install.databasePath() + suffix);
    }
};

inline double Date(int y, int m, int d, int hh = 0, int mm = 0) {
    return hv::ToOleDate({y, m, d, hh, mm, 0});
}

inline bool Exec(const std::string& sql, const hv::DbParams& params = {}) {
    hv::CAdoDb db;
    return db.Open() && db.Execute(sql, params);
}

inline int AddPerson(bool female, double birthday, const std::string& name) {
    hv::CAdoDb db;
    if (!db.Open() || !db.AddRow("Examer", {{"GroupID", 0},
                                            {"Name", name},
                                            {"Sex", female ? 0 : 1},
                                            {"Birthday", birthday},
                                            {"Height", std::string("170")},
                                            {"Weight", std::string("65")},
                                            {"Result", std::string("Standard body weight")}}))
        return 0;
    return db.LastInsertKey();
}

inline int AddTest(int examerId, double measDate) {
    hv::CAdoDb db;
    if (!db.Open() || !db.AddRow("MeasData", {{"ExamerID", examerId},
                                              {"MeasDate", measDate},
                                              {"MeasValue", std::string("1-2-3-")}}))
        return 0;
    return db.LastInsertKey();
}

inline bool AddSummaryRow(int measId, const std::string& system, const std::string& item,
                          const std::string& range, double value) {
    hv::CAdoDb db;
    return db.Open() && db.AddRow("ReportValueAll", {{"MeasID", measId},
                                                     {"System", system},
                                                     {"Item", item},
                                                     {"ValueRange", range},
                                                     {"Value", value},
                                                     {"ValueResult", std::string("-")},
                                                     {"Type", std::string("B")}});
}

// The pictures the pages name, drawn plainly (the engine reads a picture by its content).
inline void WriteReportPictures() {
    QImage background(64, 64, QImage::Format_RGB32);
    background.fill(QColor(236, 244, 250));
    background.save(QStringLiteral("Reports/Pagebg.jpg"), "JPG");
    for (int grade = 1; grade <= 10; ++grade) {
        QImage mark(60, 14, QImage::Format_RGB32);
        mark.fill(grade == 4 || grade == 8 ? QColor(51, 153, 102) : QColor(255, 102, 0));
        mark.save(QStringLiteral("Reports/YC%1.gif").arg(grade, 2, 10, QLatin1Char('0')), "PNG");
    }
}

// Waits until the browser has finished loading a page; false when it did not load.
inline bool WaitForLoad(QSignalSpy& loads) {
    if (loads.isEmpty() && !loads.wait(kEngineTimeout))
        return false;
    return loads.takeFirst().at(0).toBool();
}

// Waits for the page a browser was sent to by code the test does not drive (a dialog that
// navigates as it opens), which may have finished loading already; true when it loaded.
inline bool WaitForPage(CExplorer* browser) {
    QSignalSpy loads(browser, &CExplorer::loadFinished);
    if (!browser->IsLoading())
        return browser->IsLoaded();
    return WaitForLoad(loads);
}

// The text of the page shown, as the engine renders it.
inline QString PageText(CExplorer* browser) {
    QString text;
    bool done = false;
    browser->View()->page()->toPlainText([&](const QString& t) {
        text = t;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, kEngineTimeout))
        return QStringLiteral("<no text: the page did not answer>");
    return text;
}

// The result of a script run in the page shown.
inline QVariant RunScript(CExplorer* browser, const QString& script) {
    QVariant result;
    bool done = false;
    browser->View()->page()->runJavaScript(script, [&](const QVariant& v) {
        result = v;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, kEngineTimeout))
        return QStringLiteral("<no result: the page did not answer>");
    return result;
}

// Every entry of a zip archive with its bytes (checksums verified on the way).
inline std::map<std::string, std::string> ArchiveEntries(const std::string& archive) {
    std::map<std::string, std::string> entries;
    unzFile zip = unzOpen64(archive.c_str());
    if (zip == nullptr)
        return entries;
    for (int rc = unzGoToFirstFile(zip); rc == UNZ_OK; rc = unzGoToNextFile(zip)) {
        char name[512] = {};
        unz_file_info64 info;
        unzGetCurrentFileInfo64(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0);
        std::string bytes;
        if (unzOpenCurrentFile(zip) == UNZ_OK) {
            char buffer[65536];
            for (int got; (got = unzReadCurrentFile(zip, buffer, sizeof buffer)) > 0;)
                bytes.append(buffer, static_cast<std::size_t>(got));
            if (unzCloseCurrentFile(zip) != UNZ_OK)
                bytes = "<checksum mismatch>";
        }
        entries[name] = bytes;
    }
    unzClose(zip);
    return entries;
}

inline std::string FileBytes(const std::filesystem::path& file) {
    QFile in(QString::fromStdString(file.string()));
    return in.open(QIODevice::ReadOnly) ? in.readAll().toStdString() : std::string();
}

// Saves a picture of a window when HALVORET_SCREENSHOTS names a folder (for looking at it).
inline void SaveScreenshot(QWidget* widget, const QString& name) {
    const QString folder = qEnvironmentVariable("HALVORET_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    // The browser engine paints a frame after the page has loaded; give it time to arrive.
    QTest::qWait(1000);
    widget->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

// Keeps a copy of a file a test wrote when HALVORET_SCREENSHOTS names a folder.
inline void KeepForLooking(const QString& file, const QString& name) {
    const QString folder = qEnvironmentVariable("HALVORET_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    const QString copy = QDir(folder).filePath(name);
    QFile::remove(copy);
    QFile::copy(file, copy);
}

} // namespace viewing_test
