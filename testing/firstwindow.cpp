// A test hook that ships in no program: preloaded into an installed program
// (LD_PRELOAD=libtesting_firstwindow.so), it reports the first window the program shows and
// closes it at once, so that an install test sees the program start for real. It writes three
// lines to standard output: "caption: <window title>", "icon: <the icon's sizes, as
// 16,32,...>" and "tahoma: found" or "tahoma: missing".

#include <algorithm>
#include <cstdio>

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QIcon>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace {

// Reports and closes the first window shown.
class FirstWindowCloser : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = qobject_cast<QWidget*>(watched);
        if (event->type() != QEvent::Show || !window || !window->isWindow()) return false;
        QList<int> widths;
        for (const QSize& size : window->windowIcon().availableSizes())
            widths << size.width();
        std::sort(widths.begin(), widths.end());
        QStringList sizes;
        for (int width : std::as_const(widths))
            sizes << QString::number(width);
        const bool tahoma = QFontDatabase::families().contains(QStringLiteral("Tahoma"));
        std::printf("caption: %s\nicon: %s\ntahoma: %s\n",
                    window->windowTitle().toUtf8().constData(),
                    sizes.join(u',').toUtf8().constData(), tahoma ? "found" : "missing");
        std::fflush(stdout);
        QTimer::singleShot(0, window, [w = QPointer<QWidget>(window)] {
            if (w) w->close();
        });
        qApp->removeEventFilter(this);
        return false;
    }
};

}  // namespace

// Runs as the program's application object is made, before the program's first window.
void installFirstWindowCloser() {
    qApp->installEventFilter(new FirstWindowCloser(qApp));
}

Q_COREAPP_STARTUP_FUNCTION(installFirstWindowCloser)
