// Both sheet solvers against bad input: every kind of bad sheet file, saving where nothing can
// be written, odd text in the string box, and a Cyrillic puzzle typed, searched and spelled.
#include "brevoni/sheetwindow.h"
#include "kallowit/loadwindow.h"
#include "kallowit/sheetwindow.h"
#include "sheetwindowtest.h"
#include "testing/badinput.h"

using namespace sheettest;

namespace {

// An RTF sheet split over lines, so that the line-end variants stay RTF.
const QStringList kRtfLines = {"{\\rtf1\\ansi", "ABC\\par", "DEF}"};

void badSheetFiles(const WindowDriver& driver) {
    QTemporaryDir dir;
    testing::ScriptedDialogs dialogs;
    for (const testing::BadFile& file : testing::badReaderFiles(dir.path(), kRtfLines)) {
        setSheetBox(driver, QStringLiteral("kept"));
        dialogs.answerNextOpen(file.path);
        driver.click("Command4");
        if (file.name.contains(u"line end") || file.name.endsWith(u"only"))
            QCOMPARE(sheetBox(driver), QStringLiteral("ABC\nDEF"));
        else  // not RTF, or no file: the box stays, silently
            QVERIFY2(sheetBox(driver) == u"kept", qPrintable(file.name));
    }
    // A sheet one byte over the limit (sparse, so nothing is written) is refused whole.
    QFile large(dir.filePath(QStringLiteral("large.rtf")));
    QVERIFY(large.open(QIODevice::WriteOnly));
    large.write("{\\rtf1 LARGE}");
    QVERIFY(large.resize(sheetsolver::kMaxSheetFileBytes + 1));
    large.close();
    setSheetBox(driver, QStringLiteral("kept"));
    dialogs.answerNextOpen(large.fileName());
    driver.click("Command4");
    QCOMPARE(sheetBox(driver), QStringLiteral("kept"));
    QVERIFY(dialogs.informationTexts().isEmpty());
    QVERIFY(dialogs.unexpected().isEmpty());
}

void savesThatCannotSucceed(const WindowDriver& driver) {
    QTemporaryDir dir;
    testing::ScriptedDialogs dialogs;
    setSheetBox(driver, QStringLiteral("NEW"));
    const QString locked = testing::readOnlyFile(dir.path(), "old.rtf", "{\\rtf1 OLD}");
    dialogs.answerNextSave(locked);
    driver.click("Command5");
    QCOMPARE(testing::fileBytes(locked), QByteArray("{\\rtf1 OLD}"));
    const QString nowhere = testing::unwritableFolder(dir.path()) + "/x.rtf";
    dialogs.answerNextSave(nowhere);
    driver.click("Command5");
    QVERIFY(!QFile::exists(nowhere));
    QCOMPARE(sheetBox(driver), QStringLiteral("NEW"));
}

void oddStrings(const WindowDriver& driver) {
    auto* list = driver.get<QListWidget>("lstStrings");
    list->clear();
    auto* box = driver.get<QLineEdit>("Text2");
    for (const testing::BadText& bad : testing::badFieldTexts()) {
        box->setText(bad.text);
        driver.click("Command6");
    }
    const QStringList added = entries(driver);
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
        brevoni::SheetWindow form;
        const WindowDriver driver(form);
        showActive(form);
        badSheetFiles(driver);
        savesThatCannotSucceed(driver);
        oddStrings(driver);
    }

    void versionTwo() {
        kallowit::LoadWindow load;
        const WindowDriver loadDriver(load);
        showActive(load);
        badSheetFiles(loadDriver);
        savesThatCannotSucceed(loadDriver);
        oddStrings(loadDriver);
    }

    void cyrillicInVersionOne() {
        brevoni::SheetWindow form;
        const WindowDriver driver(form);
        showActive(form);
        driver.click("Command7");  // Reset
        setSheetBox(driver, u"ЖУКМИРΩ"_qs);
        driver.click("Command2");
        // A letter typed into a cell is stored in capitals.
        QLineEdit* last = cell(driver, 7);
        last->setFocus();
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, u"ы"_qs);
        QApplication::sendEvent(last, &typed);
        QCOMPARE(last->text(), u"Ы"_qs);
        auto* box = driver.get<QLineEdit>("Text2");
        box->setText(u"жук"_qs);
        driver.click("Command6");
        box->setText(u"ыω"_qs);
        driver.click("Command6");
        driver.click("cmdFind");
        QCOMPARE(driver.get<QLabel>("lblword")->text(), u"МИР"_qs);
    }

    void cyrillicInVersionTwo() {
        kallowit::LoadWindow load;
        const WindowDriver loadDriver(load);
        setSheetBox(loadDriver, u"жукмирёж"_qs);
        loadDriver.get<QListWidget>("lstStrings")->clear();
        auto* box = loadDriver.get<QLineEdit>("Text2");
        for (const QString& s : {u"жук"_qs, u"жё"_qs}) {
            box->setText(s);
            loadDriver.click("Command6");
        }
        loadDriver.click("Command1");
        const QList<kallowit::SheetWindow*> built = windowsOfType<kallowit::SheetWindow>();
        QCOMPARE(built.size(), 1);
        const WindowDriver driver(*built.first());
        QCOMPARE(cellsText(driver), u"ЖУКМИРЁЖ"_qs);
        driver.click("cmdFind");
        const QString caption = driver.get<QLabel>("lblword")->text();
        QVERIFY2(caption.startsWith(u"МИР was found within "_qs), qPrintable(caption));
    }
};

QTEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
