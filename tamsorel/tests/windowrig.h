#pragma once
// A shown solver window for tests, with helpers to fill and press it.
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "window/lettergridview.h"
#include "window/solverwindow.h"

// A shown window whose log lines carry no time stamp, with helpers to press its buttons.
struct Window {
    SolverWindow w;
    Window() {
        w.timeText = [] { return QStringLiteral("T"); };
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
    }
    template <typename T = QWidget>
    T* get(const char* name) {
        T* c = w.findChild<T*>(QString::fromLatin1(name));
        if (!c) qWarning("no control %s", name);
        return c;
    }
    void click(const char* button) { QTest::mouseClick(get<QPushButton>(button), Qt::LeftButton); }
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
    tamsorel::LetterGrid& grid() { return w.solver().grid(); }
    QLineEdit* editor() { return w.cells()->editor(); }
};
