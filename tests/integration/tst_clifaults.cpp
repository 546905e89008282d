// Every fault of the simulated radio at every stage, through kdw-cli: exit
// status 1 and "Communication error" on standard error, no file from a
// failed read.

#include "faultcases.h"
#include "image/sinfile.h"
#include "radiosim.h"

#include <QFile>
#include <QTest>

using namespace kdw;
using namespace kdw::test;

class TestCliFaults : public QObject
{
    Q_OBJECT

private slots:
    void faultAtEveryStage_data();
    void faultAtEveryStage();
};

void TestCliFaults::faultAtEveryStage_data()
{
    QTest::addColumn<QString>("verb");
    QTest::addColumn<QStringList>("simArgs");
    QTest::addColumn<bool>("transferFails");
    for (TransferDirection direction : {TransferDirection::Read, TransferDirection::Write}) {
        const QString verb = direction == TransferDirection::Read ? u"read"_qs : u"write"_qs;
        for (const FaultCase &c : faultCases(direction))
            QTest::addRow("%s, %s", qPrintable(verb), qPrintable(c.name)) << verb << c.simArgs << c.transferFails;
    }
}

void TestCliFaults::faultAtEveryStage()
{
    QFETCH(QString, verb);
    QFETCH(QStringList, simArgs);
    QFETCH(bool, transferFails);
    RadioSim sim(simArgs);
    QVERIFY(sim.isRunning());
    const QString file = sim.directory() + u"image.sin"_qs;
    if (verb == u"write")
        QVERIFY(writeSinFile(file, patternImage(5)));

    const RadioSim::CliResult result = sim.runCli({verb, u"--port"_qs, u"COM1"_qs, file});
    QCOMPARE(result.exitCode, transferFails ? 1 : 0);
    QCOMPARE(result.err.split(u'\n').contains(u"Communication error"_qs), transferFails);
    if (verb == u"read")
        QCOMPARE(QFile::exists(file), !transferFails);
}

QTEST_GUILESS_MAIN(TestCliFaults)
#include "tst_clifaults.moc"
