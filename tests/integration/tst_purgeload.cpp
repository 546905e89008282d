// The purge before every frame must never drop the host's own bytes. Under
// load the other end of the line may take its bytes late; a purge that
// discarded the transmit queue would then lose wake-up bytes and the radio
// would not answer. Hundreds of wake-ups with every core busy: none may need
// a second attempt, and the radio must have received every byte.

#include "link/portnames.h"
#include "link/protocol.h"
#include "link/serialport.h"
#include "radiosim.h"

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
    int retried = 0, failed = 0;
    for (int i = 0; i < Sessions; ++i) {
        SerialPort port;
        if (!port.open(device)) {
            ++failed;
            continue;
        }
        ProgrammingProtocol protocol(port);
        const ProtocolResult woken = protocol.wakeUp();
        retried += woken.wakeUpAttempts > 1;
        failed += !woken || !protocol.identify();
    }
    stop = true;
    burners.clear();

    QCOMPARE(failed, 0);
    QCOMPARE(retried, 0);
    // Byte for byte what the host sent: wake-up, identification, acknowledge.
    QCOMPARE(sim.hostBytes(), QByteArray("\x02PROGRA\x4D\x02\x06", 10).repeated(Sessions));
}

QTEST_GUILESS_MAIN(TestPurgeLoad)
#include "tst_purgeload.moc"
