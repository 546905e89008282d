// Backups: their names, a taken name never replaced, the newest 50 kept.
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

        // Three in the same second: none replaces another.
        for (quint8 n = 1; n <= 3; ++n) {
            const BackupResult saved = saveBackup(folder, filledImage(n), BackupKind::Read, first);
            QVERIFY2(saved, qPrintable(saved.reason));
        }
        QCOMPARE(backupFiles(folder), (QStringList{u"20261207-193005-read.sin"_s, u"20261207-193005-read-2.sin"_s,
                                                   u"20261207-193005-read-3.sin"_s}));
        QCOMPARE(readFile(folder + u"20261207-193005-read.sin"_s), filledImage(1).bytes());
        QCOMPARE(readFile(folder + u"20261207-193005-read-3.sin"_s), filledImage(3).bytes());

        // Fifty more, a second apart: the three oldest go, the newest 50 stay.
        for (int n = 1; n <= 50; ++n) {
            const auto kind = n % 2 ? BackupKind::BeforeWrite : BackupKind::Read;
            QVERIFY(saveBackup(folder, filledImage(quint8(n)), kind, first.addSecs(n)));
        }
        const QStringList kept = backupFiles(folder);
        QCOMPARE(kept.size(), BackupsKept);
        QCOMPARE(kept.first(), u"20261207-193006-before-write.sin"_s);
        QCOMPARE(kept.last(), u"20261207-193055-read.sin"_s);
        // Nothing but backups: no temporary file left, other files untouched.
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), BackupsKept);
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
};

QTEST_GUILESS_MAIN(TestBackups)
#include "tst_backups.moc"
