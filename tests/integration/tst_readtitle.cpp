// A Read into a document opened from a file, against kdw-radio-sim: the title
// says the file now holds what was read from the radio, until Save or Save As.

#include "core/image/programdoc.h"
#include "core/program/globals.h"
#include "gui/dialogs/controlids.h"
#include "gui/frame/commandids.h"
#include "gui/frame/documentcommands.h"
#include "gui/frame/mainframe.h"
#include "gui/link/transferdlg.h"
#include "guitest.h"
#include "modal.h"
#include "radiosim.h"

#include <QPushButton>
#include <QTest>
#include <QWindow>

using namespace kdw;
using namespace kdw::test;
using namespace Qt::StringLiterals;

class TestReadTitle : public QObject
{
    Q_OBJECT

private slots:
    void readIntoAFileIsShownUntilSaved_data()
    {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<int>("save"); // the command that ends it
        QTest::addColumn<QString>("read");
        QTest::addColumn<QString>("saved");
        QTest::newRow("English, Save") << QByteArray("Eng") << int(cmd::FileSave)
                                       << u"doc1.sin* (read from radio) — KDW PC Encoder"_s
                                       << u"doc1.sin — KDW PC Encoder"_s;
        QTest::newRow("Simplified, Save As")
            << QByteArray("Chs") << int(cmd::FileSaveAs) << u"doc1.sin*（从对讲机读取） — KDW PC Encoder"_s
            << u"doc2.sin — KDW PC Encoder"_s;
        QTest::newRow("Traditional, Save")
            << QByteArray("Cht") << int(cmd::FileSave) << u"doc1.sin*（從對講機讀取） — KDW PC Encoder"_s
            << u"doc1.sin — KDW PC Encoder"_s;
    }
    void readIntoAFileIsShownUntilSaved()
    {
        QFETCH(QByteArray, language);
        QFETCH(int, save);
        QFETCH(QString, read);
        QFETCH(QString, saved);
        Program program("[Setup]\nLanguage=" + language + "\nCOM=COM1\nVerifyAfterWrite=0\n");
        QVERIFY(program.dir.write(u"doc1.sin"_s, QByteArray(8192, char(0xFF))));
        QVERIFY(program.start(u"doc1.sin"_s));
        RadioSim sim({}, patternImage(21), program.dir.path());
        QVERIFY(sim.isRunning());
        QWindow *window = program.app.mainFrame()->windowHandle();
        QCOMPARE(window->title(), u"doc1.sin — KDW PC Encoder"_s);

        whenModal<CTransferDlg>([](CTransferDlg *dialog) {
            QTest::mouseClick(dialog->item<QPushButton>(ctl::transfer::Start), Qt::LeftButton);
        });
        MessageRecorder messages;
        program.action(cmd::Read)->trigger();
        QCOMPARE(messages.texts, QStringList());
        QVERIFY(program.app.document()->IsModified());
        QCOMPARE(window->title(), read);

        program.app.documentCommands()->setFilePrompt(
            [&](bool, const QString &) { return program.dir.file(u"doc2.sin"_s); });
        program.action(save)->trigger();
        QCOMPARE(window->title(), saved);
        QCOMPARE(program.dir.read(QFileInfo(program.app.document()->GetPathName()).fileName()),
                 program.app.document()->image().bytes());
    }
};

QTEST_MAIN(TestReadTitle)
#include "tst_readtitle.moc"
