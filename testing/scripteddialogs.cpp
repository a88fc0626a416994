#include "scripteddialogs.h"

#include <QPrinter>

namespace testing {

ScriptedDialogs::ScriptedDialogs() : previous_(ui::installDialogs(this)) {}

ScriptedDialogs::~ScriptedDialogs() {
    ui::installDialogs(previous_);
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

std::optional<core::Colour> ScriptedDialogs::chooseColour(QWidget*, core::Colour) {
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

}  // namespace testing
