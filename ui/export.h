#pragma once

#include <functional>

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QSize>
#include <QStringList>

#include "core/colour.h"
#include "dialogs.h"

class QAction;
class QMenu;
class QPagedPaintDevice;
class QPainter;
class QWidget;

namespace ui {

class PictureBox;
class Surface;

// A window's picture that can leave the screen: the drawing surface's size and starting state,
// and how to draw the whole picture, background included, on a surface of that size. Exports
// draw it under a scaling transform, so one drawing code serves the screen, images, vector
// files and printers.
struct Picture {
    QSize size;        // in the surface's pixels, at least 1 x 1
    QFont font;        // the surface's font when drawing starts
    int fontDpi = 96;  // the resolution for which the surface sizes fonts given in points
    core::Colour foreColor = core::kBlack;
    core::Colour fillColor = core::kBlack;
    core::Colour backColor = core::kWhite;
    std::function<void(Surface&)> draw;
    // The part of the picture that leaves the screen, from (0, 0), framed at its edge; no
    // larger than size. A drawing that ends short of its surface's edge (a grid whose last line
    // falls inside it) sets it, so that the frame lies on that line and no empty strip shows
    // beyond. Empty means the whole size.
    QSize extent;
};

// The picture that draw makes on box: the box's size, font and colours as they are now. The
// size is the box's outer size, as drawings read it, whatever its border hides.
Picture pictureOf(const PictureBox& box, std::function<void(Surface&)> draw);

// One page of a document: the picture centred at the top, scaled to the page width (smaller
// when the page is wide, or when the words would not fit beneath it otherwise), closed by a
// thin frame where the surface's edge is; under it the words in alphabetical order, in up to
// four columns, in the picture's font family. Words that find no room continue on pages of
// their own.
struct DocumentPage {
    Picture picture;
    QStringList words;
};
using Document = QList<DocumentPage>;

enum class PictureFormat { Png, Svg, Pdf };

// How many times its on-screen size a PNG file is.
inline constexpr int kPngScale = 4;

// The part of the picture that leaves the screen: its extent, else its size; at least 1 x 1.
QSize exportedSize(const Picture& picture);

// The picture at scale times its exported size, framed like a document's, antialiased. Its
// resolution is scale times the screen's, so it keeps its size on paper. Large batches of
// letters are blended on two threads; oneThread draws everything on the calling thread, which
// gives the same pixels more slowly.
QImage renderImage(const Picture& picture, int scale, bool oneThread = false);

// Whole files, in memory. PNG at kPngScale; SVG and PDF as vectors, with text as text. The SVG
// gives its size in pixels, one a picture pixel, so renderers draw it at exactly the exported
// size. The PDF has the document's pages at the locale's paper size (Letter or A4) with 15 mm
// margins.
QByteArray pngBytes(const Picture& picture);
QByteArray svgBytes(const Picture& picture, const QString& title);
QByteArray pdfBytes(const Document& document, const QString& title);

// Paints the document on a painter that is open on device, a page after the other.
void paintDocument(QPainter& painter, QPagedPaintDevice& device, const Document& document);

// The filter of the picture save dialogs: PNG, SVG and PDF.
QString pictureFilter();

// Where a save dialog's answer is written, and how: by the file name's extension when it is
// .png, .svg or .pdf in any case; otherwise by the chosen filter, and the name gets that
// format's extension ("key" with the PDF filter becomes "key.pdf"). PNG when neither tells.
struct ExportTarget {
    QString path;
    PictureFormat format = PictureFormat::Png;
};
ExportTarget exportTarget(const SavedFile& chosen);

// The picture commands, with their dialogs through the dialog service. Messages are titled
// with the program's title.

// Puts the box's picture, as shown, on the clipboard.
void copyPicture(const PictureBox& box);

// Asks for a file (dialogTitle as the caption, fileName offered) and writes the page there:
// PNG and SVG hold the picture, a PDF holds the page. An existing file is replaced only after
// a Yes. A file that cannot be written gets a message and no partial file is left. A cancelled
// dialog does nothing.
void savePictureAs(QWidget* parent, const QString& dialogTitle, const QString& fileName,
                   const DocumentPage& page);

// Shows the print dialog and prints the document under docName; nothing when cancelled, a
// message when the printer cannot be started.
void printDocument(QWidget* parent, const Document& document, const QString& docName);

// The context menu of a picture box, opened by the context-menu key (the box takes the focus
// by Tab for it) or the right mouse button. Its entries start disabled.
class PictureMenu : public QObject {
    Q_OBJECT
  public:
    enum class Trigger {
        Platform,            // the platform's right click: a press here, a release elsewhere
        ReleaseWithoutDrag,  // a right press and release on the same spot, so that a drag
                             // with the right button stays the window's own
    };

    PictureMenu(PictureBox* box, Trigger trigger);

    // Adds an entry at the end; objectName lets tests find it.
    QAction* addEntry(const QString& text, const char* objectName, std::function<void()> run);
    void setEntriesEnabled(bool enabled);
    QMenu* menu() const { return menu_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Opens the menu at a point of the box once the current event is handled.
    void popupAt(QPoint local);

    PictureBox* box_;
    Trigger trigger_;
    QMenu* menu_;
    QPoint pressedAt_;
    bool rightPressed_ = false;
};

}  // namespace ui
