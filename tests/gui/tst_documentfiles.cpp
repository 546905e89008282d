// The file commands around backups and comparing: Open Backup, Compare with
// File, the question before an overlong file is opened, and the recent files.
#include "core/image/backups.h"
#include "core/image/programdoc.h"
#include "core/program/recentfiles.h"
#include "core/text/inifile.h"
#include "fulldisk.h"
#include "gui/dialogs/backuplistdlg.h"
#include "gui/dialogs/controlids.h"
#include "gui/dialogs/diffdlg.h"
#include "gui/frame/commandids.h"
#include "gui/frame/documentcommands.h"
#include "gui/frame/mainframe.h"
#include "gui/grid/msflexgrid.h"
#include "gui/grid/programview.h"
#include "guitest.h"
#include "modal.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
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
        if (!fullDisk && !FileSizeLimit::Available)
            QSKIP("a file size limit is POSIX's");
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

    // Open Backup lists the backups newest first with their time and kind;
    // Enter opens the selected one, Other File... the file dialog in the
    // backup folder. A backup opens as a new, untitled and modified document,
    // so that Save asks for a name instead of overwriting the backup.
    void openBackup_data()
    {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<bool>("otherFile");
        QTest::addColumn<QString>("newerKind"); // as listed
        QTest::addColumn<QString>("olderKind");
        QTest::newRow("Eng, the newest by Enter") << QByteArray("Eng") << false << u"before a write"_qs << u"a read"_qs;
        QTest::newRow("Chs, Other File") << QByteArray("Chs") << true << u"写频前"_qs << u"读频"_qs;
    }
    void openBackup()
    {
        QFETCH(QByteArray, language);
        QFETCH(bool, otherFile);
        QFETCH(QString, newerKind);
        QFETCH(QString, olderKind);
        Program program("[Setup]\nLanguage=" + language + "\n");
        QVERIFY(program.start());
        const QString folder = backupDirectory(program.dir.path());
        const QDate day(2026, 12, 8);
        const BackupResult older = saveBackup(folder, imageWithSql(4), BackupKind::Read, {day, QTime(9, 15)});
        const BackupResult newer = saveBackup(folder, imageWithSql(6), BackupKind::BeforeWrite,
                                              {day.addDays(1), QTime(10, 30)}, QByteArray("KDW417\x01\x00", 8));
        QVERIFY(older && newer);
        QString startedIn;
        program.app.documentCommands()->setFilePrompt([&](bool, const QString &start) {
            startedIn = start;
            return older.path;
        });
        QList<QStringList> shown;
        whenModal<CBackupListDlg>([&](CBackupListDlg *dialog) {
            auto *list = dialog->item<QTableWidget>(ctl::backups::List);
            shown = tableTexts(*list);
            if (otherFile)
                QTest::keyClick(dialog->item<QPushButton>(ctl::backups::OtherFile), Qt::Key_Space);
            else
                QTest::keyClick(list, Qt::Key_Return);
        });
        program.action(cmd::FileOpenBackup)->trigger();
        QCOMPARE(shown, (QList<QStringList>{
                            {u"2026-12-09 10:30:00"_qs, newerKind, u"\"KDW417..\" (4B 44 57 34 31 37 01 00)"_qs},
                            {u"2026-12-08 09:15:00"_qs, olderKind, QString()}}));
        QCOMPARE(startedIn, otherFile ? folder : QString());
        QVERIFY(program.app.document()->image() == imageWithSql(otherFile ? 4 : 6));
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
        QStringList headings;
        QString message;
        bool fits = true; // every column whole in the table's width, its heading and texts too
        whenModal<CDiffDlg>([&](CDiffDlg *dialog) {
            message = dialog->findChild<QLabel *>(u"message"_qs)->text();
            QTableWidget &table = *dialog->table();
            rows = tableTexts(table);
            for (int c = 0; c < table.columnCount(); ++c) {
                headings << table.horizontalHeaderItem(c)->text();
                const int end = table.columnViewportPosition(c) + table.columnWidth(c);
                fits = fits && end <= table.viewport()->width()
                       && table.columnWidth(c) >= qMax(table.horizontalHeader()->sectionSizeHint(c),
                                                       static_cast<QAbstractItemView &>(table).sizeHintForColumn(c));
            }
            dialog->reject();
        });
        program.action(cmd::FileCompare)->trigger();
        QCOMPARE(message, u"These differ between the document and \"other.sin\"."_qs);
        QCOMPARE(headings, (QStringList{u"Where"_qs, u"What"_qs, u"This document"_qs, u"The file"_qs}));
        QVERIFY(fits);
        QCOMPARE(rows, (QList<QStringList>{{u"Option"_qs, u"SQL"_qs, u"5"_qs, u"2"_qs},
                                           {u"Option"_qs, u"Step"_qs, u"25KHz"_qs, u"10KHz"_qs}}));
        QVERIFY(program.app.document()->image() == before);
        QVERIFY(!program.app.document()->IsModified());
    }

    // File's recent files: the last four opened or saved, newest first, kept
    // in Program.ini; the items open by their number key; a file that is gone
    // is said (in the running language) and taken off.
    void recentFiles_data()
    {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QString>("gone");
        QTest::newRow("Eng") << QByteArray("Eng") << u"is no longer there"_qs;
        QTest::newRow("Cht") << QByteArray("Cht") << u"已不存在"_qs;
    }
    void recentFiles()
    {
        QFETCH(QByteArray, language);
        QFETCH(QString, gone);
        Program program("[Setup]\nLanguage=" + language + "\n");
        QVERIFY(program.start());
        QVERIFY(QTest::qWaitForWindowActive(program.app.mainFrame()));
        const auto plan = [&program](int n) { return program.dir.file(u"plan%1.sin"_qs.arg(n)); };
        for (int n = 1; n <= 5; ++n) {
            QVERIFY(writeFile(plan(n), imageWithSql(quint8(n)).bytes()));
            QCOMPARE(program.app.documentCommands()->OpenDocumentFile(plan(n)), DocumentCommands::OpenResult::Opened);
        }
        const auto recent = [&program] {
            CIniFile config;
            config.setPath(program.dir.file(u"Program.ini"_qs));
            return readRecentFiles(config);
        };
        QCOMPARE(recent(), (QStringList{plan(5), plan(4), plan(3), plan(2)}));

        // Alt+F, 3: the third item, plan3.sin, comes first.
        QTest::keyClick(program.app.mainFrame(), Qt::Key_F, Qt::AltModifier);
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_3);
        QCOMPARE(program.app.document()->GetPathName(), plan(3));
        QCOMPARE(program.app.document()->image().byte(0x1814), 3);
        QCOMPARE(recent(), (QStringList{plan(3), plan(5), plan(4), plan(2)}));

        QVERIFY(QFile::remove(plan(4)));
        MessageRecorder messages;
        QTest::keyClick(program.app.mainFrame(), Qt::Key_F, Qt::AltModifier);
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_3);
        QCOMPARE(messages.texts.size(), 1);
        QVERIFY2(messages.texts.first().contains(gone), qPrintable(messages.texts.first()));
        QCOMPARE(program.app.document()->GetPathName(), plan(3));
        QCOMPARE(recent(), (QStringList{plan(3), plan(5), plan(2)}));
        QVERIFY(!program.dir.read(u"Program.ini"_qs).contains("File4"));
    }
};

QTEST_MAIN(TestDocumentFiles)
#include "tst_documentfiles.moc"
