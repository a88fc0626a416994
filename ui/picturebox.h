#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QFrame>
#include <QGlyphRun>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QRawFont>

#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "core/colour.h"

namespace ui {

// Drawing operations of a picture box, in pixels with (0, 0) at the top-left inner corner.
// Lines and text use foreColour_; a filled box uses fillColour_ inside and foreColour_ for its
// outline. Print leaves currentX_, currentY_ after the printed text, as the box's own pen does.
class Surface {
  public:
    virtual ~Surface() = default;

    // The size in pixels that drawings read as the surface's. A picture box gives its outer
    // size, border included, so less than this shows when it has a border.
    virtual int width() const = 0;
    virtual int height() const = 0;

    // Fills the whole surface with the background colour and puts the pen at (0, 0).
    virtual void clear() = 0;
    virtual void line(int x1, int y1, int x2, int y2) = 0;
    // A box from (x1, y1) to (x2, y2), both corners inside, filled and outlined.
    virtual void box(int x1, int y1, int x2, int y2) = 0;
    virtual void print(const QString& text) = 0;
    // The size of text in the current font, in pixels.
    virtual double textWidth(const QString& text) const = 0;
    virtual double textHeight(const QString& text) const = 0;

    // The pen position, where the next print starts.
    double currentX() const { return currentX_; }
    double currentY() const { return currentY_; }
    void setCurrentX(double x) { currentX_ = x; }
    void setCurrentY(double y) { currentY_ = y; }
    core::Colour foreColour() const { return foreColour_; }
    core::Colour fillColour() const { return fillColour_; }
    core::Colour backColour() const { return backColour_; }
    void setForeColour(core::Colour c) { foreColour_ = c; }
    void setFillColour(core::Colour c) { fillColour_ = c; }
    void setBackColour(core::Colour c) { backColour_ = c; }

    void setFontSize(double points);
    double fontSize() const { return font_.pointSizeF(); }
    void setFont(const QFont& font) { font_ = font; }
    const QFont& font() const { return font_; }

  protected:
    double currentX_ = 0;
    double currentY_ = 0;
    core::Colour foreColour_ = core::kBlack;
    core::Colour fillColour_ = core::kBlack;
    core::Colour backColour_ = core::kWhite;
    QFont font_;
};

// The measures of a font on a device, kept while the font stays the same: a puzzle measures
// the same few letters thousands of times.
class FontMeasures {
  public:
    // The metrics of font on device; measured anew when font differs from the last one asked
    // about, which also forgets the advances.
    const QFontMetricsF& metrics(const QFont& font, const QPaintDevice* device);
    double advance(const QFont& font, const QPaintDevice* device, const QString& text);

  private:
    static constexpr size_t kMaxTexts = 256;
    QFont font_;
    std::optional<QFontMetricsF> metrics_;
    std::map<QString, double> advances_;
};

// A Surface over any QPaintDevice: an image, a PDF or SVG generator, a printer. The painter
// must be active for the life of the surface. Lines are one unit wide, so a picture drawn under
// a scaling transform keeps its proportions.
class PainterSurface : public Surface {
  public:
    PainterSurface(QPainter* painter, int width, int height)
        : painter_(painter), width_(width), height_(height) {}
    // Draws the letters still waiting (see flushGlyphs).
    ~PainterSurface() override;
    PainterSurface(const PainterSurface&) = delete;
    PainterSurface& operator=(const PainterSurface&) = delete;

    // From now on printed letters wait and are drawn together: at the next other drawing, at
    // flushGlyphs() or at the end of the surface. Exports of large puzzles use it; call
    // flushGlyphs() before drawing on the painter past the surface.
    void batchLetters() { batchLetters_ = true; }
    void flushGlyphs();
    // A large batch of letters drawn on an image is blended by two threads at once, each into
    // its own half of the rows, with its own copy of the font; lines and boxes stay with the
    // painter. Every pixel comes out as the painter alone draws it.
    void blendLettersOnTwoThreads() { twoThreads_ = true; }

    // Sizes fonts given in points as on a device of dpi dots per inch, whatever the painter's
    // device, so text keeps its size against the lines on a device of another resolution.
    // 0, the default, uses the device's own resolution.
    void setFontDpi(int dpi) { fontDpi_ = dpi; }

    int width() const override { return width_; }
    int height() const override { return height_; }
    void clear() override;
    void line(int x1, int y1, int x2, int y2) override;
    void box(int x1, int y1, int x2, int y2) override;
    void print(const QString& text) override;
    double textWidth(const QString& text) const override;
    double textHeight(const QString& text) const override;

  private:
    // The font as the device must get it for the resolution chosen with setFontDpi, and its
    // measures. Both are kept while the font stays the same: a puzzle prints and measures
    // thousands of letters in one font.
    const QFont& deviceFont() const;
    const QFontMetricsF& metrics() const;
    double advance(const QString& text) const;
    QPointF pixelCentre(int x, int y) const;
    // Draws run as the painter would, in two bands of rows on two threads; false, with nothing
    // drawn, when the painter's device is no image or the run is too small to be worth it.
    bool blendInTwoBands(const QGlyphRun& run, const QFont& font, const QColor& colour);

    QPainter* painter_;
    int width_;
    int height_;
    int fontDpi_ = 0;
    mutable QFont measuredFont_;
    mutable std::optional<QFont> deviceFont_;
    mutable FontMeasures measures_;
    std::optional<QFont> painterFont_;
    static constexpr size_t kMaxShapedTexts = 256;
    std::map<QString, QList<QGlyphRun>> shaped_;
    struct PendingGlyphs {
        QRawFont font;
        QFont deviceFont;  // the font the letters were shaped in
        QColor colour;
        QList<quint32> indexes;
        QList<QPointF> positions;
    };
    std::optional<PendingGlyphs> pending_;
    bool batchLetters_ = false;
    bool twoThreads_ = false;
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
    void clear() override;
    void line(int x1, int y1, int x2, int y2) override;
    void box(int x1, int y1, int x2, int y2) override;
    void print(const QString& text) override;
    double textWidth(const QString& text) const override;
    double textHeight(const QString& text) const override;
    void refresh();
    // Runs many drawing calls as one: one painter for all of them, letters drawn together, one
    // step to record. steps must not refer to anything that may go before the box, since the
    // box runs it again to draw the picture anew on a screen of another ratio.
    void draw(std::function<void(Surface&)> steps);

    // The retained picture of the part inside the border, backed at the screen's device pixel
    // ratio (its devicePixelRatio()): twice the logical size in each direction at 200 %.
    const QImage& image() const;
    // The same picture drawn anew at another ratio: renderedAt(1) has one pixel per logical
    // pixel, whatever the screen, as copies and exports want it.
    QImage renderedAt(qreal ratio) const;

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
    // A drawing operation with the pen, colours and font it started with, kept so that the
    // picture can be drawn anew at another device pixel ratio.
    struct Operation {
        struct State {
            double currentX, currentY;
            core::Colour foreColour, fillColour, backColour;
            QFont font;
        } state;
        std::function<void(Surface&)> draw;
        bool batchLetters = false;
    };

    // Draws on the image and records the operation; clears starts the record afresh.
    void drawOnImage(std::function<void(Surface&)> draw, bool clears = false, bool batch = false);
    void runOperation(QImage& image, const Operation& op);
    QImage blankImage(qreal ratio) const;

    // Keeps the image as large as the inside of the box at the screen's ratio; new area shows
    // the background colour.
    void syncImageSize() const;
    // The mouse position in the drawing's pixels.
    QPointF drawingPoint(const QMouseEvent* event) const;

    mutable QImage image_;
    std::vector<Operation> operations_;
    bool recording_ = true;
};

}  // namespace ui
