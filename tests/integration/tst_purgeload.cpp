// The purge before every frame must never drop the host's own bytes. Under
// load the other end of the line may take its bytes late; a purge that
// discarded the transmit queue would then lose wake-up bytes and the radio
// would not answer. Hundreds of wake-ups with every core busy: the radio must
// receive every wake-up whole and every session must end identified. How many
// attempts a wake-up took is the scheduler's business, not a lost byte.

#include "core/link/portnames.h"
#include "core/link/protocol.h"
#include "core/link/serialport.h"
#include "radiosim.h"

#include <QRegularExpression>
#include <QTest>

#include <atomic>
#include <thread>
#include <vector>

using namespace kdw;
using namespace kdw::test;

class TestPurgeLoad : public QObject
{
    Q_OBJECT

private slots:
    void noHostByteLostUnderLoad();
};

void TestPurgeLoad::noHostByteLostUnderLoad()
{
    constexpr int Sessions = 300;
    RadioSim sim;
    QVERIFY(sim.isRunning());
    const QString device = devicePathFor(u"COM1"_qs, sim.directory());

    // One spinning thread per core, and one more.
    std::atomic<bool> stop{false};
    std::vector<std::jthread> burners;
    for (unsigned i = 0; i <= std::max(2u, std::thread::hardware_concurrency()); ++i) {
        burners.emplace_back([&stop] {
            for (volatile unsigned long n = 0; !stop.load(std::memory_order_relaxed);)
                n = n + 1;
        });
    }
    int failed = 0;
    for (int i = 0; i < Sessions; ++i) {
        SerialPort port;
        if (!port.open(device)) {
            ++failed;
            continue;
        }
        ProgrammingProtocol protocol(port);
        failed += !protocol.wakeUp() || !protocol.identify();
    }
    stop = true;
    burners.clear();

    QCOMPARE(failed, 0);
    // Each session: one or more whole wake-ups, the identification, the
    // acknowledge. A lost byte breaks a wake-up or a frame and the match.
    static const QRegularExpression session(QStringLiteral("(?:\\x02PROGRA)+\\x4D\\x02\\x06"));
    const QString host = QString::fromLatin1(sim.hostBytes());
    int sessions = 0;
    qsizetype at = 0;
    for (;;) {
        const auto match
            = session.match(host, at, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
        if (!match.hasMatch())
            break;
        at = match.capturedEnd();
        ++sessions;
    }
    QVERIFY2(at == host.size(), qPrintable(QStringLiteral("host bytes break off at %1 of %2: %3")
                                               .arg(at)
                                               .arg(host.size())
                                               .arg(QString::fromLatin1(host.mid(at, 16).toLatin1().toHex(' ')))));
    QCOMPARE(sessions, Sessions);
}

QTEST_GUILESS_MAIN(TestPurgeLoad)
#include "tst_purgeload.moc"
