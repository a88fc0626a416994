// The second version's two windows: the load window with its list and files, "Next >>"
// building the main window from them, and the first-occurrence search with its timing.
#include <cmath>

#include <QRegularExpression>
#include <QTimer>

#include "engine/demopuzzle.h"
#include "kallowit/loadwindow.h"
#include "kallowit/sheetwindow.h"
#include "sheetwindowtest.h"

using namespace sheettest;

namespace {

// Presses "Next >>" and returns the main window it built.
kallowit::Form1& next(kallowit::frmLoad& load) {
    click(load, "Command1");
    if (!load.mainWindow()) qFatal("no main window");
    return *load.mainWindow();
}

QString keywordCaption(const kallowit::Form1& form) {
    return child<QLabel>(form, QStringLiteral("lblword"))->text();
}

}  // namespace

class TestKallowit : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("Kallowit")); }

    void loadWindowLayout_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("rect");  // twips
        QTest::newRow("text caption")
            << "Label1"
            << "Enter here the Text you want to load into the Sheet" << QRect(4680, 0, 2655, 615);
        QTest::newRow("list caption") << "Label2"
                                      << "Enter the Strings you want to search for to the List"
                                      << QRect(3000, 3360, 4335, 1215);
        QTest::newRow("sheet text") << "rtbText"
                                    << "" << QRect(0, 0, 4575, 1695);
        QTest::newRow("Load from File") << "Command4"
                                        << "Load from File" << QRect(0, 1800, 2295, 255);
        QTest::newRow("Save to File") << "Command5"
                                      << "Save to File" << QRect(2280, 1800, 2295, 255);
        QTest::newRow("list") << "lstStrings"
                              << "" << QRect(0, 2400, 2775, 2205);
        QTest::newRow("new string") << "Text2"
                                    << "" << QRect(3000, 2400, 2655, 285);
        QTest::newRow("Add") << "Command6"
                             << "Add" << QRect(3000, 2760, 2655, 255);
        QTest::newRow("Remove") << "cmdRemoveListiem"
                                << "Remove" << QRect(3000, 3000, 2655, 255);
        QTest::newRow("Next") << "Command1"
                              << "Next >>" << QRect(5280, 4800, 2055, 375);
    }
    void loadWindowLayout() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QRect, rect);
        kallowit::frmLoad load;
        checkControl(load, name, caption, rect);
        QCOMPARE(load.windowTitle(), QStringLiteral("Load Data into sheet"));
        QCOMPARE(sheetBox(load), sheetsolver::demoSheet());
        QCOMPARE(entries(load), sheetsolver::demoStrings());
    }

    void nextBuildsTheMainWindow() {
        kallowit::frmLoad load;
        showActive(load);
        QVERIFY(!load.mainWindow());
        kallowit::Form1& form = next(load);
        QVERIFY(form.isVisible());
        QVERIFY(!load.isVisible());
        QCOMPARE(form.windowTitle(), QStringLiteral(" Marlinex"));
        QCOMPARE(form.cells().joinedText(), sheetsolver::demoSheet());
        QCOMPARE(cell(form, 0)->geometry(), ui::toPixels({0, 0, 255, 285}));
        QCOMPARE(cell(form, 39)->geometry(), ui::toPixels({260 * 19, 290, 255, 285}));
        QCOMPARE(cell(form, 299)->geometry(), ui::toPixels({260 * 19, 290 * 14, 255, 285}));
        checkControl(form, QStringLiteral("cmdFind"), QStringLiteral("Find!"),
                     {0, 4920, 3855, 495});
        checkControl(form, QStringLiteral("sldDelay"), QString(), {5160, 240, 2175, 375});
        checkControl(form, QStringLiteral("Label3"), QStringLiteral("Delay:"), {5280, 0, 615, 255});
        checkControl(form, QStringLiteral("Label1"), QStringLiteral("The keyword "),
                     {0, 4440, 1455, 255});
        checkControl(form, QStringLiteral("lblword"), QString(), {1200, 4440, 5415, 255});
        QCOMPARE(form.findChildren<QLineEdit*>().size(), kCellCount);
        // A second press of the hidden window's button builds nothing more.
        click(load, "Command1");
        QCOMPARE(load.mainWindow(), &form);
    }

    void findShowsTheKeywordWithItsTime() {
        kallowit::frmLoad load;
        kallowit::Form1& form = next(load);
        click(form, "cmdFind");
        static const QRegularExpression sentence(
            QStringLiteral("^WEAREALLMADEOFSTARDUST was found within \\d\\d+\\.\\d\\d s$"));
        QVERIFY2(sentence.match(keywordCaption(form)).hasMatch(), qPrintable(keywordCaption(form)));
        QCOMPARE(redCells(form.cells()), kCellCount - 22);

        QList<double> times{5.0, 5.5};
        form.runner().setClock([&] { return times.takeFirst(); });
        click(form, "cmdFind");
        QCOMPARE(keywordCaption(form),
                 QStringLiteral("WEAREALLMADEOFSTARDUST was found within 00.50 s"));
    }

    void timingText_data() {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("half a second") << 0.5 << "00.50";
        QTest::newRow("three digits, rounded") << 123.456 << "123.46";
        QTest::newRow("nothing") << 0.0 << "00.00";
        QTest::newRow("rounds up into the next second") << 9.996 << "10.00";
        QTest::newRow("below half a hundredth") << 0.004 << "00.00";
        QTest::newRow("a clock that went back") << -2.5 << "00.00";
        QTest::newRow("not a number") << std::nan("") << "00.00";
    }
    void timingText() {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(sheetsolver::timingText(seconds), text);
    }

    void timedRunReportsTheElapsedTime() {
        QList<double> times{86399.8, 86400.3};
        sheetsolver::SearchHooks hooks;
        hooks.clock = [&] { return times.takeFirst(); };
        sheetsolver::MemorySheet sheet(u"ABCD");
        // A run across midnight on a seconds-since-midnight clock would go negative; the
        // clock here only goes forwards, past the 86400 of a day.
        const std::optional<sheetsolver::FindOutcome> outcome = sheetsolver::findRun(
            sheet, {QStringLiteral("BC")}, sheetsolver::SearchMode::FirstOccurrence, hooks);
        QVERIFY(outcome);
        QCOMPARE(sheetsolver::resultText(*outcome), QStringLiteral("AD was found within 00.50 s"));
    }

    void nextCarriesTheListAndUpperCasesTheSheet() {
        kallowit::frmLoad load;
        setSheetBox(load, QStringLiteral("catdogcat\u00dfx"));
        child<QListWidget>(load, QStringLiteral("lstStrings"))->clear();
        auto* text2 = child<QLineEdit>(load, QStringLiteral("Text2"));
        for (const QString& s :
             {QStringLiteral("dog"), QStringLiteral("cat"), QStringLiteral("zz")}) {
            text2->setText(s);
            click(load, "Command6");
        }
        QCOMPARE(entries(load), (QStringList{"CAT", "DOG", "ZZ"}));
        child<QListWidget>(load, QStringLiteral("lstStrings"))->setCurrentRow(1);
        click(load, "cmdRemoveListiem");
        QCOMPARE(entries(load), (QStringList{"CAT", "ZZ"}));

        kallowit::Form1& form = next(load);
        QCOMPARE(form.cells().joinedText(), QStringLiteral("CATDOGCAT\u00dfX"));
        QCOMPARE(cell(form, 12)->text(), QString());
        click(form, "cmdFind");
        // Only the first CAT is coloured; DOG was removed before "Next >>".
        QVERIFY2(keywordCaption(form).startsWith(QStringLiteral("DOGCAT\u00dfX was found within ")),
                 qPrintable(keywordCaption(form)));
    }

    void removeTakesOnlyTheSelectedEntry() {
        kallowit::frmLoad load;
        checkRemove(load);
    }

    void longResultIsShownWhole() {
        kallowit::frmLoad load;
        kallowit::Form1& form = next(load);
        checkWholeResultShown(form, form.cells());
    }

    void keyRules() {
        kallowit::frmLoad load;
        kallowit::Form1& form = next(load);
        showActive(form);
        checkKeyRules(form);
        checkTableNavigation(form, QStringLiteral("sldDelay"));
    }

    void fileFlows() {
        testing::ScriptedDialogs dialogs;
        kallowit::frmLoad load;
        checkFileFlows(load, dialogs);
    }

    void runLocksTheCellsWhileItYields() {
        kallowit::frmLoad load;
        kallowit::Form1& form = next(load);
        showActive(form);
        auto* slider = child<QSlider>(form, QStringLiteral("sldDelay"));
        slider->setValue(2);
        bool checked = false;
        QTimer::singleShot(0, &form, [&] {
            checked = true;
            QVERIFY(form.isSearching());
            QVERIFY(!child<QWidget>(form, QStringLiteral("cmdFind"))->isEnabled());
            QVERIFY(!cell(form, 150)->isEnabled());
            QVERIFY(slider->isEnabled());
            slider->setValue(0);
        });
        click(form, "cmdFind");
        QVERIFY(checked);
        QVERIFY(keywordCaption(form).startsWith(QStringLiteral("WEAREALLMADEOFSTARDUST was")));
        QVERIFY(child<QWidget>(form, QStringLiteral("cmdFind"))->isEnabled());
        QVERIFY(cell(form, 150)->isEnabled());
    }

    // Closing the main window ends the program even with another window open, and even
    // while a slow run yields.
    void closingTheMainWindowEndsTheProgram() {
        kallowit::frmLoad load;
        kallowit::Form1& form = next(load);
        QWidget other;
        other.show();
        child<QSlider>(form, QStringLiteral("sldDelay"))->setValue(5000);
        QTimer::singleShot(0, &form, [&] { click(form, "cmdFind"); });
        bool closedWhileSearching = false;
        QTimer::singleShot(50, &form, [&] {
            closedWhileSearching = form.isSearching();
            form.close();
        });
        QTimer::singleShot(20000, &form, [] { QCoreApplication::exit(1); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(closedWhileSearching);
        QVERIFY(!form.isSearching());
        QCOMPARE(keywordCaption(form), QString());
    }
};

QTEST_MAIN(TestKallowit)
#include "tst_kallowit.moc"
