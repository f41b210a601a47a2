#include "ui/persons/CImportPersons.h"

#include "data/MessageSink.h"
#include "data/OperatorTexts.h"
#include "ui/widgets/UiText.h"

#include <QAbstractTableModel>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr int kRowsPerBatch = 2000;

} // namespace

// The checked rows: line, status, the person's main fields and the message.
class ImportRowModel : public QAbstractTableModel {
public:
    enum Column { Line, Status, Name, Sex, Birthday, Height, Weight, Message, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : ColumnCount;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        switch (section) {
        case Line:
            return UiText(hv::texts::kImportColumnLine);
        case Status:
            return UiText(hv::texts::kImportColumnStatus);
        case Name:
            return QStringLiteral("Name");
        case Sex:
            return QStringLiteral("Sex");
        case Birthday:
            return QStringLiteral("Birthday");
        case Height:
            return QStringLiteral("Height");
        case Weight:
            return QStringLiteral("Weight");
        default:
            return UiText(hv::texts::kImportColumnMessage);
        }
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid())
            return {};
        const hv::ImportRow& row = m_rows[static_cast<std::size_t>(index.row())];
        if (role == Qt::ForegroundRole && index.column() == Status)
            return QColor(row.status == hv::ImportStatus::Valid     ? QColor(0x33, 0x99, 0x66)
                          : row.status == hv::ImportStatus::Invalid ? QColor(0xFF, 0x00, 0x00)
                                                                    : QColor(0xFF, 0x66, 0x00));
        if (role == Qt::ToolTipRole && index.column() == Message && !row.message.empty())
            return UiText(row.message);
        if (role != Qt::DisplayRole)
            return {};
        const hv::PersonRecord& p = row.person;
        switch (index.column()) {
        case Line:
            return QVariant::fromValue(static_cast<qlonglong>(row.line));
        case Status:
            return UiText(row.status == hv::ImportStatus::Valid ? hv::texts::kImportRowValid
                          : row.status == hv::ImportStatus::Invalid
                              ? hv::texts::kImportRowInvalid
                              : hv::texts::kImportRowDuplicate);
        case Name:
            return UiText(p.name);
        case Sex:
            return row.status == hv::ImportStatus::Valid ? QString(p.male ? "M" : "F") : QString();
        case Birthday:
            return p.birthday ? UiText(hv::FormatDate(hv::FromOleDate(*p.birthday))) : QString();
        case Height:
            return UiText(p.height);
        case Weight:
            return UiText(p.weight);
        default:
            return UiText(row.message);
        }
    }

    void Append(std::vector<hv::ImportRow>& rows) {
        if (rows.empty())
            return;
        const int first = rowCount();
        beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
        for (hv::ImportRow& r : rows)
            m_rows.push_back(std::move(r));
        endInsertRows();
    }

    std::vector<hv::PersonRecord> ValidPersons() const {
        std::vector<hv::PersonRecord> persons;
        for (const hv::ImportRow& r : m_rows)
            if (r.status == hv::ImportStatus::Valid)
                persons.push_back(r.person);
        return persons;
    }

private:
    std::vector<hv::ImportRow> m_rows;
};

CImportPersons::CImportPersons(const QString& file, int groupId, const QString& groupName,
                               QWidget* parent)
    : QDialog(parent), m_file(file), m_groupId(groupId) {
    setObjectName(QStringLiteral("importPersons"));
    setWindowTitle(UiText(hv::texts::kImportCaption) + QStringLiteral(" - ") + groupName);
    resize(980, 600);
    auto* layout = new QVBoxLayout(this);
    m_status = new QLabel(
        UiText(hv::texts::FillText(hv::texts::kImportReading, {file.toStdString()})), this);
    m_status->setWordWrap(true);
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 1000);
    m_model = new ImportRowModel(this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("importRows"));
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setAlternatingRowColors(true);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(22);
    m_table->horizontalHeader()->setStretchLastSection(true);
    const int widths[] = {50, 80, 200, 40, 90, 60, 60};
    for (int c = 0; c < 7; ++c)
        m_table->setColumnWidth(c, widths[c]);
    m_buttons = new QDialogButtonBox(this);
    m_import =
        m_buttons->addButton(UiText(hv::texts::kImportValidRows), QDialogButtonBox::AcceptRole);
    m_import->setEnabled(false);
    m_buttons->addButton(UiText(hv::texts::kImportNone), QDialogButtonBox::RejectRole);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &CImportPersons::OnImport);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(m_status);
    layout->addWidget(m_progress);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_buttons);
}

CImportPersons::~CImportPersons() {
    StopWorker();
}

void CImportPersons::StopWorker() {
    m_cancel = true;
    if (m_worker.joinable())
        m_worker.join();
}

void CImportPersons::StartReading() {
    if (m_worker.joinable())
        return;
    const std::filesystem::path file(m_file.toStdString());
    m_worker = std::thread([this, file] {
        hv::ImportHandlers handlers;
        std::size_t waiting = 0;
        handlers.row = [&](hv::ImportRow& row) {
            {
                const std::lock_guard lock(m_mutex);
                m_pending.push_back(std::move(row));
                waiting = m_pending.size();
            }
            if (waiting == kRowsPerBatch)
                QMetaObject::invokeMethod(
                    this, [this] { TakeRows(); }, Qt::QueuedConnection);
            return !m_cancel.load();
        };
        handlers.progress = [this](std::uint64_t read, std::uint64_t total) {
            const int permille = total ? static_cast<int>(read * 1000 / total) : 1000;
            QMetaObject::invokeMethod(
                this, [this, permille] { m_progress->setValue(permille); }, Qt::QueuedConnection);
        };
        const hv::ImportSummary summary = hv::CheckPersonsFile(file, m_groupId, handlers);
        QMetaObject::invokeMethod(
            this, [this, summary] { Finish(summary); }, Qt::QueuedConnection);
    });
}

void CImportPersons::TakeRows() {
    std::vector<hv::ImportRow> rows;
    {
        const std::lock_guard lock(m_mutex);
        rows.swap(m_pending);
    }
    m_model->Append(rows);
}

void CImportPersons::Finish(const hv::ImportSummary& summary) {
    TakeRows();
    m_summary = summary;
    m_done = true;
    m_progress->setValue(1000);
    if (!summary.problem.empty()) {
        m_status->setText(UiText(summary.problem));
        m_status->setStyleSheet(QStringLiteral("color: #FF0000"));
    } else {
        m_status->setText(UiText(
            hv::texts::FillText(hv::texts::kImportCounts,
                                {std::to_string(summary.valid), std::to_string(summary.invalid),
                                 std::to_string(summary.duplicates)})));
    }
    m_import->setEnabled(summary.Readable() && summary.valid > 0);
    emit readingFinished();
}

void CImportPersons::OnImport() {
    if (!m_done || !m_summary.Readable())
        return;
    std::vector<hv::PersonRecord> persons = m_model->ValidPersons();
    const hv::StoreOutcome stored = hv::StoreImportedPersons(m_groupId, persons);
    if (!stored.stored)
        return; // the database layer has said why; the preview stays open
    for (const hv::PersonRecord& p : persons)
        if (p.examerId != 0)
            m_newIds.push_back(p.examerId);
    accept();
}
