#include "image/memoryimage.h"
#include "image/transferranges.h"
#include "link/portnames.h"
#include "link/radiotransfer.h"
#include "scriptedport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kdw;
using namespace kdw::test;

class TestRadioTransfer : public QObject
{
    Q_OBJECT

private slots:
    void readIsAllOrNothing_data();
    void readIsAllOrNothing();
    void portThatCannotOpen_data();
    void portThatCannotOpen();
    void portNames_data();
    void portNames();
};

void TestRadioTransfer::readIsAllOrNothing_data()
{
    QTest::addColumn<int>("nakBlock"); // the block whose acknowledge gets a NAK
    QTest::newRow("every block acknowledged") << ReadBlockCount;
    QTest::newRow("NAK after the first block") << 0;
    QTest::newRow("NAK after the last block") << ReadBlockCount - 1;
}

void TestRadioTransfer::readIsAllOrNothing()
{
    QFETCH(int, nakBlock);
    const bool ok = nakBlock == ReadBlockCount;
    QByteArray radio(MemoryImage::Size, Qt::Uninitialized);
    for (int i = 0; i < radio.size(); ++i)
        radio[i] = char(0x80 ^ (i & 0x7F));
    const auto healthy = healthyRadio(&radio);
    int block = -1;
    ScriptedPort port;
    port.radio = [&](const QByteArray &written, int count) -> QByteArray {
        if (written.size() == 4 && written.at(0) == 'R')
            ++block;
        if (block == nakBlock && written == "\x06")
            return QByteArray("\x15");
        return healthy(written, count);
    };
    MemoryImage image;
    image.fill(0x33);
    MemoryImage expected = image;
    if (ok) {
        for (const TransferRange &r : ReadRanges)
            expected.copyIn(r.start, radio.mid(r.start, r.end - r.start));
    }
    const TransferOutcome outcome = readFromPort(port, image, {});
    QCOMPARE(outcome.status, ok ? TransferOutcome::Status::Done : TransferOutcome::Status::CommunicationError);
    QVERIFY(image == expected);
}

void TestRadioTransfer::portThatCannotOpen_data()
{
    QTest::addColumn<QString>("portName");
    QTest::addColumn<QString>("reasonPart");
    QTest::newRow("empty name") << QString() << u"no port"_qs;
    QTest::newRow("absent device") << u"/nonexistent/ttyKDW"_qs << u"/nonexistent/ttyKDW"_qs;
    QTest::newRow("not a terminal") << u"/dev/null"_qs << u"/dev/null"_qs;
}

void TestRadioTransfer::portThatCannotOpen()
{
    QFETCH(QString, portName);
    QFETCH(QString, reasonPart);
    MemoryImage image;
    image.fill(0x44);
    const MemoryImage before = image;
    bool opened = false;
    TransferObserver observer;
    observer.portOpened = [&] { opened = true; };
    const TransferOutcome outcome = runTransfer(portName, TransferDirection::Read, image, observer);
    QCOMPARE(outcome.status, TransferOutcome::Status::PortNotOpened);
    QVERIFY2(outcome.detail.contains(reasonPart), qPrintable(outcome.detail));
    QVERIFY(!opened);
    QVERIFY(image == before);
}

void TestRadioTransfer::portNames_data()
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

void TestRadioTransfer::portNames()
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

QTEST_GUILESS_MAIN(TestRadioTransfer)
#include "tst_radiotransfer.moc"
