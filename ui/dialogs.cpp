#include "dialogs.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include "geometry.h"

namespace ui {

namespace {

QtDialogs& realDialogs() {
    static QtDialogs instance;
    return instance;
}

Dialogs* current = nullptr;

// A bare pattern such as "*.tam" becomes a Qt filter "*.tam (*.tam)".
QString qtFilter(const QString& filter) {
    if (filter.isEmpty() || filter.contains(u'(')) return filter;
    return filter + QStringLiteral(" (") + filter + u')';
}

// A pattern given as the first file name ("*.tam") is not a name to preselect.
QString startPath(const FileRequest& request) {
    const bool isPattern = request.fileName.contains(u'*') || request.fileName.contains(u'?');
    if (isPattern || request.fileName.isEmpty()) return request.initDir;
    if (request.initDir.isEmpty()) return request.fileName;
    return QDir(request.initDir).filePath(request.fileName);
}

}  // namespace

Dialogs& dialogs() {
    return current ? *current : realDialogs();
}

std::optional<QString> QtDialogs::openFile(QWidget* parent, const FileRequest& request) {
    const QString path = QFileDialog::getOpenFileName(parent, request.title, startPath(request),
                                                      qtFilter(request.filter));
    if (path.isEmpty()) return std::nullopt;
    return path;
}

std::optional<QString> QtDialogs::saveFile(QWidget* parent, const FileRequest& request) {
    // The programs ask their own overwrite questions where they have one.
    const QString path = QFileDialog::getSaveFileName(parent, request.title, startPath(request),
                                                      qtFilter(request.filter), nullptr,
                                                      QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty()) return std::nullopt;
    return path;
}

std::optional<core::Colour> QtDialogs::chooseColour(QWidget* parent, core::Colour initial) {
    const QColor c = QColorDialog::getColor(toQColor(initial), parent);
    if (!c.isValid()) return std::nullopt;
    return fromQColor(c);
}

void QtDialogs::information(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox::information(parent, title, text);
}

Answer QtDialogs::question(QWidget* parent, const QString& text, const QString& title) {
    const auto button =
        QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No);
    return button == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

std::optional<SavedFile> QtDialogs::saveFileAs(QWidget* parent, const FileRequest& request) {
    QString filter;
    const QString path = QFileDialog::getSaveFileName(parent, request.title, startPath(request),
                                                      qtFilter(request.filter), &filter,
                                                      QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty()) return std::nullopt;
    return SavedFile{path, filter};
}

bool QtDialogs::print(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

Dialogs* installDialogs(Dialogs* service) {
    Dialogs* previous = current;
    current = service;
    return previous;
}

bool confirmReplace(QWidget* parent, const QString& path, const QString& title) {
    if (!QFileInfo(path).isFile()) return true;
    const QString text = QStringLiteral("%1 already exists.\nDo you want to replace it?")
                             .arg(QDir::toNativeSeparators(path));
    return dialogs().question(parent, text, title) == Answer::Yes;
}

void reportFileProblem(QWidget* parent, const QString& sentence, const QString& path,
                       const QString& reason, const QString& title) {
    dialogs().information(
        parent,
        QStringLiteral("%1:\n%2\n\n%3").arg(sentence, QDir::toNativeSeparators(path), reason),
        title);
}

}  // namespace ui
