// The file commands around backups and comparing: Open Backup, Compare with
// File, and the question before an overlong file is opened.
#include "core/image/backups.h"
#include "core/image/programdoc.h"
#include "fulldisk.h"
#include "gui/dialogs/diffdlg.h"
#include "gui/frame/commandids.h"
#include "gui/frame/documentcommands.h"
#include "gui/frame/mainframe.h"
#include "gui/grid/msflexgrid.h"
#include "gui/grid/programview.h"
#include "guitest.h"
#include "modal.h"

#include <QLabel>
#include <QTableWidget>
#include <QTest>

#include <optional>

using namespace kdw;
using namespace kdw::test;

namespace {

MemoryImage imageWithSql(quint8 sql)
{
    MemoryImage image = filledImage(0xFF);
    image.setByte(0x1814, sql);
    return image;
}

} // namespace

class TestDocumentFiles : public QObject
{
    Q_OBJECT

private slots:
    void overlongFile_data()
    {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<QString>("question");
        QTest::newRow("Eng, Yes") << QByteArray("Eng") << QMessageBox::Yes
                                  << u"This file is 8200 bytes, not 8192; it may not be a channel data file. "
                                     "Open its first 8192 bytes?"_qs;
        QTest::newRow("Chs, No")
            << QByteArray("Chs") << QMessageBox::No
            << u"此文件有 8200 字节，而不是 8192 字节；它可能不是信道数据文件。是否打开它的前 8192 字节？"_qs;
        QTest::newRow("Cht, No")
            << QByteArray("Cht") << QMessageBox::No
            << u"此檔案有 8200 位元組，而不是 8192 位元組；它可能不是頻道資料檔。是否開啟它的前 8192 位元組？"_qs;
    }

    // Yes opens the first 8192 bytes; No, the default, leaves the document as
    // it was. Save never cuts the long file to 8192 bytes: it asks for a new name.
    void overlongFile()
    {
        QFETCH(QByteArray, language);
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(QString, question);
        Program program("[Setup]\nLanguage=" + language + "\nCOM=COM1\n");
        QVERIFY(program.start());
        const MemoryImage before = program.app.document()->image();
        const QString path = program.dir.file(u"long.sin"_qs);
        QVERIFY(writeFile(path, imageWithSql(3).bytes() + QByteArray(8, 'x')));
        const QString saved = program.dir.file(u"long-2.sin"_qs);
        QString saveStart;
        program.app.documentCommands()->setFilePrompt([&](bool forSave, const QString &start) {
            if (forSave)
                saveStart = start;
            return forSave ? saved : path;
        });
        MessageRecorder messages;
        messages.answers = {answer};
        program.action(cmd::FileOpen)->trigger();
        QCOMPARE(messages.texts, QStringList{question});
        QCOMPARE(messages.defaults, QList{QMessageBox::No});
        const bool yes = answer == QMessageBox::Yes;
        QVERIFY(program.app.document()->image() == (yes ? imageWithSql(3) : before));
        QCOMPARE(program.app.document()->GetPathName(), yes ? path : QString());
        if (!yes)
            return;
        QVERIFY(QTest::qWaitForWindowActive(program.app.mainFrame()));
        QTest::keyClick(program.app.view()->grid(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(saveStart, saved);
        QCOMPARE(readFile(path), imageWithSql(3).bytes() + QByteArray(8, 'x'));
        QCOMPARE(readFile(saved), program.app.document()->image().bytes());
        QCOMPARE(program.app.document()->GetPathName(), saved);
    }

    void saveOnFullDisk_data()
    {
        QTest::addColumn<bool>("fullDisk");
        QTest::addColumn<QString>("reason");
        QTest::newRow("full disk") << true << u"No space left on device"_qs;
        QTest::newRow("size limit") << false << u"File too large"_qs;
    }

    // Save on a disk that says no names the file and the reason, keeps the
    // old file and the modified mark.
    void saveOnFullDisk()
    {
        QFETCH(bool, fullDisk);
        QFETCH(QString, reason);
        FullDisk disk;
        if (fullDisk && !disk.isValid())
            QSKIP("mounting a small filesystem needs root");
        Program program;
        QVERIFY(program.start());
        const QString path = fullDisk ? disk.filePath(u"plan.sin"_qs) : program.dir.file(u"plan.sin"_qs);
        QVERIFY(writeFile(path, imageWithSql(3).bytes()));
        QCOMPARE(program.app.documentCommands()->OpenDocumentFile(path), DocumentCommands::OpenResult::Opened);
        program.app.document()->image().setByte(0x1814, 4);
        program.app.document()->SetModifiedFlag();
        if (fullDisk)
            QVERIFY(disk.fill());
        QVERIFY(QTest::qWaitForWindowActive(program.app.mainFrame()));
        MessageRecorder messages;
        {
            std::optional<FileSizeLimit> limit;
            if (!fullDisk)
                limit.emplace(16);
            QTest::keyClick(program.app.view()->grid(), Qt::Key_S, Qt::ControlModifier);
        }
        QCOMPARE(
            messages.texts,
            QStringList{u"Cannot save the file \"%1\".\n%2\nThe file on disk was not changed."_qs.arg(path, reason)});
        QCOMPARE(readFile(path), imageWithSql(3).bytes());
        QVERIFY(program.app.document()->IsModified());
    }

    // A backup opens as a new, untitled and modified document, so that Save
    // asks for a name instead of overwriting the backup.
    void openBackup()
    {
        Program program;
        QVERIFY(program.start());
        const QString folder = backupDirectory(program.dir.path());
        const BackupResult saved = saveBackup(folder, imageWithSql(4), BackupKind::Read);
        QVERIFY(saved);
        QString startedIn;
        program.app.documentCommands()->setFilePrompt([&](bool, const QString &start) {
            startedIn = start;
            return saved.path;
        });
        program.action(cmd::FileOpenBackup)->trigger();
        QCOMPARE(startedIn, folder);
        QVERIFY(program.app.document()->image() == imageWithSql(4));
        QCOMPARE(program.app.document()->GetPathName(), QString());
        QVERIFY(program.app.document()->IsModified());
    }

    void compareWithFile()
    {
        Program program;
        QVERIFY(program.start());
        const QString path = program.dir.file(u"other.sin"_qs);
        program.app.view()->gridStore();
        MemoryImage other = program.app.document()->image();
        other.setByte(0x1814, 2);
        other.setByte(0x1816, 2);
        QVERIFY(writeFile(path, other.bytes()));
        const MemoryImage before = program.app.document()->image();
        program.app.documentCommands()->setFilePrompt([&](bool, const QString &) { return path; });
        QList<QStringList> rows;
        QString message;
        whenModal<CDiffDlg>([&](CDiffDlg *dialog) {
            message = dialog->findChild<QLabel *>(u"message"_qs)->text();
            rows = tableTexts(*dialog->table());
            dialog->reject();
        });
        program.action(cmd::FileCompare)->trigger();
        QCOMPARE(message, u"These differ between the document and \"other.sin\"."_qs);
        QCOMPARE(rows, (QList<QStringList>{{u"Option"_qs, u"SQL"_qs, u"5"_qs, u"2"_qs},
                                           {u"Option"_qs, u"Step"_qs, u"25KHz"_qs, u"10KHz"_qs}}));
        QVERIFY(program.app.document()->image() == before);
        QVERIFY(!program.app.document()->IsModified());
    }
};

QTEST_MAIN(TestDocumentFiles)
#include "tst_documentfiles.moc"
