#include "channels/channelpage.h"
#include "channels/msflexgrid.h"

#include "textrecorder.h"

#include <QPainter>
#include <QTest>

using namespace kdw;
using kdw::test::DrawnText;
using kdw::test::TextRecorder;

class TestChannelPage : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CMSFlexGrid> m_grid;

    QList<DrawnText> paint(int page, int dpi = 600)
    {
        TextRecorder device(dpi, QSize(dpi * 17 / 2, dpi * 11));
        QPainter painter(&device);
        paintChannelPage(painter, *m_grid, page);
        painter.end();
        return device.texts();
    }

    // The texts of one printed line, left to right.
    static QList<DrawnText> line(const QList<DrawnText> &texts, qreal baseline)
    {
        QList<DrawnText> result;
        for (const auto &t : texts) {
            if (qFuzzyCompare(t.baseline.y(), baseline))
                result.append(t);
        }
        std::sort(result.begin(), result.end(),
                  [](const DrawnText &a, const DrawnText &b) { return a.baseline.x() < b.baseline.x(); });
        return result;
    }

private slots:
    void init()
    {
        m_grid = std::make_unique<CMSFlexGrid>();
        m_grid->SetRows(100);
        m_grid->SetCols(10);
        const QStringList headers = {QStringLiteral("CH"),       QStringLiteral("Rx Freq"),  QStringLiteral("Tx Freq"), QStringLiteral("Rx Tone"),
                                     QStringLiteral("Tx Tone"),  QStringLiteral("Busy Lock"), QStringLiteral("Power"),   QStringLiteral("Scan Add"),
                                     QStringLiteral("Bandwidth"), QStringLiteral("Name")};
        for (int col = 0; col < 10; ++col)
            m_grid->SetTextMatrix(0, col, headers.at(col));
        for (int row = 1; row < 100; ++row) {
            m_grid->SetTextMatrix(row, 0, QString::number(row));
            for (int col = 1; col < 10; ++col)
                m_grid->SetTextMatrix(row, col, QStringLiteral("r%1c%2").arg(row).arg(col));
        }
    }
    void cleanup() { m_grid.reset(); }

    void fontHeightFollowsTheResolution_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("pixels");
        QTest::newRow("600 dpi") << 600 << 100;
        QTest::newRow("300 dpi") << 300 << 50;
        QTest::newRow("96 dpi") << 96 << 16;
        QTest::newRow("rounded to nearest") << 203 << 34; // 33.83
    }
    void fontHeightFollowsTheResolution()
    {
        QFETCH(int, dpi);
        QFETCH(int, pixels);
        QCOMPARE(channelPageFontPixels(dpi), pixels);
        const QList<DrawnText> texts = paint(1, dpi);
        QVERIFY(!texts.isEmpty());
        for (const auto &t : texts)
            QCOMPARE(t.pixelSize, pixels);
    }

    void pageOneStartsWithTheHeaderRow()
    {
        const QList<DrawnText> texts = paint(1);
        QCOMPARE(texts.size(), 51 * 10);
        QCOMPARE(texts.first().text, QStringLiteral("CH"));
        const QList<DrawnText> first = line(texts, texts.first().baseline.y());
        QCOMPARE(first.size(), 10);
        QCOMPARE(first.at(1).text, QStringLiteral("Rx Freq"));
        QCOMPARE(first.at(9).text, QStringLiteral("Name"));
        // Column x positions are 2, 8, 20, 32, ... 94 average character widths.
        const qreal unit = first.at(0).baseline.x() / 2;
        QVERIFY(unit > 0);
        const int columnX[] = {2, 8, 20, 32, 42, 52, 62, 72, 82, 94};
        for (int col = 0; col < 10; ++col)
            QCOMPARE(first.at(col).baseline.x(), columnX[col] * unit);
        QCOMPARE(texts.last().text, QStringLiteral("r50c9"));
    }

    void pageTwoStartsWithChannel51()
    {
        for (int page : {2, 3}) {
            const QList<DrawnText> texts = paint(page);
            QCOMPARE(texts.size(), 49 * 10);
            QCOMPARE(texts.first().text, QStringLiteral("51"));
            QCOMPARE(texts.last().text, QStringLiteral("r99c9"));
        }
        // Both pages put their first line at the same place.
        QCOMPARE(paint(2).first().baseline, paint(1).first().baseline);
    }

    // Two empty lines above the first; every row one line height lower; an
    // empty channel leaves its line empty and the rows after keep their places.
    void linesKeepTheirPlaces()
    {
        const QList<DrawnText> full = paint(1);
        for (int col = 1; col < 10; ++col)
            m_grid->SetTextMatrix(3, col, QString());
        const QList<DrawnText> texts = paint(1);
        QCOMPARE(texts.size(), full.size() - 9);

        QList<qreal> baselines;
        for (const auto &t : texts) {
            if (baselines.isEmpty() || !qFuzzyCompare(baselines.last(), t.baseline.y()))
                baselines.append(t.baseline.y());
        }
        QCOMPARE(baselines.size(), 51);
        const qreal lineHeight = baselines.at(1) - baselines.at(0);
        for (int k = 1; k < baselines.size(); ++k)
            QCOMPARE(baselines.at(k) - baselines.at(k - 1), lineHeight);
        QCOMPARE(line(texts, baselines.at(3)).size(), 1); // channel 3: its number only
        QCOMPARE(line(texts, baselines.at(4)).first().text, QStringLiteral("4"));
        // The first line's top is two line heights down: above the baseline by the ascent.
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(100);
        TextRecorder device(600, QSize(100, 100));
        const QFontMetrics metrics(font, &device);
        QCOMPARE(baselines.first() - metrics.ascent(), 2 * lineHeight);
    }
};

QTEST_MAIN(TestChannelPage)
#include "tst_channelpage.moc"
