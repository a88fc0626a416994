// The creator against odd text: every bad text in the size box and pasted into the word
// field, and a puzzle of Cyrillic and Greek words from the field to the drawn grid.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "core/letters.h"
#include "testing/badinput.h"
#include "testing/scripteddialogs.h"
#include "testing/windowdriver.h"
#include "ui/picturebox.h"
#include "window/creatorwindow.h"

using namespace osterfane;

namespace {

struct Creator {
    testing::ScriptedDialogs dialogs;
    CreatorWindow form;
    testing::WindowDriver driver{form};
    QLineEdit* box(const char* name) { return driver.get<QLineEdit>(name); }
    void click(const char* name) { driver.click(name); }
    int entries() { return driver.get<QListWidget>("lstitems")->count(); }
    QImage picture() { return driver.get<ui::PictureBox>("picfield")->image(); }
};

// The letters a solution covers, from its first cell to its last.
QString lettersOf(const Puzzle& p, const Solution& s) {
    const int dx = s.x2 > s.x1 ? 1 : s.x2 < s.x1 ? -1 : 0;
    const int dy = s.y2 > s.y1 ? 1 : s.y2 < s.y1 ? -1 : 0;
    QString text;
    for (int x = s.x1, y = s.y1;; x += dx, y += dy) {
        text += QChar(p.letterAt(x, y));
        if (x == s.x2 && y == s.y2) break;
    }
    return text;
}

}  // namespace

class TestBadInput : public QObject {
    Q_OBJECT
  private slots:
    void oddTextInTheSizeBox() {
        for (const testing::BadText& bad : testing::badFieldTexts()) {
            Creator c;
            c.box("txtfield")->setText("cat");
            c.click("cmdAdd");
            c.click("cmdDraw");
            const QImage before = c.picture();
            c.box("txtSize")->setText(bad.text);
            c.click("cmdDraw");
            const std::optional<int> size = sizeFromText(bad.text, 450);
            if (size) {
                // Built at the size the text begins with ("cat" may then be too long).
                QVERIFY2(!c.dialogs.informationTexts().contains(
                             "The size must be a whole number from 1 to 450."),
                         qPrintable(bad.name));
                QCOMPARE(c.form.puzzle().size(), *size);
            } else {
                QCOMPARE(c.dialogs.informationTexts(),
                         QStringList{"The size must be a whole number from 1 to 450."});
                QCOMPARE(c.picture(), before);
            }
        }
    }

    void oddTextPastedIntoTheWordField() {
        Creator c;
        for (const testing::BadText& bad : testing::badFieldTexts()) {
            c.box("txtfield")->insert(bad.text);
            const QString kept = c.box("txtfield")->text();
            QVERIFY2(kept.isEmpty() || kept.back().isLetter(), qPrintable(bad.name));
            c.click("cmdAdd");
            QVERIFY(c.box("txtfield")->text().isEmpty() || kept.size() < 2);
            c.box("txtfield")->clear();
        }
        c.box("txtSize")->setText("12");
        c.click("cmdDraw");  // whatever was added builds or is reported
        QVERIFY(c.driver.get<QPushButton>("cmdDraw")->isEnabled());
    }

    // A word file that cannot be read gets one message; any file that can be read fills the
    // list with what its lines give, each entry at most once.
    void oddWordFiles() {
        QTemporaryDir dir;
        for (const testing::BadFile& bad :
             testing::badReaderFiles(dir.path(), {"cat", "dog", "cat", "emu"})) {
            Creator c;
            c.form.openWordFile(bad.path);
            QCOMPARE(c.dialogs.informationTexts().size(), bad.readable ? 0 : 1);
            if (!bad.readable) QCOMPARE(c.entries(), 0);
            if (bad.name.contains("line ends") || bad.name.contains("only"))
                QVERIFY2(c.entries() == 3, qPrintable(bad.name));
            QVERIFY2(c.entries() <= 1000, qPrintable(bad.name));
        }
    }

    void aCyrillicPuzzle() {
        Creator c;
        for (const QString& word : {u"жук"_qs, u"ёлка"_qs, u"κάστρο"_qs, u"Été"_qs}) {
            c.box("txtfield")->insert(word);  // typed through an input method
            QTest::keyClick(c.box("txtfield"), Qt::Key_Return);
        }
        QCOMPARE(c.entries(), 4);
        c.box("txtSize")->setText("8");
        c.click("cmdDraw");
        QVERIFY(c.dialogs.informationTexts().isEmpty());
        const QList<Solution>& solutions = c.form.puzzle().solutions();
        QCOMPARE(solutions.size(), 4);
        QStringList spelled;
        for (const Solution& s : solutions)
            spelled << lettersOf(c.form.puzzle(), s);
        // Each word lies in the grid in capitals, read from its first or its last cell.
        const QStringList words = {u"ЖУК"_qs, u"ЁЛКА"_qs, u"ΚΆΣΤΡΟ"_qs, u"ÉTÉ"_qs};
        for (int i = 0; i < 4; ++i)
            QVERIFY2(spelled[i] == words[i] || core::reversed(spelled[i]) == words[i],
                     qPrintable(spelled[i]));
    }
};

QTEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
