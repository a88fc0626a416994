#pragma once

#include <QString>
#include <QStringList>

namespace tamsorel {

// The solver's log: messages in the order they were added, without time stamps. A window shows
// the lines added since it last looked, stamping each as it shows it, and starts its list afresh
// when clearCount() moved on.
class Log {
  public:
    void add(const QString& message) { lines_ << message; }
    void clear() {
        lines_.clear();
        ++clearCount_;
    }
    const QStringList& lines() const { return lines_; }
    // How many times the log has been cleared.
    quint64 clearCount() const { return clearCount_; }

  private:
    QStringList lines_;
    quint64 clearCount_ = 0;
};

}  // namespace tamsorel
