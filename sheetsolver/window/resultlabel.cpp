#include "resultlabel.h"

#include <algorithm>
#include <cmath>

#include <QPainter>
#include <QTextLayout>

#include "ui/geometry.h"

namespace sheetsolver {

namespace {

// A line width no text reaches, in pixels.
constexpr int kUnbounded = 1 << 20;
// What a widened label leaves free at the window's right edge, in twips.
constexpr int kRightMargin = 120;

QString withLineSeparators(QString text) {
    return text.replace(u'\n', QChar::LineSeparator);
}

}  // namespace

QString timingText(double seconds) {
    // Far beyond any real run; keeps the conversion to whole hundredths defined.
    constexpr double kLongest = 1e12;
    if (!(seconds > 0)) seconds = 0;
    if (seconds > kLongest) seconds = kLongest;
    const qint64 hundredths = std::llround(seconds * 100);
    return QStringLiteral("%1.%2")
        .arg(hundredths / 100, 2, 10, QLatin1Char('0'))
        .arg(hundredths % 100, 2, 10, QLatin1Char('0'));
}

QString resultText(const FindOutcome& outcome) {
    if (!outcome.seconds) return outcome.keyword;
    return outcome.keyword + QStringLiteral(" was found within ") + timingText(*outcome.seconds) +
           QStringLiteral(" s");
}

ResultLabel::ResultLabel(QWidget* parent) : QLabel(parent) {}

void ResultLabel::setControlsBelow(const std::vector<QWidget*>& controls) {
    designed_ = geometry();
    designedWindow_ = window()->size();
    below_.clear();
    for (QWidget* control : controls)
        below_.emplace_back(control, control->pos());
}

QSize ResultLabel::layOut(QTextLayout& layout, int width) const {
    QTextOption option(alignment());
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal widest = 0;
    qreal height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, height));
        widest = std::max(widest, line.naturalTextWidth());
        height += line.height();
    }
    layout.endLayout();
    return {int(std::ceil(widest)), int(std::ceil(height))};
}

void ResultLabel::showResult(const QString& text) {
    if (designed_.isNull()) setControlsBelow({});
    setText(text);
    const QMargins margins = contentsMargins();
    const int frame = margins.left() + margins.right();
    const int widest = std::max(designed_.width(), designedWindow_.width() - designed_.x() -
                                                       ui::twipsToPixels(kRightMargin));
    QTextLayout layout(withLineSeparators(text), font(), this);
    const int natural = layOut(layout, kUnbounded).width();
    QRect area = designed_;
    area.setWidth(std::clamp(natural + frame, designed_.width(), widest));
    const int lines = layOut(layout, area.width() - frame).height();
    const int extra = std::max(0, lines - fontMetrics().height());
    area.setHeight(designed_.height() + extra);
    setGeometry(area);
    for (const auto& [control, designedPos] : below_)
        control->move(designedPos + QPoint(0, extra));
    window()->setFixedSize(designedWindow_.width(), designedWindow_.height() + extra);
}

void ResultLabel::paintEvent(QPaintEvent* /*event*/) {
    const QRect box = contentsRect();
    QTextLayout layout(withLineSeparators(text()), font(), this);
    const int height = layOut(layout, box.width()).height();
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    layout.draw(&painter, QPointF(box.left(), box.top() + (box.height() - height) / 2));
}

}  // namespace sheetsolver
