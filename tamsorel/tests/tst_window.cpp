#include <QTest>
class TestWindow : public QObject { Q_OBJECT };
QTEST_MAIN(TestWindow)
#include "tst_window.moc"
