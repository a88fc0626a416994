// The first version's window through its controls: the designed layout, the start-up with
// the demonstration puzzle, the table and list commands, Reset, the key rules, the RTF files
// and a Find run that yields to the window.
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
        brevoni::Form1 form;
        checkControl(form, name, caption, rect);
        QCOMPARE(form.windowTitle(), QStringLiteral(" Marlinex"));
    }

    void startsWithTheDemonstrationPuzzle() {
        brevoni::Form1 form;
        QCOMPARE(sheetBox(form), sheetsolver::demoSheet());
        QCOMPARE(form.cells().joinedText(), sheetsolver::demoSheet());
        QCOMPARE(entries(form), sheetsolver::demoStrings());
        auto* slider = child<QSlider>(form, QStringLiteral("sldDelay"));
        QCOMPARE(slider->minimum(), 0);
        QCOMPARE(slider->maximum(), 5000);
        QCOMPARE(slider->value(), 0);
        QCOMPARE(cell(form, 0)->maxLength(), 1);
    }

    void findShowsTheKeyword() {
        brevoni::Form1 form;
        click(form, "cmdFind");
        auto* keyword = child<QLabel>(form, QStringLiteral("lblword"));
        QCOMPARE(keyword->text(), QStringLiteral("WEAREALLMADEOFSTARDUST"));
        QCOMPARE(redCells(form.cells()), kCellCount - 22);
        QCOMPARE(cell(form, 0)->palette().color(QPalette::Base), QColor(Qt::red));
        // A second run colours nothing new and shows the same keyword.
        click(form, "cmdFind");
        QCOMPARE(keyword->text(), QStringLiteral("WEAREALLMADEOFSTARDUST"));
        QCOMPARE(redCells(form.cells()), kCellCount - 22);
    }

    void loadIntoTableCopiesTheTextAsItIs() {
        brevoni::Form1 form;
        setSheetBox(form, QStringLiteral("abC"));
        click(form, "Command2");
        QCOMPARE(form.cells().joinedText(), QStringLiteral("abC"));
        QCOMPARE(cell(form, 3)->text(), QString());

        setSheetBox(form, QString(310, u'K') + u'Z');
        click(form, "Command2");
        QCOMPARE(form.cells().joinedText(), QString(kCellCount, u'K'));
    }

    void saveFromTableJoinsTheCells() {
        brevoni::Form1 form;
        setSheetBox(form, QStringLiteral("ABCDE"));
        click(form, "Command2");
        cell(form, 1)->setText(QStringLiteral("X"));
        cell(form, 250)->setText(QStringLiteral("Y"));
        click(form, "Command3");
        QCOMPARE(sheetBox(form), QStringLiteral("AXCDEY"));
    }

    void addAndRemoveKeepTheListSorted() {
        brevoni::Form1 form;
        auto* text2 = child<QLineEdit>(form, QStringLiteral("Text2"));
        auto* list = child<QListWidget>(form, QStringLiteral("lstStrings"));
        text2->setText(QStringLiteral("bla\u00dfck"));
        click(form, "Command6");
        QCOMPARE(text2->text(), QString());
        QStringList expected = sheetsolver::demoStrings();
        expected.insert(expected.indexOf(QStringLiteral("CERES")), QStringLiteral("BLA\u00dfCK"));
        QCOMPARE(entries(form), expected);

        click(form, "Command6");  // an empty entry goes first
        expected.prepend(QString());
        QCOMPARE(entries(form), expected);

        click(form, "cmdRemoveListiem");  // nothing selected: nothing happens
        QCOMPARE(entries(form), expected);
        list->setCurrentRow(int(expected.indexOf(QStringLiteral("COMET"))));
        click(form, "cmdRemoveListiem");
        expected.removeOne(QStringLiteral("COMET"));
        QCOMPARE(entries(form), expected);

        // An empty entry colours nothing; a removed string is not searched.
        click(form, "cmdFind");
        sheetsolver::MemorySheet sheet(sheetsolver::demoSheet());
        const std::optional<QString> keyword =
            sheetsolver::findRun(sheet, expected, sheetsolver::SearchMode::AllOccurrences)->keyword;
        QVERIFY(keyword->size() > 22);
        QCOMPARE(child<QLabel>(form, QStringLiteral("lblword"))->text(), *keyword);
    }

    void removeTakesOnlyTheSelectedEntry() {
        brevoni::Form1 form;
        checkRemove(form);
    }

    void longResultIsShownWhole() {
        brevoni::Form1 form;
        checkWholeResultShown(form, form.cells());
    }

    void resetClearsEverything() {
        brevoni::Form1 form;
        click(form, "cmdFind");
        click(form, "Command7");
        QCOMPARE(sheetBox(form), QString());
        QCOMPARE(child<QLabel>(form, QStringLiteral("lblword"))->text(), QString());
        QCOMPARE(form.cells().joinedText(), QString());
        QCOMPARE(entries(form), QStringList());
        for (int i = 0; i < kCellCount; ++i)
            QCOMPARE(form.cells().cellColour(i), sheetsolver::kClearColour);
    }

    void keyRules() {
        brevoni::Form1 form;
        showActive(form);
        checkKeyRules(form);
        checkTableNavigation(form, QStringLiteral("rtbText"));
    }

    void fileFlows() {
        testing::ScriptedDialogs dialogs;
        brevoni::Form1 form;
        checkFileFlows(form, dialogs);
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
        brevoni::Form1 form;
        dialogs.answerNextOpen(corpus + name + QStringLiteral(".rtf"));
        click(form, "Command4");
        QCOMPARE(sheetBox(form), expected);
        QCOMPARE(form.cells().joinedText(), sheetsolver::demoSheet());  // not before the click
        click(form, "Command2");
        QCOMPARE(form.cells().joinedText(), expected.left(kCellCount));
    }

    void runLocksEditingWhileItYields() {
        brevoni::Form1 form;
        showActive(form);
        auto* slider = child<QSlider>(form, QStringLiteral("sldDelay"));
        slider->setValue(1);
        bool checked = false;
        QTimer::singleShot(0, &form, [&] {
            checked = true;
            QVERIFY(form.isSearching());
            for (const char* name : {"cmdFind", "Command2", "Command4", "Command5", "Command6",
                                     "cmdRemoveListiem", "Command7"})
                QVERIFY2(!child<QWidget>(form, QString::fromLatin1(name))->isEnabled(), name);
            QVERIFY(!cell(form, 0)->isEnabled());
            QVERIFY(slider->isEnabled());
            // A second "Find!" and a Reset cannot start inside the run.
            click(form, "cmdFind");
            click(form, "Command7");
            QCOMPARE(entries(form).size(), 51);
            slider->setValue(0);  // the run reads it at the next start cell and stops yielding
        });
        click(form, "cmdFind");
        QVERIFY(checked);
        QVERIFY(!form.isSearching());
        QCOMPARE(child<QLabel>(form, QStringLiteral("lblword"))->text(),
                 QStringLiteral("WEAREALLMADEOFSTARDUST"));
        for (const char* name : {"cmdFind", "Command2", "Command7", "Text1_0"})
            QVERIFY2(child<QWidget>(form, QString::fromLatin1(name))->isEnabled(), name);
    }

    void closingDuringARunEndsIt() {
        brevoni::Form1 form;
        showActive(form);
        child<QSlider>(form, QStringLiteral("sldDelay"))->setValue(5000);
        QTimer::singleShot(0, &form, [&] { form.close(); });
        click(form, "cmdFind");
        QVERIFY(!form.isSearching());
        QCOMPARE(child<QLabel>(form, QStringLiteral("lblword"))->text(), QString());
    }
};

QTEST_MAIN(TestBrevoni)
#include "tst_brevoni.moc"
