#include "print/HeadlessWebEngine.h"

#include <QCoreApplication>
#include <QtGlobal>
#include <cstdio>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace hv {

void PrepareHeadlessWebEngine() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef Q_OS_UNIX
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
#endif
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--disable-gpu"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", (flags + " --disable-gpu").trimmed());
    // Qt's notes about the missing display and graphics are no news here; real failures
    // are reported by the caller.
    qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
        });
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

} // namespace hv
