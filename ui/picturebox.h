#pragma once

#include <QFont>
#include <QFrame>
#include <QImage>
#include <QPainter>

#include "core/colour.h"

namespace ui {

// Drawing operations of a picture box, in pixels with (0, 0) at the top-left inner corner.
// Lines and text use ForeColor; a filled box uses FillColor inside and ForeColor for its
// outline. Print leaves CurrentX, CurrentY after the printed text, as the box's own pen does.
class Surface {
  public:
    virtual ~Surface() = default;

    // The size in pixels that drawings read as the surface's. A picture box gives its outer
    // size, border included, so less than this shows when it has a border.
    virtual int width() const = 0;
    virtual int height() const = 0;

    // Fills the whole surface with the background colour; CurrentX = CurrentY = 0.
    virtual void Cls() = 0;
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    // A box from (x1, y1) to (x2, y2), both corners inside, filled and outlined.
    virtual void Box(int x1, int y1, int x2, int y2) = 0;
    virtual void Print(const QString& text) = 0;
    // The size of text in the current font, in pixels.
    virtual double TextWidth(const QString& text) const = 0;
    virtual double TextHeight(const QString& text) const = 0;

    double CurrentX = 0;
    double CurrentY = 0;
    core::Colour ForeColor = core::kBlack;
    core::Colour FillColor = core::kBlack;
    core::Colour BackColor = core::kWhite;

    void setFontSize(double points);
    double fontSize() const { return font_.pointSizeF(); }
    void setFont(const QFont& font) { font_ = font; }
    const QFont& font() const { return font_; }

  protected:
    QFont font_;
};

// A Surface over any QPaintDevice: an image, a PDF or SVG generator, a printer. The painter
// must be active for the life of the surface. Lines are one unit wide, so a picture drawn under
// a scaling transform keeps its proportions.
class PainterSurface : public Surface {
  public:
    PainterSurface(QPainter* painter, int width, int height)
        : painter_(painter), width_(width), height_(height) {}

    // Sizes fonts given in points as on a device of dpi dots per inch, whatever the painter's
    // device, so text keeps its size against the lines on a device of another resolution.
    // 0, the default, uses the device's own resolution.
    void setFontDpi(int dpi) { fontDpi_ = dpi; }

    int width() const override { return width_; }
    int height() const override { return height_; }
    void Cls() override;
    void Line(int x1, int y1, int x2, int y2) override;
    void Box(int x1, int y1, int x2, int y2) override;
    void Print(const QString& text) override;
    double TextWidth(const QString& text) const override;
    double TextHeight(const QString& text) const override;

  private:
    // The font as the device must get it for the resolution chosen with setFontDpi.
    QFont deviceFont() const;

    QPainter* painter_;
    int width_;
    int height_;
    int fontDpi_ = 0;
};

// The retained drawing surface of a window: everything drawn goes into an off-screen image,
// which the widget paints, so the picture survives covering. Drawing shows at the next
// repaint; Refresh shows it at once. A frame style (none by default) gives the box a border
// inside its rectangle: drawing then starts at the border's inner top-left corner, and what
// falls under or beyond the border is clipped.
class PictureBox : public QFrame, public Surface {
    Q_OBJECT
  public:
    explicit PictureBox(QWidget* parent = nullptr);

    int width() const override { return QWidget::width(); }
    int height() const override { return QWidget::height(); }
    void Cls() override;
    void Line(int x1, int y1, int x2, int y2) override;
    void Box(int x1, int y1, int x2, int y2) override;
    void Print(const QString& text) override;
    double TextWidth(const QString& text) const override;
    double TextHeight(const QString& text) const override;
    void Refresh();

    // The retained picture, one image pixel per logical pixel: the part inside the border.
    const QImage& image() const;

  signals:
    // Mouse events with the position in the drawing's pixels and the pressed buttons.
    void mousePressed(Qt::MouseButtons buttons, double x, double y);
    void mouseMoved(Qt::MouseButtons buttons, double x, double y);
    void mouseReleased(Qt::MouseButtons buttons, double x, double y);

  protected:
    // The picture, with a focus frame while the box has the keyboard focus.
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    template <typename Draw>
    void drawOnImage(Draw draw);

    // Keeps the image as large as the inside of the box; new area shows the background colour.
    void syncImageSize() const;
    // The mouse position in the drawing's pixels.
    QPointF drawingPoint(const QMouseEvent* event) const;

    mutable QImage image_;
};

}  // namespace ui
