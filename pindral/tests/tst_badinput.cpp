// The game against bad input through its windows: every kind of bad word-list and settings
// file, settings that cannot be saved, odd text in the settings boxes, and a Cyrillic game
// played to its end.
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "pindral/window/gamewindow.h"
#include "pindral/window/settingswindow.h"
#include "settingswindowof.h"
#include "testing/badinput.h"
#include "testing/scripteddialogs.h"
#include "testing/windowdriver.h"
#include "ui/picturebox.h"

using namespace pindral;

namespace {

const QStringList kIniLines = {"[Settings]",      "SquareSize=21",          "SquareCount=6",
                               "SelectColor=255", "SolutionColor=15658734", "Backwards=0"};

struct Session {
    testing::ScriptedDialogs dialogs;
    GameWindow window;
    Session(const QString& ini, const QString& folder) : window(ini, folder) {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    void newGame(const QString& path) {
        dialogs.answerNextOpen(path);
        testing::WindowDriver(window).click("cmdPlay");
    }
    int nodes() {
        return testing::WindowDriver(window).get<QTreeWidget>("tvWords")->topLevelItemCount();
    }
    void drag(const PlacedWord& p) {
        auto* board = testing::WindowDriver(window).get<ui::PictureBox>("pBoard");
        const int s = window.settingsFile().settings().squareSize;
        const int steps = int(p.word.size()) - 1;
        const QPoint from(p.x * s + s / 2, p.y * s + s / 2);
        const QPoint to = from + QPoint(steps * stepX(p.dir) * s, steps * stepY(p.dir) * s);
        QTest::mousePress(board, Qt::LeftButton, {}, from);
        QTest::mouseMove(board, to);
        QTest::mouseRelease(board, Qt::LeftButton, {}, to);
    }
};

QByteArray bytesOf(const QString& path) {
    return testing::fileBytes(path);
}

}  // namespace

class TestBadInput : public QObject {
    Q_OBJECT
  private slots:
    void badWordLists() {
        QTemporaryDir dir;
        const QStringList animals = {"Lion", "Zebra", "Otter"};
        for (const testing::BadFile& file : testing::badReaderFiles(dir.path(), animals)) {
            Session g(dir.filePath("Settings.ini"), dir.path());
            QFile good(dir.filePath("good.txt"));
            QVERIFY(good.open(QIODevice::WriteOnly));
            good.write("Moose\r\nPanda\r\n");
            good.close();
            g.newGame(good.fileName());
            const QStringList before = g.window.game().puzzle().rows();
            const int shown = int(g.dialogs.informationTexts().size());
            g.newGame(file.path);
            const QStringList& texts = g.dialogs.informationTexts();
            if (!file.readable || file.name.contains(u"10 MB")) {
                // Refused with a message; the running game stays.
                QCOMPARE(texts.size(), shown + 1);
                QVERIFY2(texts.last().startsWith("The file could not be read"),
                         qPrintable(file.name));
                QCOMPARE(g.window.game().puzzle().rows(), before);
                QVERIFY(g.window.game().gameActive());
            } else if (file.name.contains(u"line end") || file.name.endsWith(u"only") ||
                       file.name == u"invalid UTF-8") {
                QCOMPARE(g.window.game().words().mid(g.window.game().words().size() - 3), animals);
                QVERIFY(g.window.game().gameActive());
            } else {
                // Whatever the bytes, a game or the designed note that nothing fits.
                QVERIFY2(g.window.game().gameActive() ||
                             texts.last() == u"None of the words in this file fit on the board.",
                         qPrintable(file.name));
            }
            QVERIFY(g.dialogs.unexpected().isEmpty());
        }
    }

    void badSettingsFiles() {
        QTemporaryDir dir;
        for (const testing::BadFile& file : testing::badReaderFiles(dir.path(), kIniLines)) {
            const QByteArray bytes = bytesOf(file.path);
            Session g(file.path, dir.path());
            const Settings& s = g.window.settingsFile().settings();
            if (file.name.contains(u"line end") || file.name.endsWith(u"only")) {
                QCOMPARE(s.squareSize, 21);
                QCOMPARE(s.squareCount, 6);
                QCOMPARE(s.backwards, 0);
            } else if (file.name != u"invalid UTF-8") {
                QVERIFY2(s == Settings{}, qPrintable(file.name));  // every key at its default
            }
            QCOMPARE(bytesOf(file.path), bytes);  // reading never writes
            QVERIFY(g.dialogs.unexpected().isEmpty());
        }
    }

    void settingsThatCannotBeSaved() {
        QTemporaryDir dir;
        const QString locked = testing::readOnlyFile(dir.path(), "Settings.ini",
                                                     "; mine\r\n[Settings]\r\nSquareSize=40\r\n");
        const QString nowhere = testing::unwritableFolder(dir.path()) + "/Settings.ini";
        for (const QString& path : {locked, nowhere}) {
            const QByteArray before = bytesOf(path);
            Session g(path, dir.path());
            g.window.openSettings();
            SettingsWindow* s = settingsWindowOf(g.window);
            testing::WindowDriver(*s).get<QLineEdit>("txtSize")->setText("33");
            QVERIFY(s->accept());  // the settings apply for this run
            QCOMPARE(g.window.settingsFile().settings().squareSize, 33);
            QCOMPARE(g.dialogs.informationTexts().size(), 1);
            QVERIFY(
                g.dialogs.informationTexts().first().startsWith("The settings could not be saved"));
            QCOMPARE(bytesOf(path), before);
        }
    }

    void oddTextInTheSettingsBoxes() {
        QTemporaryDir dir;
        Session g(dir.filePath("Settings.ini"), dir.path());
        for (const testing::BadText& bad : testing::badFieldTexts()) {
            for (const char* box : {"txtSize", "txtCount"}) {
                g.window.openSettings();
                SettingsWindow* s = settingsWindowOf(g.window);
                testing::WindowDriver(*s).get<QLineEdit>(box)->setText(bad.text);
                const int shown = int(g.dialogs.informationTexts().size());
                const bool accepted = s->accept();
                QCOMPARE(accepted, g.dialogs.informationTexts().size() == shown);
                const Settings& now = g.window.settingsFile().settings();
                QVERIFY(now.squareSize >= 1 && now.squareCount >= 1);
                QVERIFY(qint64(now.squareSize) * now.squareCount <= kMaxBoardPixels);
                if (!accepted) s->close();
                QTRY_VERIFY(!settingsWindowOf(g.window) ||
                            !settingsWindowOf(g.window)->isVisible());
            }
        }
    }

    void aCyrillicGamePlayedToTheEnd() {
        QTemporaryDir dir;
        QFile list(dir.filePath("words.txt"));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write(u"ёжик\r\nЖУК\r\nκάστρο\r\nÉté\r\n"_qs.toUtf8());
        list.close();
        QFile ini(dir.filePath("Settings.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Settings]\r\nSquareSize=30\r\nSquareCount=8\r\n");
        ini.close();
        Session g(ini.fileName(), dir.path());
        g.newGame(list.fileName());
        QCOMPARE(g.nodes(), 4);
        for (const PlacedWord& p : g.window.game().puzzle().placed)
            g.drag(p);
        QCOMPARE(g.dialogs.informationTexts().size(), 1);
        QVERIFY(g.dialogs.informationTexts().first().startsWith("You win."));
    }
};

QTEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
