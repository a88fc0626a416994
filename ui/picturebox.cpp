#include "picturebox.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPaintEvent>

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

template <typename Draw>
void PictureBox::drawOnImage(Draw draw) {
    syncImageSize();
    QPainter painter(&image_);
    PainterSurface surface(&painter, image_.width(), image_.height());
    surface.setCurrentX(currentX_);
    surface.setCurrentY(currentY_);
    surface.setForeColour(foreColour_);
    surface.setFillColour(fillColour_);
    surface.setBackColour(backColour_);
    surface.setFont(font_);
    draw(surface);
    currentX_ = surface.currentX();
    currentY_ = surface.currentY();
    update();
}

void PictureBox::clear() {
    drawOnImage([](Surface& s) { s.clear(); });
}

void PictureBox::line(int x1, int y1, int x2, int y2) {
    drawOnImage([=](Surface& s) { s.line(x1, y1, x2, y2); });
}

void PictureBox::box(int x1, int y1, int x2, int y2) {
    drawOnImage([=](Surface& s) { s.box(x1, y1, x2, y2); });
}

void PictureBox::print(const QString& text) {
    drawOnImage([&](Surface& s) { s.print(text); });
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
    painter.drawImage(shown, image_, shown.translated(-inside.topLeft()));
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

void PictureBox::syncImageSize() const {
    const QSize wanted = contentsRect().size().expandedTo(QSize(1, 1));
    if (image_.size() == wanted) return;
    QImage resized(wanted, QImage::Format_RGB32);
    resized.fill(toQColor(backColour_));
    if (!image_.isNull()) {
        QPainter painter(&resized);
        painter.drawImage(0, 0, image_);
    }
    image_ = resized;
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
