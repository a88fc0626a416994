#pragma once

#include <deque>
#include <optional>
#include <variant>

#include <QString>
#include <QStringList>

#include "core/colour.h"

class QPrinter;
class QWidget;

namespace ui {

// What a program asks of a file dialog.
struct FileRequest {
    QString title;           // the dialog's caption; empty for the platform's default
    QString fileName;        // the name shown at first, may be a pattern such as "*.tam"
    QString filter;          // "Description (*.ext)" entries separated by ";;", or a bare "*.ext"
    QString initDir;         // the folder shown at first; empty for the current folder
    bool mustExist = false;  // open only: the chosen file must exist
};

enum class Answer { Yes, No };

// The answer of a save dialog that offers several filters.
struct SavedFile {
    QString path;
    QString filter;  // the chosen entry of the request's filter, empty when not known
};

// Every file dialog, colour dialog and message box of the suite goes through this service, so
// tests can answer them headless. A cancelled dialog answers std::nullopt.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    virtual std::optional<QString> openFile(QWidget* parent, const FileRequest& request) = 0;
    virtual std::optional<QString> saveFile(QWidget* parent, const FileRequest& request) = 0;
    virtual std::optional<Colour> chooseColour(QWidget* parent, Colour initial) = 0;
    // An OK-only box with the information icon.
    virtual void information(QWidget* parent, const QString& text, const QString& title) = 0;
    // A Yes/No box with the question icon.
    virtual Answer question(QWidget* parent, const QString& text, const QString& title) = 0;
    // A save dialog that also tells which filter was chosen. It asks no overwrite question.
    virtual std::optional<SavedFile> saveFileAs(QWidget* parent, const FileRequest& request) = 0;
    // The platform's print dialog, which sets up printer; false when cancelled.
    virtual bool print(QWidget* parent, QPrinter& printer) = 0;
};

// The service in use: the real dialogs unless a test installed another.
Dialogs& dialogs();

// The real, modal Qt dialogs.
class QtDialogs final : public Dialogs {
  public:
    std::optional<QString> openFile(QWidget* parent, const FileRequest& request) override;
    std::optional<QString> saveFile(QWidget* parent, const FileRequest& request) override;
    std::optional<Colour> chooseColour(QWidget* parent, Colour initial) override;
    void information(QWidget* parent, const QString& text, const QString& title) override;
    Answer question(QWidget* parent, const QString& text, const QString& title) override;
    std::optional<SavedFile> saveFileAs(QWidget* parent, const FileRequest& request) override;
    bool print(QWidget* parent, QPrinter& printer) override;
};

// A test double: answers each dialog with the next queued answer of its kind and records what
// was asked. While it lives it is the service in use. A dialog with no queued answer is
// recorded in unexpected() and answered as cancelled (a question as No).
class ScriptedDialogs final : public Dialogs {
  public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    void answerNextOpen(const QString& path) { opens_.push_back({false, path}); }
    void cancelNextOpen() { opens_.push_back({true, QString()}); }
    void answerNextSave(const QString& path) { saves_.push_back({false, path}); }
    void cancelNextSave() { saves_.push_back({true, QString()}); }
    void answerNextColour(Colour c) { colours_.push_back(c); }
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
    std::optional<Colour> chooseColour(QWidget* parent, Colour initial) override;
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
    std::deque<std::optional<Colour>> colours_;
    std::deque<Answer> answers_;
    std::deque<std::optional<QString>> prints_;
    QList<Shown> shown_;
    QStringList unexpected_;
    Dialogs* previous_;
};

}  // namespace ui
