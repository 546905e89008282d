#include "image/builtindefaults.h"
#include "image/memoryimage.h"
#include "image/regions.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace kdw;
using namespace Qt::StringLiterals;

namespace {

struct Run
{
    int exitCode;
    QString out;
    QString err;
};

Run kdwCli(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(KDW_PROGRAM_DIR "/kdw-cli"), args);
    if (!p.waitForFinished(30000))
        return {-1, {}, u"kdw-cli did not finish"_s};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

MemoryImage defaults()
{
    MemoryImage image;
    image.fill(0xFF);
    applyBuiltInDefaults(image);
    return image;
}

void writeImage(const QString &path, const MemoryImage &image)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(image.bytes()), qint64(MemoryImage::Size));
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestCliSettings : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_file = m_dir.filePath(u"a.sin"_s);
    }

    void printsDefaults();
    void printsChinese();
    void assignments();
    void assignmentsStoreEveryFallBack();
    void badInput_data();
    void badInput();
    void unreadableFile();

private:
    QTemporaryDir m_dir;
    QString m_file;
};

void TestCliSettings::printsDefaults()
{
    writeImage(m_file, defaults());
    const Run run = kdwCli({u"settings"_s, m_file});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out,
        u"SQL: 5\nReverse: Off\nVOX: Off\nAPO: Off\nTOT: 60s\nKey Lock: Manual\nStep: 25KHz\nScan Mode: CO\n"
        "Beep: On\nBattery Save: On\nSTE: 120 phase shift\nRoger: Off\nRadio: On\nSingle Radio: On\n"
        "Backlight Mode: Auto\nFrequency Mode: On\nPriority Channel: Off\nChannel Name: Off\n"
        "Emergency Call: Off\nReceive Alarm Time: Off\nPower-On Password: 000000\n"
        "Power-On Password Switch: Off\nManual Power Switch: On\nVox Delay Time (s): 1.5\n"
        "First Digit Delay Time (ms): 100\nDigit Interval Time (ms): 75\nDigit Delay Time (ms): 75\n"
        "Side Tone: On\nDisplay: Off\nPTT ID: Off\nCode: \nPCBA: \n"_s);
    QCOMPARE(fileBytes(m_file), defaults().bytes());
}

void TestCliSettings::printsChinese()
{
    MemoryImage image = defaults();
    image.copyIn(region::PttIdCode, QByteArray("1\x1b[2J"));
    writeImage(m_file, image);
    const Run run = kdwCli({u"settings"_s, u"--lang"_s, u"cht"_s, m_file});
    QCOMPARE(run.exitCode, 0);
    const QStringList lines = run.out.split(u'\n');
    QVERIFY(lines.contains(u"Key Lock: 手動"_s));
    QVERIFY(lines.contains(u"PTT ID: 關閉"_s));
    QVERIFY(lines.contains(u"STE: 120度相位偏移"_s));
    // A control byte of a file never reaches the terminal as it is.
    QVERIFY(lines.contains(u"Code: 1\\x1b[2J"_s));
}

void TestCliSettings::assignments()
{
    writeImage(m_file, defaults());
    const Run run = kdwCli({u"settings"_s, m_file, u"SQL=9"_s, u"Key Lock=自動"_s, u"Digit Interval Time (ms)=50"_s,
        u"Power-On Password=42"_s, u"Code=12ab#"_s, u"PTT ID=Both"_s, u"PCBA=pcba01"_s});
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);

    MemoryImage expected = defaults();
    expected.setByte(0x1814, 9);
    expected.setBits(0x1810, 0x02, 0x02);
    expected.setByte(0x181A, 1);
    expected.copyIn(region::PowerOnPassword, QByteArray::fromHex("0402ffffffff"));
    expected.copyIn(region::PttIdCode, QByteArray("12AB#") + QByteArray(11, char(0xFF)));
    expected.setBits(region::PttIdMode, 0x03, 0x03);
    expected.copyIn(region::Pcba, QByteArray("PCBA01") + QByteArray(10, char(0xFF)));
    expected.setByte(0x1820, 0); // Roger 0xFF of the defaults is stored as Off
    QCOMPARE(fileBytes(m_file), expected.bytes());

    const Run shown = kdwCli({u"settings"_s, m_file});
    QVERIFY(shown.out.contains(u"\nDigit Interval Time (ms): 50\n"_s));
}

// Closing the dialogs stores every setting, so one assignment normalises
// every value outside its encoding, in the Option and PTT ID settings alike.
void TestCliSettings::assignmentsStoreEveryFallBack()
{
    MemoryImage image = defaults();
    image.setByte(0x1814, 12); // SQL: shows 5
    image.setBits(0x1810, 0x30, 0x00); // Scan Mode: shows CO
    image.copyIn(region::PttIdCode,
        QByteArray("1\x00"
                   "2",
            3));
    image.copyIn(region::Pcba,
        QByteArray("A\x00"
                   "B",
            3));
    writeImage(m_file, image);
    QCOMPARE(kdwCli({u"settings"_s, m_file, u"Beep=Off"_s}).exitCode, 0);
    const QByteArray after = fileBytes(m_file);
    QCOMPARE(quint8(after[0x1814]), quint8(5));
    QCOMPARE(quint8(after[0x1810] & 0x30), quint8(0x10));
    QCOMPARE(quint8(after[0x1811] & 0x10), quint8(0));
    QCOMPARE(after.mid(region::PttIdCode, 3), QByteArray("1\xff\xff"));
    QCOMPARE(after.mid(region::Pcba, 3), QByteArray("A\xff\xff"));
}

void TestCliSettings::badInput_data()
{
    QTest::addColumn<QStringList>("args"); // after "settings FILE"
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown label") << QStringList {u"Squelch=5"_s} << u"unknown setting \"Squelch\""_s;
    QTest::newRow("unknown item") << QStringList {u"SQL=10"_s} << u"SQL: unknown item \"10\""_s;
    QTest::newRow("item of another list") << QStringList {u"Beep=Auto"_s} << u"Beep: unknown item \"Auto\""_s;
    QTest::newRow("no equals") << QStringList {u"SQL"_s} << u"expected LABEL=ITEM"_s;
    QTest::newRow("twice") << QStringList {u"SQL=1"_s, u"SQL=2"_s} << u"SQL: given more than once"_s;
    QTest::newRow("code letter E") << QStringList {u"Code=12E"_s} << u"Code: \"12E\" is not a valid text"_s;
    QTest::newRow("password too long") << QStringList {u"Power-On Password=1234567"_s}
                                       << u"Power-On Password: \"1234567\" is not a valid text"_s;
    QTest::newRow("bad language") << QStringList {u"--lang"_s, u"fr"_s} << u"usage:"_s;
}

// Bad input is exit status 2 with a message naming it, and the file untouched.
void TestCliSettings::badInput()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    MemoryImage image = defaults();
    image.setByte(0x1814, 12);
    writeImage(m_file, image);
    const Run run = kdwCli(QStringList {u"settings"_s, m_file} + args);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QCOMPARE(run.out, QString());
    QCOMPARE(fileBytes(m_file), image.bytes());
}

void TestCliSettings::unreadableFile()
{
    const Run missing = kdwCli({u"settings"_s, m_dir.filePath(u"none.sin"_s), u"SQL=1"_s});
    QCOMPARE(missing.exitCode, 2);
    QVERIFY(missing.err.contains(u"cannot read"_s));
    QVERIFY(!QFile::exists(m_dir.filePath(u"none.sin"_s)));

    QFile shortFile(m_file);
    QVERIFY(shortFile.open(QIODevice::WriteOnly));
    shortFile.write(QByteArray(100, '\x01'));
    shortFile.close();
    const Run tooShort = kdwCli({u"settings"_s, m_file, u"SQL=1"_s});
    QCOMPARE(tooShort.exitCode, 2);
    QVERIFY2(tooShort.err.contains(u"100 bytes"_s), qPrintable(tooShort.err));
    QCOMPARE(fileBytes(m_file), QByteArray(100, '\x01'));
}

QTEST_GUILESS_MAIN(TestCliSettings)
#include "tst_clisettings.moc"
