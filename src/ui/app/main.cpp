#include "common/Version.h"
#include "ui/app/CPelmoraApp.h"
#include "ui/app/ProgramHelp.h"
#include "ui/widgets/UiText.h"

#include <QApplication>
#include <clocale>
#include <cstdlib>
#include <iostream>

int main(int argc, char* argv[]) {
    // Answered without a display, so the manual page can be made from them at build time.
    if (const std::optional<int> status = AnswerInfoOptions(argc, argv, std::cout))
        return *status;
    // The report views render through Qt WebEngine, which needs shared contexts set before
    // the application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    // Qt adopts the user's locale; numbers in pages and the database always use a point.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Halvoret"));
    QApplication::setApplicationVersion(UiText(hv::ProgramVersion()));

    CPelmoraApp pelmora(CPelmoraApp::ParseOptions(QApplication::arguments()));
    if (!pelmora.InitInstance())
        return EXIT_FAILURE;
    return QApplication::exec();
}
