// Every writer of the program on a disk that says no: the old file stays byte
// for byte, no temporary file is left, and the reason is the system's.
#include "clirun.h"
#include "core/channels/csvfile.h"
#include "core/image/backups.h"
#include "core/image/sinfile.h"
#include "core/link/batchlog.h"
#include "core/text/inifile.h"
#include "core/text/wholefile.h"
#include "fulldisk.h"
#include "testbytes.h"
#include "testfiles.h"

#include <QDir>
#include <QDirIterator>
#include <QTest>

#include <functional>
#include <memory>
#include <optional>
#include <sys/stat.h>

using namespace kdw;
using namespace kdw::test;

namespace {

// Writes into `folder` what the writer under test writes; its error text, or
// nothing when it wrote. `old` names the file it replaces, made beforehand.
struct Writer
{
    QString old;
    std::function<QString(const QString &folder)> write;
};

const QByteArray OldText = QByteArray(300, 'o') + "\n[Setup]\nCOM=COM1\n";
const QByteArray OldImage(MemoryImage::Size, '\x11');

// kdw-cli run in the folder, replacing plan.sin or writing beside it.
Writer cliWriter(const QStringList &arguments)
{
    return {u"plan.sin"_qs, [arguments](const QString &folder) {
                const CliRun run = runCli(arguments, {}, folder);
                return run.exitCode == 0 ? QString() : run.err;
            }};
}

QString reasonOf(const FileWrite &written)
{
    return written ? QString() : written.reason;
}

const QMap<QString, Writer> &writers()
{
    static const QMap<QString, Writer> all{
        {u"sin"_qs,
         {u"plan.sin"_qs,
          [](const QString &folder) { return reasonOf(writeSinFile(folder + u"/plan.sin"_qs, filledImage(2))); }}},
        {u"csv"_qs,
         {u"plan.csv"_qs,
          [](const QString &folder) {
              return writeUtf8File(folder + u"/plan.csv"_qs, QString(9000, u'x')).value_or(QString());
          }}},
        {u"ini"_qs,
         {u"Program.ini"_qs,
          [](const QString &folder) {
              CIniFile ini;
              ini.setPath(folder + u"/Program.ini"_qs);
              return ini.WriteString(u"Setup"_qs, u"COM"_qs, QString(200, u'9')) ? QString() : u"not written"_qs;
          }}},
        {u"backup"_qs,
         {{},
          [](const QString &folder) {
              const BackupResult saved = saveBackup(folder + u"/backups/"_qs, filledImage(3), BackupKind::Read);
              return saved ? QString() : saved.reason;
          }}},
        {u"kdw-cli new"_qs, cliWriter({u"new"_qs, u"plan.sin"_qs})},
        {u"kdw-cli settings"_qs, cliWriter({u"settings"_qs, u"plan.sin"_qs, u"SQL=4"_qs})},
        {u"kdw-cli export"_qs, cliWriter({u"export"_qs, u"plan.sin"_qs, u"plan.sin.csv"_qs})},
        {u"batch log"_qs,
         {{},
          [](const QString &folder) {
              QString error;
              return BatchLog::create(folder + u"/log.csv"_qs, &error) ? QString() : error;
          }}},
    };
    return all;
}

// Every file under the folder; a folder a writer made (backups/) is no file.
QStringList entries(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(folder).relativeFilePath(it.next()));
    files.sort();
    return files;
}

mode_t modeOf(const QString &path)
{
    struct stat st = {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 07777;
}

} // namespace

class TestWholeFile : public QObject
{
    Q_OBJECT

private slots:
    void diskSaysNo_data()
    {
        QTest::addColumn<QString>("writer");
        QTest::addColumn<bool>("fullDisk"); // else a file size limit
        for (const QString &name : writers().keys()) {
            QTest::addRow("%s, full disk", qPrintable(name)) << name << true;
            QTest::addRow("%s, size limit", qPrintable(name)) << name << false;
        }
    }

    // A full disk (as root) and a file size limit (anywhere) fail the write
    // with the system's own reason, and change nothing on the disk.
    void diskSaysNo()
    {
        QFETCH(QString, writer);
        QFETCH(bool, fullDisk);
        const Writer &w = writers()[writer];
        FullDisk disk;
        QTemporaryDir plain;
        if (fullDisk && !disk.isValid())
            QSKIP("mounting a small filesystem needs root on Linux");
        if (!fullDisk && !FileSizeLimit::Available)
            QSKIP("a file size limit is POSIX's");
        const QString folder = fullDisk ? disk.path() : plain.path();
        const QByteArray oldBytes = w.old.endsWith(u".sin") ? OldImage : OldText;
        if (!w.old.isEmpty())
            QVERIFY(writeFile(folder + u'/' + w.old, oldBytes));
        QString error;
        if (fullDisk)
            QVERIFY(disk.fill());
        const QStringList before = entries(folder);
        {
            std::optional<FileSizeLimit> limit;
            if (!fullDisk)
                limit.emplace(16);
            error = w.write(folder);
        }
        QCOMPARE(entries(folder), before);
        if (writer == u"ini") // CIniFile keeps the profile functions' true or false
            QCOMPARE(error, u"not written"_qs);
        else
            QVERIFY2(error.contains(fullDisk ? u"No space left on device"_qs : u"File too large"_qs),
                     qPrintable(error));
        if (!w.old.isEmpty())
            QCOMPARE(readFile(folder + u'/' + w.old), oldBytes);
    }

    // A log row that cannot be written leaves the log as it was and is written
    // with the next row once there is room.
    void batchLogRowWaitsForRoom()
    {
        if (!FileSizeLimit::Available)
            QSKIP("a file size limit is POSIX's");
        QTemporaryDir dir;
        QString error;
        const auto log = BatchLog::create(dir.filePath(u"log.csv"_qs), &error);
        QVERIFY2(log, qPrintable(error));
        UnitRecord first;
        first.unit = 1;
        {
            const FileSizeLimit limit(20);
            QVERIFY(!log->append(first));
        }
        QVERIFY(log->errorString().contains(u"File too large"_qs));
        QCOMPARE(readFile(log->path()), (BatchLog::Header + u'\n').toUtf8());
        UnitRecord second;
        second.unit = 2;
        QVERIFY(log->append(second));
        const QList<QByteArray> lines = readFile(log->path()).split('\n');
        QCOMPARE(lines.size(), 4); // header, both rows, the last line end
        QVERIFY(lines.at(1).startsWith("1,") && lines.at(2).startsWith("2,"));
    }

    // A replaced file keeps its permission bits and a link stays a link; a new
    // file gets the umask's.
    void replacedFileKeepsItsMode()
    {
#ifdef Q_OS_WIN
        QSKIP("permission bits, the umask and symbolic links are POSIX's");
#endif
        QTemporaryDir dir;
        const QString kept = dir.filePath(u"kept.sin"_qs);
        QVERIFY(writeFile(kept, "old"));
        QVERIFY(::chmod(QFile::encodeName(kept).constData(), 0640) == 0);
        QVERIFY(writeWholeFile(kept, "new"));
        QCOMPARE(modeOf(kept), mode_t(0640));
        QCOMPARE(readFile(kept), QByteArray("new"));

        const QString link = dir.filePath(u"link.sin"_qs);
        QVERIFY(QFile::link(kept, link));
        QVERIFY(writeWholeFile(link, "through"));
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(readFile(kept), QByteArray("through"));

        const mode_t mask = ::umask(022);
        QVERIFY(writeWholeFile(dir.filePath(u"new.sin"_qs), "x"));
        ::umask(mask);
        QCOMPARE(modeOf(dir.filePath(u"new.sin"_qs)), mode_t(0644));
        QCOMPARE(entries(dir.path()), (QStringList{u"kept.sin"_qs, u"link.sin"_qs, u"new.sin"_qs}));
    }

    void cliNeverCutsAForeignFile_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("settings") << QStringList{u"settings"_qs, u"picture.sin"_qs, u"SQL=4"_qs};
        QTest::newRow("new") << QStringList{u"new"_qs, u"picture.sin"_qs};
    }

    // A file of another length may be a picture renamed .sin: kdw-cli reads its
    // first 8192 bytes but never writes them back over it.
    void cliNeverCutsAForeignFile()
    {
        QFETCH(QStringList, arguments);
        QTemporaryDir dir;
        const QByteArray picture = OldImage + QByteArray(30000, 'p');
        QVERIFY(writeFile(dir.filePath(u"picture.sin"_qs), picture));
        const CliRun run = runCli(arguments, {}, dir.path());
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(u"not writing over picture.sin: it is 38192 bytes, not 8192"_qs),
                 qPrintable(run.err));
        QCOMPARE(readFile(dir.filePath(u"picture.sin"_qs)), picture);
    }

    // Keep never replaces: the taken name is said, the file stays.
    void keepNeverReplaces()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"log.csv"_qs);
        QVERIFY(writeFile(path, "first run"));
        const FileWrite written = writeWholeFile(path, "second run", ExistingFile::Keep);
        QVERIFY(!written && written.taken);
        QCOMPARE(readFile(path), QByteArray("first run"));
        // The system's own words for the reason: "File exists" (Windows ends it with a full stop).
        const QString message = written.message(Language::Eng);
        QVERIFY2(
            message.startsWith(u"Cannot write the file \"%1\".\nFile exists"_qs.arg(QDir::toNativeSeparators(path))),
            qPrintable(message));
    }
};

QTEST_GUILESS_MAIN(TestWholeFile)
#include "tst_wholefile.moc"
