// Pictures leaving the screen: file formats and their choice, the document's pages, the save
// and print flows through the dialog double, and the context menu of a picture box.
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include "exportcheck.h"
#include "testing/scripteddialogs.h"
#include "ui/export.h"
#include "ui/picturebox.h"
#include "ui/pngwriter.h"

using namespace ui;
using namespace core;
using testing::ScriptedDialogs;
using namespace exportcheck;

namespace {

// 100 x 80 pixels: a black grid line, a red diagonal from (10, 10) to (90, 70) and a word.
Picture samplePicture() {
    Picture picture;
    picture.size = QSize(100, 80);
    picture.font = QFont(QStringLiteral("DejaVu Sans"));
    picture.draw = [](Surface& s) {
        s.clear();
        s.line(50, 0, 50, 80);
        s.setForeColour(kRed);
        s.line(10, 10, 90, 70);
        s.setForeColour(kBlack);
        s.setFontSize(10);
        s.setCurrentX(5);
        s.setCurrentY(60);
        s.print(QStringLiteral("Wq"));
    };
    return picture;
}

// Thousands of overlapping letters in rows 2 pixels apart, lines across them before and after.
Picture letterGridPicture(const QString& letters) {
    Picture picture;
    picture.size = QSize(151, 133);
    picture.font = QFont(QStringLiteral("DejaVu Sans"));
    picture.draw = [letters](Surface& s) {
        s.clear();
        for (int k = 0; k < 150; k += 7)
            s.line(k, 0, 150 - k, 133);
        s.setFontSize(7);
        int n = 0;
        for (int y = -3; y < 133; y += 2) {
            s.setCurrentY(y);
            s.setCurrentX(-2 + y % 3);
            for (int x = 0; x < 80; ++x)
                s.print(letters.mid(n++ % letters.size(), 1));
        }
        s.setForeColour(kRed);
        s.line(0, 66, 150, 67);
        s.line(3, 130, 148, 2);
    };
    return picture;
}

// The box around the dark pixels of an image, margin pixels away from its edges (where the
// frame is).
QRect inkBox(const QImage& image, int margin) {
    QRect box;
    for (int y = margin; y < image.height() - margin; ++y)
        for (int x = margin; x < image.width() - margin; ++x)
            if (qGray(image.pixel(x, y)) < 128) box |= QRect(x, y, 1, 1);
    return box;
}

// The filter types of the rows of a PNG file of 8-bit RGB pixels, width x height; {-1} when its
// data does not inflate, with a right checksum, to that many rows.
QSet<int> pngFilters(const QByteArray& png, int width, int height) {
    QByteArray deflated;
    for (qsizetype at = 8; at + 8 <= png.size();) {
        const qsizetype length = qFromBigEndian<quint32>(png.constData() + at);
        if (png.mid(at + 4, 4) == "IDAT") deflated += png.mid(at + 8, length);
        at += length + 12;
    }
    const qsizetype stride = 3 * qsizetype(width) + 1;
    QByteArray size(4, 0);
    qToBigEndian<quint32>(quint32(stride * height), size.data());
    const QByteArray rows = qUncompress(size + deflated);  // checks the Adler-32 sum too
    QSet<int> filters;
    for (qsizetype at = 0; at < rows.size(); at += stride)
        filters << int(rows[at]);
    return rows.size() == stride * height ? filters : QSet<int>{-1};
}

QStringList words(int count) {
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QStringLiteral("WORD%1").arg(i, 3, 10, QChar(u'0'));
    return list;
}

}  // namespace

class TestExport : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("Exporter")); }

    void theFormatFollowsTheExtensionElseTheFilter_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("written");
        QTest::addColumn<int>("format");
        const QString svg = QStringLiteral("SVG image (*.svg)");
        QTest::newRow("extension wins over the filter") << "/t/a.pdf" << svg << "/t/a.pdf" << 2;
        QTest::newRow("extension in capitals") << "/t/a.SVG"
                                               << ""
                                               << "/t/a.SVG" << 1;
        QTest::newRow("no extension: the filter's is added")
            << "/t/key" << svg << "/t/key.svg" << 1;
        QTest::newRow("another extension is kept, the filter's added") << "/t/a.jpg"
                                                                       << "PDF document (*.pdf)"
                                                                       << "/t/a.jpg.pdf" << 2;
        QTest::newRow("nothing tells: PNG") << "/t/pic"
                                            << ""
                                            << "/t/pic.png" << 0;
    }
    void theFormatFollowsTheExtensionElseTheFilter() {
        QFETCH(QString, path);
        QFETCH(QString, filter);
        QFETCH(QString, written);
        QFETCH(int, format);
        const ExportTarget target = exportTarget({path, filter});
        QCOMPARE(target.path, written);
        QCOMPARE(int(target.format), format);
    }

    void pngIsFourTimesTheScreenWithTheRedLine() {
        QImage image;
        QVERIFY(image.loadFromData(pngBytes(samplePicture()), "PNG"));
        QCOMPARE(image.size(), QSize(400, 320));
        const QImage rendered = renderImage(samplePicture(), kPngScale);
        QCOMPARE(image.convertToFormat(QImage::Format_RGB32), rendered);
        QCOMPARE(image.dotsPerMeterX(), rendered.dotsPerMeterX());
        // The diagonal's middle, (50, 40), lies on the black line too; (30, 25) is red only.
        QVERIFY(isRed(image.pixelColor(120, 100)));
        QCOMPARE(image.pixelColor(200, 20), QColor(Qt::black));  // the black line, 4 wide
        QCOMPARE(image.pixelColor(198, 20), QColor(Qt::black));
        QCOMPARE(image.pixelColor(190, 20), QColor(Qt::white));
        QCOMPARE(image.pixelColor(1, 150), QColor(Qt::black));  // the frame
    }

    // Thousands of overlapping letters, blended in two bands of rows at once, with lines
    // drawn across the bands' seam before and after them: every pixel as one painter draws it.
    void lettersOnTwoThreadsKeepEveryPixel_data() {
        QTest::addColumn<QString>("letters");
        QTest::newRow("capitals") << QStringLiteral("AWMQgjy");
        QTest::newRow("other alphabets") << QStringLiteral("ЖЯλΩÆ");
        // A character the font lacks comes from another face: its letters stay with the painter.
        QTest::newRow("a fallback face") << QStringLiteral("A字W");
    }
    void lettersOnTwoThreadsKeepEveryPixel() {
        QFETCH(QString, letters);
        const Picture picture = letterGridPicture(letters);
        const QImage banded = renderImage(picture, 4);
        QVERIFY(banded.height() >= 512);  // so the letters are blended in two bands
        QCOMPARE(banded, renderImage(picture, 4, true));
    }

    // A puzzle's file is about as large as the usual writer makes it at the fastest level.
    void pngFilesAreNoLargerThanUsual() {
        const QImage image = renderImage(letterGridPicture(QStringLiteral("AWMQgjy")), 4);
        QByteArray usual;
        QBuffer buffer(&usual);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(image.save(&buffer, "PNG", 80));
        const qsizetype ours = pngFile(image).size();
        QVERIFY2(ours <= usual.size() * 11 / 10,
                 qPrintable(QStringLiteral("%1 bytes against %2").arg(ours).arg(usual.size())));
    }

    // Each row of these images is read back as written, whichever filter it got.
    void pngFilesKeepEveryPixel_data() {
        QTest::addColumn<QImage>("image");
        QTest::addColumn<QSet<int>>("filters");  // that some rows must get; none when empty
        QRandomGenerator random(7);
        auto noisy = [&random](int width, int height, QImage::Format format) {
            QImage image(width, height, format);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    image.setPixel(x, y, random.generate());
            return image;
        };
        QImage one(1, 1, QImage::Format_RGB32);
        one.fill(QColor(12, 200, 77));
        one.setDotsPerMeterX(1234);
        one.setDotsPerMeterY(5678);
        QTest::newRow("1 x 1") << one << QSet<int>{};
        // Noise (None), and a ramp (Sub) at the end of each of the four parts, repeated (Up)
        // as the next part's first row.
        QImage filtered = noisy(7, 16, QImage::Format_RGB32);
        for (int y = 3; y < 16; y += 4) {
            for (int x = 0; x < 7; ++x) {
                filtered.setPixel(x, y, qRgb(x * 30, 255 - x * 20, x * 3));
                if (y < 15) filtered.setPixel(x, y + 1, filtered.pixel(x, y));
            }
        }
        QTest::newRow("odd width, every filter") << filtered << QSet<int>{0, 1, 2};
        QTest::newRow("fewer rows than parts") << noisy(5, 2, QImage::Format_RGB32) << QSet<int>{};
        QTest::newRow("tall and narrow") << noisy(3, 301, QImage::Format_RGB32) << QSet<int>{};
        QTest::newRow("alpha dropped") << noisy(9, 5, QImage::Format_ARGB32) << QSet<int>{};
    }
    void pngFilesKeepEveryPixel() {
        QFETCH(QImage, image);
        QFETCH(QSet<int>, filters);
        const QByteArray png = pngFile(image);
        QImage read;
        QVERIFY(read.loadFromData(png, "PNG"));
        QCOMPARE(read.format(), QImage::Format_RGB32);
        QCOMPARE(read, image.convertToFormat(QImage::Format_RGB32));
        QCOMPARE(read.dotsPerMeterX(), image.dotsPerMeterX());
        QCOMPARE(read.dotsPerMeterY(), image.dotsPerMeterY());
        const QSet<int> used = pngFilters(png, image.width(), image.height());
        QVERIFY(!used.contains(-1));
        QVERIFY(used.contains(filters));
    }

    // Text keeps its size against the lines at any scale and any device resolution.
    void textScalesWithThePicture() {
        Picture picture = samplePicture();
        picture.draw = [](Surface& s) {
            s.clear();
            s.setFontSize(20);
            s.setCurrentX(10);
            s.setCurrentY(10);
            s.print(QStringLiteral("HHH"));
        };
        const QRect screen = inkBox(renderImage(picture, 1), 2);
        const QRect large = inkBox(renderImage(picture, 4), 8);
        QVERIFY(!screen.isEmpty());
        QVERIFY2(qAbs(large.width() / 4.0 - screen.width()) <= 2,
                 qPrintable(QStringLiteral("%1 vs %2").arg(large.width()).arg(screen.width())));
        QVERIFY(qAbs(large.height() / 4.0 - screen.height()) <= 2);
        QVERIFY(qAbs(large.left() / 4.0 - screen.left()) <= 2);
    }

    void svgIsVectorsWithOneRedLine() {
        const QByteArray svg = svgBytes(samplePicture(), QStringLiteral("Sample"));
        const SvgShapes shapes = svgShapes(svg);
        QVERIFY(shapes.wellFormed);
        QCOMPARE(shapes.red, 1);
        QVERIFY(shapes.texts >= 1);
        QVERIFY(!svg.contains("<image"));
        QVERIFY(svg.contains("viewBox=\"0 0 100 80\""));
        QCOMPARE(svgRenderedSize(svg), QSize(100, 80));  // once 81 high, from a size in mm
    }

    void pdfHoldsTheWordsAsText() {
        if (!havePoppler()) QSKIP("poppler-utils is not installed");
        QTemporaryDir dir;
        const QString path = dir.filePath("doc.pdf");
        const QByteArray pdf = pdfBytes({{samplePicture(), {"zebra", "Apple", "mango"}}}, "Doc");
        QVERIFY(pdf.startsWith("%PDF"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(pdf);
        file.close();
        QCOMPARE(pdfPages(path), 1);
        const QString text = pdfText(path);
        // Alphabetical, whatever the case.
        const qsizetype apple = text.indexOf("Apple"), mango = text.indexOf("mango"),
                        zebra = text.indexOf("zebra");
        QVERIFY2(apple >= 0 && apple < mango && mango < zebra, qPrintable(text));
    }

    // Many words go on under the picture in four columns and then on pages of their own;
    // none is lost.
    void wordsThatFindNoRoomContinueOnNewPages() {
        if (!havePoppler()) QSKIP("poppler-utils is not installed");
        QTemporaryDir dir;
        const QString path = dir.filePath("many.pdf");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(pdfBytes({{samplePicture(), words(400)}, {samplePicture(), {}}}, "Many"));
        file.close();
        const int pages = pdfPages(path);
        QVERIFY2(pages >= 3, qPrintable(QString::number(pages)));
        const QString text = pdfText(path);
        for (const QString& word : words(400))
            QVERIFY2(text.contains(word), qPrintable(word));
        // Four columns, down then across: WORD000 and the first words of three more columns
        // share the first line of words.
        const QString firstLine =
            pdfText(path, true).split(u'\n').filter(QStringLiteral("WORD000")).value(0);
        QCOMPARE(firstLine.count(QStringLiteral("WORD")), 4);
        QVERIFY2(!firstLine.contains(QStringLiteral("WORD001")), qPrintable(firstLine));
    }

    void saveWritesTheChosenFormat() {
        QTemporaryDir dir;
        ScriptedDialogs script;
        script.answerNextSave(dir.filePath("puzzle"), QStringLiteral("SVG image (*.svg)"));
        script.answerNextSave(dir.filePath("puzzle.PNG"), QString());
        savePictureAs(nullptr, "Save Picture As", "Puzzle.png", {samplePicture(), {}});
        savePictureAs(nullptr, "Save Picture As", "Puzzle.png", {samplePicture(), {}});
        QVERIFY(readAll(dir.filePath("puzzle.svg")).contains("<svg"));
        QVERIFY(readAll(dir.filePath("puzzle.PNG")).startsWith("\x89PNG"));
        QCOMPARE(script.shown().first().request.filter, pictureFilter());
        QCOMPARE(script.shown().first().title, QStringLiteral("Save Picture As"));
        QVERIFY(script.unexpected().isEmpty());
        QVERIFY(script.informationTexts().isEmpty());
    }

    void anExistingFileIsReplacedOnlyAfterYes() {
        QTemporaryDir dir;
        const QString path = dir.filePath("old.png");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("keep me");
        file.close();
        ScriptedDialogs script;
        script.answerNextSave(path, QString());
        script.answerNextQuestion(Answer::No);
        savePictureAs(nullptr, "Save", "a.png", {samplePicture(), {}});
        QCOMPARE(readAll(path), QByteArray("keep me"));
        script.answerNextSave(path, QString());
        script.answerNextQuestion(Answer::Yes);
        savePictureAs(nullptr, "Save", "a.png", {samplePicture(), {}});
        QVERIFY(readAll(path).startsWith("\x89PNG"));
        QVERIFY(script.unexpected().isEmpty());
    }

    void aCancelledDialogWritesNothing() {
        QTemporaryDir dir;
        ScriptedDialogs script;
        script.cancelNextSave();
        savePictureAs(nullptr, "Save", "a.png", {samplePicture(), {}});
        script.cancelNextPrint();
        printDocument(nullptr, {{samplePicture(), {}}}, "Doc");
        QVERIFY(QDir(dir.path()).isEmpty());
        QVERIFY(script.informationTexts().isEmpty());
        QVERIFY(script.unexpected().isEmpty());
        QCOMPARE(script.shown().last().kind, QStringLiteral("print"));
        QCOMPARE(script.shown().last().text, QStringLiteral("Doc"));
    }

    // A folder named like a picture, a folder that is a file, a folder that does not exist.
    void aFileThatCannotBeWrittenGetsAMessageAndLeavesNothing() {
        QTemporaryDir dir;
        QVERIFY(QDir().mkdir(dir.filePath("folder.png")));
        QFile plain(dir.filePath("plain"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        ScriptedDialogs script;
        for (const char* name : {"folder.png", "plain/a.pdf", "missing/a.svg"})
            script.answerNextSave(dir.filePath(name), QString());
        for (int i = 0; i < 3; ++i)
            savePictureAs(nullptr, "Save", "a.png", {samplePicture(), {}});
        const QStringList messages = script.informationTexts();
        QCOMPARE(messages.size(), 3);
        QVERIFY(messages[0].startsWith("The picture could not be saved:\n" +
                                       QDir::toNativeSeparators(dir.filePath("folder.png")) +
                                       "\n\n"));
        QVERIFY(messages[1].contains(QDir::toNativeSeparators(dir.filePath("plain/a.pdf"))));
        QCOMPARE(script.shown().last().title, QStringLiteral("Exporter"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 (QStringList{"folder.png", "plain"}));
        QVERIFY(QDir(dir.filePath("folder.png")).isEmpty());
        QCOMPARE(QFileInfo(dir.filePath("plain")).size(), 0);
        QVERIFY(script.unexpected().isEmpty());  // no question for a folder
    }

    void printingToAFileGivesOnePagePerDocumentPage() {
        if (!havePoppler()) QSKIP("poppler-utils is not installed");
        QTemporaryDir dir;
        ScriptedDialogs script;
        script.answerNextPrint(dir.filePath("printed.pdf"));
        printDocument(nullptr, {{samplePicture(), {"alpha", "beta"}}, {samplePicture(), {}}},
                      "Doc");
        QVERIFY(readAll(dir.filePath("printed.pdf")).startsWith("%PDF"));
        QCOMPARE(pdfPages(dir.filePath("printed.pdf")), 2);
        QVERIFY(pdfText(dir.filePath("printed.pdf")).contains("beta"));
        QVERIFY(script.informationTexts().isEmpty());
    }

    void aPrinterThatCannotStartGetsAMessage() {
        ScriptedDialogs script;
        script.answerNextPrint("/nonexistent-folder/x.pdf");
        printDocument(nullptr, {{samplePicture(), {}}}, "Doc");
        QCOMPARE(script.informationTexts().size(), 1);
        QVERIFY(script.informationTexts().first().startsWith("The document could not be printed."));
    }

    void copyPutsTheShownPictureOnTheClipboard() {
        PictureBox box;
        box.resize(30, 20);
        box.setForeColour(kRed);
        box.line(0, 5, 29, 5);
        copyPicture(box);
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), QSize(30, 20));
        QVERIFY(isRed(copied.pixelColor(10, 5)));
    }

    void theMenuOpensOnARightClickWithItsEntriesDisabled() {
        QWidget window;
        auto* box = new PictureBox(&window);
        box->setObjectName("pic");
        box->setGeometry(0, 0, 100, 100);
        PictureMenu menu(box, PictureMenu::Trigger::Platform);
        int runs = 0;
        QAction* copy = menu.addEntry("Copy Picture", "mnuCopyPicture", [&runs] { ++runs; });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(box->findChild<QAction*>("mnuCopyPicture"), copy);
        QVERIFY(!copy->isEnabled());
        QCOMPARE(box->focusPolicy(), Qt::TabFocus);

        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(20, 30),
                                box->mapToGlobal(QPoint(20, 30)));
        QApplication::sendEvent(box, &click);
        QTRY_VERIFY(menu.menu()->isVisible());
        menu.menu()->close();
        menu.setEntriesEnabled(true);
        QVERIFY(copy->isEnabled());
        copy->trigger();
        QCOMPARE(runs, 1);
    }

    // A right drag stays the window's; a right click on one spot, or the menu key, opens it.
    void aMenuAfterAClickLeavesTheRightDragAlone() {
        QWidget window;
        auto* box = new PictureBox(&window);
        box->setGeometry(0, 0, 100, 100);
        PictureMenu menu(box, PictureMenu::Trigger::ReleaseWithoutDrag);
        menu.addEntry("Print...", "mnuPrint", [] {});
        int presses = 0, releases = 0;
        connect(box, &PictureBox::mousePressed, [&presses] { ++presses; });
        connect(box, &PictureBox::mouseReleased, [&releases] { ++releases; });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QContextMenuEvent pressMenu(QContextMenuEvent::Mouse, QPoint(20, 20),
                                    box->mapToGlobal(QPoint(20, 20)));
        QApplication::sendEvent(box, &pressMenu);
        QTest::mousePress(box, Qt::RightButton, {}, QPoint(20, 20));
        QTest::mouseMove(box, QPoint(60, 60));
        QTest::mouseRelease(box, Qt::RightButton, {}, QPoint(60, 60));
        QTest::qWait(20);
        QVERIFY(!menu.menu()->isVisible());
        QCOMPARE(presses, 1);
        QCOMPARE(releases, 1);

        QTest::mousePress(box, Qt::RightButton, {}, QPoint(30, 30));
        QTest::mouseRelease(box, Qt::RightButton, {}, QPoint(30, 30));
        QTRY_VERIFY(menu.menu()->isVisible());
        QCOMPARE(releases, 2);  // the click reached the window as well
        menu.menu()->close();

        QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(50, 50),
                              box->mapToGlobal(QPoint(50, 50)));
        QApplication::sendEvent(box, &key);
        QTRY_VERIFY(menu.menu()->isVisible());
        menu.menu()->close();
    }

    void scriptedSavesTellTheFilterAndPrintsTheirFile() {
        ScriptedDialogs script;
        script.answerNextSave("/tmp/a", "PDF document (*.pdf)");
        script.answerNextSave("/tmp/b");
        const auto first = dialogs().saveFileAs(nullptr, {});
        QVERIFY(first);
        QCOMPARE(first->path, QStringLiteral("/tmp/a"));
        QCOMPARE(first->filter, QStringLiteral("PDF document (*.pdf)"));
        QCOMPARE(dialogs().saveFile(nullptr, {}), std::optional<QString>("/tmp/b"));
        QVERIFY(!dialogs().saveFileAs(nullptr, {}));
        QCOMPARE(script.unexpected(), QStringList{"save"});
        QVERIFY(script.allAnswersUsed());
    }
};

QTEST_MAIN(TestExport)
#include "tst_export.moc"
