// Program > Program Several Radios... against a simulated box of radios on a
// pseudo-terminal: each radio gets the document plus its row, the table and
// the log say so, and the document stays as it was.

#include "core/image/backups.h"
#include "core/image/programdoc.h"
#include "core/program/globals.h"
#include "core/settings/unitvariations.h"
#include "gui/dialogs/controlids.h"
#include "gui/frame/commandids.h"
#include "gui/link/batchdlg.h"
#include "guitest.h"
#include "modal.h"
#include "radiosim.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace kdw;
using namespace kdw::test;
using namespace Qt::StringLiterals;

namespace {

const QByteArray Variations = "Code,SQL\n101,3\n102,\n103,5\n";
// The documents here are patterns: the channel check before the run is not
// what these tests are about.
const QByteArray TransfersOnly = "[Setup]\nLanguage=Eng\nCOM=COM1\nCheckBeforeWrite=0\n";

QString textOf(const CBatchDlg &dialog, int id)
{
    return dialog.item<QLabel>(id)->text();
}

// Press Enter once Next is offered, with radio `unit` swapped in first.
bool nextRadio(CBatchDlg &dialog, RadioSim &sim, int unit)
{
    auto *next = dialog.item<QPushButton>(ctl::batch::Next);
    if (!QTest::qWaitFor([&] { return next->isEnabled() || !dialog.isRunning(); }, 60000) || !next->isEnabled())
        return false;
    if (!sim.swapTo(unit))
        return false;
    QTest::keyClick(&dialog, Qt::Key_Return);
    return !next->isEnabled();
}

} // namespace

class TestGuiBatch : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_program = std::make_unique<Program>(TransfersOnly);
        QVERIFY(m_program->start());
    }
    void cleanup()
    {
        m_program.reset();
        QVERIFY(!BusyGuard::held());
    }

    void threeRadiosWithNext();
    void anotherIdentificationIsAsked_data();
    void anotherIdentificationIsAsked();
    void badVariationsTouchNoRadio();
    void stopAcrossTwoCables();

private:
    // Opens the dialog by its menu item and hands it to `drive`; the dialog
    // is closed afterwards whatever `drive` left it doing.
    void runDialog(const std::function<void(CBatchDlg &)> &drive);

    std::unique_ptr<Program> m_program;
};

void TestGuiBatch::runDialog(const std::function<void(CBatchDlg &)> &drive)
{
    const auto seen = whenModal<CBatchDlg>([&](CBatchDlg *dialog) {
        drive(*dialog);
        if (dialog->isRunning()) {
            dialog->item<QPushButton>(ctl::batch::Stop)->click();
            (void)QTest::qWaitFor([dialog] { return !dialog->isRunning(); }, 30000);
        }
        dialog->done(QDialog::Rejected);
    });
    m_program->action(cmd::ProgramSeveral)->trigger();
    QVERIFY(*seen);
}

void TestGuiBatch::threeRadiosWithNext()
{
    const MemoryImage document = m_program->showImage(patternImage(5));
    RadioSim sim({u"--box"_s, u"3"_s}, patternImage(12), m_program->dir.path());
    QVERIFY(sim.isRunning());
    QVERIFY(m_program->dir.write(u"v.csv"_s, Variations));
    MessageRecorder messages;

    QList<QStringList> rows;
    QString summary;
    QString logLine;
    runDialog([&](CBatchDlg &dialog) {
        dialog.item<QLineEdit>(ctl::batch::Variations)->setText(m_program->dir.file(u"v.csv"_s));
        QTest::keyClick(&dialog, Qt::Key_Return); // Start, the first radio connected
        for (int unit = 2; unit <= 3; ++unit) {
            if (!nextRadio(dialog, sim, unit))
                return;
        }
        if (!QTest::qWaitFor([&] { return !dialog.isRunning(); }, 60000))
            return;
        rows = tableTexts(*dialog.item<QTableWidget>(ctl::batch::Units));
        summary = textOf(dialog, ctl::batch::Summary);
        logLine = textOf(dialog, ctl::batch::LogPath);
        // Open Folder with no file manager: the window says where the folder is.
        dialog.setFileManager(m_program->dir.file(u"no-file-manager"_s));
        QTest::mouseClick(dialog.item<QPushButton>(ctl::batch::OpenFolder), Qt::LeftButton);
        QTRY_VERIFY(textOf(dialog, ctl::batch::LogPath).startsWith(u"No file manager could be started."_s));
        QVERIFY(textOf(dialog, ctl::batch::LogPath).endsWith(QFileInfo(logLine.section(u": "_s, 1)).absolutePath()));
    });
    QVERIFY2(messages.texts.isEmpty(), qPrintable(messages.texts.join(u'|')));
    QVERIFY2(rows.size() == 3, qPrintable(sim.logTail()));
    QCOMPARE(summary, u"3 verified, 0 failed, 0 skipped"_s);

    const VariationsRead variations = parseVariations(QString::fromUtf8(Variations));
    QVERIFY(variations);
    const QString logPath = logLine.section(u": "_s, 1);
    const QStringList log = QString::fromUtf8(readFile(logPath)).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(log.size(), 4);
    // What each log row holds, the backups beside it: tst_batchrun.
    for (int i = 0; i < 3; ++i) {
        const QByteArray expected = variations.units.at(i).applied(document).bytes();
        QCOMPARE(writtenRanges(sim.savedMemory(i + 1)), writtenRanges(expected));
        QCOMPARE(rows.at(i).mid(0, 4), (QStringList{QString::number(i + 1), u"COM1"_s,
                                                    u"\"KDW417..\" (4B 44 57 34 31 37 01 00)"_s, u"verified"_s}));
    }
    // The variations went to the radios only.
    QVERIFY(m_program->app.document()->image() == document);
    QVERIFY(!m_program->app.document()->IsModified());
}

void TestGuiBatch::anotherIdentificationIsAsked_data()
{
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<bool>("writeAnyway");
    QTest::addColumn<QString>("summary");
    QTest::newRow("Enter skips, English") << QByteArray("Eng") << false << u"1 verified, 0 failed, 1 skipped"_s;
    QTest::newRow("written anyway, Simplified") << QByteArray("Chs") << true << u"2 台已校验，0 台失败，0 台跳过"_s;
}

void TestGuiBatch::anotherIdentificationIsAsked()
{
    QFETCH(QByteArray, language);
    QFETCH(bool, writeAnyway);
    QFETCH(QString, summary);
    m_program = std::make_unique<Program>("[Setup]\nLanguage=" + language + "\nCOM=COM1\nCheckBeforeWrite=0\n");
    QVERIFY(m_program->start());
    const MemoryImage document = m_program->showImage(patternImage(6));
    RadioSim sim({u"--box"_s, u"2"_s, u"--ident"_s, u"2:4b44573431370200"_s}, patternImage(12), m_program->dir.path());
    QVERIFY(sim.isRunning());
    // The question answered as a user would: Yes clicked, or Enter, the key
    // that also means Next, which must not write.
    QStringList asked;
    const auto answered = whenModal<QMessageBox>([&](QMessageBox *box) {
        asked << box->text();
        if (writeAnyway)
            QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
        else
            QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, Qt::Key_Return);
    });

    QString shown;
    runDialog([&](CBatchDlg &dialog) {
        dialog.item<QPushButton>(ctl::batch::Start)->click();
        if (!nextRadio(dialog, sim, 2))
            return;
        // Without variations the run goes on until stopped: Stop while it
        // waits for a third radio.
        auto *next = dialog.item<QPushButton>(ctl::batch::Next);
        if (!QTest::qWaitFor([&] { return next->isEnabled(); }, 60000))
            return;
        dialog.item<QPushButton>(ctl::batch::Stop)->click();
        if (QTest::qWaitFor([&] { return !dialog.isRunning(); }, 10000))
            shown = textOf(dialog, ctl::batch::Summary);
    });
    QCOMPARE(shown, summary);
    QVERIFY(*answered);
    QCOMPARE(asked.size(), 1);
    QVERIFY2(asked.first().contains(u"(4B 44 57 34 31 37 02 00)"_s), qPrintable(asked.first()));
    QVERIFY(asked.first().contains(u"\"KDW417..\" (4B 44 57 34 31 37 01 00)"_s));
    if (writeAnyway)
        QCOMPARE(writtenRanges(sim.savedMemory(2)), writtenRanges(document.bytes()));
    else
        QVERIFY(sim.savedMemory(2).isEmpty());
}

void TestGuiBatch::badVariationsTouchNoRadio()
{
    RadioSim sim({u"--box"_s, u"2"_s}, patternImage(12), m_program->dir.path());
    QVERIFY(sim.isRunning());
    QVERIFY(m_program->dir.write(u"v.csv"_s, "Code,SQL\n101,3\n102,eleven\n"));
    MessageRecorder messages;
    bool setUpAgain = false;
    runDialog([&](CBatchDlg &dialog) {
        dialog.item<QLineEdit>(ctl::batch::Variations)->setText(m_program->dir.file(u"v.csv"_s));
        dialog.item<QPushButton>(ctl::batch::Start)->click();
        setUpAgain = !dialog.isRunning() && dialog.item<QPushButton>(ctl::batch::Start)->isEnabled();
    });
    QVERIFY(setUpAgain);
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY2(messages.texts.first().contains(u"line 3, column 2"_s), qPrintable(messages.texts.first()));
    QCOMPARE(sim.hostBytes(), QByteArray());
    QVERIFY(QDir(backupDirectory(m_program->dir.path())).entryList({u"*.csv"_s}).isEmpty());
}

// Two cables checked in the list by the keyboard, each with a paced radio:
// Stop during the write holds both lanes at their next block while it asks,
// and Yes ends them there; a radio never written is logged skipped.
void TestGuiBatch::stopAcrossTwoCables()
{
    (void)m_program->showImage(patternImage(5));
    RadioSim first({u"--baud"_s, u"9600"_s}, patternImage(12), m_program->dir.path());
    RadioSim second({u"--baud"_s, u"9600"_s}, patternImage(13), m_program->dir.path(), u"COM2"_s);
    QVERIFY(first.isRunning() && second.isRunning());
    QStringList asked;
    const auto answered = whenModal<QMessageBox>([&](QMessageBox *box) {
        asked << box->text();
        QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
    });
    QList<QStringList> rows;
    QString summary;
    runDialog([&](CBatchDlg &dialog) {
        auto *ports = dialog.item<QListWidget>(ctl::batch::Ports);
        ports->setFocus();
        ports->setCurrentRow(1);
        QTest::keyClick(ports, Qt::Key_Space);
        dialog.item<QPushButton>(ctl::batch::Start)->click();
        auto *table = dialog.item<QTableWidget>(ctl::batch::Units);
        // A lane's line says it writes; the other lane may still be reading.
        const auto writing = [&] {
            const auto lines = dialog.findChildren<QLabel *>();
            return std::any_of(lines.begin(), lines.end(), [](QLabel *l) { return l->text().contains(u"writing"_s); });
        };
        if (!QTest::qWaitFor(writing, 60000))
            return;
        dialog.item<QPushButton>(ctl::batch::Stop)->click();
        if (QTest::qWaitFor([&] { return !dialog.isRunning(); }, 30000)) {
            rows = tableTexts(*table);
            summary = textOf(dialog, ctl::batch::Summary);
        }
    });
    QVERIFY(*answered);
    QCOMPARE(asked.size(), 1);
    QVERIFY2(asked.first().startsWith(u"Stop the write?"_s), qPrintable(asked.first()));
    QCOMPARE(rows.size(), 2);
    QCOMPARE(QSet<QString>({rows.at(0).at(1), rows.at(1).at(1)}), (QSet<QString>{u"COM1"_s, u"COM2"_s}));
    for (const QStringList &row : rows)
        QVERIFY2(row.at(3) == u"failed"_s || row.at(3) == u"skipped"_s, qPrintable(row.join(u'|')));
    QVERIFY2(summary.startsWith(u"0 verified"_s), qPrintable(summary));
}

QTEST_MAIN(TestGuiBatch)
#include "tst_guibatch.moc"
