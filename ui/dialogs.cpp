#include "dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
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

std::optional<Colour> QtDialogs::chooseColour(QWidget* parent, Colour initial) {
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

ScriptedDialogs::ScriptedDialogs() : previous_(current) {
    current = this;
}

ScriptedDialogs::~ScriptedDialogs() {
    current = previous_;
}

QStringList ScriptedDialogs::informationTexts() const {
    QStringList texts;
    for (const Shown& s : shown_)
        if (s.kind == u"information") texts << s.text;
    return texts;
}

bool ScriptedDialogs::allAnswersUsed() const {
    return opens_.empty() && saves_.empty() && colours_.empty() && answers_.empty() &&
           prints_.empty();
}

std::optional<ScriptedDialogs::FileAnswer> ScriptedDialogs::nextAnswer(
    std::deque<FileAnswer>& queue, const QString& kind, const FileRequest& request) {
    shown_.append({kind, request.fileName, request.title, request});
    if (queue.empty()) {
        unexpected_ << kind;
        return std::nullopt;
    }
    const FileAnswer answer = queue.front();
    queue.pop_front();
    if (answer.cancelled) return std::nullopt;
    return answer;
}

std::optional<QString> ScriptedDialogs::nextFile(std::deque<FileAnswer>& queue, const QString& kind,
                                                 const FileRequest& request) {
    const std::optional<FileAnswer> answer = nextAnswer(queue, kind, request);
    if (!answer) return std::nullopt;
    return answer->path;
}

std::optional<QString> ScriptedDialogs::openFile(QWidget*, const FileRequest& request) {
    return nextFile(opens_, QStringLiteral("open"), request);
}

std::optional<QString> ScriptedDialogs::saveFile(QWidget*, const FileRequest& request) {
    return nextFile(saves_, QStringLiteral("save"), request);
}

std::optional<Colour> ScriptedDialogs::chooseColour(QWidget*, Colour) {
    shown_.append({QStringLiteral("colour"), QString(), QString(), {}});
    if (colours_.empty()) {
        unexpected_ << QStringLiteral("colour");
        return std::nullopt;
    }
    auto answer = colours_.front();
    colours_.pop_front();
    return answer;
}

void ScriptedDialogs::information(QWidget*, const QString& text, const QString& title) {
    shown_.append({QStringLiteral("information"), text, title, {}});
}

Answer ScriptedDialogs::question(QWidget*, const QString& text, const QString& title) {
    shown_.append({QStringLiteral("question"), text, title, {}});
    if (answers_.empty()) {
        unexpected_ << QStringLiteral("question: ") + text;
        return Answer::No;
    }
    const Answer a = answers_.front();
    answers_.pop_front();
    return a;
}

std::optional<SavedFile> ScriptedDialogs::saveFileAs(QWidget*, const FileRequest& request) {
    const std::optional<FileAnswer> answer = nextAnswer(saves_, QStringLiteral("save"), request);
    if (!answer) return std::nullopt;
    return SavedFile{answer->path, answer->filter};
}

bool ScriptedDialogs::print(QWidget*, QPrinter& printer) {
    shown_.append({QStringLiteral("print"), printer.docName(), QString(), {}});
    if (prints_.empty()) {
        unexpected_ << QStringLiteral("print");
        return false;
    }
    const std::optional<QString> pdfPath = prints_.front();
    prints_.pop_front();
    if (!pdfPath) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(*pdfPath);
    return true;
}

}  // namespace ui
