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

constexpr LocalisedText NoColumn{u"the header has no column %1", u"表头没有 %1 列", u"表頭沒有 %1 欄"};
constexpr LocalisedText BadLocation{u"Location \"%1\" is not a channel from 1 to 99",
                                    u"Location“%1”不是 1 到 99 的信道", u"Location「%1」不是 1 到 99 的信道"};
constexpr LocalisedText TwiceLocation{u"Location %1 is already given on line %2", u"Location %1 已在第 %2 行给出",
                                      u"Location %1 已在第 %2 行給出"};
constexpr LocalisedText BadFrequency{u"%1 \"%2\" is not a frequency in MHz with at most 5 decimals",
                                     u"%1“%2”不是最多 5 位小数的 MHz 频率", u"%1「%2」不是最多 5 位小數的 MHz 頻率"};
constexpr LocalisedText OutOfRange{u"%1 %2 MHz is outside %3-%4 MHz", u"%1 %2 MHz 超出 %3-%4 MHz",
                                   u"%1 %2 MHz 超出 %3-%4 MHz"};
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

// ---- Export

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

// ---- Import

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

struct Tones
{
    std::optional<ToneCode> tx;
    std::optional<ToneCode> rx;
};

// Reads one row into grid texts; the first reason when it cannot be
// represented. Frequencies outside the Frequency Range are clamped to it, as
// the frequency editor clamps what is typed, and each change is kept.
class RowReader
{
public:
    RowReader(const Row &row, int line, Language lang, const FrequencyRange &range)
        : m_row(row)
        , m_line(line)
        , m_lang(lang)
        , m_range(range)
    {
    }

    // `currentName`: the channel's name now, which the row may repeat even
    // when a user could not type it.
    std::optional<ChannelTexts> read(const QString &currentName)
    {
        const QString rxText = m_row[QStringLiteral("Frequency")];
        const auto fileRx = parsed(QStringLiteral("Frequency"), rxText);
        const auto rx = fileRx ? typed(RxFreqField, QStringLiteral("Frequency"), rxText, *fileRx) : std::nullopt;
        const auto tx = transmit(fileRx, rx);
        const Tones tones = readTones();
        const QString mode = modeColumn();
        const QString skip = skipColumn();
        const bool high = highPower();
        const QString name = m_row[QStringLiteral("Name")];
        if (!isTypableName(name) && name != currentName)
            refuse(BadName.text(m_lang).arg(quotedCell(name)));
        if (!m_fault.isEmpty() || !rx || !tx)
            return std::nullopt;

        ChannelTexts texts;
        texts[RxFreqField] = frequencyText(*rx);
        texts[TxFreqField] = *tx ? frequencyText(*tx) : QString();
        texts[RxToneField] = toneText(tones.rx.value_or(ToneOff), Language::Eng);
        texts[TxToneField] = toneText(tones.tx.value_or(ToneOff), Language::Eng);
        texts[BusyLockField] = busyLockText(0, Language::Eng);
        texts[PowerField] = powerText(high ? record::PowerBit : 0, Language::Eng);
        texts[ScanAddField] = scanAddText(skip == u"S" ? 0 : record::ScanAddBit, Language::Eng);
        texts[BandwidthField] = bandwidthText(mode == u"FM" ? record::BandwidthBit : 0, Language::Eng);
        texts[NameField] = name;
        return texts;
    }

    const QString &fault() const { return m_fault; }
    const QList<CsvLineChange> &changes() const { return m_changes; }

private:
    void refuse(const QString &reason)
    {
        if (m_fault.isEmpty())
            m_fault = reason;
    }

    std::optional<quint32> parsed(const QString &column, const QString &text)
    {
        const auto value = parseMhz(text);
        if (!value)
            refuse(BadFrequency.text(m_lang).arg(column, quotedCell(text)));
        return value;
    }

    // The value a cell takes: 0 only where `allowZero` (no transmit
    // frequency), anything else clamped to the range.
    std::optional<quint32> typed(ChannelField field, const QString &column, const QString &text, quint32 value,
                                 bool allowZero = false)
    {
        if (value == 0 && !allowZero) {
            refuse(OutOfRange.text(m_lang).arg(column, quotedCell(text), rangeBoundText(m_range.lower),
                                               rangeBoundText(m_range.upper)));
            return std::nullopt;
        }
        const quint32 clamped = clampFrequency(value, m_range);
        if (clamped != value)
            m_changes.append({m_line, FrequencyChange{field, text, frequencyText(clamped)}});
        return clamped;
    }

    // `fileRx` as the file gives it, `rx` as the cell takes it.
    std::optional<quint32> transmit(std::optional<quint32> fileRx, std::optional<quint32> rx)
    {
        const QString duplex = m_row[QStringLiteral("Duplex")];
        const QString column = QStringLiteral("Offset");
        const QString offsetText = m_row[column].isEmpty() ? QStringLiteral("0") : m_row[column];
        if (duplex.isEmpty())
            return rx;
        if (duplex == u"split") {
            const auto tx = parsed(column, offsetText);
            return tx ? typed(TxFreqField, column, offsetText, *tx, true) : std::nullopt;
        }
        if (duplex != u"+" && duplex != u"-") {
            refuse(Unknown.text(m_lang).arg(QStringLiteral("Duplex"), quotedCell(duplex)));
            return std::nullopt;
        }
        const auto offset = parseMhz(offsetText);
        if (!offset)
            refuse(BadFrequency.text(m_lang).arg(column, quotedCell(offsetText)));
        if (!offset || !fileRx)
            return std::nullopt;
        const QString text = mhz(duplex == u"+" ? *fileRx + *offset : (*offset > *fileRx ? 0 : *fileRx - *offset));
        const auto tx = parsed(column, text);
        return tx ? typed(TxFreqField, column, text, *tx) : std::nullopt;
    }

    Tones readTones()
    {
        const QString tone = m_row[QStringLiteral("Tone")];
        Tones tones;
        if (tone == u"Tone") {
            tones.tx = ctcss(QStringLiteral("rToneFreq"));
        } else if (tone == u"TSQL") {
            tones.tx = tones.rx = ctcss(QStringLiteral("cToneFreq"));
        } else if (tone == u"DTCS") {
            tones.tx = dcs(QStringLiteral("DtcsCode"), 0);
            tones.rx = dcs(QStringLiteral("DtcsCode"), 1);
        } else if (tone == u"Cross") {
            tones = crossTones();
        } else if (!tone.isEmpty()) {
            refuse(Unknown.text(m_lang).arg(QStringLiteral("Tone"), quotedCell(tone)));
        }
        return tones;
    }

    Tones crossTones()
    {
        static const QStringList modes
            = {QStringLiteral("Tone->Tone"), QStringLiteral("Tone->DTCS"), QStringLiteral("DTCS->Tone"),
               QStringLiteral("DTCS->DTCS"), QStringLiteral("->Tone"),     QStringLiteral("->DTCS"),
               QStringLiteral("DTCS->")};
        const QString mode = m_row[QStringLiteral("CrossMode")];
        Tones tones;
        if (!modes.contains(mode)) {
            refuse(Unknown.text(m_lang).arg(QStringLiteral("CrossMode"), quotedCell(mode)));
            return tones;
        }
        const QString txSide = mode.section(QStringLiteral("->"), 0, 0);
        const QString rxSide = mode.section(QStringLiteral("->"), 1);
        if (txSide == u"Tone")
            tones.tx = ctcss(QStringLiteral("rToneFreq"));
        else if (txSide == u"DTCS")
            tones.tx = dcs(QStringLiteral("DtcsCode"), 0);
        if (rxSide == u"Tone")
            tones.rx = ctcss(QStringLiteral("cToneFreq"));
        else if (rxSide == u"DTCS")
            tones.rx = dcs(QStringLiteral("RxDtcsCode"), 1);
        return tones;
    }

    std::optional<ToneCode> ctcss(const QString &column)
    {
        const QString text = m_row[column];
        const qsizetype point = text.indexOf(u'.');
        const QString canonical = point < 0 ? text + QStringLiteral(".0") : text;
        if (!canonical.startsWith(u'D') && isToneListText(canonical) && canonical != toneText(ToneOff, Language::Eng))
            return toneFromText(canonical);
        refuse(NotInToneList.text(m_lang).arg(column, quotedCell(text)));
        return std::nullopt;
    }

    // `which` 0: the transmit letter of DtcsPolarity, 1: the receive one.
    std::optional<ToneCode> dcs(const QString &column, int which)
    {
        const QString text = m_row[column];
        QString polarity = m_row[QStringLiteral("DtcsPolarity")];
        if (polarity.isEmpty())
            polarity = QStringLiteral("NN");
        if (polarity.size() != 2 || !QStringLiteral("NR").contains(polarity.at(0))
            || !QStringLiteral("NR").contains(polarity.at(1))) {
            refuse(Unknown.text(m_lang).arg(QStringLiteral("DtcsPolarity"), quotedCell(polarity)));
            return std::nullopt;
        }
        bool ok = false;
        const int code = text.toInt(&ok);
        const QString canonical = QStringLiteral("D%1%2")
                                      .arg(code, 3, 10, QLatin1Char('0'))
                                      .arg(QChar(polarity.at(which) == u'R' ? u'I' : u'N'));
        if (ok && text.size() <= 3 && isToneListText(canonical))
            return toneFromText(canonical);
        refuse(NotInToneList.text(m_lang).arg(column, quotedCell(text)));
        return std::nullopt;
    }

    QString modeColumn()
    {
        const QString mode = m_row.has(QStringLiteral("Mode")) ? m_row[QStringLiteral("Mode")] : QStringLiteral("FM");
        if (mode != u"FM" && mode != u"NFM")
            refuse(Unknown.text(m_lang).arg(QStringLiteral("Mode"), quotedCell(mode)));
        return mode;
    }

    QString skipColumn()
    {
        const QString skip = m_row[QStringLiteral("Skip")];
        if (!skip.isEmpty() && skip != u"S" && skip != u"P")
            refuse(Unknown.text(m_lang).arg(QStringLiteral("Skip"), quotedCell(skip)));
        return skip;
    }

    // High, Low or watts (the nearer level); empty is High.
    bool highPower()
    {
        const QString power = m_row[QStringLiteral("Power")];
        if (power.compare(u"Low", Qt::CaseInsensitive) == 0)
            return false;
        if (power.isEmpty() || power.compare(u"High", Qt::CaseInsensitive) == 0)
            return true;
        QString watts = power;
        if (watts.endsWith(u'W', Qt::CaseInsensitive))
            watts.chop(1);
        bool ok = false;
        const double w = watts.toDouble(&ok);
        if (!ok || w < 0)
            refuse(Unknown.text(m_lang).arg(QStringLiteral("Power"), quotedCell(power)));
        return w - LowPowerWatts >= HighPowerWatts - w;
    }

    const Row &m_row;
    const int m_line;
    const Language m_lang;
    const FrequencyRange m_range;
    QString m_fault;
    QList<CsvLineChange> m_changes;
};

// Each header name's column.
QHash<QString, int> columnsOf(const CsvParseResult &csv)
{
    QHash<QString, int> columns;
    if (!csv.records.isEmpty()) {
        const QStringList &names = csv.records.first().fields;
        for (int i = 0; i < names.size(); ++i)
            columns.insert(names.at(i).trimmed(), i);
    }
    return columns;
}

// What the rows below the header give.
struct ReadRows
{
    std::array<std::optional<ChannelTexts>, region::ChannelCount> texts; // by channel - 1
    QList<GenericCsvRefusal> refusals;
    QList<CsvLineChange> changes;
};

// The channel a row's Location names, the first time it is named; 0 with a
// refusal otherwise.
int locatedChannel(const Row &row, int line, std::array<int, region::ChannelCount> &givenOnLine, Language lang,
                   QList<GenericCsvRefusal> &refusals)
{
    bool ok = false;
    const QString location = row[QStringLiteral("Location")];
    const int n = location.toInt(&ok);
    if (!ok || n < 1 || n > region::ChannelCount) {
        refusals.append({line, BadLocation.text(lang).arg(quotedCell(location))});
        return 0;
    }
    int &given = givenOnLine[std::size_t(n - 1)];
    if (given) {
        refusals.append({line, TwiceLocation.text(lang).arg(n).arg(given)});
        return 0;
    }
    given = line;
    return n;
}

ReadRows readRows(const CsvParseResult &csv, const QHash<QString, int> &columns, const MemoryImage &current,
                  Language lang, const FrequencyRange &range)
{
    ReadRows rows;
    std::array<int, region::ChannelCount> givenOnLine{};
    for (qsizetype i = 1; i < csv.records.size(); ++i) {
        const CsvRecord &record = csv.records.at(i);
        if (isBlankRecord(record))
            continue;
        const Row row{columns, record.fields};
        const int n = locatedChannel(row, record.line, givenOnLine, lang, rows.refusals);
        if (n == 0)
            continue;
        RowReader reader(row, record.line, lang, range);
        const auto texts = reader.read(readName(current, n));
        if (!texts) {
            rows.refusals.append({record.line, reader.fault()});
            continue;
        }
        rows.changes += reader.changes();
        rows.texts[std::size_t(n - 1)] = texts;
    }
    return rows;
}

// `current` with its channels replaced by `texts`; see importGenericChannelCsv.
MemoryImage replacedChannels(const MemoryImage &current,
                             const std::array<std::optional<ChannelTexts>, region::ChannelCount> &rows)
{
    MemoryImage image = current;
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
    return image;
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

GenericCsvImport importGenericChannelCsv(const MemoryImage &current, QStringView text, Language language,
                                         const FrequencyRange &range)
{
    GenericCsvImport result;
    result.image = current;
    const CsvParseResult csv = parseWholeCsv(text, language);
    if (!csv) {
        result.refusals.append({csv.error->line, csv.error->message});
        return result;
    }
    const QHash<QString, int> columns = columnsOf(csv);
    for (const QString &required : {QStringLiteral("Location"), QStringLiteral("Frequency")}) {
        if (!columns.contains(required)) {
            result.refusals.append({1, NoColumn.text(language).arg(required)});
            return result;
        }
    }
    if (!hasRowsBelowHeader(csv)) {
        result.refusals.append({0, NoChannelRows.text(language)});
        return result;
    }
    const ReadRows rows = readRows(csv, columns, current, language, range);
    if (!rows.refusals.isEmpty()) {
        result.refusals = rows.refusals;
        return result;
    }
    result.image = replacedChannels(current, rows.texts);
    result.changes = rows.changes;
    return result;
}

} // namespace kdw
