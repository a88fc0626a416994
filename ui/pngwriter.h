#pragma once

#include <QByteArray>
#include <QImage>

namespace ui {

// The image as a whole PNG file: 8-bit RGB, the image's dots per metre in a pHYs chunk when it
// has any, then the pixels, then the end. An image of another format than QImage::Format_RGB32
// is converted to it first, so alpha is dropped. Each row is filtered by None, Sub or Up,
// whichever leaves the smallest sum of magnitudes; the rows are compressed in a fixed number of
// parts at once, up to one thread a core, so the same image gives the same bytes on any machine.
// Empty for a null image, or when there is no memory to compress it.
QByteArray pngFile(const QImage& image);

}  // namespace ui
