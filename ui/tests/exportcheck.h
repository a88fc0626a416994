#pragma once

// Reading exported pictures back in tests: PDF through poppler-utils (pdftotext, pdfinfo),
// SVG through the XML reader and librsvg.

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QXmlStreamReader>

namespace exportcheck {

inline bool havePoppler() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

inline QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The size in pixels at which librsvg (the build requires rsvg-convert) draws an SVG document.
inline QSize svgRenderedSize(const QByteArray& svg) {
    QProcess process;
    process.start(QStringLiteral("rsvg-convert"));
    process.write(svg);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return QImage::fromData(process.readAllStandardOutput(), "PNG").size();
}

// The text of a PDF file, page breaks as form feeds; with layout, lines keep the columns
// side by side as on the page.
inline QString pdfText(const QString& path, bool layout = false) {
    QStringList arguments{path, QStringLiteral("-")};
    if (layout) arguments.prepend(QStringLiteral("-layout"));
    return run(QStringLiteral("pdftotext"), arguments);
}

// The page count of a PDF file; 0 when it cannot be read.
inline int pdfPages(const QString& path) {
    const QString info = run(QStringLiteral("pdfinfo"), {path});
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

inline QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct SvgShapes {
    bool wellFormed = false;
    int red = 0;    // lines stroked in pure red: line elements, and each part of a path
                    // that starts with a move (M)
    int texts = 0;  // letters held as text, in text elements
};

// Counts the shapes of an SVG document; a shape's stroke is its own or its nearest group's.
inline SvgShapes svgShapes(const QByteArray& svg) {
    SvgShapes shapes;
    QXmlStreamReader reader(svg);
    QStringList strokes{QString()};
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            QString stroke = reader.attributes().value(QStringLiteral("stroke")).toString();
            if (stroke.isEmpty()) stroke = strokes.last();
            strokes << stroke;
            const auto name = reader.name();
            const bool shape = name == u"line" || name == u"polyline" || name == u"path";
            if (shape && stroke.compare(QStringLiteral("#ff0000"), Qt::CaseInsensitive) == 0)
                shapes.red += name == u"path"
                                  ? int(reader.attributes().value(QStringLiteral("d")).count(u'M'))
                                  : 1;
            if (name == u"text") {
                const QString letters =
                    reader.readElementText(QXmlStreamReader::IncludeChildElements);
                shapes.texts += int(letters.size() - letters.count(u' '));
                strokes.removeLast();  // its end was read with the text
            }
        } else if (reader.isEndElement()) {
            strokes.removeLast();
        }
    }
    shapes.wellFormed = !reader.hasError();
    return shapes;
}

inline bool isRed(QColor c) {
    return c.red() > 200 && c.green() < 60 && c.blue() < 60;
}

}  // namespace exportcheck
