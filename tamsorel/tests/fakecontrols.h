#pragma once

// In-memory controls for driving the solver without a window.

#include <QStringList>

#include "engine/solver.h"

class FakeControls : public tamsorel::SolverControls {
  public:
    QStringList log;
    QString horizontal = QStringLiteral("10");
    QString vertical = QStringLiteral("10");
    bool ticked[tamsorel::kDirectionCount] = {true, true, true, true, true, true};
    QString words;
    int gridChanges = 0;

    void addLog(const QString& message) override { log << message; }
    void clearLog() override { log.clear(); }
    QString dimensionText(tamsorel::Axis a) const override {
        return a == tamsorel::Axis::Horizontal ? horizontal : vertical;
    }
    void setDimensionText(tamsorel::Axis a, const QString& t) override {
        (a == tamsorel::Axis::Horizontal ? horizontal : vertical) = t;
    }
    bool isTicked(tamsorel::Direction d) const override { return ticked[int(d)]; }
    void tick(tamsorel::Direction d) override { ticked[int(d)] = true; }
    QString wordsText() const override { return words; }
    void clearWords() override { words.clear(); }
    void appendWords(const QString& text) override { words += text; }
    void gridChanged() override { ++gridChanges; }

    void untickAll() {
        for (bool& t : ticked)
            t = false;
    }
};
