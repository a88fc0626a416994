// Drawing of a puzzle: the integer geometry of lines and letters, the letter size, and the red
// solution lines, on a recording surface and on a real image.
#include <QImage>
#include <QPainter>
#include <QTest>

#include "core/letters.h"
#include "engine/puzzledrawing.h"

using namespace osterfane;

namespace {

// Records every operation; text measures are fixed so positions can be computed by hand.
class RecordingSurface : public ui::Surface {
  public:
    RecordingSurface(int side, double textWidth, double textHeight)
        : side_(side), textWidth_(textWidth), textHeight_(textHeight) {}

    int width() const override { return side_; }
    int height() const override { return side_; }
    void clear() override { calls << QStringLiteral("Cls"); }
    void line(int x1, int y1, int x2, int y2) override {
        calls << QStringLiteral("Line %1,%2 %3,%4 colour %5")
                     .arg(x1)
                     .arg(y1)
                     .arg(x2)
                     .arg(y2)
                     .arg(foreColour_);
    }
    void box(int, int, int, int) override { calls << QStringLiteral("Box"); }
    void print(const QString& text) override {
        calls << QStringLiteral("Print %1 at %2,%3 size %4")
                     .arg(text)
                     .arg(currentX_)
                     .arg(currentY_)
                     .arg(fontSize());
    }
    double textWidth(const QString&) const override { return textWidth_; }
    double textHeight(const QString&) const override { return textHeight_; }

    QStringList calls;

  private:
    int side_;
    double textWidth_;
    double textHeight_;
};

Puzzle filledPuzzle(int n, const QString& letter) {
    Puzzle p(n);
    p.clearPuzzle(n);
    for (int y = 0; y < n; ++y)
        p.putWord(letter.repeated(n), 0, qint16(y), kRight);
    return p;
}

// Bounding box of the pixels that are not white.
QRect inkBox(const QImage& image, const QRect& area) {
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y) != Qt::white) box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

}  // namespace

class TestDrawing : public QObject {
    Q_OBJECT
  private slots:
    void letterSizes_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("points");
        QTest::newRow("n 1") << 1 << 28;
        QTest::newRow("n 5") << 5 << 20;
        QTest::newRow("n 10") << 10 << 10;
        QTest::newRow("n 11") << 11 << 8;
        QTest::newRow("n 12 reaches the floor") << 12 << 6;
        QTest::newRow("n 450") << 450 << 6;
    }
    void letterSizes() {
        QFETCH(int, n);
        QFETCH(int, points);
        QCOMPARE(letterPointSize(n), points);
    }

    // Lines come vertical then horizontal for each k from 1 to n; nothing is drawn at 0. An
    // export ends at the last line, so its frame lies there: no second line beyond a strip.
    void gridLines_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<QStringList>("firstLines");
        QTest::addColumn<QString>("lastLine");
        QTest::addColumn<int>("extent");
        QTest::newRow("n 10") << 10
                              << QStringList{"Line 45,0 45,450 colour 0",
                                             "Line 0,45 450,45 colour 0"}
                              << "Line 0,450 450,450 colour 0" << 450;
        QTest::newRow("n 1 closes on the edge")
            << 1 << QStringList{"Line 450,0 450,450 colour 0", "Line 0,450 450,450 colour 0"}
            << "Line 0,450 450,450 colour 0" << 450;
        QTest::newRow("n 12 ends at 444")
            << 12 << QStringList{"Line 37,0 37,450 colour 0", "Line 0,37 450,37 colour 0"}
            << "Line 0,444 450,444 colour 0" << 445;
        QTest::newRow("n 13 leaves a strip")
            << 13 << QStringList{"Line 34,0 34,450 colour 0", "Line 0,34 450,34 colour 0"}
            << "Line 0,442 450,442 colour 0" << 443;
    }
    void gridLines() {
        QFETCH(int, n);
        QFETCH(QStringList, firstLines);
        QFETCH(QString, lastLine);
        QFETCH(int, extent);
        RecordingSurface surface(450, 0, 0);
        drawGrid(surface, n);
        QCOMPARE(surface.calls.size(), 2 * n);
        QCOMPARE(surface.calls.mid(0, 2), firstLines);
        QCOMPARE(surface.calls.last(), lastLine);
        QCOMPARE(gridExtent(450, n), extent);
    }

    // X = x*p + p\2 - nearest(tw)\2, Y likewise, with halves rounded to even.
    void letterPositions_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<double>("textWidth");
        QTest::addColumn<double>("textHeight");
        QTest::addColumn<QString>("firstPrint");
        QTest::addColumn<QString>("lastPrint");
        QTest::newRow("n 10, halves round to even")
            << 10 << 7.5 << 12.5 << "Print Q at 18,16 size 10"
            << "Print Q at 423,421 size 10";
        QTest::newRow("n 1") << 1 << 21.0 << 34.4 << "Print Q at 215,208 size 28"
                             << "Print Q at 215,208 size 28";
        QTest::newRow("n 13") << 13 << 5.0 << 9.0 << "Print Q at 15,13 size 6"
                              << "Print Q at 423,421 size 6";
    }
    void letterPositions() {
        QFETCH(int, n);
        QFETCH(double, textWidth);
        QFETCH(double, textHeight);
        QFETCH(QString, firstPrint);
        QFETCH(QString, lastPrint);
        RecordingSurface surface(450, textWidth, textHeight);
        drawContents(surface, filledPuzzle(n, "q"));
        QCOMPARE(surface.calls.size(), n * n);
        QCOMPARE(surface.calls.first(), firstPrint);
        QCOMPARE(surface.calls.last(), lastPrint);
    }

    void neverBuiltCellsShowNothing() {
        RecordingSurface surface(450, 7, 13);
        drawContents(surface, Puzzle(10));
        QVERIFY(surface.calls.isEmpty());
    }

    void solutionLinesRunThroughCellCentres() {
        Puzzle p(10);
        p.clearPuzzle(10);
        p.putWord("abcd", 2, 3, kDownRight);
        p.putWord(core::reversed(u"dog"), 9, 9, kUpRight);
        RecordingSurface surface(450, 7, 13);
        surface.setForeColour(0x123456);
        drawSolution(surface, p);
        QCOMPARE(surface.calls, (QStringList{"Line 112,157 247,292 colour 255",
                                             "Line 427,427 517,337 colour 255"}));
        QCOMPARE(surface.foreColour(), core::kBlack);
    }

    void noSolutionStillLeavesBlack() {
        RecordingSurface surface(450, 7, 13);
        surface.setForeColour(core::kRed);
        drawSolution(surface, Puzzle(10));
        QVERIFY(surface.calls.isEmpty());
        QCOMPARE(surface.foreColour(), core::kBlack);
    }

    // The same drawing on a real 450-pixel image: what a user sees.
    void imageShowsGridLettersAndRedLines() {
        QImage image(450, 450, QImage::Format_RGB32);
        QPainter painter(&image);
        ui::PainterSurface surface(&painter, 450, 450);
        surface.setFont(QFont(QStringLiteral("Tahoma"), 8));
        surface.clear();

        Puzzle p = filledPuzzle(13, "h");
        drawGrid(surface, 13);
        QCOMPARE(image.pixelColor(442, 445), QColor(Qt::black));  // the last line at 442
        QCOMPARE(image.pixelColor(445, 445), QColor(Qt::white));  // the strip beyond the grid
        QCOMPARE(image.pixelColor(0, 100), QColor(Qt::white));    // no line at 0

        surface.clear();
        p = filledPuzzle(10, "h");
        drawContents(surface, p);
        const QRect ink = inkBox(image, QRect(1, 1, 43, 43));
        QVERIFY(!ink.isEmpty());
        QVERIFY2(qAbs(ink.center().x() - 22) <= 2 && qAbs(ink.center().y() - 22) <= 4,
                 qPrintable(QStringLiteral("letter centred at %1,%2")
                                .arg(ink.center().x())
                                .arg(ink.center().y())));

        p.putWord("abcd", 2, 3, kDownRight);
        drawSolution(surface, p);
        for (const QPoint& point : {QPoint(112, 157), QPoint(180, 225), QPoint(247, 292)}) {
            QCOMPARE(image.pixelColor(point), QColor(255, 0, 0));
        }
    }
};

QTEST_MAIN(TestDrawing)
#include "tst_drawing.moc"
