#include "ui/viewing/CChildReport.h"

#include "analysis/CReportWriter.h"
#include "data/MessageSink.h"
#include "data/OperatorTexts.h"
#include "exchange/RegisterExport.h"
#include "print/DocumentJob.h"
#include "printing/DocumentPlan.h"
#include "ui/viewing/CExplorer.h"
#include "ui/viewing/CFullPage.h"
#include "ui/viewing/DocumentPrinting.h"
#include "ui/viewing/ViewingFonts.h"
#include "ui/viewing/ViewingIds.h"
#include "ui/widgets/CBtnIcon.h"
#include "ui/widgets/ControlLookup.h"
#include "ui/widgets/FileDialog.h"
#include "ui/widgets/Pictures.h"
#include "ui/widgets/UiText.h"
#include "viewing/ReportArchive.h"
#include "viewing/ReportListing.h"

#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScopedValueRollback>
#include <QStandardPaths>
#include <QTreeWidget>
#include <algorithm>
#include <filesystem>

namespace {

constexpr int kTitlePicture = 139;
constexpr int kTreeIcon = 159;
constexpr int kCompositeNormal = 216;
constexpr int kCompositeHover = 217;
constexpr int kCompositePressed = 218;

// The bold face of the composite button and the buttons below the browser: a cell 18 pixels
// high.
constexpr int kBoldPixelSize = 15;

const QColor kBandBorder(160, 160, 160);
const QColor kBandLight(240, 240, 240);
const QColor kBandDark(200, 200, 200);

} // namespace

CChildReport::CChildReport(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("reportPane"));
    setAutoFillBackground(true);
    CreateControls();
}

void CChildReport::CreateControls() {
    m_pFrame = new QFrame(this);
    m_pFrame->setFrameShape(QFrame::Box);
    m_pFrame->setStyleSheet(QStringLiteral("QFrame { color: rgb(160, 160, 160); }"));

    m_pTitle = new QLabel(this);
    m_pTitle->setObjectName(QStringLiteral("reportTitle"));
    m_pTitle->setPixmap(BitmapPicture(kTitlePicture));
    m_pTitle->setScaledContents(true);

    m_pTree = new QTreeWidget(this);
    m_pTree->setObjectName(QStringLiteral("reportTree"));
    m_pTree->setHeaderHidden(true);
    m_pTree->setRootIsDecorated(false);
    m_pTree->setIconSize({16, 16});
    connect(m_pTree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { OnCurrentItemChanged(current); });

    m_pComposite = new CBtnIcon(this);
    m_pComposite->setObjectName(QStringLiteral("compositeButton"));
    m_pComposite->setText(QStringLiteral("Compositive Report"));
    m_pComposite->SetBitmaps(kCompositeNormal, kCompositeHover, kCompositePressed);
    m_pComposite->setFont(BoldFont(font(), kBoldPixelSize));
    connect(m_pComposite, &QAbstractButton::clicked, this, &CChildReport::OnComposite);

    m_pBrowser = new CExplorer(this);
    m_pBrowser->setObjectName(QStringLiteral("browser"));

    AddButton(ctl::view::FullPage, QStringLiteral("Full Page(&F)"), &CChildReport::OnFullPage);
    AddButton(ctl::view::Print, QStringLiteral("Print(&P)"), &CChildReport::OnPrint);
    AddButton(ctl::view::SaveReport, QStringLiteral("Save Report(&S)"),
              &CChildReport::OnSaveReport);
    AddButton(ctl::view::Return, QStringLiteral("Return(&R)"), &CChildReport::OnReturn);
    // After the buttons of the page, so they keep their places: the whole test, then its
    // results.
    AddButton(ctl::view::PrintAll, QStringLiteral("Print All"), &CChildReport::OnPrintAll);
    AddButton(ctl::view::SavePdf, QStringLiteral("Save PDF"), &CChildReport::OnSavePdf);
    AddButton(ctl::view::ExportResults, UiText(hv::texts::kExportResultsButton),
              &CChildReport::OnExportResults);

    setTabOrder(m_pTree, m_pComposite);
    setTabOrder(m_pComposite, m_pBrowser);
    setTabOrder(m_pBrowser, m_buttons.front());
}

QPushButton* CChildReport::AddButton(int id, const QString& text, void (CChildReport::*handler)()) {
    auto* button = new QPushButton(text, this);
    TagControl(button, id);
    button->setFont(BoldFont(font(), kBoldPixelSize));
    connect(button, &QPushButton::clicked, this, handler);
    if (!m_buttons.isEmpty())
        setTabOrder(m_buttons.back(), button);
    m_buttons.append(button);
    return button;
}

QPushButton* CChildReport::Button(int id) const {
    return FindControl(m_buttons, id);
}

bool CChildReport::LoadReportList(int measId) {
    m_nMeasID = measId;
    const auto entries = hv::LoadReportList(measId);
    if (!entries)
        return false;
    m_pTree->clear();
    const QIcon icon(IconPicture(kTreeIcon));
    for (const hv::ReportListEntry& entry : *entries) {
        auto* item = new QTreeWidgetItem(m_pTree, {QString::fromStdString(entry.label)});
        item->setIcon(0, icon);
        item->setData(0, Qt::UserRole, entry.reportNumber);
    }
    m_pTree->setCurrentItem(nullptr);
    m_pTree->setFocus();
    return true;
}

void CChildReport::ShowPage(const QString& pageName) {
    const std::filesystem::path file = hv::PageFile(pageName.toStdString());
    m_url = QUrl::fromLocalFile(QString::fromStdString(file.string()));
    m_pBrowser->Navigate(m_url);
}

// A newly chosen report opens its page: the report number names the file, the entry's text
// after its number the rest.
void CChildReport::OnCurrentItemChanged(QTreeWidgetItem* current) {
    if (current == nullptr)
        return;
    const int number = current->data(0, Qt::UserRole).toInt();
    ShowPage(QString::fromStdString(hv::ListEntryPageName(number, current->text(0).toStdString())));
}

// After the composite page no report is chosen, so choosing any report is a change again.
void CChildReport::OnComposite() {
    ShowPage(QString::fromStdString(hv::CompositePageName()));
    m_pTree->setCurrentItem(nullptr);
    m_pTree->clearSelection();
}

void CChildReport::OnFullPage() {
    CFullPage dialog(this);
    dialog.url = m_url;
    dialog.exec();
}

void CChildReport::OnPrint() {
    m_pBrowser->ExecWB(CExplorer::Print, CExplorer::PromptUser);
}

void CChildReport::OnSaveReport() {
    const QString proposed = FileDialog::OnDesktop(QStringLiteral("Reports.zip"));
    const QString fileName = FileDialog::getSaveFileName(
        this, QStringLiteral("Save report to"), proposed, QStringLiteral("Report archive (*.zip)"));
    if (fileName.isEmpty())
        return;
    const std::filesystem::path archive(fileName.toStdString());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const hv::ReportArchiveResult result =
        hv::SaveReportArchive(archive, std::filesystem::absolute(hv::kReportsFolder));
    QApplication::restoreOverrideCursor();
    const std::string message = hv::ReportArchiveMessage(result, archive);
    if (!message.empty())
        hv::ShowMessage(message);
}

// The results of the listed test as a spreadsheet file.
void CChildReport::OnExportResults() {
    if (m_nMeasID == 0)
        return;
    const QString proposed = FileDialog::OnDesktop(QStringLiteral("Results %1.csv").arg(m_nMeasID));
    const QString fileName =
        FileDialog::getSaveFileName(this, UiText(hv::texts::kExportResultsCaption), proposed,
                                    UiText(hv::texts::kExportFileFilter));
    if (fileName.isEmpty())
        return;
    const hv::ExportOutcome outcome =
        hv::ExportResults(m_nMeasID, std::filesystem::path(fileName.toStdString()));
    if (!outcome.written && !outcome.message.empty())
        hv::ShowMessage(outcome.message);
}

void CChildReport::OnPrintAll() {
    RunWholeTest(ctl::view::PrintAll, &CChildReport::PrintWholeTest);
}

void CChildReport::OnSavePdf() {
    RunWholeTest(ctl::view::SavePdf, &CChildReport::SaveWholeTest);
}

// One whole test's document at a time: a click while one is made or printed is refused.
void CChildReport::RunWholeTest(int id, bool (CChildReport::*work)()) {
    if (m_bDocumentBusy) {
        emit documentFinished(id, false);
        return;
    }
    const QScopedValueRollback busy(m_bDocumentBusy, true);
    emit documentFinished(id, (this->*work)());
}

namespace {

void ShowFilled(std::string_view text, std::initializer_list<std::string_view> values) {
    hv::ShowMessage(hv::texts::FillText(text, values));
}

} // namespace

// The composite report and every listed report in one print job.
bool CChildReport::PrintWholeTest() {
    const auto plan = hv::WholeTestPlan(m_nMeasID);
    if (!plan) {
        ShowFilled(hv::texts::kReportsNotPrinted, {hv::texts::kNoReportsListed});
        return false;
    }
    QPrinter& printer = CExplorer::SharedPrinter();
    QPrintDialog dialog(&printer, this);
    if (!CExplorer::RunDialog(dialog))
        return false;
    const PrintOutcome printed = PrintPlan(*plan, printer, this, true);
    if (printed.result == PrintOutcome::Result::Failed)
        ShowFilled(hv::texts::kReportsNotPrinted, {printed.error.toStdString()});
    return printed.result == PrintOutcome::Result::Printed;
}

// The same document as a PDF file, on the paper the printer is set up for.
bool CChildReport::SaveWholeTest() {
    const QString proposed =
        FileDialog::OnDesktop(QStringLiteral("Reports of test %1.pdf").arg(m_nMeasID));
    const QString fileName = FileDialog::getSaveFileName(this, QStringLiteral("Save PDF"), proposed,
                                                         QStringLiteral("PDF file (*.pdf)"));
    if (fileName.isEmpty())
        return false;
    const auto plan = hv::WholeTestPlan(m_nMeasID);
    if (!plan) {
        ShowFilled(hv::texts::kPdfNotSaved, {fileName.toStdString(), hv::texts::kNoReportsListed});
        return false;
    }
    hv::DocumentJob job(*plan, hv::StationPrintOptions(CExplorer::SharedPrinter().pageLayout()),
                        fileName);
    if (RunDocumentJob(job, this, true))
        return true;
    if (!job.Cancelled())
        ShowFilled(hv::texts::kPdfNotSaved, {fileName.toStdString(), job.Error().toStdString()});
    return false;
}

void CChildReport::OnReturn() {
    if (m_onReturn)
        m_onReturn();
}

void CChildReport::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int cx = event->size().width();
    const int cy = event->size().height();
    m_pFrame->setGeometry(5, 5, 210, cy - 10);
    m_pTitle->setGeometry(6, 6, 208, 45);
    m_pTree->setGeometry(6, 51, 208, cy - 108);
    m_pComposite->setGeometry(16, cy - 48, 188, 36);
    m_pBrowser->setGeometry(220, 5, cx - 221, cy - 65);
    const ButtonRow row = ButtonRowFor(cx, static_cast<int>(m_buttons.size()));
    int x = row.left;
    for (QPushButton* button : m_buttons) {
        button->setGeometry(x, cy - 43, kButtonWidth, 30);
        x += row.step;
    }
}

// The buttons stand 160 pixels apart from 260 on; where the band is too narrow for that,
// they close up from the band's left edge so that every one stays in it.
CChildReport::ButtonRow CChildReport::ButtonRowFor(int width, int count) {
    constexpr ButtonRow kRoomy{260, 160};
    constexpr int kBandLeft = 230;
    constexpr int kRightMargin = 10;
    constexpr int kNarrowestStep = kButtonWidth + 4;
    if (count < 2 || kRoomy.left + (count - 1) * kRoomy.step + kButtonWidth + kRightMargin <= width)
        return kRoomy;
    const int step = (width - kBandLeft - kRightMargin - kButtonWidth) / (count - 1);
    return {kBandLeft, std::max(step, kNarrowestStep)};
}

// The band below the browser: a grey border filled with fine alternating lines.
void CChildReport::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int cx = width();
    const int cy = height();
    painter.setPen(kBandBorder);
    painter.drawLine(220, cy - 56, 220, cy - 6);
    painter.drawLine(cx - 1, cy - 56, cx - 1, cy - 6);
    painter.drawLine(221, cy - 56, cx - 2, cy - 56);
    painter.drawLine(221, cy - 6, cx - 2, cy - 6);
    for (int y = cy - 55; y <= cy - 7; y += 2) {
        painter.setPen(kBandLight);
        painter.drawLine(221, y, cx - 2, y);
        if (y + 1 <= cy - 8) {
            painter.setPen(kBandDark);
            painter.drawLine(221, y + 1, cx - 2, y + 1);
        }
    }
}
