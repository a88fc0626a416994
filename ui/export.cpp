#include "export.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QCollator>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTimer>

#include "core/textfile.h"
#include "geometry.h"
#include "picturebox.h"
#include "pngwriter.h"
#include "services.h"

namespace ui {

namespace {

// The page margins of documents, in millimetres.
constexpr double kMarginMm = 15;
// The size of the word list's letters on paper, in points.
constexpr double kWordPoints = 11;
constexpr int kMaxWordColumns = 4;
// A picture may shrink to this share of the page width to make room for its words; words
// that still find no room go on to further pages.
constexpr double kMinPictureShare = 0.6;

struct FormatName {
    PictureFormat format;
    const char* suffix;
};
constexpr FormatName kFormats[] = {
    {PictureFormat::Png, "png"}, {PictureFormat::Svg, "svg"}, {PictureFormat::Pdf, "pdf"}};

// Draws the picture at its own size on painter, whose transform places and scales it, clipped
// to its exported size, and frames it at that size's edge. On an image large batches of letters
// are blended on two threads unless oneThread.
void drawPicture(QPainter& painter, const Picture& picture, bool oneThread = false) {
    const QSize size = picture.size.expandedTo(QSize(1, 1));
    const QSize shown = exportedSize(picture);
    painter.save();
    painter.setClipRect(QRect(QPoint(0, 0), shown));
    PainterSurface surface(&painter, size.width(), size.height());
    surface.setFontDpi(picture.fontDpi);
    surface.batchLetters();
    if (!oneThread) surface.blendLettersOnTwoThreads();
    surface.setFont(picture.font);
    surface.setForeColour(picture.foreColor);
    surface.setFillColour(picture.fillColor);
    surface.setBackColour(picture.backColor);
    if (picture.draw) picture.draw(surface);
    surface.flushGlyphs();
    // On screen the box's border, or the window around it, shows where the picture ends; on
    // paper a frame does.
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0.5, 0.5, shown.width() - 1, shown.height() - 1));
    painter.restore();
}

QStringList alphabetical(QStringList words) {
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    std::stable_sort(words.begin(), words.end(), [&collator](const QString& a, const QString& b) {
        return collator.compare(a, b) < 0;
    });
    return words;
}

// Paints one page, and any pages its words continue on.
void paintPage(QPainter& painter, QPagedPaintDevice& device, const DocumentPage& page) {
    const double width = device.width();
    const double height = device.height();
    const QSize size = exportedSize(page.picture);
    const QStringList words = alphabetical(page.words);

    QFont wordFont = page.picture.font;
    wordFont.setPointSizeF(kWordPoints);
    const QFontMetricsF metrics(wordFont, &device);
    const double line = metrics.lineSpacing();
    const double columnGap = metrics.horizontalAdvance(QStringLiteral("MM"));
    double widest = 0;
    for (const QString& word : words)
        widest = std::max(widest, metrics.horizontalAdvance(word));
    const int columns =
        words.isEmpty()
            ? 1
            : int(std::clamp<double>(std::floor((width + columnGap) / (widest + columnGap)), 1,
                                     kMaxWordColumns));
    const qsizetype rows = (words.size() + columns - 1) / columns;
    const double wordsHeight = rows > 0 ? line * double(rows + 1) : 0;  // a line's gap above

    double scale = std::min(width / size.width(), height / size.height());
    if (size.height() * scale + wordsHeight > height)
        scale = std::max(scale * kMinPictureShare, (height - wordsHeight) / size.height());
    painter.save();
    painter.translate((width - size.width() * scale) / 2, 0);
    painter.scale(scale, scale);
    drawPicture(painter, page.picture);
    painter.restore();

    // The words, column by column in each page's share of them.
    painter.save();
    painter.setFont(wordFont);
    painter.setPen(Qt::black);
    const double columnWidth = width / columns;
    const double indent = std::max(0.0, (columnWidth - widest) / 2);
    double top = size.height() * scale + line;
    qsizetype next = 0;
    while (next < words.size()) {
        qsizetype rowsHere = qsizetype(std::floor((height - top) / line));
        if (rowsHere < 1 && top > 0) {
            device.newPage();
            top = 0;
            continue;
        }
        rowsHere = std::max<qsizetype>(rowsHere, 1);  // a page lower than a line still gets one
        const qsizetype count = std::min(words.size() - next, rowsHere * columns);
        rowsHere = std::min(rowsHere, (count + columns - 1) / columns);
        for (qsizetype i = 0; i < count; ++i) {
            const double x = double(i / rowsHere) * columnWidth + indent;
            const double y = top + double(i % rowsHere) * line + metrics.ascent();
            painter.drawText(QPointF(x, y), metrics.elidedText(words[next + i], Qt::ElideRight,
                                                               columnWidth - columnGap / 2));
        }
        next += count;
        top = height;  // the next share starts a new page
    }
    painter.restore();
}

// The busy cursor for as long as it lives: a large puzzle takes seconds to encode or print.
class BusyCursor {
  public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// A number for an SVG attribute: at most two decimals, no trailing zeros.
QString svgNumber(double value) {
    QString text = QString::number(value, 'f', 2);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.')) text.chop(1);
    return text == QStringLiteral("-0") ? QStringLiteral("0") : text;
}

QString svgColour(core::Colour c) {
    return toQColor(c).name();
}

QString xmlEscaped(const QString& text) {
    return text.toHtmlEscaped();
}

// A Surface that writes SVG by hand, compactly: all lines of one colour form one path, letters
// printed on one baseline in one colour and font form one text element with a position for
// each letter, and text stays text. Lines are offset by half a pixel, so that a one-pixel line
// covers the pixel row or column it names, as on screen, instead of half of two.
class SvgSurface final : public Surface {
  public:
    SvgSurface(QSize size, int fontDpi) : size_(size) {
        measuringDevice_.setDotsPerMeterX(qRound(fontDpi / 0.0254));
        measuringDevice_.setDotsPerMeterY(qRound(fontDpi / 0.0254));
    }

    int width() const override { return size_.width(); }
    int height() const override { return size_.height(); }

    void clear() override {
        flushAll();
        body_ += QStringLiteral("<rect width=\"%1\" height=\"%2\" fill=\"%3\"/>\n")
                     .arg(size_.width())
                     .arg(size_.height())
                     .arg(svgColour(backColour_));
        currentX_ = currentY_ = 0;
    }
    void line(int x1, int y1, int x2, int y2) override {
        flushText();
        if (!lines_.isEmpty() && lineColour_ != foreColour_) flushLines();
        lineColour_ = foreColour_;
        lines_ += QStringLiteral("M%1 %2L%3 %4")
                      .arg(svgNumber(x1 + 0.5), svgNumber(y1 + 0.5), svgNumber(x2 + 0.5),
                           svgNumber(y2 + 0.5));
        currentX_ = x2;
        currentY_ = y2;
    }
    void box(int x1, int y1, int x2, int y2) override {
        flushAll();
        const QRect r = QRect(QPoint(x1, y1), QPoint(x2, y2)).normalized();
        body_ += QStringLiteral(
                     "<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"%5\"/>\n"
                     "<rect x=\"%6\" y=\"%7\" width=\"%8\" height=\"%9\" fill=\"none\" ")
                     .arg(r.x())
                     .arg(r.y())
                     .arg(r.width())
                     .arg(r.height())
                     .arg(svgColour(fillColour_))
                     .arg(svgNumber(r.x() + 0.5), svgNumber(r.y() + 0.5), svgNumber(r.width() - 1),
                          svgNumber(r.height() - 1)) +
                 QStringLiteral("stroke=\"%1\"/>\n").arg(svgColour(foreColour_));
        currentX_ = x2;
        currentY_ = y2;
    }
    void print(const QString& text) override {
        flushLines();
        const QFontMetricsF& m = metrics();
        const double baseline = currentY_ + m.ascent();
        const QString style = textStyle();
        const bool joins = !letters_.isEmpty() && textStyleOfRun_ == style &&
                           textBaseline_ == baseline && text.size() == 1;
        if (!joins) flushText();
        if (text.size() == 1) {
            textStyleOfRun_ = style;
            textBaseline_ = baseline;
            letters_ += text;
            xs_ << svgNumber(currentX_);
        } else {
            body_ += QStringLiteral("<text x=\"%1\" y=\"%2\" %3>%4</text>\n")
                         .arg(svgNumber(currentX_), svgNumber(baseline), style, xmlEscaped(text));
        }
        currentX_ += advance(text);
    }
    double textWidth(const QString& text) const override { return advance(text); }
    double textHeight(const QString&) const override { return metrics().height(); }

    // The document so far, closed. size is the part shown, from (0, 0).
    QByteArray document(QSize shown, const QString& title) {
        flushAll();
        QString svg = QStringLiteral(
                          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" "
                          "width=\"%1\" height=\"%2\" viewBox=\"0 0 %1 %2\">\n"
                          "<title>%3</title>\n")
                          .arg(shown.width())
                          .arg(shown.height())
                          .arg(xmlEscaped(title));
        svg += body_;
        // On paper and in files a frame shows where the picture ends.
        svg += QStringLiteral(
                   "<rect x=\"0.5\" y=\"0.5\" width=\"%1\" height=\"%2\" fill=\"none\" "
                   "stroke=\"#000000\"/>\n</svg>\n")
                   .arg(shown.width() - 1)
                   .arg(shown.height() - 1);
        return svg.toUtf8();
    }

  private:
    const QFontMetricsF& metrics() const { return measures_.metrics(font_, &measuringDevice_); }
    double advance(const QString& text) const {
        return measures_.advance(font_, &measuringDevice_, text);
    }
    // The text attributes: font and colour, with sizes in the picture's pixels.
    QString textStyle() const {
        const double pixels = font_.pointSizeF() > 0
                                  ? font_.pointSizeF() * measuringDevice_.logicalDpiY() / 72.0
                                  : font_.pixelSize();
        QString style =
            QStringLiteral("font-family=\"%1\" font-size=\"%2\" fill=\"%3\"")
                .arg(xmlEscaped(font_.family()), svgNumber(pixels), svgColour(foreColour_));
        if (font_.bold()) style += QStringLiteral(" font-weight=\"bold\"");
        if (font_.italic()) style += QStringLiteral(" font-style=\"italic\"");
        return style;
    }
    void flushLines() {
        if (lines_.isEmpty()) return;
        body_ += QStringLiteral("<path d=\"%1\" fill=\"none\" stroke=\"%2\"/>\n")
                     .arg(lines_, svgColour(lineColour_));
        lines_.clear();
    }
    void flushText() {
        if (letters_.isEmpty()) return;
        body_ += QStringLiteral("<text x=\"%1\" y=\"%2\" %3 xml:space=\"preserve\">%4</text>\n")
                     .arg(xs_.join(u' '), svgNumber(textBaseline_), textStyleOfRun_,
                          xmlEscaped(letters_));
        letters_.clear();
        xs_.clear();
    }
    void flushAll() {
        flushLines();
        flushText();
    }

    QSize size_;
    QImage measuringDevice_{1, 1, QImage::Format_RGB32};
    mutable FontMeasures measures_;
    QString body_;
    QString lines_;
    core::Colour lineColour_ = core::kBlack;
    QString letters_;
    QStringList xs_;
    QString textStyleOfRun_;
    double textBaseline_ = 0;
};

}  // namespace

Picture pictureOf(const PictureBox& box, std::function<void(Surface&)> draw) {
    Picture picture;
    picture.size = box.size().expandedTo(QSize(1, 1));
    picture.font = box.Surface::font();
    picture.fontDpi = box.image().logicalDpiY();
    picture.foreColor = box.foreColour();
    picture.fillColor = box.fillColour();
    picture.backColor = box.backColour();
    picture.draw = std::move(draw);
    return picture;
}

QSize exportedSize(const Picture& picture) {
    const QSize size = picture.size.expandedTo(QSize(1, 1));
    return picture.extent.isEmpty() ? size : picture.extent.boundedTo(size);
}

QImage renderImage(const Picture& picture, int scale, bool oneThread) {
    scale = std::max(1, scale);
    const QSize size = exportedSize(picture);
    QImage image(size * scale, QImage::Format_RGB32);
    image.setDotsPerMeterX(image.dotsPerMeterX() * scale);
    image.setDotsPerMeterY(image.dotsPerMeterY() * scale);
    image.fill(toQColor(picture.backColor));
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    drawPicture(painter, picture, oneThread);
    return image;
}

QByteArray pngBytes(const Picture& picture) {
    return pngFile(renderImage(picture, kPngScale));
}

QByteArray svgBytes(const Picture& picture, const QString& title) {
    const QSize size = picture.size.expandedTo(QSize(1, 1));
    SvgSurface surface(size, picture.fontDpi);
    surface.setFont(picture.font);
    surface.setForeColour(picture.foreColor);
    surface.setFillColour(picture.fillColor);
    surface.setBackColour(picture.backColor);
    if (picture.draw) picture.draw(surface);
    return surface.document(exportedSize(picture), title);
}

QByteArray pdfBytes(const Document& document, const QString& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setTitle(title);
    writer.setCreator(programTitle());
    const bool letter = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    writer.setPageLayout(QPageLayout(
        QPageSize(letter ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
        QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&writer)) return {};
    paintDocument(painter, writer, document);
    if (!painter.end()) return {};
    return bytes;
}

void paintDocument(QPainter& painter, QPagedPaintDevice& device, const Document& document) {
    for (qsizetype i = 0; i < document.size(); ++i) {
        if (i > 0) device.newPage();
        paintPage(painter, device, document[i]);
    }
}

QString pictureFilter() {
    return QStringLiteral("PNG image (*.png);;SVG image (*.svg);;PDF document (*.pdf)");
}

ExportTarget exportTarget(const SavedFile& chosen) {
    const QString suffix = QFileInfo(chosen.path).suffix();
    for (const FormatName& f : kFormats) {
        if (suffix.compare(QLatin1String(f.suffix), Qt::CaseInsensitive) == 0)
            return {chosen.path, f.format};
    }
    FormatName wanted = kFormats[0];
    for (const FormatName& f : kFormats) {
        if (chosen.filter.contains(QStringLiteral("*.") + QLatin1String(f.suffix),
                                   Qt::CaseInsensitive))
            wanted = f;
    }
    return {chosen.path + u'.' + QLatin1String(wanted.suffix), wanted.format};
}

namespace {

// The file's bytes; empty when the picture could not be drawn.
QByteArray encode(const DocumentPage& page, const ExportTarget& target) {
    const QString title = QFileInfo(target.path).completeBaseName();
    switch (target.format) {
        case PictureFormat::Png:
            return pngBytes(page.picture);
        case PictureFormat::Svg:
            return svgBytes(page.picture, title);
        case PictureFormat::Pdf:
            return pdfBytes({page}, title);
    }
    return {};
}

}  // namespace

void copyPicture(const PictureBox& box) {
    QGuiApplication::clipboard()->setImage(box.renderedAt(1));
}

void savePictureAs(QWidget* parent, const QString& dialogTitle, const QString& fileName,
                   const DocumentPage& page) {
    FileRequest request;
    request.title = dialogTitle;
    request.fileName = fileName;
    request.filter = pictureFilter();
    const std::optional<SavedFile> chosen = dialogs().saveFileAs(parent, request);
    if (!chosen || chosen->path.isEmpty()) return;
    const ExportTarget target = exportTarget(*chosen);
    if (!confirmReplace(parent, target.path, programTitle())) return;

    QString error;
    {
        const BusyCursor busy;
        const QByteArray bytes = encode(page, target);
        error = bytes.isEmpty() ? QStringLiteral("The picture could not be drawn.")
                                : core::writeFileAtomically(target.path, bytes);
    }
    if (error.isEmpty()) return;
    reportFileProblem(parent, QStringLiteral("The picture could not be saved"), target.path, error,
                      programTitle());
}

void printDocument(QWidget* parent, const Document& document, const QString& docName) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(docName);
    printer.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                           QPageLayout::Millimeter);
    if (!dialogs().print(parent, printer)) return;
    bool printed = false;
    {
        const BusyCursor busy;
        QPainter painter;
        printed = painter.begin(&printer);
        if (printed) {
            paintDocument(painter, printer, document);
            printed = painter.end();
        }
    }
    if (printed) return;
    QString text = QStringLiteral("The document could not be printed.");
    if (!printer.outputFileName().isEmpty())
        text += QStringLiteral("\n\nThe file %1 could not be written.")
                    .arg(QDir::toNativeSeparators(printer.outputFileName()));
    dialogs().information(parent, text, programTitle());
}

PictureMenu::PictureMenu(PictureBox* box, Trigger trigger)
    : QObject(box), box_(box), trigger_(trigger), menu_(new QMenu(box)) {
    menu_->setObjectName(box->objectName() + QStringLiteral("Menu"));
    // The context-menu key reaches only a box that can have the focus.
    box->setFocusPolicy(Qt::TabFocus);
    box->setContextMenuPolicy(Qt::DefaultContextMenu);
    box->installEventFilter(this);
}

QAction* PictureMenu::addEntry(const QString& text, const char* objectName,
                               std::function<void()> run) {
    QAction* action = menu_->addAction(text);
    action->setObjectName(QString::fromLatin1(objectName));
    action->setEnabled(false);
    connect(action, &QAction::triggered, this, [run = std::move(run)] { run(); });
    return action;
}

void PictureMenu::setEntriesEnabled(bool enabled) {
    for (QAction* action : menu_->actions())
        action->setEnabled(enabled);
}

void PictureMenu::popupAt(QPoint local) {
    const QPoint global = box_->mapToGlobal(local);
    QTimer::singleShot(0, menu_, [menu = menu_, global] { menu->popup(global); });
}

bool PictureMenu::eventFilter(QObject* watched, QEvent* event) {
    if (watched != box_) return QObject::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::ContextMenu: {
            auto* request = static_cast<QContextMenuEvent*>(event);
            request->accept();
            if (trigger_ == Trigger::Platform || request->reason() != QContextMenuEvent::Mouse)
                popupAt(request->pos());
            return true;
        }
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            rightPressed_ = mouse->button() == Qt::RightButton;
            pressedAt_ = mouse->position().toPoint();
            break;
        }
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (trigger_ == Trigger::ReleaseWithoutDrag && rightPressed_ &&
                mouse->button() == Qt::RightButton) {
                rightPressed_ = false;
                const QPoint at = mouse->position().toPoint();
                if ((at - pressedAt_).manhattanLength() < QApplication::startDragDistance())
                    popupAt(at);
            }
            break;
        }
        default:
            break;
    }
    return false;  // the box and the window handle the mouse as ever
}

}  // namespace ui
