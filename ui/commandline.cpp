#include "commandline.h"

#include <cstdio>

namespace ui {

namespace {

void write(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

}  // namespace

CommandLine::CommandLine(const QString& command, const QString& summary, const QString& fileHelp)
    : command_(command) {
    parser_.setApplicationDescription(summary);
    parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser_.addOption(QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                                         QStringLiteral("Show this help and end.")));
    parser_.addOption(
        QCommandLineOption(QStringLiteral("version"), QStringLiteral("Show the version and end.")));
    parser_.addPositionalArgument(QStringLiteral("FILE"), fileHelp, QStringLiteral("[FILE]"));
}

void CommandLine::addOption(const QCommandLineOption& option) {
    parser_.addOption(option);
}

std::optional<int> CommandLine::parse(int argc, const char* const* argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return parse(arguments);
}

std::optional<int> CommandLine::parse(const QStringList& arguments) {
    if (!parser_.parse(arguments)) return usageError(parser_.errorText());
    if (parser_.isSet(QStringLiteral("help"))) {
        write(stdout, helpText());
        return 0;
    }
    if (parser_.isSet(QStringLiteral("version"))) {
        write(stdout, command_ + QStringLiteral(" ") + QStringLiteral(WORDSEARCH_VERSION) +
                          QStringLiteral("\n"));
        return 0;
    }
    if (parser_.positionalArguments().size() > 1)
        return usageError(QStringLiteral("give at most one file"));
    return std::nullopt;
}

QString CommandLine::file() const {
    const QStringList files = parser_.positionalArguments();
    return files.isEmpty() ? QString() : files.first();
}

QString CommandLine::helpText() const {
    // Qt's own help names the program by its path; the suite's names its command.
    QString text = parser_.helpText();
    const qsizetype end = text.indexOf(u'\n');
    const qsizetype options = text.indexOf(QStringLiteral(" [options]"));
    if (end > 0 && options > 0 && options < end)
        text.replace(0, options, QStringLiteral("Usage: ") + command_);
    return text + QStringLiteral("\nSee the manual page for more: man ") + command_ +
           QStringLiteral("\n");
}

int CommandLine::usageError(const QString& message) const {
    printError(message + QStringLiteral("\nTry '") + command_ +
               QStringLiteral(" --help' for more information."));
    return 2;
}

void CommandLine::print(const QString& text) {
    write(stdout, text);
}

void CommandLine::printError(const QString& message) const {
    write(stderr, command_ + QStringLiteral(": ") + message + u'\n');
}

}  // namespace ui
