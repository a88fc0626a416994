#pragma once

#include <deque>
#include <optional>

#include <QList>
#include <QString>
#include <QStringList>

#include "ui/dialogs.h"

namespace testing {

using ui::Answer;
using ui::FileRequest;
using ui::SavedFile;

// A test double: answers each dialog with the next queued answer of its kind and records what
// was asked. While it lives it is the service in use. A dialog with no queued answer is
// recorded in unexpected() and answered as cancelled (a question as No).
class ScriptedDialogs final : public ui::Dialogs {
  public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    void answerNextOpen(const QString& path) { opens_.push_back({false, path}); }
    void cancelNextOpen() { opens_.push_back({true, QString()}); }
    void answerNextSave(const QString& path) { saves_.push_back({false, path}); }
    void cancelNextSave() { saves_.push_back({true, QString()}); }
    void answerNextColour(core::Colour c) { colours_.push_back(c); }
    void cancelNextColour() { colours_.push_back(std::nullopt); }
    void answerNextQuestion(Answer a) { answers_.push_back(a); }
    // saveFileAs takes its answers from the same queue as saveFile; filter is the chosen one.
    void answerNextSave(const QString& path, const QString& filter) {
        saves_.push_back({false, path, filter});
    }
    // The next print dialog is confirmed with the printer writing a PDF file at pdfPath.
    void answerNextPrint(const QString& pdfPath) { prints_.push_back(pdfPath); }
    void cancelNextPrint() { prints_.push_back(std::nullopt); }

    struct Shown {
        QString kind;  // "open", "save", "colour", "information", "question" or "print"
        QString text;  // the message text, or the file request's file name
        QString title;
        FileRequest request;  // for file dialogs
    };
    const QList<Shown>& shown() const { return shown_; }
    // Messages of information boxes shown so far, in order.
    QStringList informationTexts() const;
    // Dialogs that came with no queued answer.
    const QStringList& unexpected() const { return unexpected_; }
    bool allAnswersUsed() const;

    std::optional<QString> openFile(QWidget* parent, const FileRequest& request) override;
    std::optional<QString> saveFile(QWidget* parent, const FileRequest& request) override;
    std::optional<core::Colour> chooseColour(QWidget* parent, core::Colour initial) override;
    void information(QWidget* parent, const QString& text, const QString& title) override;
    Answer question(QWidget* parent, const QString& text, const QString& title) override;
    std::optional<SavedFile> saveFileAs(QWidget* parent, const FileRequest& request) override;
    bool print(QWidget* parent, QPrinter& printer) override;

  private:
    struct FileAnswer {
        bool cancelled;
        QString path;
        QString filter = {};
    };
    std::optional<FileAnswer> nextAnswer(std::deque<FileAnswer>& queue, const QString& kind,
                                         const FileRequest& request);
    std::optional<QString> nextFile(std::deque<FileAnswer>& queue, const QString& kind,
                                    const FileRequest& request);

    std::deque<FileAnswer> opens_;
    std::deque<FileAnswer> saves_;
    std::deque<std::optional<core::Colour>> colours_;
    std::deque<Answer> answers_;
    std::deque<std::optional<QString>> prints_;
    QList<Shown> shown_;
    QStringList unexpected_;
    ui::Dialogs* previous_;
};

}  // namespace testing
