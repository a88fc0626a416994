#pragma once

#include <utility>
#include <vector>

#include <QLabel>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include "engine/sheetsearch.h"

class QTextLayout;

namespace sheetsolver {

// Seconds as "00.00": at least two digits before the point, exactly two after, rounded.
// 0.5 gives "00.50", 123.456 gives "123.46". Negative or unknown times give "00.00".
QString timingText(double seconds);

// What the keyword label shows after a run: the keyword, and for a timed run the sentence
// "<keyword> was found within <time> s", which completes the caption "The keyword ".
QString resultText(const FindOutcome& outcome);

// The keyword label "lblword", which shows the whole result of a run however long it is. A
// text wider than the designed label widens it up to a margin from the window's right edge; a
// text wider still wraps onto as many lines as it needs, between words where it can and
// anywhere else (a keyword is one long word). The window then grows by the extra lines and the
// controls below the label move down with it, so nothing is cut off or covered. A text that
// fits again brings back the designed layout.
class ResultLabel final : public QLabel {
  public:
    explicit ResultLabel(QWidget* parent);

    // Takes the label's and the window's present layout as the designed one, and the controls
    // that move down when the label grows. Call once the window's controls are placed.
    void setControlsBelow(const std::vector<QWidget*>& controls);
    // Shows text and lays out the label, the window and the controls below for it.
    void showResult(const QString& text);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // Lays the text out in lines of the given width (pixels) and returns the width of the
    // longest line and the height of all, rounded up to whole pixels.
    QSize layOut(QTextLayout& layout, int width) const;

    QRect designed_;
    QSize designedWindow_;
    std::vector<std::pair<QWidget*, QPoint>> below_;
};

}  // namespace sheetsolver
