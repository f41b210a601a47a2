#include "ui/widgets/LoadingDialog.h"

#include <QMetaObject>

void LoadingDialog::setVisible(bool visible) {
    if (!visible) {
        QDialog::setVisible(false);
        setAttribute(Qt::WA_DontShowOnScreen, false);
        return;
    }
    if (isVisible() || LoadEntry()) {
        QDialog::setVisible(true);
        return;
    }
    // A running exec() ends only when its dialog hides, so the dialog is shown off the
    // screen and rejected once the event loop runs.
    setAttribute(Qt::WA_DontShowOnScreen, true);
    QDialog::setVisible(true);
    QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
}
