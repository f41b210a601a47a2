#include "ui/app/CPelmoraApp.h"

#include <QApplication>
#include <clocale>
#include <cstdlib>

int main(int argc, char* argv[]) {
    // The report views render through Qt WebEngine, which needs shared contexts set before
    // the application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    // Qt adopts the user's locale; numbers in pages and the database always use a point.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Halvoret"));
    QApplication::setApplicationVersion(QStringLiteral(HALVORET_VERSION));

    CPelmoraApp pelmora(CPelmoraApp::ParseOptions(QApplication::arguments()));
    if (!pelmora.InitInstance())
        return EXIT_FAILURE;
    return QApplication::exec();
}
