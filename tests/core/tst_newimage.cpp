// What a new document holds; reading, saving and opening .sin files; backups:
// their names, a taken name never replaced, the newest 50 kept.
#include "core/image/backups.h"
#include "core/image/builtindefaults.h"
#include "core/image/programdoc.h"
#include "core/image/sinfile.h"
#include "coretest.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace kdw;
using namespace kdw::test;
using namespace Qt::StringLiterals;

namespace {

// Without Default.sin: 0xFF, then the built-in defaults.
MemoryImage builtInDefaults()
{
    MemoryImage expected = filledImage(0xFF);
    expected.setByte(0x063C, 0x3C);
    expected.copyIn(0x1810, hex("94FFF9FC050004FFFD02020203FFFFFFFF0000FF02FFFFFFFF00FFFFFFFF"));
    expected.copyIn(0x1840, hex("4B4457343137FFFF000000000000")); // KDW417, password 000000
    expected.setByte(0x1D40, 0xFC);
    return expected;
}

} // namespace

class TestNewImage : public QObject
{
    Q_OBJECT

private slots:
    void fileOfSize_data()
    {
        QTest::addColumn<int>("size"); // -1: no file, -2: a folder
        QTest::addColumn<SinLoadResult::Error>("error");
        QTest::newRow("missing") << -1 << SinLoadResult::Error::CannotOpen;
        QTest::newRow("a folder") << -2 << SinLoadResult::Error::CannotOpen;
        QTest::newRow("empty") << 0 << SinLoadResult::Error::TooShort;
        QTest::newRow("one short") << 8191 << SinLoadResult::Error::TooShort;
        QTest::newRow("exact") << 8192 << SinLoadResult::Error::None;
        QTest::newRow("longer: the first 8192") << 10000 << SinLoadResult::Error::None;
    }

    // The same file as Default.sin and as a file to open. A new image is 0xFF
    // with Default.sin read over it up to 8192 bytes, whatever its size; the
    // built-in defaults apply only when it cannot be opened. Opening refuses
    // a short file whole.
    void fileOfSize()
    {
        QFETCH(int, size);
        QFETCH(SinLoadResult::Error, error);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Default.sin"_s);
        if (size == -2)
            QVERIFY(QDir(dir.path()).mkdir(u"Default.sin"_s));
        else if (size >= 0)
            QVERIFY(writeFile(path, patternBytes(size)));
        MemoryImage image;
        makeNewImage(image, dir.path() + u'/');
        const int loaded = qBound(0, size, MemoryImage::Size);
        const QByteArray fromFile = patternBytes(loaded) + QByteArray(MemoryImage::Size - loaded, '\xFF');
        QCOMPARE(firstDifference(image.bytes(), size < 0 ? builtInDefaults().bytes() : fromFile), QString());

        const SinLoadResult r = readSinFile(path);
        QCOMPARE(r.error, error);
        QCOMPARE(r.bytes.value_or(QByteArray()),
                 error == SinLoadResult::Error::None ? patternBytes(8192) : QByteArray());
        if (error == SinLoadResult::Error::TooShort)
            QCOMPARE(r.fileSize, qint64(size));
        QCOMPARE(r.systemReason.isEmpty(), error != SinLoadResult::Error::CannotOpen);
    }

    // A short file is refused whole: the image, the path and the modified mark
    // stay as they were, and the message names the file and its size.
    void documentKeepsItsContentWhenOpenFails()
    {
        QTemporaryDir dir;
        const QString good = dir.filePath(u"good.sin"_s);
        QVERIFY(writeFile(good, patternBytes(8192, 5)));
        QVERIFY(writeFile(dir.filePath(u"short.sin"_s), patternBytes(4000, 9)));
        MemoryImage image;
        CProgramDoc doc(image, dir.path() + u'/', Language::Eng);
        QVERIFY(bool(doc.OnOpenDocument(good)));
        doc.SetModifiedFlag(true);
        QSignalSpy replaced(&doc, &CProgramDoc::contentReplaced);

        const DocumentResult r = doc.OnOpenDocument(dir.filePath(u"short.sin"_s));
        QVERIFY(!r);
        QVERIFY2(r.message.contains(u"short.sin"_s) && r.message.contains(u"4000"_s), qPrintable(r.message));
        QCOMPARE(image.bytes(), patternBytes(8192, 5));
        QCOMPARE(doc.GetPathName(), good);
        QVERIFY(doc.IsModified());
        QCOMPARE(replaced.count(), 0);
    }

    // A save that cannot complete (here: the target is a folder) leaves the
    // folder, the path and the modified mark; one that completes writes the
    // image whole, takes the path, clears the mark and leaves no temporary file.
    void documentSave()
    {
        QTemporaryDir dir;
        MemoryImage image;
        CProgramDoc doc(image, dir.path() + u'/', Language::Eng);
        image.copyIn(patternBytes(8192, 3));
        doc.SetModifiedFlag(true);
        QVERIFY(QDir(dir.path()).mkdir(u"taken.sin"_s));
        const DocumentResult failed = doc.OnSaveDocument(dir.filePath(u"taken.sin"_s));
        QVERIFY2(!failed && failed.message.contains(u"taken.sin"_s), qPrintable(failed.message));
        QVERIFY(QFileInfo(dir.filePath(u"taken.sin"_s)).isDir() && doc.IsModified() && doc.GetPathName().isEmpty());

        QVERIFY(bool(doc.OnSaveDocument(dir.filePath(u"b.sin"_s))));
        QCOMPARE(doc.GetPathName(), dir.filePath(u"b.sin"_s));
        QVERIFY(!doc.IsModified());
        QCOMPARE(readFile(dir.filePath(u"b.sin"_s)), patternBytes(8192, 3));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"b.sin"_s});
    }

    void namesAndPruning()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + u"/backups/"_s; // made by the first save
        const QDateTime first(QDate(2026, 12, 7), QTime(19, 30, 5));
        QVERIFY(writeFile(dir.path() + u"/keep.txt"_s, "not a backup"));

        const auto radio = [](int n) { return QByteArray("KDW417") + char(n) + '\0'; };
        // Three in the same second: none replaces another.
        for (quint8 n = 1; n <= 3; ++n) {
            const BackupResult saved = saveBackup(folder, filledImage(n), BackupKind::Read, first, radio(n));
            QVERIFY2(saved, qPrintable(saved.reason));
        }
        QCOMPARE(backupFiles(folder), (QStringList{u"20261207-193005-read.sin"_s, u"20261207-193005-read-2.sin"_s,
                                                   u"20261207-193005-read-3.sin"_s}));
        QCOMPARE(readFile(folder + u"20261207-193005-read.sin"_s), filledImage(1).bytes());
        QCOMPARE(readFile(folder + u"20261207-193005-read-3.sin"_s), filledImage(3).bytes());
        QCOMPARE(readFile(folder + u"20261207-193005-read-2.ident"_s), QByteArray("4b44573431370200\n"));
        QCOMPARE(recordedIdentification(folder + u"20261207-193005-read-3.sin"_s), radio(3));

        // Fifty more, a second apart: the three oldest go, the newest 50 stay.
        for (int n = 1; n <= 50; ++n) {
            const auto kind = n % 2 ? BackupKind::BeforeWrite : BackupKind::Read;
            QVERIFY(
                saveBackup(folder, filledImage(quint8(n)), kind, first.addSecs(n), n == 50 ? QByteArray() : radio(n)));
        }
        const QStringList kept = backupFiles(folder);
        QCOMPARE(kept.size(), BackupsKept);
        QCOMPARE(kept.first(), u"20261207-193006-before-write.sin"_s);
        QCOMPARE(kept.last(), u"20261207-193055-read.sin"_s);
        // Nothing but backups and their identifications (the last has none: no
        // radio known); none left of those pruned, no temporary file, other files untouched.
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 2 * BackupsKept - 1);
        QCOMPARE(recordedIdentification(folder + kept.first()), radio(1));
        QCOMPARE(recordedIdentification(folder + kept.last()), QByteArray());
        QVERIFY(QFile::exists(dir.path() + u"/keep.txt"_s));
    }

    // A backup that cannot be written whole is no backup: a file where its
    // folder belongs, or a folder where its identification belongs (it would
    // pass for a backup of a radio unknown). Each says why.
    void backupThatCannotBeWritten()
    {
        for (const QString &inTheWay : {u"backups"_s, u"backups/20261207-193005-read.ident/"_s}) {
            QTemporaryDir dir;
            QVERIFY(inTheWay.endsWith(u'/') ? QDir(dir.path()).mkpath(inTheWay)
                                            : writeFile(dir.filePath(inTheWay), "a file where the folder belongs"));
            const QString folder = dir.filePath(u"backups/"_s);
            const BackupResult saved
                = saveBackup(folder, filledImage(1), BackupKind::Read, QDateTime(QDate(2026, 12, 7), QTime(19, 30, 5)),
                             QByteArray("KDW417\1\0", 8));
            QVERIFY2(!saved && !saved.reason.isEmpty(), qPrintable(inTheWay));
            QCOMPARE(backupFiles(folder), QStringList());
        }
    }

    // Only the program's own names are backups, oldest first, with their time
    // and kind; a look-alike in the folder is left alone.
    void onlyBackupNamesAreListed()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + u"/"_s;
        const QStringList names{u"20261207-193005-before-write-12.sin"_s,
                                u"20261207-193005-before-write-2.sin"_s,
                                u"20261201-080000-read.sin"_s,
                                u"20261207-193005-read-.sin"_s,
                                u"20261207-19300-read.sin"_s,
                                u"20261207x193005-read.sin"_s,
                                u"20261207-193005-write.sin"_s,
                                u"20261207-193005-read-2a.sin"_s,
                                u"20261207-193005-read.sin.bak"_s,
                                u"notes.sin"_s};
        for (const QString &name : names)
            QVERIFY(writeFile(folder + name, "x"));
        QCOMPARE(backupFiles(folder),
                 (QStringList{u"20261201-080000-read.sin"_s, u"20261207-193005-before-write-2.sin"_s,
                              u"20261207-193005-before-write-12.sin"_s}));
        const QList<BackupEntry> entries = backupEntries(folder);
        QCOMPARE(entries.size(), 3);
        QCOMPARE(entries.last().kind, BackupKind::Read);
        QCOMPARE(entries.last().made, QDateTime(QDate(2026, 12, 1), QTime(8, 0)));
        QCOMPARE(entries.first().kind, BackupKind::BeforeWrite);
    }
};

QTEST_GUILESS_MAIN(TestNewImage)
#include "tst_newimage.moc"
