// The settings store: reading and updating INI files, loading and saving the five settings.
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "pindral/engine/settingsfile.h"

using namespace pindral;

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QString settingsText(const Settings& s) {
    return QStringLiteral("%1 %2 %3 %4 %5")
        .arg(s.squareSize)
        .arg(s.squareCount)
        .arg(s.selectColor)
        .arg(s.solutionColor)
        .arg(s.backwards);
}

}  // namespace

class TestSettings : public QObject {
    Q_OBJECT
  private slots:
    void keysAreLookedUp_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("expected");  // "<none>" when missing
        const QByteArray base =
            "; comment\r\n[Other]\r\nSquareSize=7\r\n[Settings]\r\nSquareSize=40\r\n";
        QTest::newRow("a key in its section")
            << base << QByteArray("SquareSize") << QByteArray("40");
        QTest::newRow("names ignore case") << QByteArray("[settings]\nsquaresize=41\n")
                                           << QByteArray("SQUARESIZE") << QByteArray("41");
        QTest::newRow("spaces around names and values")
            << QByteArray("  [ Settings ]  \n  SquareSize =  42  \n") << QByteArray("SquareSize")
            << QByteArray("42");
        QTest::newRow("quotes around a value")
            << QByteArray("[Settings]\nA=\"x y\"\nB='z'\n") << QByteArray("A") << QByteArray("x y");
        QTest::newRow("the first key of a name counts")
            << QByteArray("[Settings]\nA=1\nA=2\n") << QByteArray("A") << QByteArray("1");
        QTest::newRow("the first section of a name counts")
            << QByteArray("[Settings]\nA=1\n[Settings]\nB=2\n") << QByteArray("B")
            << QByteArray("<none>");
        QTest::newRow("a key of another section does not count")
            << QByteArray("[Other]\nA=1\n[Settings]\n") << QByteArray("A") << QByteArray("<none>");
        QTest::newRow("a comment is no key")
            << QByteArray("[Settings]\n;A=1\n") << QByteArray(";A") << QByteArray("<none>");
        QTest::newRow("lone CR line ends")
            << QByteArray("[Settings]\rA=3\rB=4") << QByteArray("B") << QByteArray("4");
        QTest::newRow("an empty value")
            << QByteArray("[Settings]\nA=\n") << QByteArray("A") << QByteArray("");
        QTest::newRow("a byte-order mark before the section")
            << QByteArray("\xEF\xBB\xBF[Settings]\r\nA=5\r\n") << QByteArray("A")
            << QByteArray("5");
        QTest::newRow("no section")
            << QByteArray("A=1\n") << QByteArray("A") << QByteArray("<none>");
    }
    void keysAreLookedUp() {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, expected);
        const auto value = iniValue(content, "Settings", key);
        QCOMPARE(value.value_or("<none>"), expected);
    }

    void keysAreWrittenInPlace_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("a new file") << QByteArray() << QByteArray("SquareSize")
                                    << QByteArray("[Settings]\r\nSquareSize=9\r\n");
        QTest::newRow("an existing key keeps its place, comments and foreign keys stay")
            << QByteArray("; mine\r\n[Settings]\r\nFoo=bar\r\n squaresize = 50 \r\nBackwards=1\r\n")
            << QByteArray("SquareSize")
            << QByteArray("; mine\r\n[Settings]\r\nFoo=bar\r\nSquareSize=9\r\nBackwards=1\r\n");
        QTest::newRow("a new key follows the section's last entry")
            << QByteArray("[Settings]\nA=1\n\n[Other]\nB=2\n") << QByteArray("C")
            << QByteArray("[Settings]\nA=1\nC=9\n\n[Other]\nB=2\n");
        QTest::newRow("a new section goes at the end, after an unended last line")
            << QByteArray("[Other]\r\nB=2") << QByteArray("C")
            << QByteArray("[Other]\r\nB=2\r\n[Settings]\r\nC=9\r\n");
        QTest::newRow("an empty section")
            << QByteArray("[SETTINGS]") << QByteArray("C") << QByteArray("[SETTINGS]\r\nC=9\r\n");
        QTest::newRow("bytes that are not UTF-8 stay as they are")
            << QByteArray("[Settings]\n; caf\xe9\nC=1\n") << QByteArray("C")
            << QByteArray("[Settings]\n; caf\xe9\nC=9\n");
        QTest::newRow("a byte-order mark stays in front of its section")
            << QByteArray("\xEF\xBB\xBF[Settings]\r\nC=1\r\n") << QByteArray("C")
            << QByteArray("\xEF\xBB\xBF[Settings]\r\nC=9\r\n");
    }
    void keysAreWrittenInPlace() {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, expected);
        QCOMPARE(iniWithValue(content, "Settings", key, "9"), expected);
    }

    void settingsAreLoaded_data() {
        QTest::addColumn<QByteArray>("content");  // "<missing>" for no file
        QTest::addColumn<QString>("expected");    // size count select solution backwards
        const QString defaults = "50 15 255 15658734 1";
        QTest::newRow("no file") << QByteArray("<missing>") << defaults;
        QTest::newRow("only SquareCount=20")
            << QByteArray("[Settings]\r\nSquareCount=20\r\n") << "50 20 255 15658734 1";
        QTest::newRow("every key")
            << QByteArray(
                   "[Settings]\nSquareSize=30\nSquareCount=9\nSelectColor=65280\n"
                   "SolutionColor=0\nBackwards=0\n")
            << "30 9 65280 0 0";
        QTest::newRow("spaces and fractions, rounded half to even")
            << QByteArray("[Settings]\nSquareSize= 40.5 \nSquareCount=13.5\nBackwards=2\n")
            << "40 14 255 15658734 2";
        QTest::newRow("garbage reads as the defaults")
            << QByteArray(
                   "[Settings]\nSquareSize=\nSquareCount=12abc\nSelectColor=red\n"
                   "SolutionColor=1e3\nBackwards=yes\n")
            << defaults;
        QTest::newRow("out of range reads as the defaults")
            << QByteArray(
                   "[Settings]\nSquareSize=0\nSquareCount=-4\nSelectColor=-1\n"
                   "SolutionColor=16777216\nBackwards=40000\n")
            << defaults;
        QTest::newRow("beyond 16 bits") << QByteArray("[Settings]\nSquareSize=65586\n") << defaults;
        QTest::newRow("a board too wide for the screen takes both defaults")
            << QByteArray("[Settings]\nSquareSize=300\nSquareCount=200\nBackwards=0\n")
            << "50 15 255 15658734 0";
        QTest::newRow("the widest board")
            << QByteArray("[Settings]\nSquareSize=1\nSquareCount=32767\n")
            << "1 32767 255 15658734 1";
    }
    void settingsAreLoaded() {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath("Settings.ini");
        if (content != "<missing>") writeAll(path, content);
        SettingsFile ini(path);
        Settings before;
        before.squareSize = 1;  // whatever was there before is replaced
        ini.setSettings(before);
        ini.loadSettings();
        QCOMPARE(settingsText(ini.settings()), expected);
        QCOMPARE(readAll(path), content);  // loading never writes
    }

    void savingWritesTheSixLinesOfANewFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("sub/Settings.ini");  // the folder is made too
        SettingsFile ini(path);
        QCOMPARE(ini.saveSettings(), QString());
        QCOMPARE(readAll(path), QByteArray("[Settings]\r\nSquareSize=50\r\nSquareCount=15\r\n"
                                           "SelectColor=255\r\nSolutionColor=15658734\r\n"
                                           "Backwards=1\r\n"));
    }

    void savingUpdatesAnExistingFileInPlace() {
        QTemporaryDir dir;
        const QString path = dir.filePath("Settings.ini");
        writeAll(path,
                 "; kept\n[Window]\nLeft=3\n\n[settings]\nbackwards = 0\nMine=yes\n"
                 "SquareSize=50\n\n[Tail]\nX=1\n");
        SettingsFile ini(path);
        ini.loadSettings();
        Settings changed = ini.settings();
        changed.selectColor = 0xFF8000;  // blue 255, green 128: red in the low byte
        changed.squareSize = 44;
        ini.setSettings(changed);
        QCOMPARE(ini.saveSettings(), QString());
        QCOMPARE(readAll(path),
                 QByteArray("; kept\n[Window]\nLeft=3\n\n[settings]\nBackwards=0\nMine=yes\n"
                            "SquareSize=44\nSquareCount=15\nSelectColor=16744448\n"
                            "SolutionColor=15658734\n\n[Tail]\nX=1\n"));
        SettingsFile again(path);
        again.loadSettings();
        QCOMPARE(again.settings(), ini.settings());
    }

    void aFileThatCannotBeWrittenIsReportedAndKept() {
        QTemporaryDir dir;
        const QString blocker = dir.filePath("file");
        writeAll(blocker, "not a folder");
        SettingsFile ini(blocker + "/Settings.ini");
        QVERIFY(!ini.saveSettings().isEmpty());
        QCOMPARE(readAll(blocker), QByteArray("not a folder"));
        // A file that exists but cannot be read is never replaced.
        QVERIFY(!writeIni("Settings", "A", "1", dir.path()).isEmpty());
        QVERIFY(QFileInfo(dir.path()).isDir());
    }

    void theFileLivesBesideTheProgramWhenItCan() {
        QTemporaryDir dir;
        QCOMPARE(SettingsFile::location(dir.path(), "/config"), dir.path() + "/Settings.ini");
        QCOMPARE(SettingsFile::location(dir.filePath("missing"), "/config"),
                 QString("/config/Settings.ini"));
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
