// halvoret-admin pdf: a whole test as one PDF file, made without a display.
#include "AdminCommands.h"
#include "PdfArguments.h"
#include "analysis/AnalysisRun.h"
#include "data/OperatorTexts.h"
#include "print/DocumentJob.h"
#include "print/HeadlessWebEngine.h"
#include "printing/DocumentPlan.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <clocale>
#include <iostream>

namespace {

// The analysis of the test: a test analysed before keeps its values. False when it could not
// run or a page could not be written (already reported).
bool Analyse(std::int32_t measId) {
    hv::CAnalysisRun run(measId);
    return AnalyseTest(run, measId) && run.PagesLost().empty();
}

// Paper without a printer: A4 upright, the margins left to the document's minimum.
QPageLayout DefaultPaper() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
}

bool WriteDocument(const hv::DocumentPlan& plan, const QString& target, QString& error,
                   int& pages) {
    hv::DocumentJob job(plan, hv::StationPrintOptions(DefaultPaper()), target);
    QEventLoop loop;
    QObject::connect(&job, &hv::DocumentJob::finished, &loop, &QEventLoop::quit);
    job.Start();
    if (job.IsRunning())
        loop.exec();
    error = job.Error();
    pages = job.PageCount();
    return pages > 0;
}

} // namespace

int RunPdf(const AdminArgs& args) {
    PdfArguments parsed;
    if (!ParsePdfArguments(args, parsed)) {
        std::cerr << "usage: halvoret-admin pdf MEASID FILE.pdf\n";
        return 2;
    }
    if (!Analyse(parsed.measId))
        return 1;
    const auto plan = hv::WholeTestPlan(parsed.measId);
    if (!plan) {
        std::cerr << "halvoret-admin: "
                  << hv::texts::FillText(hv::texts::kPdfNotSaved,
                                         {parsed.target, hv::texts::kNoReportsListed})
                  << '\n';
        return 1;
    }
    hv::PrepareHeadlessWebEngine();
    static int argc = 1;
    static char name[] = "halvoret-admin";
    static char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    // Numbers in files keep their point whatever the user's language.
    std::setlocale(LC_NUMERIC, "C");
    QString error;
    int pages = 0;
    if (!WriteDocument(*plan, QString::fromStdString(parsed.target), error, pages)) {
        std::cerr << "halvoret-admin: "
                  << hv::texts::FillText(hv::texts::kPdfNotSaved,
                                         {parsed.target, error.toStdString()})
                  << '\n';
        return 1;
    }
    std::cout << "wrote " << parsed.target << " (" << pages << " pages)\n";
    return 0;
}
