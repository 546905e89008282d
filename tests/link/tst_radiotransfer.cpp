#include "app/globals.h"
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

namespace {

QByteArray radioMemory()
{
    QByteArray m(MemoryImage::Size, Qt::Uninitialized);
    for (int i = 0; i < m.size(); ++i)
        m[i] = char(0x80 ^ (i & 0x7F));
    return m;
}

} // namespace

class TestRadioTransfer : public QObject
{
    Q_OBJECT

private slots:
    void successfulReadCopiesTheFiveRanges();
    void failedReadLeavesTheImageUntouched_data();
    void failedReadLeavesTheImageUntouched();
    void portThatCannotOpen_data();
    void portThatCannotOpen();
    void portNames_data();
    void portNames();
};

void TestRadioTransfer::successfulReadCopiesTheFiveRanges()
{
    QByteArray radio = radioMemory();
    ScriptedPort port;
    port.radio = healthyRadio(&radio);
    MemoryImage image;
    image.fill(0x33);
    const TransferOutcome outcome = readFromPort(port, image, {});
    QVERIFY(outcome);
    QCOMPARE(outcome.message(), nullptr);
    QCOMPARE(image.bytes(0x0000, 0x640), radio.mid(0x0000, 0x640));
    QCOMPARE(image.bytes(0x1FF0, 16), radio.mid(0x1FF0, 16)); // read, though never written back
    QCOMPARE(image.bytes(0x0640, 0x0C90 - 0x0640), QByteArray(0x0C90 - 0x0640, 0x33));
    QCOMPARE(image.bytes(0x1D50, 0x1FD0 - 0x1D50), QByteArray(0x1FD0 - 0x1D50, 0x33));
}

void TestRadioTransfer::failedReadLeavesTheImageUntouched_data()
{
    QTest::addColumn<int>("failAfterRequests");
    QTest::newRow("first block") << 1;
    QTest::newRow("block 150") << 151;
    QTest::newRow("last block") << ReadBlockCount;
}

void TestRadioTransfer::failedReadLeavesTheImageUntouched()
{
    QFETCH(int, failAfterRequests);
    QByteArray radio = radioMemory();
    const auto healthy = healthyRadio(&radio);
    int requests = 0;
    ScriptedPort port;
    // The block's data arrive, then its acknowledge is a NAK.
    port.radio = [&](const QByteArray &frame, int count) -> QByteArray {
        if (frame.size() == 4 && frame.at(0) == 'R')
            ++requests;
        if (requests == failAfterRequests && frame == QByteArray("\x06", 1))
            return QByteArray("\x15", 1);
        return healthy(frame, count);
    };
    MemoryImage image;
    image.fill(0x33);
    const MemoryImage before = image;
    const TransferOutcome outcome = readFromPort(port, image, {});
    QCOMPARE(outcome.status, TransferOutcome::Status::CommunicationError);
    QCOMPARE(outcome.protocol.blocks, failAfterRequests - 1);
    QVERIFY(image == before);
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
    QTest::addColumn<QString>("expected");   // "<dir>/" stands for the program directory

#ifdef Q_OS_WIN
    QSKIP("port names are used as they stand on Windows");
#endif
    QTest::newRow("COM1 linked") << u"COM1"_qs << u"target"_qs << u"<dir>/target"_qs;
    QTest::newRow("COM1 dangling link") << u"COM1"_qs << u"missing"_qs << u"<dir>/ports/COM1"_qs;
    QTest::newRow("COM1 without link") << u"COM1"_qs << QString() << u"/dev/ttyUSB0"_qs;
    QTest::newRow("COM8 without link") << u"COM8"_qs << QString() << u"/dev/ttyUSB7"_qs;
    QTest::newRow("lower case unchanged") << u"com1"_qs << QString() << u"com1"_qs;
    QTest::newRow("COM9 unchanged") << u"COM9"_qs << QString() << u"COM9"_qs;
    QTest::newRow("COM12 unchanged") << u"COM12"_qs << QString() << u"COM12"_qs;
    QTest::newRow("device path unchanged") << u"/dev/ttyACM0"_qs << QString() << u"/dev/ttyACM0"_qs;
    QTest::newRow("empty stays empty") << QString() << QString() << QString();
}

void TestRadioTransfer::portNames()
{
    QFETCH(QString, portName);
    QFETCH(QString, linkTarget);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString root = QDir(dir.path()).canonicalPath();
    QVERIFY(QDir(root).mkpath(u"ports"_qs));
    if (!linkTarget.isEmpty()) {
        if (linkTarget == u"target") {
            QFile target(root + u"/target"_qs);
            QVERIFY(target.open(QIODevice::WriteOnly));
        }
        QVERIFY(QFile::link(root + u'/' + linkTarget, root + u"/ports/"_qs + portName));
    }
    expected.replace(u"<dir>"_qs, root);
    QCOMPARE(devicePathFor(portName, root + u'/'), expected);
}

QTEST_GUILESS_MAIN(TestRadioTransfer)
#include "tst_radiotransfer.moc"
