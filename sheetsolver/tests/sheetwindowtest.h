#pragma once
// What the window tests of both versions share: finding controls by their designed names,
// reading the cell table, the key rules of the cells and the RTF file flows.

#include <QAbstractButton>
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
#include "testing/scripteddialogs.h"
#include "window/celltable.h"
#include "window/sheeteditor.h"

namespace sheettest {

using sheetsolver::CellTable;
using sheetsolver::kCellCount;

template <typename W>
W* child(const QWidget& window, const QString& name) {
    auto* w = window.findChild<W*>(name);
    if (!w) qFatal("no control %s", qPrintable(name));
    return w;
}

inline void click(const QWidget& window, const char* name) {
    QTest::mouseClick(child<QAbstractButton>(window, QString::fromLatin1(name)), Qt::LeftButton);
}

// A control's designed rectangle (twips) and, for a button or label, its caption.
inline void checkControl(const QWidget& window, const QString& name, const QString& caption,
                         const QRect& twips) {
    auto* w = child<QWidget>(window, name);
    QCOMPARE(w->geometry(), ui::toPixels({twips.x(), twips.y(), twips.width(), twips.height()}));
    if (auto* button = qobject_cast<QAbstractButton*>(w)) QCOMPARE(button->text(), caption);
    if (auto* label = qobject_cast<QLabel*>(w)) QCOMPARE(label->text(), caption);
}

inline QLineEdit* cell(const QWidget& window, int i) {
    return child<QLineEdit>(window, QStringLiteral("Text1_%1").arg(i));
}

inline QStringList entries(const QWidget& window) {
    return sheetsolver::listEntries(child<QListWidget>(window, QStringLiteral("lstStrings")));
}

inline QString sheetBox(const QWidget& window) {
    return sheetsolver::sheetText(child<QTextEdit>(window, QStringLiteral("rtbText")));
}

inline void setSheetBox(const QWidget& window, const QString& text) {
    child<QTextEdit>(window, QStringLiteral("rtbText"))->setPlainText(text);
}

inline int redCells(const CellTable& cells) {
    int red = 0;
    for (int i = 0; i < kCellCount; ++i)
        red += cells.cellColour(i) == sheetsolver::kFoundColour;
    return red;
}

inline void showActive(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowExposed(&window));
}

// The key rules of the cells, checked on cells 5, 6 and the last one.
inline void checkKeyRules(QWidget& window) {
    QLineEdit* five = cell(window, 5);
    QLineEdit* six = cell(window, 6);
    five->setFocus();
    QTest::keyClick(five, Qt::Key_Q);
    QCOMPARE(five->text(), QStringLiteral("Q"));
    QCOMPARE(QApplication::focusWidget(), six);
    QCOMPARE(six->selectedText(), six->text());

    // Capitals typed with Shift, then Shift released: no control character anywhere.
    six->setText(QStringLiteral("B"));
    QTest::keyPress(six, Qt::Key_Shift);
    QTest::keyClick(six, Qt::Key_Z, Qt::ShiftModifier);
    QTest::keyRelease(cell(window, 7), Qt::Key_Shift);
    QCOMPARE(six->text(), QStringLiteral("Z"));
    QCOMPARE(cell(window, 7)->text().size(), 1);
    QVERIFY(cell(window, 7)->text()[0].isLetter());

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
    QLineEdit* last = cell(window, kCellCount - 1);
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
inline void checkTableNavigation(QWidget& window, const QString& next) {
    // From, arrow, to.
    const int moves[][3] = {{19, Qt::Key_Right, 20},   {20, Qt::Key_Left, 19},
                            {25, Qt::Key_Down, 45},    {45, Qt::Key_Up, 25},
                            {0, Qt::Key_Left, 0},      {5, Qt::Key_Up, 5},
                            {299, Qt::Key_Right, 299}, {285, Qt::Key_Down, 285}};
    for (const auto& [from, key, to] : moves) {
        cell(window, from)->setFocus();
        QTest::keyClick(cell(window, from), Qt::Key(key));
        QCOMPARE(QApplication::focusWidget(), cell(window, to));
        QCOMPARE(cell(window, to)->selectedText(), cell(window, to)->text());
    }
    QTest::keyClick(cell(window, 285), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdFind"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), cell(window, 285));
    QTest::keyClick(cell(window, 285), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), next);
}

// "Remove" takes out exactly the selected entry, the last (reached with End) or one in the
// middle, and leaves none selected, so a second click removes nothing.
inline void checkRemove(QWidget& window) {
    auto* list = child<QListWidget>(window, QStringLiteral("lstStrings"));
    QStringList expected = entries(window);
    list->setCurrentRow(0);
    QTest::keyClick(list, Qt::Key_End);
    click(window, "cmdRemoveListiem");
    list->setCurrentRow(3);
    click(window, "cmdRemoveListiem");
    click(window, "cmdRemoveListiem");
    expected.removeLast();
    expected.removeAt(3);
    QCOMPARE(entries(window), expected);
    QVERIFY(list->selectedItems().isEmpty());
}

// A keyword of 300 letters (the cells are lower case, the strings upper case): the label shows
// the whole result inside the window, above "Find!"; a short result brings the designed
// layout back.
inline void checkWholeResultShown(QWidget& window, CellTable& cells) {
    auto* label = child<QLabel>(window, QStringLiteral("lblword"));
    auto* find = child<QWidget>(window, QStringLiteral("cmdFind"));
    const QRect designed[] = {window.rect(), find->geometry()};
    QString sheet;
    for (int i = 0; i < 320; ++i)
        sheet += QChar(u'a' + i * 7 % 26);
    cells.fillFrom(sheet);
    click(window, "cmdFind");
    QVERIFY(label->text().startsWith(sheet.left(kCellCount)));
    const QRect text = label->fontMetrics().boundingRect(label->contentsRect(),
                                                         Qt::TextWrapAnywhere, label->text());
    QVERIFY(label->contentsRect().contains(text));
    QVERIFY(window.rect().contains(label->geometry()) && window.rect().contains(find->geometry()));
    QVERIFY(!label->geometry().intersects(find->geometry()));
    cells.fillFrom(QString());
    click(window, "cmdFind");
    QCOMPARE(window.rect(), designed[0]);
    QCOMPARE(find->geometry(), designed[1]);
}

// "Load from File" and "Save to File" through the dialog double: cancels, a new file, a
// round trip, a file that is not RTF and a save that cannot succeed.
inline void checkFileFlows(QWidget& window, testing::ScriptedDialogs& dialogs) {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString text = QStringLiteral("SHEET\u00c9TEXT\nLINE2");
    setSheetBox(window, text);

    dialogs.cancelNextSave();
    click(window, "Command5");
    QVERIFY(QDir(dir.path()).isEmpty());

    const QString path = dir.filePath(QStringLiteral("new sheet.rtf"));
    dialogs.answerNextSave(path);
    click(window, "Command5");
    QVERIFY(QFile::exists(path));
    QCOMPARE(dialogs.shown().last().request.mustExist, false);
    QCOMPARE(dialogs.shown().last().request.filter, sheetsolver::rtfFileFilter());

    setSheetBox(window, QStringLiteral("other"));
    dialogs.cancelNextOpen();
    click(window, "Command4");
    QCOMPARE(sheetBox(window), QStringLiteral("other"));

    dialogs.answerNextOpen(path);
    click(window, "Command4");
    QCOMPARE(sheetBox(window), text);
    QCOMPARE(dialogs.shown().last().request.mustExist, true);

    // Not RTF, missing, or a folder: the box stays as it is, and nothing is shown.
    const QString plain = dir.filePath(QStringLiteral("plain.rtf"));
    QFile file(plain);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("just text, no header");
    file.close();
    setSheetBox(window, QStringLiteral("kept"));
    for (const QString& bad : {plain, dir.filePath(QStringLiteral("missing.rtf")), dir.path()}) {
        dialogs.answerNextOpen(bad);
        click(window, "Command4");
        QCOMPARE(sheetBox(window), QStringLiteral("kept"));
    }

    // A save into a folder that does not exist fails silently; the good file is untouched.
    dialogs.answerNextSave(dir.filePath(QStringLiteral("no/such/folder/x.rtf")));
    click(window, "Command5");
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(core::rtf::readPlainText(saved.readAll()), std::optional<QString>(text));

    QVERIFY(dialogs.informationTexts().isEmpty());
    QVERIFY(dialogs.unexpected().isEmpty());
    QVERIFY(dialogs.allAnswersUsed());
}

}  // namespace sheettest
