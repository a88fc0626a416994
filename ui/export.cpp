#include "export.h"

#include <algorithm>
#include <cmath>

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
#include <QSvgGenerator>
#include <QTimer>

#include "core/textfile.h"
#include "geometry.h"
#include "picturebox.h"
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
// to its exported size, and frames it at that size's edge.
void drawPicture(QPainter& painter, const Picture& picture) {
    const QSize size = picture.size.expandedTo(QSize(1, 1));
    const QSize shown = exportedSize(picture);
    painter.save();
    painter.setClipRect(QRect(QPoint(0, 0), shown));
    PainterSurface surface(&painter, size.width(), size.height());
    surface.setFontDpi(picture.fontDpi);
    surface.setFont(picture.font);
    surface.setForeColour(picture.foreColor);
    surface.setFillColour(picture.fillColor);
    surface.setBackColour(picture.backColor);
    if (picture.draw) picture.draw(surface);
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

// QSvgGenerator gives the size in millimetres, rounded, and renderers turn that back into one
// pixel more or less. This gives the root element's width and height in pixels instead.
QByteArray withPixelSize(const QByteArray& svg, QSize size) {
    const qsizetype start = svg.indexOf("<svg");
    const qsizetype end = start < 0 ? -1 : svg.indexOf('>', start);
    if (end < 0) return svg;
    QString root = QString::fromUtf8(svg.mid(start, end - start));
    const auto setLength = [&root](const QString& name, int pixels) {
        const QRegularExpression attribute(QStringLiteral("(?<=\\s)%1=\"[^\"]*\"").arg(name));
        root.replace(attribute, QStringLiteral("%1=\"%2\"").arg(name).arg(pixels));
    };
    setLength(QStringLiteral("width"), size.width());
    setLength(QStringLiteral("height"), size.height());
    return svg.left(start) + root.toUtf8() + svg.mid(end);
}

QString nativePath(const QString& path) {
    return QDir::toNativeSeparators(path);
}

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

QImage renderImage(const Picture& picture, int scale) {
    scale = std::max(1, scale);
    const QSize size = exportedSize(picture);
    QImage image(size * scale, QImage::Format_RGB32);
    image.setDotsPerMeterX(image.dotsPerMeterX() * scale);
    image.setDotsPerMeterY(image.dotsPerMeterY() * scale);
    image.fill(toQColor(picture.backColor));
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    drawPicture(painter, picture);
    return image;
}

QByteArray pngBytes(const Picture& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!renderImage(picture, kPngScale).save(&buffer, "PNG")) return {};
    return bytes;
}

QByteArray svgBytes(const Picture& picture, const QString& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QSize size = exportedSize(picture);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setResolution(picture.fontDpi);
    generator.setTitle(title);
    QPainter painter;
    if (!painter.begin(&generator)) return {};
    drawPicture(painter, picture);
    painter.end();
    return withPixelSize(bytes, size);
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
    if (QFileInfo(target.path).isFile()) {
        const QString text = QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                 .arg(nativePath(target.path));
        if (dialogs().question(parent, text, programTitle()) != Answer::Yes) return;
    }

    QString error;
    {
        const BusyCursor busy;
        const QByteArray bytes = encode(page, target);
        error = bytes.isEmpty() ? QStringLiteral("The picture could not be drawn.")
                                : core::writeFileAtomically(target.path, bytes);
    }
    if (error.isEmpty()) return;
    dialogs().information(parent,
                          QStringLiteral("The picture could not be saved:\n%1\n\n%2")
                              .arg(nativePath(target.path), error),
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
                    .arg(nativePath(printer.outputFileName()));
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
