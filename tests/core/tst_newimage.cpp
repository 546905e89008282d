// What a new document holds, and the .sin file format's read and write.
#include "app/globals.h"
#include "image/builtindefaults.h"
#include "image/memoryimage.h"
#include "image/programdoc.h"
#include "image/sinfile.h"
#include "image/transferranges.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace kdw;

namespace {

QByteArray pattern(int size, int seed = 7)
{
    QByteArray b(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        b[i] = char((i * 31 + seed) & 0xFF);
    return b;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// The bytes the built-in defaults set, by offset; every other byte is 0xFF.
QMap<int, quint8> defaultBytes()
{
    QMap<int, quint8> m{{0x063C, 0x3C}, {0x1810, 0x94}, {0x1811, 0xFF}, {0x1812, 0xF9}, {0x1813, 0xFC},
                        {0x1814, 0x05}, {0x1815, 0x00}, {0x1816, 0x04}, {0x1818, 0xFD}, {0x1819, 0x02},
                        {0x181A, 0x02}, {0x181B, 0x02}, {0x181C, 0x03}, {0x181D, 0xFF}, {0x1821, 0x00},
                        {0x1822, 0x00}, {0x1824, 0x02}, {0x1829, 0x00}, {0x182D, 0xFF}, {0x1D40, 0xFC}};
    const char model[] = "KDW417";
    for (int i = 0; i < 6; ++i) {
        m.insert(0x1840 + i, quint8(model[i]));
        m.insert(0x1848 + i, 0x00);
    }
    return m;
}

} // namespace

class TestNewImage : public QObject
{
    Q_OBJECT

private slots:
    void processImageStartsAtZero()
    {
        QVERIFY(theImage().bytes() == QByteArray(MemoryImage::Size, '\0'));
    }

    void transferTables()
    {
        QCOMPARE(ReadBlockCount, 318);
        QCOMPARE(WriteBlockCount, 316);
        // The write never reaches 0x1FF0..0x1FFF; every other range is the same.
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(ReadRanges[i].start, WriteRanges[i].start);
            QCOMPARE(ReadRanges[i].end, WriteRanges[i].end);
        }
        QCOMPARE(WriteRanges[4].end, 0x1FF0);
        QCOMPARE(ReadRanges[4].end, 0x2000);
    }

    void builtInDefaultsWithoutDefaultFile()
    {
        QTemporaryDir dir;
        MemoryImage image;
        makeNewImage(image, dir.path() + u'/');
        const auto expected = defaultBytes();
        for (int offset = 0; offset < MemoryImage::Size; ++offset) {
            const quint8 want = expected.value(offset, 0xFF);
            if (image.byte(offset) != want)
                QFAIL(qPrintable(QStringLiteral("offset 0x%1: %2, expected %3")
                                     .arg(offset, 4, 16, QChar(u'0')).arg(int(image.byte(offset))).arg(int(want))));
        }
    }

    void defaultFile_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("empty") << 0;
        QTest::newRow("100 bytes") << 100;
        QTest::newRow("one short") << 8191;
        QTest::newRow("exact") << 8192;
        QTest::newRow("longer") << 9000;
    }

    // Default.sin is read up to 8192 bytes whatever its size; the built-in
    // defaults are not applied once it opens.
    void defaultFile()
    {
        QFETCH(int, size);
        QTemporaryDir dir;
        const QByteArray content = pattern(size);
        writeFile(dir.filePath(QStringLiteral("Default.sin")), content);
        MemoryImage image;
        makeNewImage(image, dir.path() + u'/');
        const int loaded = qMin(size, MemoryImage::Size);
        QCOMPARE(image.bytes(0, loaded), content.left(loaded));
        QCOMPARE(image.bytes(loaded, MemoryImage::Size - loaded), QByteArray(MemoryImage::Size - loaded, '\xFF'));
    }

    void unreadableDefaultFileGivesDefaults()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Default.sin")));
        MemoryImage image;
        makeNewImage(image, dir.path() + u'/');
        QCOMPARE(image.byte(0x1814), quint8(0x05));
        QCOMPARE(image.bytes(0x1840, 6), QByteArray("KDW417"));
    }

    void readSinFile_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("ok");
        QTest::newRow("empty") << 0 << false;
        QTest::newRow("short") << 100 << false;
        QTest::newRow("one short") << 8191 << false;
        QTest::newRow("exact") << 8192 << true;
        QTest::newRow("longer loads the first 8192") << 10000 << true;
    }

    void readSinFile()
    {
        QFETCH(int, size);
        QFETCH(bool, ok);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("x.sin"));
        writeFile(path, pattern(size));
        const SinLoadResult r = kdw::readSinFile(path);
        QCOMPARE(bool(r), ok);
        if (ok) {
            QCOMPARE(*r.bytes, pattern(size).left(8192));
        } else {
            QCOMPARE(r.error, SinLoadResult::Error::TooShort);
            QCOMPARE(r.fileSize, qint64(size));
        }
    }

    void readMissingFile()
    {
        const SinLoadResult r = kdw::readSinFile(QStringLiteral("/nonexistent/dir/x.sin"));
        QVERIFY(!r);
        QCOMPARE(r.error, SinLoadResult::Error::CannotOpen);
        QVERIFY(!r.systemReason.isEmpty());
    }

    void saveWritesTheImageAndLeavesNoTemporaryFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.sin"));
        MemoryImage image;
        image.copyIn(pattern(8192, 3));
        QVERIFY(bool(writeSinFile(path, image)));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), image.bytes());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("a.sin")});
    }

    // A save that cannot complete (here: the target is a folder) reports the
    // reason and leaves what was there.
    void failedSaveIsReported()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("taken.sin")));
        MemoryImage image;
        const SinSaveResult r = writeSinFile(dir.filePath(QStringLiteral("taken.sin")), image);
        QVERIFY(!r);
        QVERIFY(!r.systemReason.isEmpty());
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("taken.sin"))).isDir());
        QVERIFY(!writeSinFile(dir.filePath(QStringLiteral("no/such/folder/a.sin")), image));
    }

    // A short file is refused whole: the image, the path and the modified mark
    // stay as they were, and the message names the file and its size.
    void documentKeepsItsContentWhenOpenFails()
    {
        QTemporaryDir dir;
        const QString good = dir.filePath(QStringLiteral("good.sin"));
        const QString shortFile = dir.filePath(QStringLiteral("short.sin"));
        writeFile(good, pattern(8192, 5));
        writeFile(shortFile, pattern(4000, 9));
        MemoryImage image;
        CProgramDoc doc(image);
        QVERIFY(bool(doc.OnOpenDocument(good)));
        doc.SetModifiedFlag(true);
        QSignalSpy replaced(&doc, &CProgramDoc::contentReplaced);

        const DocumentResult r = doc.OnOpenDocument(shortFile);
        QVERIFY(!r);
        QVERIFY(r.message.contains(QStringLiteral("short.sin")));
        QVERIFY(r.message.contains(QStringLiteral("4000")));
        QCOMPARE(image.bytes(), pattern(8192, 5));
        QCOMPARE(doc.GetPathName(), good);
        QVERIFY(doc.IsModified());
        QCOMPARE(replaced.count(), 0);
    }

    void documentSaveTakesThePathAndClearsTheMark()
    {
        QTemporaryDir dir;
        MemoryImage image;
        CProgramDoc doc(image);
        setProgramDirectory(dir.path() + u'/');
        QVERIFY(doc.OnNewDocument());
        doc.SetModifiedFlag(true);
        const QString path = dir.filePath(QStringLiteral("b.sin"));
        QVERIFY(bool(doc.OnSaveDocument(path)));
        QCOMPARE(doc.GetPathName(), path);
        QVERIFY(!doc.IsModified());
        QCOMPARE(kdw::readSinFile(path).bytes.value(), image.bytes());
    }
};

QTEST_GUILESS_MAIN(TestNewImage)
#include "tst_newimage.moc"
