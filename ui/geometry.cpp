#include "geometry.h"

#include <algorithm>

#include <QPalette>

namespace ui {

QRect toPixels(const TwipsRect& r) {
    const int left = twipsToPixels(r.left);
    const int top = twipsToPixels(r.top);
    const int right = twipsToPixels(r.left + r.width);
    const int bottom = twipsToPixels(r.top + r.height);
    return QRect(left, top, right - left, bottom - top);
}

std::optional<QPoint> arrowStep(int key) {
    switch (key) {
        case Qt::Key_Left:
            return QPoint(-1, 0);
        case Qt::Key_Right:
            return QPoint(1, 0);
        case Qt::Key_Up:
            return QPoint(0, -1);
        case Qt::Key_Down:
            return QPoint(0, 1);
        default:
            return std::nullopt;
    }
}

void setFixedClientSize(QWidget* window, int widthTwips, int heightTwips) {
    window->setFixedSize(twipsToPixels(widthTwips), twipsToPixels(heightTwips));
}

void widenToFit(QWidget* w, int rightLimit) {
    const int wanted = w->sizeHint().width();
    if (wanted <= w->width()) return;
    w->resize(std::min(wanted, rightLimit - w->x()), w->height());
}

void setTabOrder(std::initializer_list<QWidget*> widgets) {
    QWidget* previous = nullptr;
    for (QWidget* w : widgets) {
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

QColor toQColor(core::Colour c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

core::Colour fromQColor(const QColor& c) {
    return core::rgbColour(c.red(), c.green(), c.blue());
}

void setControlColours(QWidget* w, core::Colour back, core::Colour fore) {
    QPalette p = w->palette();
    p.setColor(QPalette::Base, toQColor(back));
    p.setColor(QPalette::Window, toQColor(back));
    p.setColor(QPalette::Text, toQColor(fore));
    p.setColor(QPalette::WindowText, toQColor(fore));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

}  // namespace ui
