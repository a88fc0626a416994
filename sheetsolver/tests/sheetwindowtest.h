#pragma once
// What the window tests of both versions share: reading the cell table through its controls,
// the key rules of the cells and the RTF file flows. Controls are found by their designed names
// through testing::WindowDriver.

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include "core/rtf.h"
#include "engine/demopuzzle.h"
#include "engine/sheetsearch.h"
#include "testing/scripteddialogs.h"
#include "testing/windowdriver.h"
#include "ui/geometry.h"
#include "window/sheeteditor.h"

namespace sheettest {

using sheetsolver::kCellCount;
using testing::WindowDriver;

// A control's designed rectangle (twips) and, for a button or label, its caption.
inline void checkControl(const WindowDriver& driver, const QString& name, const QString& caption,
                         const QRect& twips) {
    auto* w = driver.get(name);
    QCOMPARE(w->geometry(), ui::toPixels({twips.x(), twips.y(), twips.width(), twips.height()}));
    if (auto* button = qobject_cast<QAbstractButton*>(w)) QCOMPARE(button->text(), caption);
    if (auto* label = qobject_cast<QLabel*>(w)) QCOMPARE(label->text(), caption);
}

inline QLineEdit* cell(const WindowDriver& driver, int i) {
    return driver.get<QLineEdit>(QStringLiteral("Text1_%1").arg(i));
}

// The texts of all cells joined without separators.
inline QString cellsText(const WindowDriver& driver) {
    QString text;
    for (int i = 0; i < kCellCount; ++i)
        text += cell(driver, i)->text();
    return text;
}

// Character i of text goes to cell i; cells beyond the text are emptied.
inline void fillCells(const WindowDriver& driver, const QString& text) {
    for (int i = 0; i < kCellCount; ++i)
        cell(driver, i)->setText(i < text.size() ? QString(text[i]) : QString());
}

// The colour a cell shows: its background.
inline core::Colour cellColour(const WindowDriver& driver, int i) {
    return ui::fromQColor(cell(driver, i)->palette().color(QPalette::Base));
}

inline int redCells(const WindowDriver& driver) {
    int red = 0;
    for (int i = 0; i < kCellCount; ++i)
        red += cellColour(driver, i) == sheetsolver::kFoundColour;
    return red;
}

// A run that yields to the window has "Find!" greyed until it ends; a run at delay 0 lets
// nothing happen while it lasts.
inline bool searching(const WindowDriver& driver) {
    return !driver.get("cmdFind")->isEnabled();
}

inline QString keyword(const WindowDriver& driver) {
    return driver.get<QLabel>("lblword")->text();
}

inline QStringList entries(const WindowDriver& driver) {
    return sheetsolver::listEntries(driver.get<QListWidget>("lstStrings"));
}

inline QString sheetBox(const WindowDriver& driver) {
    return sheetsolver::sheetText(driver.get<QTextEdit>("rtbText"));
}

inline void setSheetBox(const WindowDriver& driver, const QString& text) {
    driver.get<QTextEdit>("rtbText")->setPlainText(text);
}

// The top-level windows of type W that exist now, such as the windows a click has built.
template <typename W>
QList<W*> windowsOfType() {
    QList<W*> windows;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<W*>(w)) windows << window;
    }
    return windows;
}

inline void showActive(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowExposed(&window));
}

// The key rules of the cells, checked on cells 5, 6 and the last one.
inline void checkKeyRules(const WindowDriver& driver) {
    QLineEdit* five = cell(driver, 5);
    QLineEdit* six = cell(driver, 6);
    five->setFocus();
    QTest::keyClick(five, Qt::Key_Q);
    QCOMPARE(five->text(), QStringLiteral("Q"));
    QCOMPARE(QApplication::focusWidget(), six);
    QCOMPARE(six->selectedText(), six->text());

    // Capitals typed with Shift, then Shift released: no control character anywhere.
    six->setText(QStringLiteral("B"));
    QTest::keyPress(six, Qt::Key_Shift);
    QTest::keyClick(six, Qt::Key_Z, Qt::ShiftModifier);
    QTest::keyRelease(cell(driver, 7), Qt::Key_Shift);
    QCOMPARE(six->text(), QStringLiteral("Z"));
    QCOMPARE(cell(driver, 7)->text().size(), 1);
    QVERIFY(cell(driver, 7)->text()[0].isLetter());

    // Keys that type nothing write nothing and keep the focus.
    six->setFocus();
    for (const Qt::Key key : {Qt::Key_Shift, Qt::Key_Control, Qt::Key_F1, Qt::Key_Escape,
                              Qt::Key_Return, Qt::Key_Home}) {
        QTest::keyClick(six, key);
        QCOMPARE(six->text(), QStringLiteral("Z"));
        QCOMPARE(QApplication::focusWidget(), six);
    }
    QApplication::clipboard()->setText(QStringLiteral("zz"));
    QTest::keyClick(six, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(six->text(), QStringLiteral("Z"));

    // Backspace and Delete empty the cell in place.
    QTest::keyClick(six, Qt::Key_Backspace);
    QCOMPARE(six->text(), QString());
    QCOMPARE(QApplication::focusWidget(), six);
    five->setText(QStringLiteral("K"));
    five->setFocus();
    QTest::keyClick(five, Qt::Key_Delete);
    QCOMPARE(five->text(), QString());
    QCOMPARE(QApplication::focusWidget(), five);

    // Punctuation and digits are printable; the last cell keeps the focus.
    QLineEdit* last = cell(driver, kCellCount - 1);
    last->setFocus();
    QTest::keyClick(last, Qt::Key_7);
    QCOMPARE(last->text(), QStringLiteral("7"));
    QCOMPARE(QApplication::focusWidget(), last);
    QKeyEvent accented(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("\u00e9"));
    QApplication::sendEvent(last, &accented);
    QCOMPARE(last->text(), QStringLiteral("\u00c9"));
}

// The arrows move between cells, on across the ends of the rows; Tab leaves the table for the
// control after it (next), Shift+Tab for "Find!", and both come back to the cell last used.
inline void checkTableNavigation(const WindowDriver& driver, const QString& next) {
    // From, arrow, to.
    const int moves[][3] = {{19, Qt::Key_Right, 20},   {20, Qt::Key_Left, 19},
                            {25, Qt::Key_Down, 45},    {45, Qt::Key_Up, 25},
                            {0, Qt::Key_Left, 0},      {5, Qt::Key_Up, 5},
                            {299, Qt::Key_Right, 299}, {285, Qt::Key_Down, 285}};
    for (const auto& [from, key, to] : moves) {
        cell(driver, from)->setFocus();
        QTest::keyClick(cell(driver, from), Qt::Key(key));
        QCOMPARE(QApplication::focusWidget(), cell(driver, to));
        QCOMPARE(cell(driver, to)->selectedText(), cell(driver, to)->text());
    }
    QTest::keyClick(cell(driver, 285), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdFind"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), cell(driver, 285));
    QTest::keyClick(cell(driver, 285), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), next);
}

// "Remove" takes out exactly the selected entry, the last (reached with End) or one in the
// middle, and leaves none selected, so a second click removes nothing.
inline void checkRemove(const WindowDriver& driver) {
    auto* list = driver.get<QListWidget>("lstStrings");
    QStringList expected = entries(driver);
    list->setCurrentRow(0);
    QTest::keyClick(list, Qt::Key_End);
    driver.click("cmdRemoveListiem");
    list->setCurrentRow(3);
    driver.click("cmdRemoveListiem");
    driver.click("cmdRemoveListiem");
    expected.removeLast();
    expected.removeAt(3);
    QCOMPARE(entries(driver), expected);
    QVERIFY(list->selectedItems().isEmpty());
}

// A keyword of 300 letters (the cells are lower case, the strings upper case): the label shows
// the whole result inside the window, above "Find!"; a short result brings the designed
// layout back.
inline void checkWholeResultShown(const QWidget& window) {
    const WindowDriver driver(window);
    auto* label = driver.get<QLabel>("lblword");
    auto* find = driver.get("cmdFind");
    const QRect designed[] = {window.rect(), find->geometry()};
    QString sheet;
    for (int i = 0; i < 320; ++i)
        sheet += QChar(u'a' + i * 7 % 26);
    fillCells(driver, sheet);
    driver.click("cmdFind");
    QVERIFY(label->text().startsWith(sheet.left(kCellCount)));
    const QRect text = label->fontMetrics().boundingRect(label->contentsRect(),
                                                         Qt::TextWrapAnywhere, label->text());
    QVERIFY(label->contentsRect().contains(text));
    QVERIFY(window.rect().contains(label->geometry()) && window.rect().contains(find->geometry()));
    QVERIFY(!label->geometry().intersects(find->geometry()));
    fillCells(driver, QString());
    driver.click("cmdFind");
    QCOMPARE(window.rect(), designed[0]);
    QCOMPARE(find->geometry(), designed[1]);
}

// "Load from File" and "Save to File" through the dialog double: cancels, a new file, a
// round trip, a file that is not RTF and a save that cannot succeed.
inline void checkFileFlows(const WindowDriver& driver, testing::ScriptedDialogs& dialogs) {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString text = QStringLiteral("SHEET\u00c9TEXT\nLINE2");
    setSheetBox(driver, text);

    dialogs.cancelNextSave();
    driver.click("Command5");
    QVERIFY(QDir(dir.path()).isEmpty());

    const QString path = dir.filePath(QStringLiteral("new sheet.rtf"));
    dialogs.answerNextSave(path);
    driver.click("Command5");
    QVERIFY(QFile::exists(path));
    QCOMPARE(dialogs.shown().last().request.mustExist, false);
    QCOMPARE(dialogs.shown().last().request.filter, sheetsolver::rtfFileFilter());

    setSheetBox(driver, QStringLiteral("other"));
    dialogs.cancelNextOpen();
    driver.click("Command4");
    QCOMPARE(sheetBox(driver), QStringLiteral("other"));

    dialogs.answerNextOpen(path);
    driver.click("Command4");
    QCOMPARE(sheetBox(driver), text);
    QCOMPARE(dialogs.shown().last().request.mustExist, true);

    // Not RTF, missing, or a folder: the box stays as it is, and nothing is shown.
    const QString plain = dir.filePath(QStringLiteral("plain.rtf"));
    QFile file(plain);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("just text, no header");
    file.close();
    setSheetBox(driver, QStringLiteral("kept"));
    for (const QString& bad : {plain, dir.filePath(QStringLiteral("missing.rtf")), dir.path()}) {
        dialogs.answerNextOpen(bad);
        driver.click("Command4");
        QCOMPARE(sheetBox(driver), QStringLiteral("kept"));
    }

    // A save into a folder that does not exist fails silently; the good file is untouched.
    dialogs.answerNextSave(dir.filePath(QStringLiteral("no/such/folder/x.rtf")));
    driver.click("Command5");
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(core::rtf::readPlainText(saved.readAll()), std::optional<QString>(text));

    QVERIFY(dialogs.informationTexts().isEmpty());
    QVERIFY(dialogs.unexpected().isEmpty());
    QVERIFY(dialogs.allAnswersUsed());
}

// The last message announced to a screen reader from the keyword label. (The alert event that
// carries it reaches no handler unless a screen reader is attached; the message stays as the
// label's accessible description.)
inline QString announced(const WindowDriver& driver) {
    return QAccessible::queryAccessibleInterface(driver.get("lblword"))
        ->text(QAccessible::Description);
}

// The named control as a screen reader finds it: its role and its name.
inline void checkAccessible(const WindowDriver& driver, const QString& name, QAccessible::Role role,
                            const QString& accessibleName) {
    QAccessibleInterface* control = QAccessible::queryAccessibleInterface(driver.get(name));
    QVERIFY(control);
    QCOMPARE(control->role(), role);
    QCOMPARE(control->text(QAccessible::Name), accessibleName);
}

// What a screen reader reads of cell i: its letter and whether it is found.
inline void checkCellReadOut(const WindowDriver& driver, int i, const QString& letter, bool found) {
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(cell(driver, i));
    QCOMPARE(box->text(QAccessible::Value), letter);
    QCOMPARE(box->text(QAccessible::Description), found ? QStringLiteral("found") : QString());
}

// Rows for a file given on the command line: a column "path" with a word processor's sheet, a
// file that is not RTF, a missing file and a folder, and a column "loads", whether the sheet
// text changes.
inline void fileArgumentRows() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("loads");
    const QString corpus = QStringLiteral(WORDSEARCH_SOURCE_DIR "/core/tests/data/rtf/");
    QTest::newRow("a word processor's sheet") << corpus + "sheet300_abiword.rtf" << true;
    QTest::newRow("not RTF") << corpus + "sheet300_abiword.txt" << false;
    QTest::newRow("missing") << corpus + "missing.rtf" << false;
    QTest::newRow("a folder") << corpus << false;
}

// "Load from File" with path chosen in the dialog double, in the window that has the sheet
// text. Nothing else is asked or shown.
inline void loadThroughTheDialog(const WindowDriver& driver, const QString& path) {
    testing::ScriptedDialogs dialogs;
    dialogs.answerNextOpen(path);
    driver.click("Command4");
    QVERIFY(dialogs.informationTexts().isEmpty());
    QVERIFY(dialogs.allAnswersUsed());
}

// A window opened with a file argument (opened) and one that went through "Load from File"
// (manual) hold the same sheet text and list; loads says whether the text left the
// demonstration sheet.
inline void checkSameSheetText(const WindowDriver& opened, const WindowDriver& manual, bool loads) {
    QCOMPARE(sheetBox(opened), sheetBox(manual));
    QCOMPARE(sheetBox(opened) != sheetsolver::demoSheet(), loads);
    QCOMPARE(entries(opened), entries(manual));
}

}  // namespace sheettest
