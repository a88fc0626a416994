#include "celltable.h"

#include <optional>

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPalette>

#include "ui/geometry.h"

namespace sheetsolver {

namespace {

const char* const kIndexProperty = "sheetCellIndex";

// The single printable character a key types, or nothing for keys that type none (or more
// than one UTF-16 unit, which a one-character cell cannot hold). A key held with Ctrl is a
// shortcut (Ctrl+V, Ctrl+Z) whatever text a platform attaches to it; Ctrl with Alt is AltGr
// on some platforms and does type.
std::optional<QChar> printableCharacter(const QKeyEvent& key) {
    const Qt::KeyboardModifiers modifiers = key.modifiers();
    if (modifiers & Qt::MetaModifier) return std::nullopt;
    if ((modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier)) return std::nullopt;
    const QString text = key.text();
    if (text.size() != 1 || !text[0].isPrint()) return std::nullopt;
    return text[0];
}

// The cell an arrow key moves to from cell n (possibly off the sheet), or nothing for a key
// that is no arrow. Left and right run on across the ends of the rows.
std::optional<int> arrowTarget(int key, int n) {
    const std::optional<QPoint> step = ui::arrowStep(key);
    if (!step) return std::nullopt;
    return n + step->x() + step->y() * kColumns;
}

// What a screen reader reads for a cell besides its letter, its found state: "found" for a
// cell of a found string, nothing for any other.
QString foundDescription(Colour colour) {
    return colour == kFoundColour ? QStringLiteral("found") : QString();
}

bool isTabKey(const QKeyEvent& key) {
    const bool tab = key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab;
    return tab && !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

}  // namespace

QString cellName(int i) {
    return QStringLiteral("Row %1, column %2").arg(i / kColumns + 1).arg(i % kColumns + 1);
}

CellTable::CellTable(QObject* parent) : QObject(parent) {
    colours_.fill(kClearColour);
}

CellTable::~CellTable() = default;

QLineEdit* CellTable::createCell(int i, QWidget* parent, const ui::TwipsRect& rect) {
    if (i < 0 || i >= kCellCount) return nullptr;
    if (cells_[i]) return cells_[i];
    const QByteArray name = "Text1_" + QByteArray::number(i);
    auto* box = ui::createControl<QLineEdit>(parent, name.constData(), rect);
    box->setProperty(kIndexProperty, i);
    box->setMaxLength(1);
    box->setAlignment(Qt::AlignCenter);
    box->setTextMargins(0, 0, 0, 0);
    // Letters come only from the keys handled below: no pasting, dropping or composing.
    box->setContextMenuPolicy(Qt::NoContextMenu);
    box->setAcceptDrops(false);
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->setFocusPolicy(i == tabStop_ ? Qt::StrongFocus : Qt::ClickFocus);
    box->installEventFilter(this);
    box->setAccessibleName(cellName(i));
    colours_[i] = ui::fromQColor(box->palette().color(QPalette::Base));
    box->setAccessibleDescription(foundDescription(colours_[i]));
    cells_[i] = box;
    box->show();
    return box;
}

QString CellTable::cellText(int i) const {
    return hasCell(i) ? cells_[i]->text() : QString();
}

Colour CellTable::cellColour(int i) const {
    return i >= 0 && i < kCellCount ? colours_[i] : kClearColour;
}

void CellTable::setCellColour(int i, Colour colour) {
    if (i < 0 || i >= kCellCount || colours_[i] == colour) return;
    colours_[i] = colour;
    if (!cells_[i]) return;
    QPalette palette = cells_[i]->palette();
    palette.setColor(QPalette::Base, ui::toQColor(colour));
    cells_[i]->setPalette(palette);
    cells_[i]->setAccessibleDescription(foundDescription(colour));
}

void CellTable::setCellText(int i, const QString& text) {
    if (hasCell(i)) cells_[i]->setText(text);
}

void CellTable::fillFrom(const QString& text) {
    for (int i = 0; i < kCellCount; ++i)
        setCellText(i, i < text.size() ? QString(text[i]) : QString());
}

MemorySheet CellTable::snapshot() const {
    MemorySheet sheet;
    for (int i = 0; i < kCellCount; ++i) {
        sheet.setCellText(i, cellText(i));
        sheet.setCellColour(i, cellColour(i));
    }
    return sheet;
}

void CellTable::showColours(const Sheet& sheet) {
    for (int i = 0; i < kCellCount; ++i)
        setCellColour(i, sheet.cellColour(i));
}

QString CellTable::joinedText() const {
    QString text;
    for (int i = 0; i < kCellCount; ++i)
        text += cellText(i);
    return text;
}

void CellTable::setCellsEnabled(bool enabled) {
    for (QLineEdit* box : cells_) {
        if (box) box->setEnabled(enabled);
    }
}

int CellTable::indexOf(const QObject* object) const {
    const QVariant index = object->property(kIndexProperty);
    if (!index.isValid()) return -1;
    const int i = index.toInt();
    return hasCell(i) && cells_[i] == object ? i : -1;
}

void CellTable::focusCell(int i) {
    if (QLineEdit* box = cell(i)) {
        box->setFocus(Qt::OtherFocusReason);
        box->setSelection(0, 1);
    }
}

void CellTable::makeTabStop(int i) {
    if (i == tabStop_) return;
    if (QLineEdit* old = cell(tabStop_)) old->setFocusPolicy(Qt::ClickFocus);
    tabStop_ = i;
    cells_[i]->setFocusPolicy(Qt::StrongFocus);
}

bool CellTable::eventFilter(QObject* watched, QEvent* event) {
    const int n = indexOf(watched);
    if (n < 0) return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) makeTabStop(n);
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton) {
        return true;  // the selection paste of X11 would bypass the key rules
    }
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);

    const auto* key = static_cast<QKeyEvent*>(event);
    // The cell passes Tab on to the window, which moves the focus out of the table.
    if (isTabKey(*key)) return QObject::eventFilter(watched, event);
    if (const std::optional<int> target = arrowTarget(key->key(), n)) {
        focusCell(hasCell(*target) ? *target : n);
        return true;
    }
    if (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete) {
        setCellText(n, QString());
        return true;
    }
    const std::optional<QChar> typed = printableCharacter(*key);
    if (!typed) return true;
    setCellText(n, QString(typed->toUpper()));
    focusCell(n + 1);
    return true;
}

}  // namespace sheetsolver
