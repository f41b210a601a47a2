#pragma once

#include <QDialog>

// A dialog that reads what it shows from the database each time it is about to show,
// however it is shown (exec, open or show). When the reading fails (the failure has been
// reported) the dialog ends with Cancel without appearing, so exec returns Rejected.
class LoadingDialog : public QDialog {
    Q_OBJECT

public:
    using QDialog::QDialog;

    void setVisible(bool visible) override;

protected:
    // Fills the dialog; false when there is nothing to show.
    virtual bool LoadEntry() = 0;
};
