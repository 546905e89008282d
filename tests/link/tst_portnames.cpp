#include "core/link/portnames.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kdw;

class TestPortNames : public QObject
{
    Q_OBJECT

private slots:
    void portNames_data();
    void portNames();
};

void TestPortNames::portNames_data()
{
    QTest::addColumn<QString>("portName");
    QTest::addColumn<QString>("linkTarget"); // ports/<portName> in the program directory, if any
    QTest::addColumn<QString>("expected");   // "<dir>" stands for the program directory

#ifdef Q_OS_WIN
    QSKIP("port names are used as they stand on Windows");
#endif
    QTest::newRow("COM1 linked") << u"COM1"_qs << u"target"_qs << u"<dir>/target"_qs;
    QTest::newRow("COM1 dangling link") << u"COM1"_qs << u"missing"_qs << u"<dir>/ports/COM1"_qs;
    QTest::newRow("COM1 without link") << u"COM1"_qs << QString() << u"/dev/ttyUSB0"_qs;
    QTest::newRow("COM8 without link") << u"COM8"_qs << QString() << u"/dev/ttyUSB7"_qs;
    QTest::newRow("COM9 unchanged") << u"COM9"_qs << QString() << u"COM9"_qs;
    QTest::newRow("COM12 unchanged") << u"COM12"_qs << QString() << u"COM12"_qs;
    QTest::newRow("lower case unchanged") << u"com1"_qs << QString() << u"com1"_qs;
}

void TestPortNames::portNames()
{
    QFETCH(QString, portName);
    QFETCH(QString, linkTarget);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString root = QDir(dir.path()).canonicalPath();
    QVERIFY(QDir(root).mkpath(u"ports"_qs));
    if (linkTarget == u"target") {
        QFile target(root + u"/target"_qs);
        QVERIFY(target.open(QIODevice::WriteOnly));
    }
    if (!linkTarget.isEmpty())
        QVERIFY(QFile::link(root + u'/' + linkTarget, root + u"/ports/"_qs + portName));
    QCOMPARE(devicePathFor(portName, root + u'/'), expected.replace(u"<dir>"_qs, root));
}

QTEST_GUILESS_MAIN(TestPortNames)
#include "tst_portnames.moc"
