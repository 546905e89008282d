// The window's Read and Write over a serial port of the system with a radio
// on it, in each language: scripts/check-windows starts the simulated radio
// on the build's factory channels, points Wine's COM1 at it and names the
// port in KDW_TEST_RADIO_PORT. Without a radio the test skips; the window's
// transfers against the simulated radio on Linux are the integration tests'.

#include "core/image/programdoc.h"
#include "core/image/regions.h"
#include "core/image/transferranges.h"
#include "core/link/transfermessages.h"
#include "gui/frame/commandids.h"
#include "guitest.h"
#include "transferrun.h"

#include <QTest>

using namespace kdw;
using namespace kdw::test;

class TestRadioPort : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void readAndWrite_data();
    void readAndWrite();

private:
    QByteArray m_port;
    MemoryImage m_radio; // what the radio holds, as the rows before left it
};

void TestRadioPort::initTestCase()
{
    m_port = qgetenv("KDW_TEST_RADIO_PORT");
    if (m_port.isEmpty())
        QSKIP("no radio on a serial port (KDW_TEST_RADIO_PORT)");
    m_radio = factoryImage();
}

void TestRadioPort::readAndWrite_data()
{
    QTest::addColumn<Language>("language");
    for (Language language : AllLanguages)
        QTest::newRow(qPrintable(languageIniText(language))) << language;
}

// A read brings in the radio's bytes; a change written with verification is
// verified and a later read brings it back.
void TestRadioPort::readAndWrite()
{
    QFETCH(Language, language);
    const QByteArray ini = "[Setup]\nLanguage=" + languageIniText(language).toLatin1() + "\nCOM=" + m_port
                           + "\nVerifyAfterWrite=1\nCheckBeforeWrite=0\nBackupBeforeWrite=0\n";
    Program program(ini);
    QVERIFY(program.start());
    MessageRecorder messages;

    const MemoryImage before = program.showImage(filledImage(0x5A));
    runTransfer(program, cmd::Read);
    QCOMPARE(messages.texts, QStringList());
    QCOMPARE(firstDifference(program.app.document()->image(), overlay(before, m_radio, ReadRanges)), QString());

    // A board number of the row's own, so each row's write changes the radio.
    MemoryImage changed = program.app.document()->image();
    changed.copyIn(region::Pcba, languageIniText(language).toLatin1().leftJustified(region::PcbaLength, '-'));
    const MemoryImage written = program.showImage(changed);
    QVERIFY(overlay(m_radio, written, WriteRanges) != m_radio);
    runTransfer(program, cmd::Write);
    QCOMPARE(messages.texts, QStringList{WriteVerifiedText.text(language)});
    m_radio = overlay(m_radio, written, WriteRanges);

    messages.texts.clear();
    const MemoryImage other = program.showImage(filledImage(0xA5));
    runTransfer(program, cmd::Read);
    QCOMPARE(messages.texts, QStringList());
    QCOMPARE(firstDifference(program.app.document()->image(), overlay(other, m_radio, ReadRanges)), QString());
}

QTEST_MAIN(TestRadioPort)
#include "tst_radioport.moc"
