#pragma once

#include <QFileDialog>
#include <QString>
#include <deque>
#include <optional>

// The program's file dialogs. A test names the files the next dialogs would return, in
// order, so no dialog is shown; an empty name answers as if the operator had cancelled.
class FileDialog {
public:
    // What the last dialog was asked to show.
    struct Request {
        QString caption;
        QString path; // starting folder or proposed file
        QString filter;
        QFileDialog::Options options;
    };

    static QString getSaveFileName(QWidget* parent, const QString& caption, const QString& path,
                                   const QString& filter,
                                   QFileDialog::Options options = QFileDialog::Options());
    static QString getOpenFileName(QWidget* parent, const QString& caption, const QString& path,
                                   const QString& filter,
                                   QFileDialog::Options options = QFileDialog::Options());

    // The answer of a coming dialog, used once instead of showing it. Each call adds one
    // answer after those not yet used.
    static void setNextFileName(const QString& fileName);
    static const Request& lastRequest();

    // A file of that name in the user's Desktop folder, as a save dialog proposes it.
    static QString OnDesktop(const QString& fileName);

private:
    static std::optional<QString> TakeNextFileName(const Request& request);
};
