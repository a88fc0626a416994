#include "picturebox.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QTextLayout>

#include <system_error>
#include <thread>
#include <utility>

#include "geometry.h"

namespace ui {

void Surface::setFontSize(double points) {
    font_.setPointSizeF(points);
}

PainterSurface::~PainterSurface() {
    flushGlyphs();
}

void PainterSurface::flushGlyphs() {
    if (!pending_) return;
    QGlyphRun run;
    run.setRawFont(pending_->font);
    run.setGlyphIndexes(pending_->indexes);
    run.setPositions(pending_->positions);
    painter_->setPen(pending_->colour);
    if (!twoThreads_ || !blendInTwoBands(run, pending_->deviceFont, pending_->colour))
        painter_->drawGlyphRun(QPointF(0, 0), run);
    pending_.reset();
}

bool PainterSurface::blendInTwoBands(const QGlyphRun& run, const QFont& font,
                                     const QColor& colour) {
    // Below these a second thread costs more than it saves.
    constexpr qsizetype kMinGlyphs = 4096;
    constexpr int kMinRows = 256;
    QPaintDevice* device = painter_->device();
    if (!device || device->devType() != QInternal::Image || run.glyphIndexes().size() < kMinGlyphs)
        return false;
    auto* image = static_cast<QImage*>(device);
    if (image->height() < 2 * kMinRows || image->depth() != 32) return false;

    // The lower band is a second image over the same pixels, painted with the painter's
    // transform and clip and its rows alone. Its thread loads the font for itself: font
    // engines are not shared between threads. Clipping to whole rows of pixels changes no
    // pixel of a letter, as the letters' positions stay as they are.
    const int split = image->height() / 2;
    const QRect lower(0, split, image->width(), image->height() - split);
    uchar* const bits = image->bits();
    const qsizetype bytesPerLine = image->bytesPerLine();
    const QImage::Format format = image->format();
    const QSize size = image->size();
    const QTransform transform = painter_->transform();
    const QPainter::RenderHints hints = painter_->renderHints();
    const std::optional<QRegion> clip =
        painter_->hasClipping() ? std::optional(painter_->clipRegion()) : std::nullopt;
    // Copies of its own for the thread.
    const QRawFont shaped = run.rawFont();
    QGlyphRun lowerRun = run;
    const QFont lowerFont(font, image);  // as the letters' shaping asked for it on this device
    bool drawn = false;
    const auto blendLower = [&] {
        QImage view(bits, size.width(), size.height(), bytesPerLine, format);
        const QRawFont own = QRawFont::fromFont(lowerFont);
        // Another face than the one the letters were shaped in (a fallback for a character
        // the font lacks): the painter draws the band after all.
        if (own.familyName() != shaped.familyName() || own.styleName() != shaped.styleName() ||
            own.pixelSize() != shaped.pixelSize() ||
            own.hintingPreference() != shaped.hintingPreference())
            return;
        lowerRun.setRawFont(own);
        QPainter painter(&view);
        painter.setRenderHints(hints);
        painter.setClipRect(lower);
        painter.setTransform(transform);
        if (clip) painter.setClipRegion(*clip, Qt::IntersectClip);
        painter.setPen(colour);
        painter.drawGlyphRun(QPointF(0, 0), lowerRun);
        drawn = true;
    };
    std::thread worker;
    try {
        worker = std::thread(blendLower);
    } catch (const std::system_error&) {
        return false;  // no thread to be had: the painter draws them all
    }
    const auto drawBand = [&](const QRect& band) {
        painter_->save();
        painter_->resetTransform();
        painter_->setClipRect(band, Qt::IntersectClip);
        painter_->setTransform(transform);
        painter_->drawGlyphRun(QPointF(0, 0), run);
        painter_->restore();
    };
    drawBand(QRect(0, 0, size.width(), split));
    worker.join();
    if (!drawn) drawBand(lower);
    return true;
}

void PainterSurface::clear() {
    flushGlyphs();
    painter_->fillRect(QRect(0, 0, width_, height_), toQColor(backColour_));
    currentX_ = 0;
    currentY_ = 0;
}

// On a device of more than one pixel per logical pixel, a one-unit pen centred on a whole
// coordinate would cover half of the logical pixel on either side; half a unit further it
// covers the logical pixel right of and below the coordinate, as a one-pixel line does at 100 %.
QPointF PainterSurface::pixelCentre(int x, int y) const {
    const qreal shift = painter_->device()->devicePixelRatioF() > 1 ? 0.5 : 0;
    return QPointF(x + shift, y + shift);
}

void PainterSurface::line(int x1, int y1, int x2, int y2) {
    flushGlyphs();
    painter_->setPen(QPen(toQColor(foreColour_), 1));
    painter_->drawLine(pixelCentre(x1, y1), pixelCentre(x2, y2));
    currentX_ = x2;
    currentY_ = y2;
}

void PainterSurface::box(int x1, int y1, int x2, int y2) {
    flushGlyphs();
    const QRect r = QRect(QPoint(x1, y1), QPoint(x2, y2)).normalized();
    painter_->fillRect(r, toQColor(fillColour_));
    painter_->setPen(QPen(toQColor(foreColour_), 1));
    painter_->setBrush(Qt::NoBrush);
    painter_->drawRect(
        QRectF(pixelCentre(r.left(), r.top()), QSizeF(r.width() - 1, r.height() - 1)));
    currentX_ = x2;
    currentY_ = y2;
}

const QFont& PainterSurface::deviceFont() const {
    if (deviceFont_ && measuredFont_ == font_) return *deviceFont_;
    measuredFont_ = font_;
    deviceFont_ = font_;
    const int deviceDpi = painter_->device()->logicalDpiY();
    if (fontDpi_ > 0 && deviceDpi > 0 && font_.pointSizeF() > 0)
        deviceFont_->setPointSizeF(font_.pointSizeF() * fontDpi_ / deviceDpi);
    return *deviceFont_;
}

const QFontMetricsF& FontMeasures::metrics(const QFont& font, const QPaintDevice* device) {
    if (!metrics_ || font_ != font) {
        font_ = font;
        metrics_.emplace(font, device);
        advances_.clear();
    }
    return *metrics_;
}

double FontMeasures::advance(const QFont& font, const QPaintDevice* device, const QString& text) {
    const QFontMetricsF& m = metrics(font, device);  // first: a new font forgets the advances
    auto found = advances_.find(text);
    if (found != advances_.end()) return found->second;
    if (advances_.size() >= kMaxTexts) advances_.clear();
    return advances_.emplace(text, m.horizontalAdvance(text)).first->second;
}

const QFontMetricsF& PainterSurface::metrics() const {
    return measures_.metrics(deviceFont(), painter_->device());
}

void PainterSurface::print(const QString& text) {
    const QFont& font = deviceFont();
    if (painterFont_ != font) {
        painter_->setFont(font);
        painterFont_ = font;
        shaped_.clear();
    }
    // Shaped once per text and font: a puzzle prints the same few letters thousands of times,
    // and shaping costs far more than drawing the glyphs.
    auto found = shaped_.find(text);
    if (found == shaped_.end()) {
        if (shaped_.size() >= kMaxShapedTexts) shaped_.clear();
        QTextLayout layout(text, font, painter_->device());
        layout.setCacheEnabled(true);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        found = shaped_.emplace(text, layout.glyphRuns()).first;
    }
    // Batched letters in one font and colour are drawn together, in one glyph run, when the
    // next other drawing comes: a PDF then holds one text object for a whole puzzle's letters,
    // not one per letter, and a raster device blends the same glyphs at the same places.
    const QColor colour = toQColor(foreColour_);
    for (const QGlyphRun& run : found->second) {
        if (pending_ && (pending_->font != run.rawFont() || pending_->colour != colour))
            flushGlyphs();
        if (!pending_) pending_ = PendingGlyphs{run.rawFont(), font, colour, {}, {}};
        pending_->indexes += run.glyphIndexes();
        for (const QPointF& at : run.positions())
            pending_->positions << at + QPointF(currentX_, currentY_);
    }
    if (!batchLetters_) flushGlyphs();
    currentX_ += advance(text);
}

double PainterSurface::advance(const QString& text) const {
    return measures_.advance(deviceFont(), painter_->device(), text);
}

double PainterSurface::textWidth(const QString& text) const {
    return advance(text);
}

double PainterSurface::textHeight(const QString&) const {
    return metrics().height();
}

PictureBox::PictureBox(QWidget* parent) : QFrame(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    font_ = QWidget::font();
}

namespace {

// Past this many drawing operations since the last clear, a box stops recording them: a change
// of screen then enlarges the picture it has instead of drawing it anew.
constexpr size_t kMaxRecordedOperations = 1'000'000;

}  // namespace

void PictureBox::runOperation(QImage& image, const Operation& op) {
    QPainter painter(&image);
    // Drawings read the box's outer size, as they do drawing on the box itself, whatever its
    // border hides; the image is the part inside the border.
    PainterSurface surface(&painter, width(), height());
    surface.setCurrentX(op.state.currentX);
    surface.setCurrentY(op.state.currentY);
    surface.setForeColour(op.state.foreColour);
    surface.setFillColour(op.state.fillColour);
    surface.setBackColour(op.state.backColour);
    surface.setFont(op.state.font);
    if (op.batchLetters) surface.batchLetters();
    op.draw(surface);
    currentX_ = surface.currentX();
    currentY_ = surface.currentY();
}

void PictureBox::drawOnImage(std::function<void(Surface&)> draw, bool clears, bool batch) {
    syncImageSize();
    if (clears) {
        operations_.clear();
        recording_ = true;
    }
    Operation op{{currentX_, currentY_, foreColour_, fillColour_, backColour_, font_},
                 std::move(draw),
                 batch};
    runOperation(image_, op);
    if (recording_) {
        if (operations_.size() < kMaxRecordedOperations)
            operations_.push_back(std::move(op));
        else
            recording_ = false;
    }
    update();
}

void PictureBox::draw(std::function<void(Surface&)> steps) {
    drawOnImage(std::move(steps), false, true);
}

void PictureBox::clear() {
    drawOnImage([](Surface& s) { s.clear(); }, true);
}

void PictureBox::line(int x1, int y1, int x2, int y2) {
    drawOnImage([=](Surface& s) { s.line(x1, y1, x2, y2); });
}

void PictureBox::box(int x1, int y1, int x2, int y2) {
    drawOnImage([=](Surface& s) { s.box(x1, y1, x2, y2); });
}

void PictureBox::print(const QString& text) {
    drawOnImage([text](Surface& s) { s.print(text); });
}

double PictureBox::textWidth(const QString& text) const {
    syncImageSize();
    return QFontMetricsF(font_, &image_).horizontalAdvance(text);
}

double PictureBox::textHeight(const QString&) const {
    syncImageSize();
    return QFontMetricsF(font_, &image_).height();
}

void PictureBox::refresh() {
    repaint();
}

void PictureBox::paintEvent(QPaintEvent* event) {
    syncImageSize();
    QPainter painter(this);
    const QRect inside = contentsRect();
    const QRect shown = event->rect() & inside;
    painter.setClipRect(shown);
    painter.drawImage(inside.topLeft(), image_);
    painter.setClipping(false);
    drawFrame(&painter);
    if (hasFocus()) {  // a dotted edge: the style's focus frame may tint the whole picture
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(inside.adjusted(0, 0, -1, -1));
    }
}

const QImage& PictureBox::image() const {
    syncImageSize();
    return image_;
}

QImage PictureBox::blankImage(qreal ratio) const {
    const QSize logical = contentsRect().size().expandedTo(QSize(1, 1));
    QImage image(logical * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(toQColor(backColour_));
    return image;
}

QImage PictureBox::renderedAt(qreal ratio) const {
    syncImageSize();
    if (ratio == image_.devicePixelRatio()) return image_;
    QImage image = blankImage(ratio);
    auto* self = const_cast<PictureBox*>(this);
    const double x = currentX_, y = currentY_;
    if (recording_) {
        for (const Operation& op : operations_)
            self->runOperation(image, op);
    } else {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(QPointF(0, 0), image.deviceIndependentSize()), image_);
    }
    self->currentX_ = x;
    self->currentY_ = y;
    return image;
}

void PictureBox::syncImageSize() const {
    // Backed at the screen's ratio of device to logical pixels, so letters and lines stay sharp
    // at 125 %, 150 % or 200 %; drawing coordinates stay logical.
    const qreal ratio = devicePixelRatioF();
    const QSize logical = contentsRect().size().expandedTo(QSize(1, 1));
    if (!image_.isNull() && image_.devicePixelRatio() == ratio &&
        image_.deviceIndependentSize().toSize() == logical)
        return;
    auto* self = const_cast<PictureBox*>(this);
    if (!image_.isNull() && image_.devicePixelRatio() != ratio &&
        image_.deviceIndependentSize().toSize() == logical) {
        self->image_ = renderedAt(ratio);  // a screen of another ratio: draw everything anew
        return;
    }
    QImage resized = blankImage(ratio);
    if (!image_.isNull()) {
        QPainter painter(&resized);
        painter.drawImage(QPointF(0, 0), image_);
    }
    self->image_ = resized;
}

QPointF PictureBox::drawingPoint(const QMouseEvent* event) const {
    return event->position() - QPointF(contentsRect().topLeft());
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    const QPointF at = drawingPoint(event);
    emit mousePressed(event->buttons() | event->button(), at.x(), at.y());
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = drawingPoint(event);
    emit mouseMoved(event->buttons(), at.x(), at.y());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF at = drawingPoint(event);
    emit mouseReleased(event->button(), at.x(), at.y());
}

}  // namespace ui
