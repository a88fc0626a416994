#pragma once
// A shown solver window for tests, with helpers to fill and press it.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>

#include "testing/windowdriver.h"
#include "window/lettergridview.h"
#include "window/solverwindow.h"

// A shown window whose log lines carry no time stamp, driven by its controls' designed names.
struct WindowRig {
    tamsorel::SolverWindow w;
    testing::WindowDriver driver{w};

    WindowRig() {
        w.setTimeText([] { return QStringLiteral("T"); });
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
    }
    template <typename T = QWidget>
    T* get(const char* name) {
        return driver.get<T>(name);
    }
    void click(const char* button) { driver.click(button); }
    void loadDimensions(const QString& cols, const QString& rows) {
        get<QLineEdit>("txtHorizontal")->setText(cols);
        get<QLineEdit>("txtVertical")->setText(rows);
        click("cmdDimensions");
    }
    // The log without its "[T] " stamps.
    QStringList log() {
        QStringList lines;
        auto* list = get<QListWidget>("lstLog");
        for (int i = 0; i < list->count(); ++i)
            lines << list->item(i)->data(Qt::UserRole).toString().mid(4);
        return lines;
    }
    const tamsorel::LetterGrid& grid() { return w.grid(); }
    // What the user can see: the log, the boxes, the ticks, the words, every cell with its
    // colours, and which buttons can be pressed.
    QStringList state() {
        QStringList s = log();
        s << get<QLineEdit>("txtHorizontal")->text() << get<QLineEdit>("txtVertical")->text()
          << get<QPlainTextEdit>("txtWords")->toPlainText();
        for (QCheckBox* box : w.findChildren<QCheckBox*>())
            s << box->objectName() + (box->isChecked() ? " ticked" : "");
        for (int n = 1; n <= grid().cellCount(); ++n)
            s << QString("%1 %2 %3 %4")
                     .arg(n)
                     .arg(grid().cellText(n))
                     .arg(grid().backColor(n))
                     .arg(grid().foreColor(n));
        for (auto* button : w.findChildren<QAbstractButton*>())
            s << button->objectName() + (button->isEnabled() ? " enabled" : "");
        return s;
    }
    // The letter cells, and the editor on the current one.
    tamsorel::LetterGridView* cells() { return get<tamsorel::LetterGridView>("txtText"); }
    QLineEdit* editor() { return get<QLineEdit>("txtTextEditor"); }
};
