// The generic channel CSV written: one row per channel in use; the import
// is in genericcsvimport.cpp.
#include "core/channels/genericcsv.h"

#include "core/channels/channelcodec.h"
#include "core/channels/tonelist.h"
#include "core/image/regions.h"
#include "core/text/csv.h"

namespace kdw {

namespace {

const QStringList Header = {QStringLiteral("Location"),     QStringLiteral("Name"),       QStringLiteral("Frequency"),
                            QStringLiteral("Duplex"),       QStringLiteral("Offset"),     QStringLiteral("Tone"),
                            QStringLiteral("rToneFreq"),    QStringLiteral("cToneFreq"),  QStringLiteral("DtcsCode"),
                            QStringLiteral("DtcsPolarity"), QStringLiteral("RxDtcsCode"), QStringLiteral("CrossMode"),
                            QStringLiteral("Mode"),         QStringLiteral("TStep"),      QStringLiteral("Skip"),
                            QStringLiteral("Power"),        QStringLiteral("Comment")};

QString mhz(quint32 value)
{
    return QStringLiteral("%1.%2").arg(value / 100000).arg((value % 100000) * 10, 6, 10, QLatin1Char('0'));
}

// "023" of a DCS code, "N" or "R" its polarity.
QString dcsDigits(ToneCode code)
{
    return toneText(code, Language::Eng).mid(1, 3);
}
QChar dcsPolarity(ToneCode code)
{
    return isInvertedDcs(code) ? u'R' : u'N';
}

// The columns Tone to CrossMode of one channel; the ones its tones leave
// unused hold neutral values.
struct ToneColumns
{
    QString tone;
    QString rTone = QStringLiteral("88.5");
    QString cTone = QStringLiteral("88.5");
    QString dtcs = QStringLiteral("023");
    QString polarity = QStringLiteral("NN");
    QString rxDtcs = QStringLiteral("023");
    QString crossMode = QStringLiteral("Tone->Tone");
};

// One side of CrossMode.
QString crossSide(ToneKind kind)
{
    switch (kind) {
    case ToneKind::Ctcss: return QStringLiteral("Tone");
    case ToneKind::Dcs: return QStringLiteral("DTCS");
    default: return {};
    }
}

// Cross: each side's tone in the columns CrossMode names.
void crossColumns(ToneColumns &columns, ToneCode txTone, ToneCode rxTone)
{
    columns.tone = QStringLiteral("Cross");
    if (toneKind(txTone) == ToneKind::Ctcss)
        columns.rTone = toneText(txTone, Language::Eng);
    if (toneKind(rxTone) == ToneKind::Ctcss)
        columns.cTone = toneText(rxTone, Language::Eng);
    columns.crossMode = crossSide(toneKind(txTone)) + QStringLiteral("->") + crossSide(toneKind(rxTone));
}

ToneColumns toneColumns(ToneCode txTone, ToneCode rxTone)
{
    ToneColumns columns;
    const ToneKind txKind = toneKind(txTone);
    const ToneKind rxKind = toneKind(rxTone);
    if (txKind == ToneKind::Dcs)
        columns.dtcs = dcsDigits(txTone);
    if (rxKind == ToneKind::Dcs)
        columns.rxDtcs = dcsDigits(rxTone);
    if (txKind == ToneKind::Dcs || rxKind == ToneKind::Dcs) {
        columns.polarity = QString(txKind == ToneKind::Dcs ? dcsPolarity(txTone) : u'N')
                           + (rxKind == ToneKind::Dcs ? dcsPolarity(rxTone) : u'N');
    }
    if (txKind == ToneKind::Off && rxKind == ToneKind::Off)
        return columns;
    if (txKind == ToneKind::Ctcss && rxKind == ToneKind::Off) {
        columns.tone = QStringLiteral("Tone");
        columns.rTone = toneText(txTone, Language::Eng);
    } else if (txKind == ToneKind::Ctcss && rxKind == ToneKind::Ctcss && txTone == rxTone) {
        columns.tone = QStringLiteral("TSQL");
        columns.cTone = toneText(rxTone, Language::Eng);
    } else if (txKind == ToneKind::Dcs && rxKind == ToneKind::Dcs && columns.dtcs == columns.rxDtcs) {
        columns.tone = QStringLiteral("DTCS");
    } else {
        crossColumns(columns, txTone, rxTone);
    }
    return columns;
}

// The fields of channel `n` (in use), in the order of Header.
QStringList genericRecord(const MemoryImage &image, int n)
{
    const int record = region::channelRecord(n);
    const quint32 rx = readFrequency(image, record + record::RxFrequency);
    const quint32 tx = readFrequency(image, record + record::TxFrequency);
    const quint8 flags = image.byte(record + record::Flags);

    QString duplex;
    QString offset = mhz(0);
    if (tx == 0) {
        duplex = QStringLiteral("split");
    } else if (tx != rx) {
        duplex = tx > rx ? QStringLiteral("+") : QStringLiteral("-");
        offset = mhz(tx > rx ? tx - rx : rx - tx);
    }
    const ToneColumns tones
        = toneColumns(readTone(image, record + record::TxTone), readTone(image, record + record::RxTone));
    return {QString::number(n),
            readName(image, n),
            mhz(rx),
            duplex,
            offset,
            tones.tone,
            tones.rTone,
            tones.cTone,
            tones.dtcs,
            tones.polarity,
            tones.rxDtcs,
            tones.crossMode,
            (flags & record::BandwidthBit) ? QStringLiteral("FM") : QStringLiteral("NFM"),
            QStringLiteral("5.00"),
            (flags & record::ScanAddBit) ? QString() : QStringLiteral("S"),
            (flags & record::PowerBit) ? QStringLiteral("High") : QStringLiteral("Low"),
            QString()};
}

} // namespace

QString genericChannelCsv(const MemoryImage &image)
{
    QString csv = csvRecord(Header);
    for (int n = 1; n <= region::ChannelCount; ++n) {
        if (!isEmptyChannel(image, n))
            csv += csvRecord(genericRecord(image, n));
    }
    return csv;
}

} // namespace kdw
