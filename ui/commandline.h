#pragma once

#include <optional>

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

namespace ui {

// The command line of a program of the suite: --help, --version, the program's own options and
// at most one file to open. Parsing needs no display and no application object, so a program
// can answer --help or work without a window before it creates one.
class CommandLine {
  public:
    // command: the program's command ("tamsorel"); summary: one line on what it does;
    // fileHelp: what the optional file argument is, as --help shows it ("a .tam script").
    CommandLine(const QString& command, const QString& summary, const QString& fileHelp);

    void addOption(const QCommandLineOption& option);

    // Parses argv. Returns the exit status when the program should end at once: 0 after
    // printing --help or --version on standard output, 2 after a short message on standard
    // error for an unknown option, a missing value or more than one file. Returns nothing when
    // the program should go on.
    std::optional<int> parse(int argc, const char* const* argv);
    std::optional<int> parse(const QStringList& arguments);

    bool isSet(const QString& option) const { return parser_.isSet(option); }
    QString value(const QString& option) const { return parser_.value(option); }
    // The file given on the command line, or an empty string.
    QString file() const;

    // The --help text: usage, options and the manual page to read.
    QString helpText() const;

    // Ends a program with a short message on standard error, naming the program, and the
    // status 2 used for every usage error: "tamsorel: <message>".
    int usageError(const QString& message) const;

    // Writes text as it stands on standard output.
    static void print(const QString& text);
    // Writes one line on standard error, naming the program: "tamsorel: <message>".
    void printError(const QString& message) const;

  private:
    QString command_;
    QCommandLineParser parser_;
};

}  // namespace ui
