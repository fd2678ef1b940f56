#include <QtTest>
class tst_LogExport : public QObject { Q_OBJECT };
QTEST_MAIN(tst_LogExport)
#include "tst_logexport.moc"
