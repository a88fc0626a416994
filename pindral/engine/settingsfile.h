#pragma once

#include <optional>

#include <QByteArray>
#include <QSize>
#include <QString>

namespace pindral {

// ---- INI files with private-profile rules ----
// A section starts at a line "[name]"; a key line is "name=value". Section and key names are
// compared without regard to letter case and without surrounding spaces; a value loses its
// surrounding spaces and one pair of matching quotes around it. Only the first section of a
// name and the first key of a name in it count. Lines starting with ';' are comments. A UTF-8
// byte-order mark at the start is ignored when reading and kept when writing.

// The value of a key in INI content, or nothing when the section or key is missing.
std::optional<QByteArray> iniValue(const QByteArray& content, const QByteArray& section,
                                   const QByteArray& key);

// The content with the key set to value: an existing key line is rewritten where it stands;
// a new key goes after the last line of its section's entries; a new section goes at the end.
// Every other line, its line end included, stays as it was. New lines end like the content's
// first line (CR LF in new content).
QByteArray iniWithValue(const QByteArray& content, const QByteArray& section, const QByteArray& key,
                        const QByteArray& value);

// The key's text from the file, or defaultText when the file, section or key is missing.
QString readIni(const QString& section, const QString& key, const QString& file,
                const QString& defaultText);

// Sets the key in the file, creating file, folder, section or key as needed. The file is
// replaced only by a complete new version. Returns an empty string on success, else a
// sentence for the user; a file that exists but cannot be read is left untouched.
QString writeIni(const QString& section, const QString& key, const QString& value,
                 const QString& file);

// ---- The game's settings ----

// The five settings, each kept under the key of its name in upper camel case ("SquareSize").
struct Settings {
    qint16 squareSize = 50;           // pixels per square side, 1 or more
    qint16 squareCount = 15;          // squares across the next new game's board, 1 or more
    qint32 selectColor = 255;         // 0x00BBGGRR fill of squares being selected
    qint32 solutionColor = 15658734;  // 0x00BBGGRR fill of solved squares
    qint16 backwards = 1;             // non-zero: entries run in all eight directions
    friend bool operator==(const Settings&, const Settings&) = default;
};

// The widest board, in pixels, that the game draws.
inline constexpr int kMaxBoardPixels = 32767;

// The room a board may fill, in pixels, when no screen limits it.
inline constexpr QSize kNoScreenLimit{kMaxBoardPixels, kMaxBoardPixels};

// The largest square size at which a board of count squares across and down fits in area
// (and within kMaxBoardPixels); 0 when not even squares of one pixel fit. count is 1 or more.
qint64 largestSquareSize(qint64 count, QSize area);

// Reads text as a decimal number: surrounding spaces, a sign and a fraction allowed, rounded
// to the nearest whole number with halves to the even one. Nothing for text that is empty or
// not such a number. The settings file and the settings window both read numbers so; unlike
// the suite's other fields, neither takes group separators or an exponent ("1e3").
std::optional<qint64> wholeNumberFrom(const QString& text);

// The file that keeps the five settings, in its section "Settings", and the settings read
// from it or to be saved to it.
class SettingsFile {
  public:
    explicit SettingsFile(QString path) : path_(std::move(path)) {}

    // Where the settings live: beside the program when its folder is writable, otherwise in
    // the user's configuration folder.
    static QString location(const QString& programFolder, const QString& configFolder);

    const QString& path() const { return path_; }

    const Settings& settings() const { return settings_; }
    // Replaces the settings in memory; the file changes only with saveSettings.
    void setSettings(const Settings& settings) { settings_ = settings; }

    // Sets the five settings from the file. A key that is missing, empty, not a number or out
    // of range reads as its default; a size and count whose board does not fit in boardArea
    // (the room the window has for the board on its screen, in pixels) both read as their
    // defaults.
    void loadSettings(QSize boardArea = kNoScreenLimit);

    // Writes the five settings in their order. Returns an empty string on success, else why
    // the file could not be written (the settings in memory stay as they are).
    QString saveSettings() const;

  private:
    QString path_;
    Settings settings_;
};

}  // namespace pindral
