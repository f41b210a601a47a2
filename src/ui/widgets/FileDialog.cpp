#include "ui/widgets/FileDialog.h"

#include <QDir>
#include <QStandardPaths>

namespace {

std::deque<QString>& NextFileNames() {
    static std::deque<QString> next;
    return next;
}

FileDialog::Request& LastRequest() {
    static FileDialog::Request last;
    return last;
}

} // namespace

std::optional<QString> FileDialog::TakeNextFileName(const Request& request) {
    LastRequest() = request;
    std::deque<QString>& names = NextFileNames();
    if (names.empty())
        return std::nullopt;
    QString next = names.front();
    names.pop_front();
    return next;
}

QString FileDialog::getSaveFileName(QWidget* parent, const QString& caption, const QString& path,
                                    const QString& filter, QFileDialog::Options options) {
    if (const auto next = TakeNextFileName({caption, path, filter, options}))
        return *next;
    return QFileDialog::getSaveFileName(parent, caption, path, filter, nullptr, options);
}

QString FileDialog::getOpenFileName(QWidget* parent, const QString& caption, const QString& path,
                                    const QString& filter, QFileDialog::Options options) {
    if (const auto next = TakeNextFileName({caption, path, filter, options}))
        return *next;
    return QFileDialog::getOpenFileName(parent, caption, path, filter, nullptr, options);
}

void FileDialog::setNextFileName(const QString& fileName) {
    NextFileNames().push_back(fileName);
}

const FileDialog::Request& FileDialog::lastRequest() {
    return LastRequest();
}

QString FileDialog::OnDesktop(const QString& fileName) {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation))
        .filePath(fileName);
}
