// The creator window through its controls: the designed layout, the entry-field rules, the
// list commands, "Draw" with its messages and refused sizes, and showing solutions.
#include <deque>

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "testing/filebytes.h"
#include "testing/scripteddialogs.h"
#include "testing/windowdriver.h"
#include "ui/picturebox.h"
#include "ui/services.h"
#include "window/creatorwindow.h"

using namespace osterfane;

namespace {

struct Window {
    explicit Window(CreatorHooks hooks = {}) : form(std::move(hooks)) {}

    QLineEdit* field() { return driver.get<QLineEdit>("txtfield"); }
    QLineEdit* size() { return driver.get<QLineEdit>("txtSize"); }
    QListWidget* list() { return driver.get<QListWidget>("lstitems"); }
    ui::PictureBox* picture() { return driver.get<ui::PictureBox>("picfield"); }
    // Whether each command that a build disables is enabled, in the order of kCommands.
    QList<bool> commandsEnabled() {
        QList<bool> enabled;
        for (const char* name : kCommands)
            enabled << driver.get<QAbstractButton>(name)->isEnabled();
        return enabled;
    }
    QStringList entries() {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i)
            texts << list()->item(i)->text();
        return texts;
    }
    void addWords(const QStringList& words) {
        for (const QString& w : words) {
            QTest::keyClicks(field(), w);
            QTest::keyClick(field(), Qt::Key_Return);
        }
    }

    static constexpr const char* kCommands[] = {"cmdDraw", "cmdAdd", "cmdRemove", "chkSolutions",
                                                "chkIncludeInverted"};
    testing::ScriptedDialogs dialogs;
    CreatorWindow form;
    testing::WindowDriver driver{form};
};

// An event pump for the placement search that takes a step of the test at every call, then
// lets the window's events in, and never stops the search.
struct StepPump : core::EventPump {
    std::function<void()> step;
    int pumps = 0;

    bool pumpEvents() override {
        ++pumps;
        step();
        ui::pumpEvents();
        return true;
    }
};

// Types text key by key, letters outside Latin-1 included.
void typeKeys(QWidget* widget, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

int redPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == Qt::red;
    }
    return count;
}

// A random source that answers a script and then cycles, so a search that needs more ends.
std::function<double()> scriptedRandom(std::deque<double> script) {
    auto state = std::make_shared<std::pair<std::deque<double>, int>>(std::move(script), 0);
    return [state] {
        if (state->first.empty()) return QList<double>{0.1, 0.5, 0.9, 0.3}[state->second++ % 4];
        const double r = state->first.front();
        state->first.pop_front();
        return r;
    };
}

}  // namespace

class TestCreatorWindow : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("Osterfane")); }

    void designedLayout_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("pixels");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("accessibleName");  // what a screen reader reads
        QTest::newRow("picfield") << "picfield" << QRect(0, 0, 450, 450) << ""
                                  << "Puzzle, not drawn yet";
        QTest::newRow("lstitems") << "lstitems" << QRect(456, 8, 169, 199) << ""
                                  << "Words";
        QTest::newRow("txtfield") << "txtfield" << QRect(456, 216, 169, 19) << ""
                                  << "Word to add";
        QTest::newRow("cmdAdd") << "cmdAdd" << QRect(456, 240, 97, 17) << "Add"
                                << "Add";
        QTest::newRow("cmdRemove") << "cmdRemove" << QRect(552, 240, 73, 17) << "Remove"
                                   << "Remove";
        QTest::newRow("txtSize") << "txtSize" << QRect(496, 272, 33, 19) << "10"
                                 << "Size";
        QTest::newRow("cmdDraw") << "cmdDraw" << QRect(568, 264, 57, 33) << "Draw"
                                 << "Draw";
        QTest::newRow("Label1") << "Label1" << QRect(456, 272, 33, 17) << "Size:"
                                << "Size:";
        QTest::newRow("chkSolutions")
            << "chkSolutions" << QRect(456, 304, 137, 17) << "Show solutions"
            << "Show solutions";
        QTest::newRow("chkIncludeInverted")
            << "chkIncludeInverted" << QRect(456, 336, 153, 17) << "Include inverted"
            << "Include inverted";
    }
    void designedLayout() {
        QFETCH(QString, name);
        QFETCH(QRect, pixels);
        QFETCH(QString, caption);
        QFETCH(QString, accessibleName);
        Window w;
        QCOMPARE(w.form.windowTitle(), QStringLiteral("Osterfane"));
        QCOMPARE(w.form.size(), QSize(631, 454));
        auto* control = w.driver.get<QWidget>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), pixels);
        QString text;
        if (auto* b = qobject_cast<QAbstractButton*>(control)) text = b->text();
        if (auto* e = qobject_cast<QLineEdit*>(control)) text = e->text();
        if (auto* l = qobject_cast<QLabel*>(control)) text = l->text();
        QCOMPARE(text, caption);
        QCOMPARE(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name),
                 accessibleName);
    }

    // The picture reads as a table of its letters, row by row, with the puzzle's size and word
    // count as its name; shown solutions mark their cells.
    void thePictureReadsAsATable() {
        Window w;
        w.addWords({"cat", "dog", "emu", "yak", "gnu", "owl", "bee", "ant"});
        w.size()->setText("12");
        w.driver.click("cmdDraw");
        const Puzzle& puzzle = w.form.puzzle();
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(w.picture());
        QCOMPARE(table->role(), QAccessible::Table);
        QCOMPARE(table->text(QAccessible::Name), QStringLiteral("Puzzle, 12 by 12, 8 words"));
        QCOMPARE(table->childCount(), 144);
        QAccessibleInterface* cell = table->tableInterface()->cellAt(2, 3);
        QCOMPARE(cell->role(), QAccessible::Cell);
        QCOMPARE(cell->text(QAccessible::Name),
                 QStringLiteral("Row 3, column 4, %1").arg(QChar(puzzle.letterAt(3, 2))));
        QCOMPARE(cell->rect().size(), QSize(37, 37));
        const QStringList rows = table->text(QAccessible::Description).split(u'\n');
        QCOMPARE(rows.size(), 13);
        QString first = QStringLiteral("Row 1:");
        for (int x = 0; x < 12; ++x)
            first += u' ' + QChar(puzzle.letterAt(x, 0));
        QCOMPARE(rows[0], first);
        QCOMPARE(rows[12], QStringLiteral("Words: CAT, DOG, EMU, YAK, GNU, OWL, BEE, ANT"));

        const Solution s = puzzle.solutions()[0];
        QAccessibleInterface* start = table->tableInterface()->cellAt(s.y1, s.x1);
        QVERIFY(!start->state().checked);
        QTest::mouseClick(w.driver.get<QCheckBox>("chkSolutions"), Qt::LeftButton);
        QVERIFY(start->state().checked);
        QVERIFY(start->text(QAccessible::Name).endsWith(", solution"));

        QTest::mouseClick(w.driver.get<QCheckBox>("chkSolutions"), Qt::LeftButton);
        QVERIFY(!start->state().checked);
        w.list()->clear();
        w.addWords({"cat"});
        w.size()->setText("5");
        w.driver.click("cmdDraw");
        QCOMPARE(table->text(QAccessible::Name), QStringLiteral("Puzzle, 5 by 5, 1 word"));
        QCOMPARE(table->childCount(), 25);
        QCOMPARE(table->tableInterface()->cellAt(4, 4)->text(QAccessible::Name),
                 QStringLiteral("Row 5, column 5, %1").arg(QChar(puzzle.letterAt(4, 4))));
        QVERIFY(!table->tableInterface()->cellAt(5, 0));
    }

    // Run at ratio 1 and, as osterfane_window_test_ratio2, with QT_SCALE_FACTOR=2: the picture
    // is backed at the screen's ratio, and its letters are drawn at that ratio, not enlarged.
    void thePictureIsBackedAtTheScreenRatio() {
        Window w;
        w.addWords({"cat", "dog", "emu"});
        w.size()->setText("8");
        w.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.form));
        w.driver.click("cmdDraw");
        const qreal ratio = w.picture()->devicePixelRatioF();
        const QImage backing = w.picture()->image().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(backing.size(), QSize(446, 446) * ratio);
        const QImage logical = w.picture()->renderedAt(1).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(logical.size(), QSize(446, 446));
        if (ratio == 1) QCOMPARE(logical, backing);
        if (ratio < 2) return;
        // Letter edges have detail below one logical pixel: 2 x 2 blocks of the backing that are
        // not of one colour, which no enlargement of the ratio-1 picture has.
        int detailed = 0;
        for (int y = 0; y + 1 < backing.height(); y += 2)
            for (int x = 0; x + 1 < backing.width(); x += 2) {
                const QRgb c = backing.pixel(x, y);
                detailed += backing.pixel(x + 1, y) != c || backing.pixel(x, y + 1) != c ||
                            backing.pixel(x + 1, y + 1) != c;
            }
        QVERIFY2(detailed > 8 * 8 * 4, qPrintable(QString::number(detailed)));
        // The grid keeps its logical place and width: the line at 56 (450 / 8) is two device
        // pixels wide, one of them at 112.
        int dark = 0;
        for (int x = 109; x <= 115; ++x)
            dark += qGray(backing.pixel(x, 300)) < 128;
        QCOMPARE(dark, 2);
        QVERIFY(qGray(backing.pixel(112, 300)) < 128);
    }

    void tabOrderAndStartState() {
        Window w;
        QStringList order;
        QWidget* widget = w.driver.get<QListWidget>("lstitems");
        for (int i = 0; i < 7; ++i) {
            widget = widget->nextInFocusChain();
            while (widget->focusPolicy() == Qt::NoFocus || !widget->isWidgetType() ||
                   widget->parentWidget() != &w.form) {
                widget = widget->nextInFocusChain();
            }
            order << widget->objectName();
        }
        QCOMPARE(order, (QStringList{"txtfield", "cmdAdd", "cmdRemove", "txtSize", "cmdDraw",
                                     "chkSolutions", "chkIncludeInverted"}));
        QVERIFY(!w.driver.get<QCheckBox>("chkSolutions")->isChecked());
        QVERIFY(!w.driver.get<QCheckBox>("chkIncludeInverted")->isChecked());
        QCOMPARE(w.picture()->image().pixelColor(225, 225), QColor(Qt::white));
        QCOMPARE(w.form.puzzle().size(), 10);
    }

    // Typing goes through the real key events; "paste:" inserts text as a paste does,
    // "home" puts the caret at the start, "enter" and "add" act on the word.
    void entryField_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("dog and a space adds dog")
            << QStringList{"dog "} << "" << 0 << QStringList{"dog"};
        QTest::newRow("DOG and Enter with dog listed")
            << QStringList{"dog ", "DOG", "enter"} << "" << 0 << QStringList{"dog"};
        QTest::newRow("a single letter stays")
            << QStringList{"a", "enter"} << "a" << 1 << QStringList{};
        QTest::newRow("ab1 loses the digit") << QStringList{"ab1"} << "ab" << 2 << QStringList{};
        QTest::newRow("pasted x1y stays and can be added")
            << QStringList{"paste:x1y", "add"} << "" << 0 << QStringList{"x1y"};
        QTest::newRow("pasted trailing non-letters all go")
            << QStringList{"paste:tea 4 2!?"} << "tea" << 3 << QStringList{};
        QTest::newRow("only the last character is tested")
            << QStringList{"ab", "home", "1"} << "1ab" << 1 << QStringList{};
        QTest::newRow("Cyrillic and Greek letters stay; case is ignored in the list")
            << QStringList{u"paste:жук"_qs,    "enter", u"paste:ЖУК"_qs, "enter",
                           u"paste:κάστρο"_qs, "add"}
            << "" << 0 << QStringList{u"жук"_qs, u"κάστρο"_qs};
        QTest::newRow("a letter and its typed mark are one letter")
            << QStringList{"NAI", u"paste:\u0308"_qs, "VE", "enter"} << "" << 0
            << QStringList{u"NA\u00CFVE"_qs};
        QTest::newRow("composing inside the word keeps the caret there")
            << QStringList{"ve", "home", u"paste:nai\u0308"_qs} << u"na\u00EFve"_qs << 3
            << QStringList{};
        QTest::newRow("an emoji stays in the field") << QStringList{u"paste:c\U0001F600t"_qs, "add"}
                                                     << u"c\U0001F600t"_qs << 4 << QStringList{};
        QTest::newRow("entries keep their order and case")
            << QStringList{"Zebra ", "ant ", "ZEBRA "} << "" << 0 << QStringList{"Zebra", "ant"};
    }
    void entryField() {
        QFETCH(QStringList, steps);
        QFETCH(QString, field);
        QFETCH(int, caret);
        QFETCH(QStringList, entries);
        Window w;
        for (const QString& step : steps) {
            if (step == u"enter") {
                QTest::keyClick(w.field(), Qt::Key_Return);
            } else if (step == u"home") {
                QTest::keyClick(w.field(), Qt::Key_Home);
            } else if (step == u"add") {
                w.driver.click("cmdAdd");
            } else if (step.startsWith(u"paste:")) {
                w.field()->insert(step.mid(6));
            } else {
                QTest::keyClicks(w.field(), step);
            }
        }
        QCOMPARE(w.field()->text(), field);
        QCOMPARE(w.field()->cursorPosition(), caret);
        QCOMPARE(w.entries(), entries);
    }

    // A word file given at start fills the list as typing each line and Enter would, after the
    // entries already there; nothing is drawn. A file that cannot be read gets a message.
    void aWordFileFillsTheListAsTypingDoes() {
        const QStringList lines{"Zebra",
                                "ant",
                                "ZEBRA",
                                "x1y",
                                "a",
                                "gnu",
                                u"nai\u0308ve"_qs,
                                "",
                                "emu",
                                u"\u00E9t\u00E9"_qs};
        QTemporaryDir dir;
        const QString path = dir.filePath("words.txt");
        QVERIFY(testing::writeBytes(path, lines.join("\r\n").toUtf8()));

        Window typed;
        typed.addWords({"emu"});
        for (const QString& line : lines) {
            typeKeys(typed.field(), line);
            QTest::keyClick(typed.field(), Qt::Key_Return);
            typed.field()->clear();  // a single letter stays in the field otherwise
        }
        Window opened;
        opened.addWords({"emu"});
        opened.form.openWordFile(path);
        QCOMPARE(opened.entries(), typed.entries());
        QCOMPARE(opened.entries(), (QStringList{"emu", "Zebra", "ant", "xy", "gnu",
                                                u"na\u00EFve"_qs, u"\u00E9t\u00E9"_qs}));
        QCOMPARE(opened.field()->text(), QString());
        QVERIFY(opened.dialogs.shown().isEmpty());
        QCOMPARE(opened.picture()->image().pixelColor(45, 10), QColor(Qt::white));

        opened.form.openWordFile(dir.filePath("missing.txt"));
        QCOMPARE(opened.dialogs.informationTexts().size(), 1);
        QVERIFY(opened.dialogs.informationTexts()[0].startsWith(
            "The word list could not be read:\n" + QDir::toNativeSeparators(dir.path())));
        QCOMPARE(opened.dialogs.shown()[0].title, QStringLiteral("Osterfane"));
        QCOMPARE(opened.entries(), typed.entries());
    }

    void clickRemoveAndAddBack() {
        Window w;
        w.addWords({"cat", "dog", "emu"});
        w.form.show();
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        QTest::keyClicks(w.field(), "gnu");
        w.list()->setFocus(Qt::TabFocusReason);  // focus alone is no click on an entry
        QTRY_VERIFY(w.list()->hasFocus());
        QCOMPARE(w.field()->text(), QStringLiteral("gnu"));
        w.driver.click("cmdRemove");  // nothing selected
        QCOMPARE(w.entries(), (QStringList{"cat", "dog", "emu"}));
        const QRect second = w.list()->visualItemRect(w.list()->item(1));
        QTest::mouseClick(w.list()->viewport(), Qt::LeftButton, {}, second.center());
        QCOMPARE(w.field()->text(), QStringLiteral("dog"));
        w.driver.click("cmdRemove");
        QCOMPARE(w.entries(), (QStringList{"cat", "emu"}));
        QCOMPARE(w.field()->text(), QStringLiteral("dog"));
        QVERIFY(w.list()->selectedItems().isEmpty());
        QTest::keyClick(w.list(), Qt::Key_Down);  // choosing with the keys is a click too
        QCOMPARE(w.field()->text(), QStringLiteral("cat"));
        w.field()->setText("dog");
        w.driver.click("cmdAdd");
        QCOMPARE(w.entries(), (QStringList{"cat", "emu", "dog"}));
        QCOMPARE(w.form.indexInList("EMU"), 1);
        QCOMPARE(w.form.indexInList("gnu"), -1);
    }

    void drawWithAnEmptyList() {
        Window w;
        w.driver.get<QCheckBox>("chkSolutions")->setChecked(true);
        w.driver.click("cmdDraw");
        QVERIFY(w.dialogs.shown().isEmpty());
        QCOMPARE(w.form.puzzle().size(), 10);
        QVERIFY(w.form.puzzle().solutions().isEmpty());
        const QImage image = w.picture()->image();
        QCOMPARE(image.pixelColor(45, 10), QColor(Qt::black));  // a grid line
        QCOMPARE(redPixels(image), 0);
        QVERIFY(image != QImage(image.size(), image.format()));
    }

    // A sunken border inside the 450 pixels closes the grid at the left and top. Drawing starts
    // inside it, where the last line of size 12, at 444, shows.
    void theSurfaceHasItsBorder() {
        Window w;
        w.size()->setText("12");
        w.driver.click("cmdDraw");
        QCOMPARE(w.picture()->image().size(), QSize(446, 446));
        const QImage shown = w.picture()->grab().toImage();
        const auto dark = [&shown](int x, int y) { return qGray(shown.pixel(x + 2, y + 2)) < 192; };
        QVERIFY(dark(-1, 100) && dark(-2, 100) && dark(100, -1) && dark(100, -2));
        QVERIFY(dark(444, 100) && dark(100, 444) && !dark(445, 100));
    }

    void tooLongWordIsNamedAndSelected() {
        Window w;
        w.addWords({"cat", "abcdefghijk", "dog"});
        w.driver.click("cmdDraw");
        QCOMPARE(w.dialogs.informationTexts(),
                 QStringList{"Word: 'abcdefghijk' is too long, increase size or remove word"});
        QCOMPARE(w.dialogs.shown().first().title, QStringLiteral("Osterfane"));
        QCOMPARE(w.list()->selectedItems(), QList{w.list()->item(1)});
        QCOMPARE(w.field()->text(), QStringLiteral("abcdefghijk"));
        QVERIFY(w.form.puzzle().solutions().isEmpty());
        QCOMPARE(w.form.puzzle().letterAt(9, 9) >= 'A', true);
    }

    // The message a build ends with names the word in the case it was listed in, and an
    // inverted word as it was being placed: reversed.
    void buildMessages_data() {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QString>("size");
        QTest::addColumn<bool>("inverted");
        QTest::addColumn<QList<double>>("script");
        QTest::addColumn<QString>("message");
        const QStringList fiveWords{"abc", "aef", "Xyz", "ghi", "jkl"};
        QTest::newRow("too long") << QStringList{"cat", "Giraffe", "dog"} << "5" << true
                                  << QList<double>{}
                                  << "Word: 'Giraffe' is too long, increase size or remove word";
        QTest::newRow("no room") << fiveWords << "3" << false
                                 << QList<double>{0.0, 0.0, 0.3, 0.0, 0.0, 0.0}
                                 << "After 30000 retries still no possible move on Xyz :s";
        QTest::newRow("no room for an inverted word")
            << fiveWords << "3" << true
            << QList<double>{0.0, 0.0, 0.0, 0.3, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.7}
            << "After 30000 retries still no possible move on zyX :s";
    }
    void buildMessages() {
        QFETCH(QStringList, words);
        QFETCH(QString, size);
        QFETCH(bool, inverted);
        QFETCH(QList<double>, script);
        QFETCH(QString, message);
        Window w({scriptedRandom({script.begin(), script.end()})});
        w.addWords(words);
        w.size()->setText(size);
        w.driver.get<QCheckBox>("chkIncludeInverted")->setChecked(inverted);
        w.driver.click("cmdDraw");
        QCOMPARE(w.dialogs.informationTexts(), QStringList{message});
    }

    void showingAndHidingSolutions() {
        Window w;
        auto* solutions = w.driver.get<QCheckBox>("chkSolutions");
        QTest::mouseClick(solutions, Qt::LeftButton);  // before the first build
        QCOMPARE(redPixels(w.picture()->image()), 0);
        QCOMPARE(w.picture()->image().pixelColor(45, 10), QColor(Qt::white));
        QTest::mouseClick(solutions, Qt::LeftButton);

        w.addWords({"cat", "dog", "emu", "yak"});
        w.driver.click("cmdDraw");
        const QImage plain = w.picture()->image();
        QCOMPARE(redPixels(plain), 0);
        QCOMPARE(w.form.puzzle().solutions().size(), 4);

        w.size()->setText("5");  // drawing keeps to the grid that was built
        QTest::mouseClick(solutions, Qt::LeftButton);
        const QImage lined = w.picture()->image();
        for (const Solution& s : w.form.puzzle().solutions()) {
            QCOMPARE(lined.pixelColor(s.x1 * 45 + 22, s.y1 * 45 + 22), QColor(Qt::red));
            QCOMPARE(lined.pixelColor(s.x2 * 45 + 22, s.y2 * 45 + 22), QColor(Qt::red));
        }
        QTest::mouseClick(solutions, Qt::LeftButton);
        QCOMPARE(w.picture()->image(), plain);
        QCOMPARE(w.form.puzzle().size(), 10);
    }

    // Each program start gives the same sequence of puzzles for the same inputs.
    void everyStartGivesTheSamePuzzles() {
        const auto twoBuilds = [] {
            Window w;
            w.addWords({"apple", "pear", "plum", "fig"});
            w.driver.get<QCheckBox>("chkIncludeInverted")->setChecked(true);
            w.driver.click("cmdDraw");
            const QImage first = w.picture()->image();
            w.driver.click("cmdDraw");
            return QList<QImage>{first, w.picture()->image()};
        };
        const QList<QImage> builds = twoBuilds();
        QVERIFY(builds[0] != builds[1]);
        QCOMPARE(twoBuilds(), builds);
    }

    void refusedSizesKeepThePicture_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << "0";
        QTest::newRow("negative") << "-4";
        QTest::newRow("fractional") << "7.5";
        QTest::newRow("empty") << "";
        QTest::newRow("letters first") << "x12";
        QTest::newRow("too large") << "451";
    }
    void refusedSizesKeepThePicture() {
        QFETCH(QString, text);
        Window w;
        w.addWords({"cat"});
        w.driver.click("cmdDraw");
        const QImage before = w.picture()->image();
        const QList<Solution> built = w.form.puzzle().solutions();
        w.size()->setText(text);
        w.driver.click("cmdDraw");
        QCOMPARE(w.dialogs.informationTexts(),
                 QStringList{"The size must be a whole number from 1 to 450."});
        QCOMPARE(w.picture()->image(), before);
        QCOMPARE(w.form.puzzle().solutions(), built);
        QVERIFY(w.driver.get<QPushButton>("cmdDraw")->isEnabled());
    }

    void leadingNumberIsTheSize() {
        Window w;
        w.size()->setText("12abc");
        w.driver.click("cmdDraw");
        QVERIFY(w.dialogs.shown().isEmpty());
        QCOMPARE(w.form.puzzle().size(), 12);
    }

    // During the long search the inputs cannot change the build: the commands are disabled and
    // the size was read once at the start.
    void noRoomBuildIsGuarded() {
        QList<bool> enabled;
        Window* window = nullptr;
        StepPump pump;
        pump.step = [&] {
            if (pump.pumps == 1) {
                enabled = window->commandsEnabled();
                window->size()->setText("20");
                window->driver.click("cmdDraw");
                QTest::keyClicks(window->field(), "gnu");
                QTest::keyClick(window->field(), Qt::Key_Return);
            }
        };
        Window w({scriptedRandom({0.0, 0.0, 0.3, 0.0, 0.0, 0.0}), &pump});
        window = &w;
        w.size()->setText("3");
        w.addWords({"abc", "aef", "Xyz", "ghi"});
        w.driver.click("cmdDraw");
        QCOMPARE(enabled, (QList<bool>{false, false, false, false, false}));
        QCOMPARE(pump.pumps, Puzzle::kMaxRetries);
        QCOMPARE(w.dialogs.informationTexts(),
                 QStringList{"After 30000 retries still no possible move on Xyz :s"});
        QCOMPARE(w.form.puzzle().size(), 3);
        QCOMPARE(w.form.puzzle().solutions().size(), 2);
        QCOMPARE(w.entries(), (QStringList{"abc", "aef", "Xyz", "ghi"}));
        QVERIFY(w.driver.get<QPushButton>("cmdDraw")->isEnabled());
        QCOMPARE(w.commandsEnabled(), QList<bool>(5, true));
    }

    // Closing the window during the search ends the search through the window's own event
    // pump, and no message shows afterwards.
    void closingDuringTheSearch() {
        Window w({scriptedRandom({0.0, 0.0, 0.3, 0.0, 0.0, 0.0})});
        w.form.show();
        w.size()->setText("3");
        w.addWords({"abc", "aef", "xyz"});
        // Runs in the first pump of the search, which has no room for xyz.
        QTimer::singleShot(0, &w.form, &QWidget::close);
        w.driver.click("cmdDraw");
        QVERIFY(!w.form.isVisible());
        QVERIFY(w.dialogs.shown().isEmpty());
        QCOMPARE(w.commandsEnabled(), QList<bool>(5, true));
        QCOMPARE(w.form.puzzle().solutions().size(), 2);
    }
};

QTEST_MAIN(TestCreatorWindow)
#include "tst_window.moc"
