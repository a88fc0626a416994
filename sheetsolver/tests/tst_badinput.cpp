// Both sheet solvers against bad input: every kind of bad sheet file, saving where nothing can
// be written, odd text in the string box, and a Cyrillic puzzle typed, searched and spelled.
// Both versions' main windows are called Form1, each in its own folder and namespace.
#include "brevoni/sheetwindow.h"
#include "kallowit/loadwindow.h"
#include "kallowit/sheetwindow.h"
#include "sheetwindowtest.h"
#include "testing/badinput.h"

using namespace sheettest;

namespace {

// An RTF sheet split over lines, so that the line-end variants stay RTF.
const QStringList kRtfLines = {"{\\rtf1\\ansi", "ABC\\par", "DEF}"};

void badSheetFiles(QWidget& window) {
    QTemporaryDir dir;
    testing::ScriptedDialogs dialogs;
    for (const testing::BadFile& file : testing::badReaderFiles(dir.path(), kRtfLines)) {
        setSheetBox(window, QStringLiteral("kept"));
        dialogs.answerNextOpen(file.path);
        click(window, "Command4");
        if (file.name.contains(u"line end") || file.name.endsWith(u"only"))
            QCOMPARE(sheetBox(window), QStringLiteral("ABC\nDEF"));
        else  // not RTF, or no file: the box stays, silently
            QVERIFY2(sheetBox(window) == u"kept", qPrintable(file.name));
    }
    QVERIFY(dialogs.informationTexts().isEmpty());
    QVERIFY(dialogs.unexpected().isEmpty());
}

void savesThatCannotSucceed(QWidget& window) {
    QTemporaryDir dir;
    testing::ScriptedDialogs dialogs;
    setSheetBox(window, QStringLiteral("NEW"));
    const QString locked = testing::readOnlyFile(dir.path(), "old.rtf", "{\\rtf1 OLD}");
    dialogs.answerNextSave(locked);
    click(window, "Command5");
    QCOMPARE(testing::fileBytes(locked), QByteArray("{\\rtf1 OLD}"));
    const QString nowhere = testing::unwritableFolder(dir.path()) + "/x.rtf";
    dialogs.answerNextSave(nowhere);
    click(window, "Command5");
    QVERIFY(!QFile::exists(nowhere));
    QCOMPARE(sheetBox(window), QStringLiteral("NEW"));
}

void oddStrings(QWidget& window) {
    auto* list = child<QListWidget>(window, QStringLiteral("lstStrings"));
    list->clear();
    auto* box = child<QLineEdit>(window, QStringLiteral("Text2"));
    for (const testing::BadText& bad : testing::badFieldTexts()) {
        box->setText(bad.text);
        click(window, "Command6");
    }
    const QStringList added = entries(window);
    QStringList sorted = added;
    sorted.sort();
    QCOMPARE(added, sorted);
    QVERIFY(added.contains(u"ЖУК"_qs));  // upper-cased in any alphabet
}

}  // namespace

class TestBadInput : public QObject {
    Q_OBJECT
  private slots:
    void versionOne() {
        brevoni::Form1 form;
        showActive(form);
        badSheetFiles(form);
        savesThatCannotSucceed(form);
        oddStrings(form);
    }

    void versionTwo() {
        kallowit::frmLoad load;
        showActive(load);
        badSheetFiles(load);
        savesThatCannotSucceed(load);
        oddStrings(load);
    }

    void cyrillicInVersionOne() {
        brevoni::Form1 form;
        showActive(form);
        click(form, "Command7");  // Reset
        setSheetBox(form, u"ЖУКМИРΩ"_qs);
        click(form, "Command2");
        // A letter typed into a cell is stored in capitals.
        QLineEdit* last = cell(form, 7);
        last->setFocus();
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, u"ы"_qs);
        QApplication::sendEvent(last, &typed);
        QCOMPARE(last->text(), u"Ы"_qs);
        auto* box = child<QLineEdit>(form, QStringLiteral("Text2"));
        box->setText(u"жук"_qs);
        click(form, "Command6");
        box->setText(u"ыω"_qs);
        click(form, "Command6");
        click(form, "cmdFind");
        QCOMPARE(child<QLabel>(form, QStringLiteral("lblword"))->text(), u"МИР"_qs);
    }

    void cyrillicInVersionTwo() {
        kallowit::frmLoad load;
        setSheetBox(load, u"жукмирёж"_qs);
        child<QListWidget>(load, QStringLiteral("lstStrings"))->clear();
        auto* box = child<QLineEdit>(load, QStringLiteral("Text2"));
        for (const QString& s : {u"жук"_qs, u"жё"_qs}) {
            box->setText(s);
            click(load, "Command6");
        }
        click(load, "Command1");
        kallowit::Form1& form = *load.mainWindow();
        QCOMPARE(form.cells().joinedText(), u"ЖУКМИРЁЖ"_qs);
        click(form, "cmdFind");
        const QString caption = child<QLabel>(form, QStringLiteral("lblword"))->text();
        QVERIFY2(caption.startsWith(u"МИР was found within "_qs), qPrintable(caption));
    }
};

QTEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
