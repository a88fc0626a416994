#pragma once

// Drives a window in tests the way a user does, finding each control by its designed name
// (its objectName): "cmdSearch", "txtWords", "Text1_17".

#include <QAbstractButton>
#include <QLineEdit>
#include <QString>
#include <QTest>
#include <QWidget>

namespace testing {

class WindowDriver {
  public:
    explicit WindowDriver(const QWidget& window) : window_(window) {}

    // The control with that designed name and type. A missing control ends the test program at
    // once, naming the control: every later step would act on nothing.
    template <typename W = QWidget>
    W* get(const QString& name) const {
        auto* w = window_.findChild<W*>(name);
        if (!w)
            qFatal("%s has no %s named %s", qPrintable(window_.objectName()),
                   W::staticMetaObject.className(), qPrintable(name));
        return w;
    }
    template <typename W = QWidget>
    W* get(const char* name) const {
        return get<W>(QString::fromLatin1(name));
    }

    // A left click in the middle of the named button, check box or option button.
    void click(const char* name) const {
        QTest::mouseClick(get<QAbstractButton>(name), Qt::LeftButton);
    }

    // Focuses the named text box, empties it and types text key by key.
    void type(const char* name, const QString& text) const {
        auto* box = get<QLineEdit>(name);
        box->setFocus();
        box->clear();
        QTest::keyClicks(box, text);
    }

  private:
    const QWidget& window_;
};

}  // namespace testing
