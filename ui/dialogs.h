#pragma once

#include <optional>
#include <variant>

#include <QString>
#include <QStringList>

#include "core/colour.h"

class QPrinter;
class QWidget;

namespace ui {

using core::Colour;

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
    virtual std::optional<core::Colour> chooseColour(QWidget* parent, core::Colour initial) = 0;
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
    std::optional<core::Colour> chooseColour(QWidget* parent, core::Colour initial) override;
    void information(QWidget* parent, const QString& text, const QString& title) override;
    Answer question(QWidget* parent, const QString& text, const QString& title) override;
    std::optional<SavedFile> saveFileAs(QWidget* parent, const FileRequest& request) override;
    bool print(QWidget* parent, QPrinter& printer) override;
};

// Makes service the one in use (nullptr: the real dialogs again) and returns the one it
// replaces. Tests install a scripted double this way.
Dialogs* installDialogs(Dialogs* service);

// Asks before the file at path is replaced: true when there is no file there or the user
// answers Yes to "<path> already exists. Do you want to replace it?".
bool confirmReplace(QWidget* parent, const QString& path, const QString& title);
// Tells the user why a file could not be read or written: "<sentence>:", the path, then the
// reason, as in "The puzzle could not be saved".
void reportFileProblem(QWidget* parent, const QString& sentence, const QString& path,
                       const QString& reason, const QString& title);

}  // namespace ui
