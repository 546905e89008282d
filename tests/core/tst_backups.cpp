// Backups: their names, a taken name never replaced, the newest 50 kept, each
// with the identification of its radio beside it.
#include "core/image/backups.h"
#include "coretest.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace kdw;
using namespace kdw::test;
using namespace Qt::StringLiterals;

class TestBackups : public QObject
{
    Q_OBJECT

private slots:
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

    void folderThatCannotBeMade()
    {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.path() + u"/backups"_s, "a file where the folder belongs"));
        const BackupResult saved = saveBackup(dir.path() + u"/backups/"_s, filledImage(1), BackupKind::Read);
        QVERIFY(!saved);
        QVERIFY(!saved.reason.isEmpty());
    }

    // A backup whose radio cannot be recorded is no backup: it would pass
    // for one of a radio unknown.
    void identificationThatCannotBeWritten()
    {
        QTemporaryDir dir;
        const QDateTime when(QDate(2026, 12, 7), QTime(19, 30, 5));
        QVERIFY(QDir(dir.path()).mkpath(u"20261207-193005-read.ident"_s));
        const BackupResult saved
            = saveBackup(dir.path() + u"/"_s, filledImage(1), BackupKind::Read, when, QByteArray("KDW417\1\0", 8));
        QVERIFY(!saved && !saved.reason.isEmpty());
        QCOMPARE(backupFiles(dir.path() + u"/"_s), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestBackups)
#include "tst_backups.moc"
