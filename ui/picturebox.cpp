#include "picturebox.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPaintEvent>

#include <utility>

#include "geometry.h"

namespace ui {

void Surface::setFontSize(double points) {
    font_.setPointSizeF(points);
}

void PainterSurface::clear() {
    painter_->fillRect(QRect(0, 0, width_, height_), toQColor(backColour_));
    currentX_ = 0;
    currentY_ = 0;
}

void PainterSurface::line(int x1, int y1, int x2, int y2) {
    painter_->setPen(QPen(toQColor(foreColour_), 1));
    painter_->drawLine(x1, y1, x2, y2);
    currentX_ = x2;
    currentY_ = y2;
}

void PainterSurface::box(int x1, int y1, int x2, int y2) {
    const QRect r = QRect(QPoint(x1, y1), QPoint(x2, y2)).normalized();
    painter_->fillRect(r, toQColor(fillColour_));
    painter_->setPen(QPen(toQColor(foreColour_), 1));
    painter_->setBrush(Qt::NoBrush);
    painter_->drawRect(r.adjusted(0, 0, -1, -1));
    currentX_ = x2;
    currentY_ = y2;
}

QFont PainterSurface::deviceFont() const {
    const int deviceDpi = painter_->device()->logicalDpiY();
    if (fontDpi_ <= 0 || deviceDpi <= 0 || font_.pointSizeF() <= 0) return font_;
    QFont font = font_;
    font.setPointSizeF(font_.pointSizeF() * fontDpi_ / deviceDpi);
    return font;
}

void PainterSurface::print(const QString& text) {
    const QFont font = deviceFont();
    painter_->setFont(font);
    painter_->setPen(toQColor(foreColour_));
    const QFontMetricsF metrics(font, painter_->device());
    painter_->drawText(QPointF(currentX_, currentY_ + metrics.ascent()), text);
    currentX_ += metrics.horizontalAdvance(text);
}

double PainterSurface::textWidth(const QString& text) const {
    return QFontMetricsF(deviceFont(), painter_->device()).horizontalAdvance(text);
}

double PainterSurface::textHeight(const QString&) const {
    return QFontMetricsF(deviceFont(), painter_->device()).height();
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
    const QSize logical = image.deviceIndependentSize().toSize();
    PainterSurface surface(&painter, logical.width(), logical.height());
    surface.setCurrentX(op.state.currentX);
    surface.setCurrentY(op.state.currentY);
    surface.setForeColour(op.state.foreColour);
    surface.setFillColour(op.state.fillColour);
    surface.setBackColour(op.state.backColour);
    surface.setFont(op.state.font);
    op.draw(surface);
    currentX_ = surface.currentX();
    currentY_ = surface.currentY();
}

void PictureBox::drawOnImage(std::function<void(Surface&)> draw, bool clears) {
    syncImageSize();
    if (clears) {
        operations_.clear();
        recording_ = true;
    }
    Operation op{{currentX_, currentY_, foreColour_, fillColour_, backColour_, font_},
                 std::move(draw)};
    runOperation(image_, op);
    if (recording_) {
        if (operations_.size() < kMaxRecordedOperations)
            operations_.push_back(std::move(op));
        else
            recording_ = false;
    }
    update();
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
