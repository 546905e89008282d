#include "core/channels/genericcsv.h"

#include "core/channels/channelcodec.h"
#include "core/channels/csv.h"
#include "core/channels/tonelist.h"
#include "core/image/regions.h"
#include "core/text/localisedtext.h"

#include <QHash>

#include <array>
#include <optional>

namespace kdw {

namespace {

const QStringList Header = {QStringLiteral("Location"),     QStringLiteral("Name"),       QStringLiteral("Frequency"),
                            QStringLiteral("Duplex"),       QStringLiteral("Offset"),     QStringLiteral("Tone"),
                            QStringLiteral("rToneFreq"),    QStringLiteral("cToneFreq"),  QStringLiteral("DtcsCode"),
                            QStringLiteral("DtcsPolarity"), QStringLiteral("RxDtcsCode"), QStringLiteral("CrossMode"),
                            QStringLiteral("Mode"),         QStringLiteral("TStep"),      QStringLiteral("Skip"),
                            QStringLiteral("Power"),        QStringLiteral("Comment")};

// A watt figure is matched to the nearer of the radio's two power levels.
constexpr double HighPowerWatts = 5.0;
constexpr double LowPowerWatts = 1.0;
constexpr quint32 LowestFrequency = 40000000;  // 400 MHz, units of 10 Hz
constexpr quint32 HighestFrequency = 47000000; // 470 MHz

constexpr LocalisedText NoColumn{u"the header has no column %1", u"表头没有 %1 列", u"表頭沒有 %1 欄"};
constexpr LocalisedText BadLocation{u"Location \"%1\" is not a channel from 1 to 99",
                                    u"Location“%1”不是 1 到 99 的信道", u"Location「%1」不是 1 到 99 的信道"};
constexpr LocalisedText TwiceLocation{u"Location %1 is already given on line %2", u"Location %1 已在第 %2 行给出",
                                      u"Location %1 已在第 %2 行給出"};
constexpr LocalisedText BadFrequency{u"%1 \"%2\" is not a frequency in MHz with at most 5 decimals",
                                     u"%1“%2”不是最多 5 位小数的 MHz 频率", u"%1「%2」不是最多 5 位小數的 MHz 頻率"};
constexpr LocalisedText OutOfRange{u"%1 %2 MHz is outside 400-470 MHz", u"%1 %2 MHz 超出 400-470 MHz",
                                   u"%1 %2 MHz 超出 400-470 MHz"};
constexpr LocalisedText Unknown{u"unknown %1 \"%2\"", u"未知的 %1“%2”", u"未知的 %1「%2」"};
constexpr LocalisedText NotInToneList{u"%1 \"%2\" is not in the tone list", u"%1“%2”不在亚音列表中",
                                      u"%1「%2」不在信令列表中"};
constexpr LocalisedText BadName{u"Name \"%1\" is not at most 6 printable ASCII characters",
                                u"Name“%1”不是最多 6 个可打印 ASCII 字符", u"Name「%1」不是最多 6 個可列印 ASCII 字元"};

QString mhz(quint32 value)
{
    return QStringLiteral("%1.%2").arg(value / 100000).arg((value % 100000) * 10, 6, 10, QLatin1Char('0'));
}

// MHz with at most 5 decimals that are not 0, in units of 10 Hz.
std::optional<quint32> parseMhz(QStringView text)
{
    const qsizetype point = text.indexOf(u'.');
    const QStringView whole = point < 0 ? text : text.left(point);
    QStringView fraction = point < 0 ? QStringView() : text.mid(point + 1);
    while (fraction.size() > 5 && fraction.endsWith(u'0'))
        fraction.chop(1);
    const auto digits
        = [](QStringView s) { return std::all_of(s.begin(), s.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }); };
    if (whole.isEmpty() || whole.size() > 4 || fraction.size() > 5 || !digits(whole) || !digits(fraction))
        return std::nullopt;
    quint32 value = whole.toUInt() * 100000;
    quint32 scale = 10000;
    for (QChar c : fraction) {
        value += quint32(c.unicode() - u'0') * scale;
        scale /= 10;
    }
    return value;
}

enum class ToneKind { Off, Ctcss, Dcs };

ToneKind kindOf(ToneCode code)
{
    if (code.high == 0x00 || code.high == 0xFF)
        return ToneKind::Off;
    return code.high < 0x80 ? ToneKind::Ctcss : ToneKind::Dcs;
}

// "023" of a DCS code, "N" or "R" its polarity.
QString dcsDigits(ToneCode code)
{
    return toneText(code, 0).mid(1, 3);
}
QChar dcsPolarity(ToneCode code)
{
    return code.high >= 0xC0 ? u'R' : u'N';
}

// One row's columns, by header name.
struct Row
{
    const QHash<QString, int> &columns;
    const QStringList &fields;
    QString operator[](const QString &name) const
    {
        const int i = columns.value(name, -1);
        return i >= 0 && i < fields.size() ? fields.at(i) : QString();
    }
    bool has(const QString &name) const { return columns.contains(name); }
};

// Reads one row into grid texts; the reason when it cannot be represented.
struct RowReader
{
    const Row &row;
    quint8 lang;
    QString fault;

    bool refuse(const QString &reason)
    {
        if (fault.isEmpty())
            fault = reason;
        return false;
    }

    std::optional<quint32> frequency(const QString &column, const QString &text, bool allowZero = false)
    {
        const auto value = parseMhz(text);
        if (!value) {
            refuse(BadFrequency.text(lang).arg(column, text));
            return std::nullopt;
        }
        if ((*value == 0 && allowZero) || (*value >= LowestFrequency && *value <= HighestFrequency))
            return value;
        refuse(OutOfRange.text(lang).arg(column, text));
        return std::nullopt;
    }

    std::optional<ToneCode> ctcss(const QString &column)
    {
        const QString text = row[column];
        const qsizetype point = text.indexOf(u'.');
        const QString canonical = point < 0 ? text + QStringLiteral(".0") : text;
        if (!canonical.startsWith(u'D') && isToneListText(canonical) && canonical != Off())
            return toneFromText(canonical);
        refuse(NotInToneList.text(lang).arg(column, text));
        return std::nullopt;
    }

    // `which` 0: the transmit letter of DtcsPolarity, 1: the receive one.
    std::optional<ToneCode> dcs(const QString &column, int which)
    {
        const QString text = row[column];
        QString polarity = row[QStringLiteral("DtcsPolarity")];
        if (polarity.isEmpty())
            polarity = QStringLiteral("NN");
        if (polarity.size() != 2 || !QStringLiteral("NR").contains(polarity.at(0))
            || !QStringLiteral("NR").contains(polarity.at(1))) {
            refuse(Unknown.text(lang).arg(QStringLiteral("DtcsPolarity"), polarity));
            return std::nullopt;
        }
        bool ok = false;
        const int code = text.toInt(&ok);
        const QString canonical = QStringLiteral("D%1%2")
                                      .arg(code, 3, 10, QLatin1Char('0'))
                                      .arg(QChar(polarity.at(which) == u'R' ? u'I' : u'N'));
        if (ok && text.size() <= 3 && isToneListText(canonical))
            return toneFromText(canonical);
        refuse(NotInToneList.text(lang).arg(column, text));
        return std::nullopt;
    }

    static QString Off() { return toneText(ToneOff, 0); }
};

QString toneCell(const std::optional<ToneCode> &code)
{
    return toneText(code.value_or(ToneOff), 0);
}

} // namespace

QString genericChannelCsv(const MemoryImage &image)
{
    QString csv = csvRecord(Header);
    for (int n = 1; n <= region::ChannelCount; ++n) {
        if (isEmptyChannel(image, n))
            continue;
        const int record = region::channelRecord(n);
        const quint32 rx = readFrequency(image, record + record::RxFrequency);
        const quint32 tx = readFrequency(image, record + record::TxFrequency);
        const ToneCode rxTone = readTone(image, record + record::RxTone);
        const ToneCode txTone = readTone(image, record + record::TxTone);
        const quint8 flags = image.byte(record + record::Flags);

        QString duplex;
        QString offset = mhz(0);
        if (tx == 0) {
            duplex = QStringLiteral("split");
        } else if (tx != rx) {
            duplex = tx > rx ? QStringLiteral("+") : QStringLiteral("-");
            offset = mhz(tx > rx ? tx - rx : rx - tx);
        }

        QString tone, rTone = QStringLiteral("88.5"), cTone = QStringLiteral("88.5");
        QString dtcs = QStringLiteral("023"), rxDtcs = QStringLiteral("023"), crossMode = QStringLiteral("Tone->Tone");
        QString polarity = QStringLiteral("NN");
        const ToneKind txKind = kindOf(txTone);
        const ToneKind rxKind = kindOf(rxTone);
        if (txKind == ToneKind::Dcs)
            dtcs = dcsDigits(txTone);
        if (rxKind == ToneKind::Dcs)
            rxDtcs = dcsDigits(rxTone);
        if (txKind == ToneKind::Dcs || rxKind == ToneKind::Dcs) {
            polarity = QString(txKind == ToneKind::Dcs ? dcsPolarity(txTone) : u'N')
                       + (rxKind == ToneKind::Dcs ? dcsPolarity(rxTone) : u'N');
        }
        if (txKind == ToneKind::Off && rxKind == ToneKind::Off) {
        } else if (txKind == ToneKind::Ctcss && rxKind == ToneKind::Off) {
            tone = QStringLiteral("Tone");
            rTone = toneText(txTone, 0);
        } else if (txKind == ToneKind::Ctcss && rxKind == ToneKind::Ctcss && txTone == rxTone) {
            tone = QStringLiteral("TSQL");
            cTone = toneText(rxTone, 0);
        } else if (txKind == ToneKind::Dcs && rxKind == ToneKind::Dcs && dtcs == rxDtcs) {
            tone = QStringLiteral("DTCS");
        } else {
            tone = QStringLiteral("Cross");
            if (txKind == ToneKind::Ctcss)
                rTone = toneText(txTone, 0);
            if (rxKind == ToneKind::Ctcss)
                cTone = toneText(rxTone, 0);
            const auto side = [](ToneKind k) {
                return k == ToneKind::Ctcss ? QStringLiteral("Tone")
                       : k == ToneKind::Dcs ? QStringLiteral("DTCS")
                                            : QString();
            };
            crossMode = side(txKind) + QStringLiteral("->") + side(rxKind);
        }

        csv += csvRecord({QString::number(n), readName(image, n), mhz(rx), duplex, offset, tone, rTone, cTone, dtcs,
                          polarity, rxDtcs, crossMode,
                          (flags & record::BandwidthBit) ? QStringLiteral("FM") : QStringLiteral("NFM"),
                          QStringLiteral("5.00"), (flags & record::ScanAddBit) ? QString() : QStringLiteral("S"),
                          (flags & record::PowerBit) ? QStringLiteral("High") : QStringLiteral("Low"), QString()});
    }
    return csv;
}

GenericCsvImport importGenericChannelCsv(const MemoryImage &current, QStringView text, quint8 languageIndex)
{
    GenericCsvImport result;
    result.image = current;
    const quint8 lang = languageIndex;
    const CsvParseResult csv = parseCsv(text);
    if (!csv) {
        result.refusals.append({csv.error->line, csv.error->message});
        return result;
    }
    QHash<QString, int> columns;
    if (!csv.records.isEmpty()) {
        const QStringList &names = csv.records.first().fields;
        for (int i = 0; i < names.size(); ++i)
            columns.insert(names.at(i).trimmed(), i);
    }
    for (const QString &required : {QStringLiteral("Location"), QStringLiteral("Frequency")}) {
        if (!columns.contains(required)) {
            result.refusals.append({1, NoColumn.text(lang).arg(required)});
            return result;
        }
    }

    std::array<int, region::ChannelCount> givenOnLine{};
    std::array<std::optional<ChannelTexts>, region::ChannelCount> rows;
    for (qsizetype i = 1; i < csv.records.size(); ++i) {
        const CsvRecord &record = csv.records.at(i);
        if (record.fields.size() == 1 && record.fields.first().trimmed().isEmpty())
            continue; // a blank line
        const Row row{columns, record.fields};
        RowReader read{row, lang, {}};

        bool ok = false;
        const QString location = row[QStringLiteral("Location")];
        const int n = location.toInt(&ok);
        if (!ok || n < 1 || n > region::ChannelCount) {
            result.refusals.append({record.line, BadLocation.text(lang).arg(location)});
            continue;
        }
        if (givenOnLine[std::size_t(n - 1)]) {
            result.refusals.append({record.line, TwiceLocation.text(lang).arg(n).arg(givenOnLine[std::size_t(n - 1)])});
            continue;
        }
        givenOnLine[std::size_t(n - 1)] = record.line;

        const auto rx = read.frequency(QStringLiteral("Frequency"), row[QStringLiteral("Frequency")]);
        std::optional<quint32> tx;
        const QString duplex = row[QStringLiteral("Duplex")];
        const QString offsetText
            = row[QStringLiteral("Offset")].isEmpty() ? QStringLiteral("0") : row[QStringLiteral("Offset")];
        if (duplex.isEmpty()) {
            tx = rx;
        } else if (duplex == u"split") {
            tx = read.frequency(QStringLiteral("Offset"), offsetText, true);
        } else if (duplex == u"+" || duplex == u"-") {
            const auto offset = parseMhz(offsetText);
            if (!offset)
                read.refuse(BadFrequency.text(lang).arg(QStringLiteral("Offset"), offsetText));
            else if (rx)
                tx = read.frequency(QStringLiteral("Offset"),
                                    mhz(duplex == u"+" ? *rx + *offset : (*offset > *rx ? 0 : *rx - *offset)));
        } else {
            read.refuse(Unknown.text(lang).arg(QStringLiteral("Duplex"), duplex));
        }

        std::optional<ToneCode> txTone, rxTone;
        const QString tone = row[QStringLiteral("Tone")];
        const QString r = QStringLiteral("rToneFreq"), c = QStringLiteral("cToneFreq");
        const QString d = QStringLiteral("DtcsCode"), rd = QStringLiteral("RxDtcsCode");
        if (tone == u"Tone") {
            txTone = read.ctcss(r);
        } else if (tone == u"TSQL") {
            txTone = rxTone = read.ctcss(c);
        } else if (tone == u"DTCS") {
            txTone = read.dcs(d, 0);
            rxTone = read.dcs(d, 1);
        } else if (tone == u"Cross") {
            const QString mode = row[QStringLiteral("CrossMode")];
            const QString txSide = mode.section(QStringLiteral("->"), 0, 0);
            const QString rxSide = mode.section(QStringLiteral("->"), 1);
            static const QStringList modes
                = {QStringLiteral("Tone->Tone"), QStringLiteral("Tone->DTCS"), QStringLiteral("DTCS->Tone"),
                   QStringLiteral("DTCS->DTCS"), QStringLiteral("->Tone"),     QStringLiteral("->DTCS"),
                   QStringLiteral("DTCS->")};
            if (!modes.contains(mode)) {
                read.refuse(Unknown.text(lang).arg(QStringLiteral("CrossMode"), mode));
            } else {
                if (txSide == u"Tone")
                    txTone = read.ctcss(r);
                else if (txSide == u"DTCS")
                    txTone = read.dcs(d, 0);
                if (rxSide == u"Tone")
                    rxTone = read.ctcss(c);
                else if (rxSide == u"DTCS")
                    rxTone = read.dcs(rd, 1);
            }
        } else if (!tone.isEmpty()) {
            read.refuse(Unknown.text(lang).arg(QStringLiteral("Tone"), tone));
        }

        const QString mode = row.has(QStringLiteral("Mode")) ? row[QStringLiteral("Mode")] : QStringLiteral("FM");
        if (mode != u"FM" && mode != u"NFM")
            read.refuse(Unknown.text(lang).arg(QStringLiteral("Mode"), mode));
        const QString skip = row[QStringLiteral("Skip")];
        if (!skip.isEmpty() && skip != u"S" && skip != u"P")
            read.refuse(Unknown.text(lang).arg(QStringLiteral("Skip"), skip));
        QString power = row[QStringLiteral("Power")];
        bool high = true;
        if (power.compare(u"Low", Qt::CaseInsensitive) == 0) {
            high = false;
        } else if (!power.isEmpty() && power.compare(u"High", Qt::CaseInsensitive) != 0) {
            QString watts = power;
            if (watts.endsWith(u'W', Qt::CaseInsensitive))
                watts.chop(1);
            const double w = watts.toDouble(&ok);
            if (!ok || w < 0)
                read.refuse(Unknown.text(lang).arg(QStringLiteral("Power"), power));
            high = w - LowPowerWatts >= HighPowerWatts - w;
        }
        const QString name = row[QStringLiteral("Name")];
        if (!isTypableName(name) && name != readName(current, n))
            read.refuse(BadName.text(lang).arg(name));

        if (!read.fault.isEmpty() || !rx || !tx) {
            result.refusals.append({record.line, read.fault});
            continue;
        }
        ChannelTexts texts;
        texts[RxFreqField] = frequencyText(*rx);
        texts[TxFreqField] = *tx ? frequencyText(*tx) : QString();
        texts[RxToneField] = toneCell(rxTone);
        texts[TxToneField] = toneCell(txTone);
        texts[BusyLockField] = busyLockText(0, 0);
        texts[PowerField] = powerText(high ? record::PowerBit : 0, 0);
        texts[ScanAddField] = scanAddText(skip == u"S" ? 0 : record::ScanAddBit, 0);
        texts[BandwidthField] = bandwidthText(mode == u"FM" ? record::BandwidthBit : 0, 0);
        texts[NameField] = name;
        rows[std::size_t(n - 1)] = texts;
    }
    if (!result.refusals.isEmpty()) {
        result.image = current;
        return result;
    }

    MemoryImage &image = result.image;
    for (int n = 1; n <= region::ChannelCount; ++n) {
        const auto &texts = rows[std::size_t(n - 1)];
        const int record = region::channelRecord(n);
        if (!texts) {
            if (!isEmptyChannel(image, n))
                image.copyIn(record, QByteArray(region::ChannelRecordSize, char(0xFF)));
            continue;
        }
        const bool wasEmpty = isEmptyChannel(current, n);
        storeChannelTexts(image, n, *texts);
        if (wasEmpty)
            continue;
        // The format has no Busy Lock column and may leave Name out: a channel
        // in use keeps its own, byte for byte (the record bits the grid does
        // not show were kept by the store).
        image.setBits(record + record::Flags, record::BusyLockMask, current.byte(record + record::Flags));
        if ((*texts)[NameField].isEmpty())
            image.copyIn(region::nameSlot(n), current.bytes(region::nameSlot(n), region::NameSlotSize));
    }
    return result;
}

} // namespace kdw
