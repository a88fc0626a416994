#pragma once

#include <initializer_list>
#include <optional>
#include <type_traits>

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

#include "core/colour.h"

namespace ui {

using core::Colour;

// Window designs are laid out in twips; on screen one logical pixel is 15 twips.
inline constexpr int kTwipsPerPixel = 15;

// Converts a length or coordinate in twips to logical pixels, rounding to the nearest pixel.
constexpr int twipsToPixels(int twips) {
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

// A designed rectangle in twips, relative to the control's container.
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// A control as designed: its name (the widget's objectName), its rectangle in twips relative to
// its container, and its caption or first text. Each window keeps one table of these.
struct DesignedControl {
    const char* name;
    TwipsRect rect;
    const char* caption = "";
};

// The rectangle in pixels. Edges are rounded, not sizes, so controls that touch in twips
// still touch on screen.
QRect toPixels(const TwipsRect& r);

// Creates a child control with its designed name and rectangle. Tests find it by name.
template <typename W, typename... Args>
W* createControl(QWidget* parent, const char* name, const TwipsRect& rect, Args&&... args) {
    auto* w = new W(std::forward<Args>(args)..., parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(toPixels(rect));
    return w;
}

// Creates a designed control in its container: its name, its rectangle and, for frames,
// buttons, boxes and labels, its caption when it has one.
template <typename W>
W* createControl(QWidget* parent, const DesignedControl& d) {
    const QString caption = QString::fromUtf8(d.caption);
    if constexpr (std::is_constructible_v<W, QString, QWidget*>) {
        if (!caption.isEmpty()) return createControl<W>(parent, d.name, d.rect, caption);
    }
    return createControl<W>(parent, d.name, d.rect);
}

// Gives a fixed-size window its designed client size in twips.
void setFixedClientSize(QWidget* window, int widthTwips, int heightTwips);

// Widens a label or check box whose caption does not fit its designed width, up to the
// pixel x (in its container) where the next control starts. Designed rectangles assume a
// narrower font than the platform may have; a cut-off caption helps nobody.
void widenToFit(QWidget* w, int rightLimit);

// Sets the keyboard focus order: the widgets in the order listed.
void setTabOrder(std::initializer_list<QWidget*> widgets);

// The step an arrow key makes in a grid of cells: one column (x) or one row (y, down
// positive); nothing for any other key.
std::optional<QPoint> arrowStep(int key);

// Colour values (0x00BBGGRR) to and from Qt colours.
QColor toQColor(core::Colour c);
core::Colour fromQColor(const QColor& c);

// Sets a widget's background and text colours (for text boxes, labels and list boxes).
void setControlColours(QWidget* w, core::Colour back, core::Colour fore);

}  // namespace ui
