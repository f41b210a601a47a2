#pragma once

#include <QDialog>

// The about box: the program's icon, name, version and a notice on what its report values
// are.
class CDlgAbout : public QDialog {
    Q_OBJECT

public:
    explicit CDlgAbout(QWidget* parent = nullptr);
};
