#include "core/channels/channelcsv.h"
#include "core/channels/decimalscale.h"

#include <QTest>

using namespace kdw;

namespace {

// 99 channels in use, with tones, flags and names.
MemoryImage fullImage()
{
    MemoryImage image;
    image.fill(0xFF);
    ChannelTable table;
    for (int n = 1; n <= region::ChannelCount; ++n) {
        table[std::size_t(n - 1)] = {QStringLiteral("4%1.12500").arg(n % 70 + 30, 2, 10, QLatin1Char('0')),
                                     QStringLiteral("462.00625"),
                                     QStringLiteral("88.5"),
                                     QStringLiteral("D754I"),
                                     QStringLiteral("QDT"),
                                     QStringLiteral("High"),
                                     QStringLiteral("Del"),
                                     QStringLiteral("Wide"),
                                     QStringLiteral("CH%1").arg(n)};
    }
    storeChannelTable(image, table, 0, 0);
    return image;
}

} // namespace

class BenchChannels : public QObject
{
    Q_OBJECT

private slots:
    void gridLoad()
    {
        const MemoryImage image = fullImage();
        QBENCHMARK {
            const ChannelTable table = channelTable(image, Language::Chs);
            QVERIFY(!table.back()[NameField].isEmpty());
        }
    }

    void gridStore()
    {
        MemoryImage image = fullImage();
        const ChannelTable table = channelTable(image, Language::Eng);
        QBENCHMARK {
            storeChannelTable(image, table, 0, 0);
        }
    }

    void decimalScaling()
    {
        qint64 sum = 0;
        QBENCHMARK {
            sum += decimalScale(u"462.1249999", 5);
        }
        QVERIFY(sum != 0);
    }

    void applyCsv()
    {
        const MemoryImage image = fullImage();
        const QString csv = channelTableCsv(channelTable(image, Language::Cht), Language::Cht);
        QBENCHMARK {
            QVERIFY(channelTableFromCsv(csv, image, Language::Cht));
        }
    }
};

QTEST_GUILESS_MAIN(BenchChannels)
#include "bench_channels.moc"
