// The Read and Write commands through the real transfer dialog, offscreen,
// against kdw-radio-sim on a pseudo-terminal.

#include "app/globals.h"
#include "app/programapp.h"
#include "channels/programview.h"
#include "dialogdriver.h"
#include "guitest.h"
#include "image/programdoc.h"
#include "link/transferdlg.h"
#include "radiosim.h"
#include "ui/commandids.h"
#include "ui/mainframe.h"

#include <QPushButton>
#include <QTest>

using namespace kdw;
using namespace kdw::test;

namespace {

// Generous: a transfer that does not hang ends well within this.
constexpr qint64 HangBoundMs = 20000;

int countInLog(const RadioSim &sim, const QString &entry)
{
    int n = 0;
    for (const QString &line : sim.log())
        n += line.contains(entry);
    return n;
}

} // namespace

class TestGuiTransfer : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void readFillsTheImageAndMarksTheDocument();
    void writeThenReadBack();
    void cancelBeforeStartTransfersNothing();
    void secondStartStartsNothing();
    void onlyTheWorkerClosesTheDialog();
    void portThatCannotOpen_data();
    void portThatCannotOpen();
    void languages_data();
    void languages();

private:
    bool startApp(const QByteArray &ini);

    std::unique_ptr<ProgramDir> m_dir;
    std::unique_ptr<CProgramApp> m_app;
};

bool TestGuiTransfer::startApp(const QByteArray &ini)
{
    m_dir = std::make_unique<ProgramDir>(ini);
    m_app = std::make_unique<CProgramApp>(m_dir->path());
    return m_app->InitInstance({u"Program"_qs});
}

void TestGuiTransfer::init()
{
    QVERIFY(startApp("[Setup]\nLanguage=Eng\nCOM=COM1\n"));
}

void TestGuiTransfer::cleanup()
{
    m_app.reset();
    m_dir.reset();
    QCOMPARE(busyFlag().load(), 0);
}

void TestGuiTransfer::readFillsTheImageAndMarksTheDocument()
{
    const MemoryImage radio = patternImage(11);
    RadioSim sim({}, radio, m_dir->path());
    QVERIFY(sim.isRunning());
    MemoryImage blank;
    blank.fill(0x5A);
    const MemoryImage before = showImage(*m_app, blank);
    QVERIFY(!m_app->document()->IsModified());

    MessageRecorder messages;
    const DialogRun run = runTransferCommand(*m_app->mainFrame(), cmd::Read);
    QVERIFY(run.shown);
    QCOMPARE(run.caption, u"Read Data"_qs);
    QCOMPARE(run.progressMaximum, 318);
    QCOMPARE(run.finalPercentage, u"100%"_qs);
    QVERIFY(run.elapsedMs < HangBoundMs);
    QCOMPARE(messages.texts, QStringList());

    QVERIFY(readRangesEqual(theImage(), radio));
    QCOMPARE(theImage().bytes(0x0640, 0x0C90 - 0x0640), before.bytes(0x0640, 0x0C90 - 0x0640));
    QVERIFY(m_app->document()->IsModified());
    // The grid shows the radio's channels.
    QVERIFY(gridTable(*m_app->view()) == channelTable(radio, 0));
    QVERIFY(gridTable(*m_app->view()) != channelTable(before, 0));
}

void TestGuiTransfer::writeThenReadBack()
{
    const MemoryImage radio = patternImage(12);
    RadioSim sim({}, radio, m_dir->path());
    QVERIFY(sim.isRunning());
    const MemoryImage written = showImage(*m_app, patternImage(99));

    MessageRecorder messages;
    DialogRun run = runTransferCommand(*m_app->mainFrame(), cmd::Write);
    QCOMPARE(run.caption, u"Write Data"_qs);
    QCOMPARE(run.progressMaximum, 316);
    QCOMPARE(run.finalPercentage, u"100%"_qs);
    QCOMPARE(messages.texts, QStringList());
    QVERIFY(theImage() == written);
    QVERIFY(!m_app->document()->IsModified());

    theImage().fill(0x00);
    run = runTransferCommand(*m_app->mainFrame(), cmd::Read);
    QCOMPARE(messages.texts, QStringList());
    QVERIFY(writeRangesEqual(theImage(), written));
    // Read from the radio, where the write never put them.
    QCOMPARE(theImage().bytes(0x1FF0, 16), radio.bytes(0x1FF0, 16));
}

void TestGuiTransfer::cancelBeforeStartTransfersNothing()
{
    RadioSim sim({}, patternImage(13), m_dir->path());
    QVERIFY(sim.isRunning());
    MemoryImage blank;
    blank.fill(0x77);
    const MemoryImage before = showImage(*m_app, blank);

    MessageRecorder messages;
    const DialogRun run = runTransferCommand(*m_app->mainFrame(), cmd::Read, [](CTransferDlg &dialog) {
        QTest::mouseClick(dialog.item<QPushButton>(2), Qt::LeftButton);
    });
    QVERIFY(run.shown);
    QCOMPARE(run.finalPercentage, u"0%"_qs);
    QCOMPARE(messages.texts, QStringList());
    QVERIFY(theImage() == before);
    QVERIFY(!m_app->document()->IsModified());
    QCOMPARE(sim.hostBytes(), QByteArray());
}

void TestGuiTransfer::secondStartStartsNothing()
{
    RadioSim sim({}, patternImage(14), m_dir->path());
    QVERIFY(sim.isRunning());
    MessageRecorder messages;
    runTransferCommand(*m_app->mainFrame(), cmd::Read, [](CTransferDlg &dialog) {
        auto *start = dialog.item<QPushButton>(1);
        QTest::mouseClick(start, Qt::LeftButton);
        // Still enabled until the worker has the port open.
        if (start->isEnabled())
            QTest::mouseClick(start, Qt::LeftButton);
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    QVERIFY2(messages.texts.isEmpty(), qPrintable(sim.logTail()));
    QCOMPARE(countInLog(sim, u"host 4d 02"_qs), 1);
}

void TestGuiTransfer::onlyTheWorkerClosesTheDialog()
{
    // The radio falls silent at block 300: the worker waits out the read
    // time-out while the test knocks at the dialog.
    RadioSim sim({u"--silence"_qs, u"300"_qs}, patternImage(15), m_dir->path());
    QVERIFY(sim.isRunning());
    bool stayedOpen = false;
    MessageRecorder messages;
    const DialogRun run = runTransferCommand(*m_app->mainFrame(), cmd::Read, [&](CTransferDlg &dialog) {
        pressStart(dialog);
        auto *start = dialog.item<QPushButton>(1);
        auto *cancel = dialog.item<QPushButton>(2);
        QTRY_VERIFY(!start->isEnabled() && !cancel->isEnabled());
        QTest::keyClick(&dialog, Qt::Key_Escape);
        dialog.close();
        stayedOpen = dialog.isVisible();
    });
    QVERIFY(stayedOpen);
    QCOMPARE(messages.texts, QStringList{u"Communication error"_qs});
    QVERIFY(run.finalPercentage != u"100%"_qs);
}

void TestGuiTransfer::portThatCannotOpen_data()
{
    QTest::addColumn<QString>("portName");
    QTest::addColumn<int>("command");
    QTest::newRow("no port name, read") << QString() << int(cmd::Read);
    QTest::newRow("no port name, write") << QString() << int(cmd::Write);
    QTest::newRow("absent device") << u"/nonexistent/ttyKDW"_qs << int(cmd::Read);
    QTest::newRow("COM2, nothing behind it") << u"COM2"_qs << int(cmd::Write);
}

void TestGuiTransfer::portThatCannotOpen()
{
    QFETCH(QString, portName);
    QFETCH(int, command);
    setPortName(portName);
    const MemoryImage before = showImage(*m_app, patternImage(33));
    MessageRecorder messages;
    const DialogRun run = runTransferCommand(*m_app->mainFrame(), command);
    QVERIFY(run.shown);
    QCOMPARE(messages.texts.size(), 1);
    QCOMPARE(messages.texts.first().section(u'\n', 0, 0), u"Could not open the port"_qs);
    QVERIFY(theImage() == before);
    QVERIFY(!m_app->document()->IsModified());
}

void TestGuiTransfer::languages_data()
{
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<QStringList>("texts"); // read caption, write caption, Start, Cancel, open failure
    QTest::newRow("Eng") << QByteArray("Eng")
                         << QStringList{u"Read Data"_qs, u"Write Data"_qs, u"Start"_qs, u"Cancel"_qs,
                                        u"Could not open the port"_qs};
    QTest::newRow("Chs") << QByteArray("Chs")
                         << QStringList{u"读数据"_qs, u"写数据"_qs, u"开始"_qs, u"取消"_qs, u"无法打开串口"_qs};
    QTest::newRow("Cht") << QByteArray("Cht")
                         << QStringList{u"讀數據"_qs, u"寫數據"_qs, u"開始"_qs, u"取消"_qs, u"無法打開串口"_qs};
}

void TestGuiTransfer::languages()
{
    QFETCH(QByteArray, code);
    QFETCH(QStringList, texts);
    QVERIFY(startApp("[Setup]\nLanguage=" + code + "\nCOM=\n"));
    MessageRecorder messages;
    QStringList buttons;
    const DialogRun read = runTransferCommand(*m_app->mainFrame(), cmd::Read, [&](CTransferDlg &dialog) {
        buttons << dialog.item<QPushButton>(1)->text() << dialog.item<QPushButton>(2)->text();
        pressStart(dialog);
    });
    const DialogRun write = runTransferCommand(*m_app->mainFrame(), cmd::Write);
    QCOMPARE((QStringList{read.caption, write.caption} + buttons), texts.mid(0, 4));
    QCOMPARE(messages.texts.size(), 2);
    for (const QString &text : messages.texts)
        QCOMPARE(text.section(u'\n', 0, 0), texts.at(4));
}

QTEST_MAIN(TestGuiTransfer)
#include "tst_guitransfer.moc"
