// The solver window against bad input: every kind of bad script file, saving where it cannot
// be written, odd text in the dimension and word boxes, clicks while a search yields, and a
// Cyrillic puzzle from a script to its found cells.
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>

#include "windowrig.h"

#include "testing/badinput.h"
#include "testing/filebytes.h"
#include "testing/scripteddialogs.h"
#include "ui/services.h"

using namespace tamsorel;
using testing::fileBytes;
using testing::writeBytes;

namespace {

const QStringList kScriptLines = {"reset",   "dim 2 2", "horfront", "con 1 A",
                                  "con 2 B", "con 3 C", "con 4 D",  "word AB"};

// A 2 x 2 grid with letters, a word and one direction ticked: the state a bad file must not
// disturb.
void fillEarlierState(WindowRig& win) {
    win.loadDimensions("2", "2");
    win.w.setCellText(1, "W");
    win.w.setCellText(4, "Z");
    win.get<QPlainTextEdit>("txtWords")->setPlainText("WZ");
}

bool earlierStateKept(WindowRig& win) {
    return win.grid().cellCount() == 4 && win.grid().cellText(1) == u"W" &&
           win.grid().cellText(4) == u"Z" &&
           win.get<QPlainTextEdit>("txtWords")->toPlainText() == u"WZ";
}

}  // namespace

class TestBadInput : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { ui::registerFonts(); }

    void badScriptFiles() {
        QTemporaryDir dir;
        const QList<testing::BadFile> files = testing::badReaderFiles(dir.path(), kScriptLines);
        for (const testing::BadFile& file : files) {
            WindowRig win;
            fillEarlierState(win);
            testing::ScriptedDialogs dialogs;
            dialogs.answerNextOpen(file.path);
            win.click("cmdLoad");
            QVERIFY2(dialogs.unexpected().isEmpty(), qPrintable(file.name));
            const QString last = win.log().last();
            if (file.name == u"missing" || file.name == u"empty" || file.name == u"folder") {
                QCOMPARE(last, msg::kInvalidFilename);  // the designed answer to no file
                QVERIFY2(earlierStateKept(win), qPrintable(file.name));
            } else if (file.name == u"unreadable") {
                QVERIFY2(last == msg::kInvalidFilename || last.startsWith("Load failed"),
                         qPrintable(last));
                QVERIFY(earlierStateKept(win));
            } else if (file.name.contains(u"line end") || file.name.endsWith(u"only") ||
                       file.name == u"invalid UTF-8") {
                // Every line end reads; undecodable lines are ignored like any unknown line.
                QCOMPARE(win.grid().cellCount(), 4);
                QCOMPARE(win.grid().cellText(1) + win.grid().cellText(4), QStringLiteral("AD"));
                QCOMPARE(win.get<QPlainTextEdit>("txtWords")->toPlainText(),
                         QStringLiteral("AB\n"));
                QVERIFY(win.get<QCheckBox>("chkHorFront")->isChecked());
            } else {
                // Lines that are no commands change nothing, however many or long they are.
                QVERIFY2(earlierStateKept(win), qPrintable(file.name));
            }
            QVERIFY(win.get("cmdLoad")->isEnabled());

            // The same file given on the command line ends as "Load" with it ends.
            WindowRig byDialog, byArgument;
            dialogs.answerNextOpen(file.path);
            byDialog.click("cmdLoad");
            byArgument.w.openScript(file.path);
            QVERIFY2(byArgument.state() == byDialog.state(), qPrintable(file.name));
        }
    }

    void savingWhereNothingCanBeWritten() {
        QTemporaryDir dir;
        WindowRig win;
        fillEarlierState(win);
        testing::ScriptedDialogs dialogs;

        dialogs.answerNextSave(testing::unwritableFolder(dir.path()) + "/puzzle.tam");
        win.click("cmdSave");
        QVERIFY2(win.log().last().startsWith("Save failed"), qPrintable(win.log().last()));
        QVERIFY(!win.log().contains(msg::kSaveDone));

        const QString locked = testing::readOnlyFile(dir.path(), "old.tam", "keep me");
        dialogs.answerNextSave(locked);
        dialogs.answerNextQuestion(ui::Answer::Yes);
        win.click("cmdSave");
        QVERIFY2(win.log().last().startsWith("Save failed"), qPrintable(win.log().last()));
        QVERIFY(!win.log().contains(msg::kSaveDone));
        QCOMPARE(fileBytes(locked), QByteArray("keep me"));
        QVERIFY(earlierStateKept(win));
        QVERIFY(dialogs.allAnswersUsed());
    }

    void oddTextInTheBoxes() {
        for (const testing::BadText& bad : testing::badFieldTexts()) {
            WindowRig win;
            fillEarlierState(win);
            win.loadDimensions(bad.text, "3");
            // Text that is no number from 2 up is refused with the designed line.
            const bool accepted = win.grid().exists();
            if (!accepted) QCOMPARE(win.log().last(), msg::kInvalidDimensions);
            win.loadDimensions("3", bad.text);
            win.get<QPlainTextEdit>("txtWords")->setPlainText(bad.text + "\n" + bad.text);
            win.loadDimensions("2", "2");
            win.w.setCellText(1, bad.text.left(1));
            win.get<QPlainTextEdit>("txtWords")->setPlainText(bad.text);
            win.click("cmdSearch");
            QCOMPARE(win.log().last(), QStringLiteral("Search complete."));
            QVERIFY(win.get("cmdSearch")->isEnabled());
        }
    }

    void clicksWhileASearchYields() {
        WindowRig win;
        win.loadDimensions("3", "2");
        const QStringList letters = {"C", "A", "T", "D", "O", "G"};
        for (int n = 1; n <= 6; ++n)
            win.w.setCellText(n, letters[n - 1]);
        win.get<QPlainTextEdit>("txtWords")->setPlainText("CAT\nDOG\nTAD");
        testing::ScriptedDialogs dialogs;  // a click that got through would open a dialog
        int pumps = 0;
        win.w.setTimeText([&] {
            // Every log line pumps events: press every button meanwhile.
            if (++pumps > 1)
                for (const char* b :
                     {"cmdSearch", "cmdDimensions", "cmdClear", "cmdSave", "cmdLoad"})
                    win.click(b);
            return QStringLiteral("T");
        });
        win.click("cmdSearch");
        win.w.setTimeText([] { return QStringLiteral("T"); });
        QCOMPARE(win.log().last(), QStringLiteral("Search complete."));
        QCOMPARE(win.grid().cellCount(), 6);
        QCOMPARE(win.grid().backColor(1), kFoundBack);
        QCOMPARE(win.grid().backColor(4), kFoundBack);
        QVERIFY(dialogs.shown().isEmpty());
    }

    void cyrillicPuzzleEndToEnd() {
        // Loaded from a script, searched, saved and loaded back unchanged; case is kept, so a
        // lower-case word does not find upper-case letters.
        QTemporaryDir dir;
        const QByteArray script =
            u"reset\r\ndim 3 3\r\nhorfront\r\nvertback\r\ndiagfront\r\ncon 1 Ж\r\ncon 2 У\r\n"
            "con 3 К\r\ncon 4 Ё\r\ncon 5 Ф\r\ncon 6 Щ\r\ncon 7 Я\r\ncon 8 Ю\r\ncon 9 Э\r\n"
            "word ЖУК\r\nword ЮФУ\r\nword ЖФЭ\r\nword жук\r\n"_qs.toUtf8();
        writeBytes(dir.filePath("cyr.tam"), script);
        WindowRig win;
        for (QCheckBox* box : win.w.findChildren<QCheckBox*>())
            box->setChecked(false);
        testing::ScriptedDialogs dialogs;
        dialogs.answerNextOpen(dir.filePath("cyr.tam"));
        win.click("cmdLoad");
        QCOMPARE(win.grid().cellText(4), u"Ё"_qs);
        win.click("cmdSearch");
        for (int n : {1, 2, 3, 5, 8, 9})
            QCOMPARE(win.grid().backColor(n), kFoundBack);
        for (int n : {4, 6, 7})
            QVERIFY(win.grid().backColor(n) != kFoundBack);
        dialogs.answerNextSave(dir.filePath("again.tam"));
        win.click("cmdSave");
        QCOMPARE(fileBytes(dir.filePath("again.tam")), script);
    }
};

QTEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
