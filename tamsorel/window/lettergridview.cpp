#include "lettergridview.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStaticText>

#include "ui/geometry.h"

namespace tamsorel {

namespace {

// Beyond this many changed cells between two repaints, repaint the whole visible part.
constexpr int kMaxSeparateUpdates = 256;
const QColor kCellBorder(160, 160, 160);

// The editor of the current cell: it shows the cell's own colours and, while it has the focus,
// a frame two pixels wide in the cell's text colour, which stands out on either background.
class CellEditor : public QLineEdit {
  public:
    using QLineEdit::QLineEdit;

  protected:
    void paintEvent(QPaintEvent* event) override {
        QLineEdit::paintEvent(event);
        if (!hasFocus()) return;
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::Text));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        painter.drawRect(rect().adjusted(1, 1, -2, -2));
    }
};

// The text a key types into a cell, empty for keys that type nothing. Like a text box, it
// takes printable text without Ctrl (Ctrl with Alt is AltGr on some keyboards).
QString typedText(const QKeyEvent& key) {
    const QString text = key.text();
    const Qt::KeyboardModifiers mods = key.modifiers();
    if (text.isEmpty() || !text.front().isPrint()) return QString();
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier)) return QString();
    return text;
}

}  // namespace

LetterGridView::LetterGridView(const LetterGrid& grid, QSize cellSize, QWidget* parent)
    : QWidget(parent), grid_(grid), cellSize_(cellSize), editor_(new CellEditor(this)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    editor_->setObjectName(QStringLiteral("txtTextEditor"));
    editor_->setAlignment(Qt::AlignCenter);
    editor_->setMaxLength(1);
    editor_->setFrame(false);
    editor_->setContextMenuPolicy(Qt::NoContextMenu);
    editor_->installEventFilter(this);
    editor_->hide();
    setFocusProxy(editor_);
    setFocusPolicy(Qt::StrongFocus);
    ui::describeGridForScreenReaders(this, &description_);
    connect(editor_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (current_ > 0) emit cellEdited(current_, text);
        // The cell may keep fewer characters than were typed; show what it holds.
        if (current_ > 0 && editor_->text() != grid_.cellText(current_))
            editor_->setText(grid_.cellText(current_));
    });
    gridReset();
}

LetterGridView::~LetterGridView() {
    // The editor goes while the description that a screen reader may ask about its moving
    // focus still stands.
    delete editor_;
}

void LetterGridView::gridReset() {
    const int cols = grid_.gridCols();
    const int rows = grid_.gridRows();
    resize(std::max(1, cols * cellSize_.width()), std::max(1, rows * cellSize_.height()));
    current_ = 0;
    editor_->hide();
    if (grid_.exists()) setCurrentCell(1);
    update();
    cellsChangedForScreenReaders();
}

QRect LetterGridView::cellRect(int n) const {
    const int cols = grid_.gridCols();
    if (cols <= 0 || n < 1) return QRect();
    const int col = (n - 1) % cols;
    const int row = (n - 1) / cols;
    return rectAt(col, row);
}

QRect LetterGridView::rectAt(int col, int row) const {
    return QRect(QPoint(col * cellSize_.width(), row * cellSize_.height()), cellSize_);
}

int LetterGridView::cellAt(const QPoint& p) const {
    if (!grid_.exists() || p.x() < 0 || p.y() < 0) return 0;
    const int col = p.x() / cellSize_.width();
    const int row = p.y() / cellSize_.height();
    if (col >= grid_.gridCols() || row >= grid_.gridRows()) return 0;
    return row * grid_.gridCols() + col + 1;
}

void LetterGridView::cellsChanged(const std::vector<int>& cells) {
    if (cells.empty()) return;
    // Only the part of the grid inside the scroll area's viewport is painted.
    const QRect visible = visibleRegion().boundingRect();
    QRect changed;
    for (int n : cells) {
        if (n == current_ && !editorSyncQueued_) showCurrentCell();
        if (wholeUpdatePending_) continue;
        const QRect r = cellRect(n);
        if (!r.intersects(visible)) continue;
        changed |= r;
        if (++pendingCellUpdates_ <= kMaxSeparateUpdates) update(r);
    }
    // Many cells at once: one rectangle around them is cheaper than a region of each.
    if (!wholeUpdatePending_ && pendingCellUpdates_ > kMaxSeparateUpdates) {
        wholeUpdatePending_ = changed.contains(visible);
        update(changed & visible);
    }
    cellsChangedForScreenReaders();
}

void LetterGridView::setCurrentCell(int n) {
    if (!grid_.isCell(n)) return;
    current_ = n;
    // Many moves can come in one burst (a script fills every cell); the editor follows once.
    if (!editorSyncQueued_) {
        editorSyncQueued_ = true;
        QMetaObject::invokeMethod(this, &LetterGridView::syncEditor, Qt::QueuedConnection);
    }
}

void LetterGridView::syncEditor() {
    editorSyncQueued_ = false;
    if (!grid_.isCell(current_)) {
        editor_->hide();
        return;
    }
    const QRect r = cellRect(current_);
    editor_->setGeometry(r);
    showCurrentCell();
    editor_->show();
    emit currentCellMoved(r);
    cellsChangedForScreenReaders();
}

void LetterGridView::showCurrentCell() {
    QPalette p = editor_->palette();
    p.setColor(QPalette::Base, ui::toQColor(grid_.backColor(current_)));
    p.setColor(QPalette::Text, ui::toQColor(grid_.foreColor(current_)));
    // The letter stays selected so that pasted text replaces it; the selection keeps the cell's
    // own colours.
    p.setColor(QPalette::Highlight, p.color(QPalette::Base));
    p.setColor(QPalette::HighlightedText, p.color(QPalette::Text));
    editor_->setPalette(p);
    if (editor_->text() != grid_.cellText(current_)) editor_->setText(grid_.cellText(current_));
    editor_->selectAll();
    editor_->setAccessibleName(cellName(current_));
}

QString LetterGridView::cellName(int n) const {
    const int cols = grid_.gridCols();
    if (!grid_.isCell(n)) return QString();
    const QString letter = grid_.cellText(n);
    QString name = QStringLiteral("Cell %1, row %2, column %3, %4")
                       .arg(n)
                       .arg((n - 1) / cols + 1)
                       .arg((n - 1) % cols + 1)
                       .arg(letter.isEmpty() ? QStringLiteral("empty") : letter);
    if (grid_.isFound(n)) name += QStringLiteral(", found");
    return name;
}

void LetterGridView::cellsChangedForScreenReaders() {
    ui::gridCellsChanged(this);
}

QString LetterGridView::CellsDescription::gridName() const {
    return QStringLiteral("Letter grid, %1 by %2").arg(columnCount()).arg(rowCount());
}

QString LetterGridView::CellsDescription::cellName(int row, int column) const {
    return view_.cellName(cell(row, column));
}

bool LetterGridView::CellsDescription::cellFound(int row, int column) const {
    return view_.grid_.isFound(cell(row, column));
}

int LetterGridView::CellsDescription::focusRow() const {
    const int cols = columnCount();
    return view_.editor_->hasFocus() && cols > 0 && view_.current_ > 0 ? (view_.current_ - 1) / cols
                                                                       : -1;
}

int LetterGridView::CellsDescription::focusColumn() const {
    const int cols = columnCount();
    return focusRow() >= 0 ? (view_.current_ - 1) % cols : -1;
}

void LetterGridView::moveBy(int dcol, int drow) {
    const int cols = grid_.gridCols();
    if (cols <= 0 || current_ < 1) return;
    const int col = (current_ - 1) % cols + dcol;
    const int row = (current_ - 1) / cols + drow;
    if (col < 0 || col >= cols || row < 0 || row >= grid_.gridRows()) return;
    setCurrentCell(row * cols + col + 1);
}

bool LetterGridView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == editor_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // A typed key always replaces the cell's letter, even with the same letter, which
        // the editor would not report as an edit.
        if (const QString typed = typedText(*key); !typed.isEmpty()) {
            if (current_ > 0) emit cellEdited(current_, typed);
            return true;
        }
        if (const std::optional<QPoint> step = ui::arrowStep(key->key())) {
            moveBy(step->x(), step->y());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void LetterGridView::mousePressEvent(QMouseEvent* event) {
    const int n = cellAt(event->position().toPoint());
    if (n == 0) return;
    setCurrentCell(n);
    editor_->setFocus(Qt::MouseFocusReason);
}

void LetterGridView::paintEvent(QPaintEvent* event) {
    pendingCellUpdates_ = 0;
    wholeUpdatePending_ = false;
    QPainter painter(this);
    painter.setFont(font());
    for (const QRect& area : event->region())
        paintCells(painter, area);
}

void LetterGridView::paintCells(QPainter& painter, const QRect& area) {
    painter.fillRect(area, palette().window());
    const int cols = grid_.gridCols();
    const int rows = grid_.gridRows();
    if (cols <= 0) return;
    const int c0 = std::max(0, area.left() / cellSize_.width());
    const int c1 = std::min(cols - 1, area.right() / cellSize_.width());
    const int r0 = std::max(0, area.top() / cellSize_.height());
    const int r1 = std::min(rows - 1, area.bottom() / cellSize_.height());
    // The cells' area in the borders' colour, then each cell's inside: fills cost the same at
    // any device pixel ratio, where a stroked one-pixel border grows costly at 200 %.
    painter.fillRect(rectAt(c0, r0).united(rectAt(c1, r1)), kCellBorder);
    for (int row = r0; row <= r1; ++row) {
        for (int col = c0; col <= c1; ++col) {
            painter.fillRect(rectAt(col, row).adjusted(1, 1, -1, -1),
                             ui::toQColor(grid_.backColor(row * cols + col + 1)));
        }
    }
    for (int row = r0; row <= r1; ++row) {
        for (int col = c0; col <= c1; ++col) {
            const int n = row * cols + col + 1;
            const QString text = grid_.cellText(n);
            if (text.isEmpty()) continue;
            const QRect r = rectAt(col, row);
            const QStaticText& glyph = letter(text[0]);
            const QSizeF size = glyph.size();
            painter.setPen(ui::toQColor(grid_.foreColor(n)));
            painter.drawStaticText(QPointF(r.x() + (r.width() - size.width()) / 2,
                                           r.y() + (r.height() - size.height()) / 2),
                                   glyph);
        }
    }
}

const QStaticText& LetterGridView::letter(QChar c) {
    auto it = letters_.find(c.unicode());
    if (it == letters_.end()) {
        QStaticText text{QString(c)};
        text.setTextFormat(Qt::PlainText);
        text.prepare(QTransform(), font());
        it = letters_.emplace(c.unicode(), std::move(text)).first;
    }
    return it->second;
}

}  // namespace tamsorel
