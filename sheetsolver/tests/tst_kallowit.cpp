// The second version's two windows: the load window with its list and files, "Next >>"
// building the sheet window from them, and the first-occurrence search with its timing.
#include <cmath>
#include <memory>

#include <QRegularExpression>
#include <QTimer>

#include "engine/demopuzzle.h"
#include "kallowit/loadwindow.h"
#include "kallowit/sheetwindow.h"
#include "sheetwindowtest.h"
#include "window/resultlabel.h"

using namespace sheettest;

namespace {

// The sheet windows "Next >>" has built and not yet destroyed.
QList<kallowit::SheetWindow*> sheetWindows() {
    return windowsOfType<kallowit::SheetWindow>();
}

// Presses "Next >>" and returns the sheet window it built.
kallowit::SheetWindow& next(kallowit::LoadWindow& load) {
    WindowDriver(load).click("Command1");
    const QList<kallowit::SheetWindow*> windows = sheetWindows();
    if (windows.size() != 1) qFatal("%d sheet windows", int(windows.size()));
    return *windows.first();
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
        kallowit::LoadWindow load;
        const WindowDriver loadDriver(load);
        checkControl(loadDriver, name, caption, rect);
        QCOMPARE(load.windowTitle(), QStringLiteral("Load Data into sheet"));
        QCOMPARE(sheetBox(loadDriver), sheetsolver::demoSheet());
        QCOMPARE(entries(loadDriver), sheetsolver::demoStrings());
    }

    void nextBuildsTheMainWindow() {
        kallowit::LoadWindow load;
        const WindowDriver loadDriver(load);
        showActive(load);
        QVERIFY(sheetWindows().isEmpty());
        kallowit::SheetWindow& form = next(load);
        const WindowDriver driver(form);
        QVERIFY(form.isVisible());
        QVERIFY(!load.isVisible());
        QCOMPARE(form.windowTitle(), QStringLiteral(" Marlinex"));
        QCOMPARE(cellsText(driver), sheetsolver::demoSheet());
        QCOMPARE(cell(driver, 0)->geometry(), ui::toPixels({0, 0, 255, 285}));
        QCOMPARE(cell(driver, 39)->geometry(), ui::toPixels({260 * 19, 290, 255, 285}));
        QCOMPARE(cell(driver, 299)->geometry(), ui::toPixels({260 * 19, 290 * 14, 255, 285}));
        checkControl(driver, QStringLiteral("cmdFind"), QStringLiteral("Find!"),
                     {0, 4920, 3855, 495});
        checkControl(driver, QStringLiteral("sldDelay"), QString(), {5160, 240, 2175, 375});
        checkControl(driver, QStringLiteral("Label3"), QStringLiteral("Delay:"),
                     {5280, 0, 615, 255});
        checkControl(driver, QStringLiteral("Label1"), QStringLiteral("The keyword "),
                     {0, 4440, 1455, 255});
        checkControl(driver, QStringLiteral("lblword"), QString(), {1200, 4440, 5415, 255});
        QCOMPARE(form.findChildren<QLineEdit*>().size(), kCellCount);
        // A second press of the hidden window's button builds nothing more.
        loadDriver.click("Command1");
        QCOMPARE(sheetWindows(), QList<kallowit::SheetWindow*>{&form});
    }

    void findShowsTheKeywordWithItsTime() {
        // The run's own clock, until times are given.
        QList<double> times;
        const std::function<double()> monotonic = sheetsolver::monotonicSeconds();
        kallowit::LoadWindow load(
            [&] { return times.isEmpty() ? monotonic() : times.takeFirst(); });
        kallowit::SheetWindow& form = next(load);
        const WindowDriver driver(form);
        driver.click("cmdFind");
        static const QRegularExpression sentence(
            QStringLiteral("^WEAREALLMADEOFSTARDUST was found within \\d\\d+\\.\\d\\d s$"));
        QVERIFY2(sentence.match(keyword(driver)).hasMatch(), qPrintable(keyword(driver)));
        QCOMPARE(redCells(driver), kCellCount - 22);

        times = {5.0, 5.5};
        driver.click("cmdFind");
        QCOMPARE(keyword(driver),
                 QStringLiteral("WEAREALLMADEOFSTARDUST was found within 00.50 s"));
    }

    // Captions name their controls; the controls with none have a short description.
    void accessibleNames_data() {
        QTest::addColumn<bool>("sheetWindow");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QAccessible::Role>("role");
        QTest::addColumn<QString>("accessibleName");
        QTest::newRow("sheet text")
            << false << "rtbText" << QAccessible::EditableText << "Sheet text";
        QTest::newRow("list") << false << "lstStrings" << QAccessible::List
                              << "Enter the Strings you want to search for to the List";
        QTest::newRow("cell 46") << true << "Text1_46" << QAccessible::EditableText
                                 << "Row 3, column 7";
        QTest::newRow("delay") << true << "sldDelay" << QAccessible::Slider << "Delay:";
    }
    void accessibleNames() {
        QFETCH(bool, sheetWindow);
        QFETCH(QString, name);
        QFETCH(QAccessible::Role, role);
        QFETCH(QString, accessibleName);
        kallowit::LoadWindow load;
        const WindowDriver loadDriver(load);
        QCOMPARE(QAccessible::queryAccessibleInterface(loadDriver.get("rtbText"))
                     ->text(QAccessible::Description),
                 QStringLiteral("Enter here the Text you want to load into the Sheet"));
        if (!sheetWindow) {
            checkAccessible(loadDriver, name, role, accessibleName);
            return;
        }
        checkAccessible(WindowDriver(next(load)), name, role, accessibleName);
    }

    // "Find!" marks the covered cells found for a screen reader and reads out the sentence of
    // the keyword with its time.
    void findIsReadOut() {
        QList<double> times{5.0, 5.5, 7.0, 7.25};
        kallowit::LoadWindow load([&] { return times.takeFirst(); });
        const WindowDriver driver(next(load));
        const QString demo = sheetsolver::demoSheet();
        checkCellReadOut(driver, 0, demo.left(1), false);
        driver.click("cmdFind");
        QCOMPARE(announced(driver),
                 QStringLiteral("The keyword WEAREALLMADEOFSTARDUST was found within 00.50 s"));
        checkCellReadOut(driver, 0, demo.left(1), true);
        checkCellReadOut(driver, 11, QStringLiteral("W"), false);  // the keyword's first letter
        driver.click("cmdFind");  // every run is read out, with its own time
        QCOMPARE(announced(driver),
                 QStringLiteral("The keyword WEAREALLMADEOFSTARDUST was found within 00.25 s"));
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
        kallowit::LoadWindow load;
        const WindowDriver loadDriver(load);
        setSheetBox(loadDriver, QStringLiteral("catdogcat\u00dfx"));
        loadDriver.get<QListWidget>("lstStrings")->clear();
        auto* text2 = loadDriver.get<QLineEdit>("Text2");
        for (const QString& s :
             {QStringLiteral("dog"), QStringLiteral("cat"), QStringLiteral("zz")}) {
            text2->setText(s);
            loadDriver.click("Command6");
        }
        QCOMPARE(entries(loadDriver), (QStringList{"CAT", "DOG", "ZZ"}));
        loadDriver.get<QListWidget>("lstStrings")->setCurrentRow(1);
        loadDriver.click("cmdRemoveListiem");
        QCOMPARE(entries(loadDriver), (QStringList{"CAT", "ZZ"}));

        kallowit::SheetWindow& form = next(load);
        const WindowDriver driver(form);
        QCOMPARE(cellsText(driver), QStringLiteral("CATDOGCAT\u00dfX"));
        QCOMPARE(cell(driver, 12)->text(), QString());
        driver.click("cmdFind");
        // Only the first CAT is coloured; DOG was removed before "Next >>".
        QVERIFY2(keyword(driver).startsWith(QStringLiteral("DOGCAT\u00dfX was found within ")),
                 qPrintable(keyword(driver)));
    }

    void removeTakesOnlyTheSelectedEntry() {
        kallowit::LoadWindow load;
        const WindowDriver loadDriver(load);
        checkRemove(loadDriver);
    }

    void longResultIsShownWhole() {
        kallowit::LoadWindow load;
        kallowit::SheetWindow& form = next(load);
        checkWholeResultShown(form);
    }

    void keyRules() {
        kallowit::LoadWindow load;
        kallowit::SheetWindow& form = next(load);
        const WindowDriver driver(form);
        showActive(form);
        checkKeyRules(driver);
        checkTableNavigation(driver, QStringLiteral("sldDelay"));
    }

    void fileFlows() {
        testing::ScriptedDialogs dialogs;
        kallowit::LoadWindow load;
        const WindowDriver loadDriver(load);
        checkFileFlows(loadDriver, dialogs);
    }

    // "kallowit FILE" ends as "Load from File" with FILE chosen does in the load window, and
    // "Next >>" then builds the same sheet from it.
    void fileArgumentLoadsAsTheDialogDoes_data() { fileArgumentRows(); }
    void fileArgumentLoadsAsTheDialogDoes() {
        QFETCH(QString, path);
        QFETCH(bool, loads);
        auto opened = std::make_unique<kallowit::LoadWindow>();
        opened->loadSheetFile(path);
        kallowit::LoadWindow manual;
        const WindowDriver manualDriver(manual);
        loadThroughTheDialog(manualDriver, path);
        checkSameSheetText(WindowDriver(*opened), manualDriver, loads);
        const QString cells = cellsText(WindowDriver(next(*opened)));
        opened.reset();  // with its sheet window
        QCOMPARE(cellsText(WindowDriver(next(manual))), cells);
    }

    void runLocksTheCellsWhileItYields() {
        kallowit::LoadWindow load;
        kallowit::SheetWindow& form = next(load);
        const WindowDriver driver(form);
        showActive(form);
        auto* slider = driver.get<QSlider>("sldDelay");
        slider->setValue(2);
        bool checked = false;
        QTimer::singleShot(0, &form, [&] {
            checked = true;
            QVERIFY(searching(driver));
            QVERIFY(!driver.get<QWidget>("cmdFind")->isEnabled());
            QVERIFY(!cell(driver, 150)->isEnabled());
            QVERIFY(slider->isEnabled());
            slider->setValue(0);
        });
        driver.click("cmdFind");
        QVERIFY(checked);
        QVERIFY(keyword(driver).startsWith(QStringLiteral("WEAREALLMADEOFSTARDUST was")));
        QVERIFY(driver.get<QWidget>("cmdFind")->isEnabled());
        QVERIFY(cell(driver, 150)->isEnabled());
    }

    // Closing the main window ends the program even with another window open, and even
    // while a slow run yields.
    void closingTheMainWindowEndsTheProgram() {
        kallowit::LoadWindow load;
        kallowit::SheetWindow& form = next(load);
        const WindowDriver driver(form);
        QWidget other;
        other.show();
        driver.get<QSlider>("sldDelay")->setValue(5000);
        QTimer::singleShot(0, &form, [&] { driver.click("cmdFind"); });
        bool closedWhileSearching = false;
        QTimer::singleShot(50, &form, [&] {
            closedWhileSearching = searching(driver);
            form.close();
        });
        QTimer::singleShot(20000, &form, [] { QCoreApplication::exit(1); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(closedWhileSearching);
        QVERIFY(!searching(driver));
        QCOMPARE(keyword(driver), QString());
    }
};

QTEST_MAIN(TestKallowit)
#include "tst_kallowit.moc"
