// The first version's window through its controls: the designed layout, the start-up with
// the demonstration puzzle, the table and list commands, Reset, the key rules, the RTF files
// and a Find run that yields to the window.
#include <algorithm>

#include <QTimer>

#include "brevoni/sheetwindow.h"
#include "engine/demopuzzle.h"
#include "sheetwindowtest.h"

using namespace sheettest;

class TestBrevoni : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("Brevoni")); }

    void designedLayout_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("rect");  // twips
        QTest::newRow("first cell") << "Text1_0"
                                    << "" << QRect(120, 120, 255, 285);
        QTest::newRow("cell 39") << "Text1_39"
                                 << "" << QRect(4680, 360, 255, 285);
        QTest::newRow("last cell") << "Text1_299"
                                   << "" << QRect(4680, 3480, 255, 285);
        QTest::newRow("sheet text") << "rtbText"
                                    << "" << QRect(5040, 120, 4575, 1815);
        QTest::newRow("Load into table") << "Command2"
                                         << "Load into table" << QRect(9720, 120, 2655, 255);
        QTest::newRow("Save from table") << "Command3"
                                         << "Save from table" << QRect(9720, 360, 2655, 255);
        QTest::newRow("Load from File") << "Command4"
                                        << "Load from File" << QRect(9720, 720, 2655, 255);
        QTest::newRow("Save to File") << "Command5"
                                      << "Save to File" << QRect(9720, 960, 2655, 255);
        QTest::newRow("list") << "lstStrings"
                              << "" << QRect(5160, 2520, 2775, 1230);
        QTest::newRow("new string") << "Text2"
                                    << "" << QRect(8040, 2520, 1575, 285);
        QTest::newRow("Add") << "Command6"
                             << "Add" << QRect(9720, 2520, 2655, 255);
        QTest::newRow("Remove") << "cmdRemoveListiem"
                                << "Remove" << QRect(9720, 2760, 2655, 255);
        QTest::newRow("Reset") << "Command7"
                               << "Reset" << QRect(9720, 3240, 2655, 495);
        QTest::newRow("keyword caption") << "Label1"
                                         << "The keyword is:" << QRect(3960, 3960, 1455, 255);
        QTest::newRow("list caption") << "Label2"
                                      << "Search for:" << QRect(5160, 2280, 1455, 255);
        QTest::newRow("delay caption") << "Label3"
                                       << "Delay:" << QRect(240, 4560, 615, 255);
        QTest::newRow("keyword") << "lblword"
                                 << "" << QRect(5160, 3960, 2535, 255);
        QTest::newRow("delay") << "sldDelay"
                               << "" << QRect(120, 4800, 2175, 375);
        QTest::newRow("Find!") << "cmdFind"
                               << "Find!" << QRect(2640, 4560, 7815, 735);
    }
    void designedLayout() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QRect, rect);
        brevoni::SheetWindow form;
        const WindowDriver driver(form);
        checkControl(driver, name, caption, rect);
        QCOMPARE(form.windowTitle(), QStringLiteral(" Marlinex"));
    }

    void startsWithTheDemonstrationPuzzle() {
        brevoni::SheetWindow form;
        const WindowDriver driver(form);
        QCOMPARE(sheetBox(driver), sheetsolver::demoSheet());
        QCOMPARE(cellsText(driver), sheetsolver::demoSheet());
        QCOMPARE(entries(driver), sheetsolver::demoStrings());
        auto* slider = driver.get<QSlider>("sldDelay");
        QCOMPARE(slider->minimum(), 0);
        QCOMPARE(slider->maximum(), 5000);
        QCOMPARE(slider->value(), 0);
        QCOMPARE(cell(driver, 0)->maxLength(), 1);
    }

    void findShowsTheKeyword() {
        brevoni::SheetWindow form;
        const WindowDriver driver(form);
        driver.click("cmdFind");
        auto* keyword = driver.get<QLabel>("lblword");
        QCOMPARE(keyword->text(), QStringLiteral("WEAREALLMADEOFSTARDUST"));
        QCOMPARE(redCells(driver), kCellCount - 22);
        QCOMPARE(cell(driver, 0)->palette().color(QPalette::Base), QColor(Qt::red));
        // A second run colours nothing new and shows the same keyword.
        driver.click("cmdFind");
        QCOMPARE(keyword->text(), QStringLiteral("WEAREALLMADEOFSTARDUST"));
        QCOMPARE(redCells(driver), kCellCount - 22);
    }

    void loadIntoTableCopiesTheTextAsItIs() {
        brevoni::SheetWindow form;
        const WindowDriver driver(form);
        setSheetBox(driver, QStringLiteral("abC"));
        driver.click("Command2");
        QCOMPARE(cellsText(driver), QStringLiteral("abC"));
        QCOMPARE(cell(driver, 3)->text(), QString());

        setSheetBox(driver, QString(310, u'K') + u'Z');
        driver.click("Command2");
        QCOMPARE(cellsText(driver), QString(kCellCount, u'K'));
    }

    void saveFromTableJoinsTheCells() {
        brevoni::SheetWindow form;
        const WindowDriver driver(form);
        setSheetBox(driver, QStringLiteral("ABCDE"));
        driver.click("Command2");
        cell(driver, 1)->setText(QStringLiteral("X"));
        cell(driver, 250)->setText(QStringLiteral("Y"));
        driver.click("Command3");
        QCOMPARE(sheetBox(driver), QStringLiteral("AXCDEY"));
    }

    void addAndRemoveKeepTheListSorted() {
        brevoni::SheetWindow form;
        const WindowDriver driver(form);
        auto* text2 = driver.get<QLineEdit>("Text2");
        auto* list = driver.get<QListWidget>("lstStrings");
        text2->setText(QStringLiteral("bla\u00dfck"));
        driver.click("Command6");
        QCOMPARE(text2->text(), QString());
        QStringList expected = sheetsolver::demoStrings();
        expected.insert(expected.indexOf(QStringLiteral("CERES")), QStringLiteral("BLA\u00dfCK"));
        QCOMPARE(entries(driver), expected);

        driver.click("Command6");  // an empty entry goes first
        expected.prepend(QString());
        QCOMPARE(entries(driver), expected);

        driver.click("cmdRemoveListiem");  // nothing selected: nothing happens
        QCOMPARE(entries(driver), expected);
        list->setCurrentRow(int(expected.indexOf(QStringLiteral("COMET"))));
        driver.click("cmdRemoveListiem");
        expected.removeOne(QStringLiteral("COMET"));
        QCOMPARE(entries(driver), expected);

        // An empty entry colours nothing; a removed string is not searched.
        driver.click("cmdFind");
        sheetsolver::MemorySheet sheet(sheetsolver::demoSheet());
        const std::optional<QString> keyword =
            sheetsolver::findRun(sheet, expected, sheetsolver::SearchMode::AllOccurrences)->keyword;
        QVERIFY(keyword->size() > 22);
        QCOMPARE(driver.get<QLabel>("lblword")->text(), *keyword);
    }

    void removeTakesOnlyTheSelectedEntry() {
        brevoni::SheetWindow form;
        const WindowDriver driver(form);
        checkRemove(driver);
    }

    void longResultIsShownWhole() {
        brevoni::SheetWindow form;
        checkWholeResultShown(form);
    }

    void resetClearsEverything() {
        brevoni::SheetWindow form;
        const WindowDriver driver(form);
        driver.click("cmdFind");
        driver.click("Command7");
        QCOMPARE(sheetBox(driver), QString());
        QCOMPARE(driver.get<QLabel>("lblword")->text(), QString());
        QCOMPARE(cellsText(driver), QString());
        QCOMPARE(entries(driver), QStringList());
        for (int i = 0; i < kCellCount; ++i)
            QCOMPARE(cellColour(driver, i), sheetsolver::kClearColour);
    }

    void keyRules() {
        brevoni::SheetWindow form;
        const WindowDriver driver(form);
        showActive(form);
        checkKeyRules(driver);
        checkTableNavigation(driver, QStringLiteral("rtbText"));
    }

    void fileFlows() {
        testing::ScriptedDialogs dialogs;
        brevoni::SheetWindow form;
        const WindowDriver driver(form);
        checkFileFlows(driver, dialogs);
    }

    // Sheets saved by word processors load into the box and from there into the table.
    void loadsAWordProcessorSheet_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("AbiWord") << "sheet300_abiword";
        QTest::newRow("pandoc") << "sheet300_pandoc";
        QTest::newRow("LibreOffice, 250 letters") << "sheet250_lo_fodt";
    }
    void loadsAWordProcessorSheet() {
        QFETCH(QString, name);
        const QString corpus = QStringLiteral(WORDSEARCH_SOURCE_DIR "/core/tests/data/rtf/");
        QFile expectedFile(corpus + name + QStringLiteral(".txt"));
        QVERIFY(expectedFile.open(QIODevice::ReadOnly));
        const QString expected = QString::fromUtf8(expectedFile.readAll());

        testing::ScriptedDialogs dialogs;
        brevoni::SheetWindow form;
        const WindowDriver driver(form);
        dialogs.answerNextOpen(corpus + name + QStringLiteral(".rtf"));
        driver.click("Command4");
        QCOMPARE(sheetBox(driver), expected);
        QCOMPARE(cellsText(driver), sheetsolver::demoSheet());  // not before the click
        driver.click("Command2");
        QCOMPARE(cellsText(driver), expected.left(kCellCount));
    }

    // "brevoni FILE" ends as "Load from File" with FILE chosen does: the sheet in the text
    // box, the cells as they were, the window open whatever the file.
    void fileArgumentLoadsAsTheDialogDoes_data() { fileArgumentRows(); }
    void fileArgumentLoadsAsTheDialogDoes() {
        QFETCH(QString, path);
        QFETCH(bool, loads);
        brevoni::SheetWindow opened;
        opened.loadSheetFile(path);
        brevoni::SheetWindow manual;
        const WindowDriver openedDriver(opened), manualDriver(manual);
        loadThroughTheDialog(manualDriver, path);
        checkSameSheetText(openedDriver, manualDriver, loads);
        QCOMPARE(cellsText(openedDriver), sheetsolver::demoSheet());
        QCOMPARE(cellsText(openedDriver), cellsText(manualDriver));
    }

    // Captions name their controls; the controls with none have a short description.
    void accessibleNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QAccessible::Role>("role");
        QTest::addColumn<QString>("accessibleName");
        QTest::newRow("first cell") << "Text1_0" << QAccessible::EditableText << "Row 1, column 1";
        QTest::newRow("cell 46") << "Text1_46" << QAccessible::EditableText << "Row 3, column 7";
        QTest::newRow("sheet text") << "rtbText" << QAccessible::EditableText << "Sheet text";
        QTest::newRow("list") << "lstStrings" << QAccessible::List << "Search for:";
        QTest::newRow("new string") << "Text2" << QAccessible::EditableText << "String to add";
        QTest::newRow("delay") << "sldDelay" << QAccessible::Slider << "Delay:";
        QTest::newRow("Find!") << "cmdFind" << QAccessible::Button << "Find!";
    }
    void accessibleNames() {
        QFETCH(QString, name);
        QFETCH(QAccessible::Role, role);
        QFETCH(QString, accessibleName);
        brevoni::SheetWindow form;
        checkAccessible(WindowDriver(form), name, role, accessibleName);
    }

    // "Find!" marks the covered cells found for a screen reader and reads out the keyword;
    // Reset takes the marks away.
    void findIsReadOut() {
        brevoni::SheetWindow form;
        const WindowDriver driver(form);
        const QString demo = sheetsolver::demoSheet();
        checkCellReadOut(driver, 0, demo.left(1), false);
        QCOMPARE(announced(driver), QString());
        driver.click("cmdFind");
        QCOMPARE(announced(driver), QStringLiteral("The keyword is: WEAREALLMADEOFSTARDUST"));
        checkCellReadOut(driver, 0, demo.left(1), true);
        checkCellReadOut(driver, 11, QStringLiteral("W"), false);  // the keyword's first letter
        driver.click("Command7");
        checkCellReadOut(driver, 0, QString(), false);
        driver.click("cmdFind");
        QCOMPARE(announced(driver), QStringLiteral("The keyword is:"));
    }

    void runLocksEditingWhileItYields() {
        brevoni::SheetWindow form;
        const WindowDriver driver(form);
        showActive(form);
        auto* slider = driver.get<QSlider>("sldDelay");
        slider->setValue(1);
        bool checked = false;
        QTimer::singleShot(0, &form, [&] {
            checked = true;
            QVERIFY(searching(driver));
            for (const char* name : {"cmdFind", "Command2", "Command4", "Command5", "Command6",
                                     "cmdRemoveListiem", "Command7"})
                QVERIFY2(!driver.get(name)->isEnabled(), name);
            QVERIFY(!cell(driver, 0)->isEnabled());
            QVERIFY(slider->isEnabled());
            // A second "Find!" and a Reset cannot start inside the run.
            driver.click("cmdFind");
            driver.click("Command7");
            QCOMPARE(entries(driver).size(), 51);
            slider->setValue(0);  // the run reads it at the next start cell and stops yielding
        });
        driver.click("cmdFind");
        QVERIFY(checked);
        QVERIFY(!searching(driver));
        QCOMPARE(driver.get<QLabel>("lblword")->text(), QStringLiteral("WEAREALLMADEOFSTARDUST"));
        for (const char* name : {"cmdFind", "Command2", "Command7", "Text1_0"})
            QVERIFY2(driver.get(name)->isEnabled(), name);
    }

    // The window shows the cells found so far each time the run yields, not only at its end.
    void cellsTurnRedWhileARunYields() {
        brevoni::SheetWindow form;
        const WindowDriver driver(form);
        showActive(form);
        auto* slider = driver.get<QSlider>("sldDelay");
        slider->setValue(1);
        QList<QLineEdit*> cells;
        for (int i = 0; i < kCellCount; ++i)
            cells << cell(driver, i);
        int redSeen = 0;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, &form, [&] {
            redSeen = int(std::count_if(cells.begin(), cells.end(), [](const QLineEdit* box) {
                return box->palette().color(QPalette::Base) == QColor(Qt::red);
            }));
            if (redSeen == 0) return;
            QVERIFY(searching(driver));
            watch.stop();
            slider->setValue(0);
        });
        watch.start(0);
        driver.click("cmdFind");
        QVERIFY(redSeen > 0 && redSeen < kCellCount - 22);
        QCOMPARE(redCells(driver), kCellCount - 22);
    }

    void closingDuringARunEndsIt() {
        brevoni::SheetWindow form;
        const WindowDriver driver(form);
        showActive(form);
        driver.get<QSlider>("sldDelay")->setValue(5000);
        QTimer::singleShot(0, &form, [&] { form.close(); });
        driver.click("cmdFind");
        QVERIFY(!searching(driver));
        QCOMPARE(driver.get<QLabel>("lblword")->text(), QString());
    }
};

QTEST_MAIN(TestBrevoni)
#include "tst_brevoni.moc"
