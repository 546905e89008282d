// kdw-cli diff: the channels, settings and bytes that differ between two
// files, named as the grid and the dialogs name them, in each language.
#include "coretest.h"
#include "image/regions.h"

#include <QTemporaryDir>
#include <QTest>

using namespace kdw;
using namespace kdw::test;
using namespace Qt::StringLiterals;

namespace {

// Channel 1 at 462.125 MHz named "CH1", SQL 5, Roger stored as 0xFF.
MemoryImage baseImage()
{
    MemoryImage image = filledImage(0xFF);
    image.copyIn(region::channelRecord(1), hex("0025214600252146850823807D010203"));
    image.copyIn(region::nameSlot(1), hex("434831FFFFFFFFFF"));
    image.setByte(0x1814, 5);
    return image;
}

using Edit = std::function<void(MemoryImage &)>;

} // namespace

class TestImageDiff : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void diff_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("lines"); // tab-separated: where, what, A, B

        const Edit none = [](MemoryImage &) {};
        const Edit channel = [](MemoryImage &b) {
            b.setByte(region::channelRecord(1) + 2, 0x22);       // 462.22500
            b.setByte(region::channelRecord(1) + 15, 0x04);      // a byte no cell shows
            b.setByte(region::nameSlot(1) + 2, '2');             // "CH2"
        };
        const Edit settings = [](MemoryImage &b) {
            b.setByte(0x1814, 3);                                 // SQL 3
            b.copyIn(region::PttIdCode, hex("0102FFFFFFFFFFFFFFFFFFFFFFFFFFFF"));
        };
        const Edit unshown = [](MemoryImage &b) {
            b.setByte(0x1820, 0x00);     // Roger: Off either way
            b.copyIn(0x1FF2, hex("0000")); // the tail the write never sends
        };

        QTest::newRow("equal") << u"eng"_s << none << 0 << QStringList{};
        QTest::newRow("channel, eng") << u"eng"_s << channel << 1
                                      << QStringList{u"CH 1\tRx Freq\t462.12500\t462.22500"_s,
                                                     u"CH 1\tName\tCH1\tCH2"_s};
        QTest::newRow("channel, chs") << u"chs"_s << channel << 1
                                      << QStringList{u"信道 1\t接收频率\t462.12500\t462.22500"_s,
                                                     u"信道 1\t信道名称\tCH1\tCH2"_s};
        QTest::newRow("channel, cht") << u"cht"_s << channel << 1
                                      << QStringList{u"信道 1\t接收頻率\t462.12500\t462.22500"_s,
                                                     u"信道 1\t信道名稱\tCH1\tCH2"_s};
        QTest::newRow("settings, eng") << u"eng"_s << settings << 1
                                       << QStringList{u"Option\tSQL\t5\t3"_s, u"PTT ID\tCode\t\t\\x01\\x02"_s};
        QTest::newRow("settings, chs") << u"chs"_s << settings << 1
                                       << QStringList{u"选项\t静噪\t5\t3"_s, u"PTT ID\t编码\t\t\\x01\\x02"_s};
        QTest::newRow("settings, cht") << u"cht"_s << settings << 1
                                       << QStringList{u"選項\t靜噪\t5\t3"_s, u"PTT ID\t編碼\t\t\\x01\\x02"_s};
        QTest::newRow("bytes no cell or item shows")
            << u"eng"_s << unshown << 1 << QStringList{u"0x1820\t\tFF\t00"_s, u"0x1FF2..0x1FF3\t\tFF FF\t00 00"_s};
    }

    void diff()
    {
        QFETCH(QString, lang);
        QFETCH(Edit, edit);
        QFETCH(int, exitCode);
        QFETCH(QStringList, lines);
        const MemoryImage a = baseImage();
        MemoryImage b = a;
        edit(b);
        QVERIFY(writeFile(path(u"a.sin"_s), a.bytes()));
        QVERIFY(writeFile(path(u"b.sin"_s), b.bytes()));
        const CliRun run = runCli({u"diff"_s, u"--lang"_s, lang, path(u"a.sin"_s), path(u"b.sin"_s)});
        QVERIFY2(run.exitCode == exitCode, qPrintable(run.err));
        QCOMPARE(run.out.split(u'\n', Qt::SkipEmptyParts), lines);
    }

    // Files that cannot be compared are exit status 2 with a message naming
    // why; a file longer than a channel data file is compared by its first
    // 8192 bytes, with a warning.
    void badInput_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("error");
        QTest::newRow("missing file") << QStringList{u"a.sin"_s, u"none.sin"_s} << 2 << u"cannot read"_s;
        QTest::newRow("short file") << QStringList{u"a.sin"_s, u"short.sin"_s} << 2 << u"only 100 of 8192 bytes"_s;
        QTest::newRow("long file warns") << QStringList{u"a.sin"_s, u"long.sin"_s} << 0 << u"is 8202 bytes, not 8192"_s;
        QTest::newRow("one file") << QStringList{u"a.sin"_s} << 2 << u"usage"_s;
        QTest::newRow("unknown language") << QStringList{u"--lang"_s, u"fr"_s, u"a.sin"_s, u"a.sin"_s} << 2
                                          << u"usage"_s;
    }

    void badInput()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, error);
        QVERIFY(writeFile(path(u"a.sin"_s), baseImage().bytes()));
        QVERIFY(writeFile(path(u"short.sin"_s), QByteArray(100, 'x')));
        QVERIFY(writeFile(path(u"long.sin"_s), baseImage().bytes() + QByteArray(10, 'x')));
        for (QString &arg : args) {
            if (arg.endsWith(u".sin"))
                arg = path(arg);
        }
        const CliRun run = runCli(QStringList{u"diff"_s} + args);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(error), qPrintable(run.err));
        QCOMPARE(run.out, QString());
    }
};

QTEST_GUILESS_MAIN(TestImageDiff)
#include "tst_imagediff.moc"
