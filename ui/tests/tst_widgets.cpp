// The window adapter: designed geometry, colours, the dialog double, the retained surface.
#include <QAccessible>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "testing/scripteddialogs.h"
#include "ui/accessiblegrid.h"
#include "ui/geometry.h"
#include "ui/picturebox.h"
#include "ui/services.h"

using namespace ui;
using namespace core;
using testing::ScriptedDialogs;

class TestWidgets : public QObject {
    Q_OBJECT
  private slots:
    void twipsBecomePixels() {
        QCOMPARE(twipsToPixels(0), 0);
        QCOMPARE(twipsToPixels(15), 1);
        QCOMPARE(twipsToPixels(255), 17);
        QCOMPARE(twipsToPixels(4295), 286);
        QCOMPARE(twipsToPixels(-15), -1);
        // Edges are rounded, so neighbours touch: 120 + 255 ends where the next cell starts.
        QCOMPARE(toPixels({120, 4295, 255, 210}), QRect(8, 286, 17, 14));
        QCOMPARE(toPixels({375, 4295, 255, 210}).left(), 25);
    }

    void controlsCarryTheirDesign() {
        QWidget window;
        auto* button = createControl<QPushButton>(&window, "cmdSearch", {120, 1800, 8055, 375},
                                                  QStringLiteral("Search"));
        QCOMPARE(window.findChild<QPushButton*>("cmdSearch"), button);
        QCOMPARE(button->text(), QStringLiteral("Search"));
        QCOMPARE(button->geometry(), QRect(8, 120, 537, 25));
    }

    void coloursAreBgr() {
        QCOMPARE(toQColor(255), QColor(255, 0, 0));
        QCOMPARE(toQColor(0xFF0000), QColor(0, 0, 255));
        QCOMPARE(fromQColor(QColor(0, 255, 0)), 0x00FF00);
        QCOMPARE(rgbColour(1, 2, 3), 0x030201);
    }

    void scriptedDialogsAnswerInOrder() {
        ScriptedDialogs script;
        QCOMPARE(&dialogs(), static_cast<Dialogs*>(&script));
        script.answerNextOpen("/tmp/a");
        script.cancelNextOpen();
        script.answerNextQuestion(Answer::Yes);
        QCOMPARE(dialogs().openFile(nullptr, {}), std::optional<QString>("/tmp/a"));
        QCOMPARE(dialogs().openFile(nullptr, {}), std::nullopt);
        QCOMPARE(dialogs().question(nullptr, "Overwrite existing file?", "Overwrite"), Answer::Yes);
        dialogs().information(nullptr, "Done", "Title");
        QCOMPARE(script.informationTexts(), QStringList{"Done"});
        QVERIFY(script.unexpected().isEmpty());
        QCOMPARE(dialogs().saveFile(nullptr, {}), std::nullopt);  // nothing queued
        QCOMPARE(script.unexpected(), QStringList{"save"});
        QVERIFY(script.allAnswersUsed());
    }

    void pictureBoxRetainsItsDrawing() {
        PictureBox box;
        box.resize(50, 40);
        box.setBackColour(kWhite);
        box.clear();
        box.setForeColour(kRed);
        box.line(0, 10, 49, 10);
        box.setFillColour(0x00FF00);
        box.setForeColour(kBlack);
        box.box(20, 20, 29, 29);
        const QImage& image = box.image();
        QCOMPARE(image.size(), QSize(50, 40));
        QCOMPARE(image.pixelColor(25, 10), QColor(255, 0, 0));
        QCOMPARE(image.pixelColor(25, 25), QColor(0, 255, 0));
        QCOMPARE(image.pixelColor(20, 25), QColor(0, 0, 0));  // outline
        QCOMPARE(image.pixelColor(5, 5), QColor(255, 255, 255));

        // Covering and showing again repaints from the retained image.
        const QImage shown = box.grab().toImage();
        QCOMPARE(shown.pixelColor(25, 10), QColor(255, 0, 0));

        box.setFontSize(20);
        QVERIFY(box.textWidth("W") > box.textWidth("i"));
        QVERIFY(box.textHeight("W") >= 20);
        box.setCurrentX(2);
        box.setCurrentY(2);
        box.print("A");
        QVERIFY(box.currentX() > 2);
        box.clear();
        QCOMPARE(box.image().pixelColor(25, 10), QColor(255, 255, 255));
    }

    // Run at ratio 1 and, as ui_widgets_test_ratio2, with QT_SCALE_FACTOR=2.
    void pictureBoxIsBackedAtTheScreenRatio() {
        PictureBox box;
        box.resize(60, 40);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        box.Surface::setFont(designFont(20));
        box.clear();
        box.setCurrentX(4);
        box.setCurrentY(2);
        box.print("Wg");
        const qreal ratio = box.devicePixelRatioF();
        QCOMPARE(box.image().size(), QSize(60, 40) * ratio);
        const QImage logical = box.renderedAt(1);
        QCOMPARE(logical.size(), QSize(60, 40));
        if (ratio == 1) QCOMPARE(logical, box.image());
        if (ratio < 2) return;
        // Letter edges have detail below one logical pixel, which no enlargement of the
        // ratio-1 picture has: some 2 x 2 blocks of the backing are not of one colour.
        const QImage two = box.image().convertToFormat(QImage::Format_RGB32);
        int detailed = 0;
        for (int y = 0; y + 1 < two.height(); y += 2)
            for (int x = 0; x + 1 < two.width(); x += 2) {
                const QRgb c = two.pixel(x, y);
                if (two.pixel(x + 1, y) != c || two.pixel(x, y + 1) != c ||
                    two.pixel(x + 1, y + 1) != c)
                    ++detailed;
            }
        QVERIFY2(detailed > 10, qPrintable(QString::number(detailed)));
    }

    void drawnGridsReadAsTables() {
        struct Letters final : GridDescription {
            QString found = "..#...";
            int rows = 2;
            QString gridName() const override { return "Board, 2 by 3"; }
            int rowCount() const override { return rows; }
            int columnCount() const override { return 3; }
            QString cellName(int r, int c) const override {
                return QString("Row %1, column %2, %3")
                    .arg(r + 1)
                    .arg(c + 1)
                    .arg("ABCDEF"[r * 3 + c]);
            }
            QRect cellRect(int r, int c) const override { return QRect(c * 10, r * 10, 10, 10); }
            bool cellFound(int r, int c) const override { return found[r * 3 + c] == '#'; }
            bool cellSelected(int, int) const override { return false; }
        } letters;
        QWidget board;
        describeGridForScreenReaders(&board, &letters);
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&board);
        QVERIFY(table && table->tableInterface());
        QCOMPARE(table->role(), QAccessible::Table);
        QCOMPARE(table->text(QAccessible::Name), "Board, 2 by 3");
        QCOMPARE(table->childCount(), 6);
        QAccessibleInterface* e = table->tableInterface()->cellAt(1, 1);
        QCOMPARE(e->role(), QAccessible::Cell);
        QCOMPARE(e->text(QAccessible::Name), "Row 2, column 2, E");
        QCOMPARE(table->child(4), e);
        QCOMPARE(table->indexOfChild(e), 4);
        QVERIFY(!e->state().checked);
        letters.found = "....#.";
        gridCellsChanged(&board);
        QVERIFY(e->state().checked);
        QCOMPARE(table->tableInterface()->cellAt(1, 1), e);  // the same cell object
        QCOMPARE(table->tableInterface()->cellAt(0, 2)->tableCellInterface()->columnIndex(), 2);
        // A cell a screen reader still holds after the grid shrank asks the description nothing.
        letters.rows = 1;
        letters.found = "";
        QCOMPARE(e->text(QAccessible::Name), QString());
        QVERIFY(!e->state().checked && !e->tableCellInterface()->isSelected());
        letters.rows = 2;
        letters.found = "....#.";

        // Qt passes the alert on only to an active platform screen reader; what it reads out
        // is the description.
        announce(&board, "Found CAT.");
        QCOMPARE(table->text(QAccessible::Description), "Found CAT.");
    }

    void installedFilesLieBesideTheProgramsFolder() {
        QCOMPARE(installedDataFolder("/opt/suite/bin"), "/opt/suite/share");
        QCOMPARE(installedDataFolder("/usr/bin"), "/usr/share");
    }

    void timeOfDayHasSeconds() {
        const QString t = timeOfDayText();
        QVERIFY2(t.count(u':') >= 2 || t.size() >= 8, qPrintable(t));
    }
};

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
