#pragma once

#include "exchange/PersonImport.h"

#include <QDialog>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class QDialogButtonBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;
class ImportRowModel;

// The preview of a file of persons to be imported into a group: every row with its status
// and message, read and checked on a worker thread while a progress bar moves. The operator
// then imports the valid rows or nothing. After OK, NewExamerIDs lists the persons stored.
class CImportPersons : public QDialog {
    Q_OBJECT

public:
    CImportPersons(const QString& file, int groupId, const QString& groupName,
                   QWidget* parent = nullptr);
    ~CImportPersons() override;

    // Starts reading the file; the table fills as rows are checked.
    void StartReading();
    bool ReadingDone() const { return m_done; }

    const hv::ImportSummary& Summary() const { return m_summary; }
    const std::vector<int>& NewExamerIDs() const { return m_newIds; }
    QTableView* Table() const { return m_table; }
    QPushButton* ImportButton() const { return m_import; }
    QProgressBar* Progress() const { return m_progress; }
    QLabel* StatusLabel() const { return m_status; }

signals:
    void readingFinished();

private:
    void TakeRows(); // on the GUI thread: moves the rows the worker has checked to the table
    void Finish(const hv::ImportSummary& summary);
    void OnImport();
    void StopWorker();

    QString m_file;
    int m_groupId;
    QTableView* m_table = nullptr;
    ImportRowModel* m_model = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_import = nullptr;
    QDialogButtonBox* m_buttons = nullptr;

    std::thread m_worker;
    std::atomic<bool> m_cancel{false};
    std::mutex m_mutex;
    std::vector<hv::ImportRow> m_pending; // checked by the worker, not yet shown
    bool m_done = false;
    hv::ImportSummary m_summary;
    std::vector<int> m_newIds;
};
