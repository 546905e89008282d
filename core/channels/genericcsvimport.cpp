// The generic channel CSV read row by row: what the radio can hold is taken,
// every other row is left out with one reason; see importGenericChannelCsv.
#include "core/channels/channelcodec.h"
#include "core/channels/genericcsv.h"
#include "core/channels/tonelist.h"
#include "core/image/regions.h"
#include "core/text/csv.h"
#include "core/text/localisedtext.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <array>
#include <limits>
#include <optional>

namespace kdw {

using namespace Qt::StringLiterals;

namespace {

// The columns the radio has a place for; every other column is ignored.
const QStringList ReadColumns = {u"Location"_s,   u"Name"_s,      u"Frequency"_s, u"Duplex"_s,   u"Offset"_s,
                                 u"Tone"_s,       u"rToneFreq"_s, u"cToneFreq"_s, u"DtcsCode"_s, u"DtcsPolarity"_s,
                                 u"RxDtcsCode"_s, u"CrossMode"_s, u"Mode"_s,      u"Skip"_s,     u"Power"_s};

// The radio's powers are 5 W and 1 W: from the watts between them up, High.
constexpr double HighFromWatts = 3.0;
constexpr qsizetype NameLength = 6;
// A frequency in MHz has at most 4 digits before its point; decimals past
// the fifth (10 Hz) are dropped as the channel step drops them.
constexpr qsizetype MaxWholeDigits = 4;
constexpr qsizetype MaxDecimals = 12;

constexpr LocalisedText NoColumn{u"the header has no column %1", u"表头没有 %1 列", u"表頭沒有 %1 欄"};
constexpr LocalisedText BadLocation{u"\"%1\" is not a channel from 1 to 99", u"“%1”不是 1 到 99 的信道",
                                    u"「%1」不是 1 到 99 的信道"};
constexpr LocalisedText TwiceLocation{u"channel %1 is already taken by line %2", u"信道 %1 已由第 %2 行占用",
                                      u"信道 %1 已由第 %2 行佔用"};
constexpr LocalisedText NoChannelLeft{u"no channel left: the rows before it fill channels %1 to 99",
                                      u"没有剩余信道：前面的行已占满信道 %1 到 99",
                                      u"沒有剩餘信道：前面的行已佔滿信道 %1 到 99"};
constexpr LocalisedText BadFrequency{u"\"%1\" is not a frequency in MHz, for example 446.00625",
                                     u"“%1”不是以 MHz 为单位的频率，例如 446.00625",
                                     u"「%1」不是以 MHz 為單位的頻率，例如 446.00625"};
constexpr LocalisedText RxOutOfRange{u"Rx %1 MHz is outside the Frequency Range %2-%3 MHz",
                                     u"接收频率 %1 MHz 超出频率范围 %2-%3 MHz",
                                     u"接收頻率 %1 MHz 超出頻率範圍 %2-%3 MHz"};
constexpr LocalisedText TxOutOfRange{u"Tx %1 MHz is outside the Frequency Range %2-%3 MHz",
                                     u"发射频率 %1 MHz 超出频率范围 %2-%3 MHz",
                                     u"發射頻率 %1 MHz 超出頻率範圍 %2-%3 MHz"};
constexpr LocalisedText Unknown{u"\"%1\" is not a value of this column", u"“%1”不是此列的值", u"「%1」不是此欄的值"};
constexpr LocalisedText NoReverse{u"\"%1\": the radio has no reverse squelch", u"“%1”：本机没有反向静噪",
                                  u"「%1」：本機沒有反向靜噪"};
constexpr LocalisedText NoMode{u"\"%1\": the radio has only FM and NFM", u"“%1”：本机只有 FM 和 NFM",
                               u"「%1」：本機只有 FM 和 NFM"};
constexpr LocalisedText NotInToneList{u"\"%1\" is not in the tone list", u"“%1”不在亚音列表中",
                                      u"「%1」不在信令列表中"};

struct Mhz
{
    quint32 value = 0; // units of 10 Hz
    bool exact = true; // false: decimals past 10 Hz were dropped
};

// Digits, optionally a point and more digits, in MHz.
std::optional<Mhz> parseMhz(QStringView text)
{
    const qsizetype point = text.indexOf(u'.');
    const QStringView whole = point < 0 ? text : text.left(point);
    const QStringView fraction = point < 0 ? QStringView() : text.mid(point + 1);
    const auto digits
        = [](QStringView s) { return std::all_of(s.begin(), s.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }); };
    if (whole.isEmpty() || whole.size() > MaxWholeDigits || fraction.size() > MaxDecimals || !digits(whole)
        || !digits(fraction))
        return std::nullopt;
    Mhz mhz{whole.toUInt() * 100000, true};
    quint32 scale = 10000;
    for (qsizetype k = 0; k < fraction.size(); ++k) {
        const quint32 digit = quint32(fraction[k].unicode() - u'0');
        if (k < 5)
            mhz.value += digit * scale;
        else if (digit != 0)
            mhz.exact = false;
        scale /= 10;
    }
    return mhz;
}

// The character the radio shows for `c`: itself in printable ASCII, else its
// unaccented letter, else "?".
QChar shownCharacter(QChar c)
{
    if (c.unicode() >= 0x20 && c.unicode() < 0x7F)
        return c;
    const QString base = QString(c).normalized(QString::NormalizationForm_D);
    if (!base.isEmpty() && base[0].unicode() > 0x20 && base[0].unicode() < 0x7F && base[0].isLetter())
        return base[0];
    return u'?';
}

// One row's cells, by column title; trimmed, but for Name, whose spaces the
// radio shows.
struct Row
{
    const QHash<QString, int> &columns;
    const QStringList &fields;
    QString operator[](const QString &title) const
    {
        const int i = columns.value(title, -1);
        const QString cell = i >= 0 && i < fields.size() ? fields.at(i) : QString();
        return title == u"Name" ? cell : cell.trimmed();
    }
    bool has(const QString &title) const { return columns.contains(title); }
};

struct Tones
{
    std::optional<ToneCode> tx;
    std::optional<ToneCode> rx;
};

// Reads one row into grid texts, or gives the first reason it cannot be held.
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

    // `currentName`: the name of the channel the row goes to, which the row
    // may repeat even when a user could not type it.
    std::optional<ChannelTexts> read(const QString &currentName)
    {
        const auto rx = receive();
        const auto tx = rx ? transmit(*rx) : std::nullopt;
        const Tones tones = readTones();
        const QString bandwidth = bandwidthText(modeIsWide() ? record::BandwidthBit : 0, Language::Eng);
        const QString skip = skipColumn();
        const bool high = highPower();
        const QString name = nameColumn(currentName);
        if (m_fault || !rx || !tx)
            return std::nullopt;

        ChannelTexts texts;
        texts[RxFreqField] = frequencyText(*rx);
        const quint32 txValue = tx.value_or(0);
        texts[TxFreqField] = txValue ? frequencyText(txValue) : QString();
        texts[RxToneField] = toneText(tones.rx.value_or(ToneOff), Language::Eng);
        texts[TxToneField] = toneText(tones.tx.value_or(ToneOff), Language::Eng);
        texts[BusyLockField] = busyLockText(0, Language::Eng);
        texts[PowerField] = powerText(high ? record::PowerBit : 0, Language::Eng);
        texts[ScanAddField] = scanAddText(skip == u"S" ? 0 : record::ScanAddBit, Language::Eng);
        texts[BandwidthField] = bandwidth;
        texts[NameField] = name;
        return texts;
    }

    const std::optional<GenericCsvRefusal> &fault() const { return m_fault; }
    const QList<CsvLineChange> &changes() const { return m_changes; }

private:
    // Keeps the first reason: one per row.
    void leave(const QString &title, const QString &reason)
    {
        if (!m_fault)
            m_fault = GenericCsvRefusal{m_line, int(m_row.columns.value(title, -1)) + 1, title, reason};
    }

    void noteChange(ChannelField field, const QString &was, const QString &became)
    {
        m_changes.append({m_line, FrequencyChange{field, quotedCell(was), became}});
    }

    // A frequency of the file inside the range, on the channel step.
    std::optional<quint32> inRange(const QString &title, ChannelField field, const QString &text, const Mhz &mhz)
    {
        if (mhz.value < m_range.lower || mhz.value > m_range.upper) {
            const LocalisedText &words = field == RxFreqField ? RxOutOfRange : TxOutOfRange;
            leave(title, words.text(m_lang).arg(frequencyText(mhz.value), rangeBoundText(m_range.lower),
                                                rangeBoundText(m_range.upper)));
            return std::nullopt;
        }
        const quint32 snapped = snapToChannelStep(mhz.value);
        if (snapped != mhz.value || !mhz.exact)
            noteChange(field, text, frequencyText(snapped));
        return snapped;
    }

    std::optional<quint32> receive()
    {
        const QString text = m_row[u"Frequency"_s];
        const auto mhz = parseMhz(text);
        if (!mhz) {
            leave(u"Frequency"_s, BadFrequency.text(m_lang).arg(quotedCell(text)));
            return std::nullopt;
        }
        return inRange(u"Frequency"_s, RxFreqField, text, *mhz);
    }

    // Tx of a row with receive frequency `rx`; 0 for none.
    std::optional<quint32> transmit(quint32 rx)
    {
        const QString duplex = m_row[u"Duplex"_s];
        if (duplex.isEmpty())
            return rx;
        if (duplex == u"off")
            return 0u;
        const QString offsetText = m_row[u"Offset"_s].isEmpty() ? u"0"_s : m_row[u"Offset"_s];
        if (duplex != u"split" && duplex != u"+" && duplex != u"-") {
            leave(u"Duplex"_s, Unknown.text(m_lang).arg(quotedCell(duplex)));
            return std::nullopt;
        }
        const auto offset = parseMhz(offsetText);
        if (!offset) {
            leave(u"Offset"_s, BadFrequency.text(m_lang).arg(quotedCell(offsetText)));
            return std::nullopt;
        }
        if (duplex == u"split") {
            if (offset->value == 0)
                return 0u;
            return inRange(u"Offset"_s, TxFreqField, offsetText, *offset);
        }
        const qint64 tx = duplex == u"+" ? qint64(rx) + offset->value : qint64(rx) - offset->value;
        const Mhz txMhz{quint32(std::clamp<qint64>(tx, 0, std::numeric_limits<quint32>::max())), offset->exact};
        return inRange(u"Offset"_s, TxFreqField, frequencyText(txMhz.value), txMhz);
    }

    Tones readTones()
    {
        const QString tone = m_row[u"Tone"_s];
        Tones tones;
        if (tone == u"Tone") {
            tones.tx = ctcss(u"rToneFreq"_s);
        } else if (tone == u"TSQL") {
            tones.tx = tones.rx = ctcss(u"cToneFreq"_s);
        } else if (tone == u"DTCS") {
            tones.tx = dcs(u"DtcsCode"_s, 0);
            tones.rx = dcs(u"DtcsCode"_s, 1);
        } else if (tone == u"Cross") {
            tones = crossTones();
        } else if (tone == u"TSQL-R" || tone == u"DTCS-R") {
            leave(u"Tone"_s, NoReverse.text(m_lang).arg(tone));
        } else if (!tone.isEmpty()) {
            leave(u"Tone"_s, Unknown.text(m_lang).arg(quotedCell(tone)));
        }
        return tones;
    }

    // CrossMode "TX->RX", each side Tone, DTCS or nothing.
    Tones crossTones()
    {
        const QString mode = m_row[u"CrossMode"_s];
        const QString txSide = mode.section(u"->"_s, 0, 0);
        const QString rxSide = mode.section(u"->"_s, 1);
        const QStringList sides{QString(), u"Tone"_s, u"DTCS"_s};
        Tones tones;
        if (!mode.contains(u"->"_s) || !sides.contains(txSide) || !sides.contains(rxSide) || mode == u"->") {
            leave(u"CrossMode"_s, Unknown.text(m_lang).arg(quotedCell(mode)));
            return tones;
        }
        if (txSide == u"Tone")
            tones.tx = ctcss(u"rToneFreq"_s);
        else if (txSide == u"DTCS")
            tones.tx = dcs(u"DtcsCode"_s, 0);
        if (rxSide == u"Tone")
            tones.rx = ctcss(u"cToneFreq"_s);
        else if (rxSide == u"DTCS")
            tones.rx = dcs(u"RxDtcsCode"_s, 1);
        return tones;
    }

    std::optional<ToneCode> ctcss(const QString &title)
    {
        const QString text = m_row[title];
        const QString canonical = text.contains(u'.') ? text : text + u".0"_s;
        if (!canonical.startsWith(u'D') && isToneListText(canonical) && canonical != toneText(ToneOff, Language::Eng))
            return toneFromText(canonical);
        leave(title, NotInToneList.text(m_lang).arg(quotedCell(text)));
        return std::nullopt;
    }

    // `which` 0: the transmit letter of DtcsPolarity, 1: the receive one.
    std::optional<ToneCode> dcs(const QString &title, int which)
    {
        const QString text = m_row[title];
        QString polarity = m_row[u"DtcsPolarity"_s];
        if (polarity.isEmpty())
            polarity = u"NN"_s;
        if (polarity.size() != 2 || !u"NR"_s.contains(polarity.at(0)) || !u"NR"_s.contains(polarity.at(1))) {
            leave(u"DtcsPolarity"_s, Unknown.text(m_lang).arg(quotedCell(polarity)));
            return std::nullopt;
        }
        bool ok = false;
        const int code = text.toInt(&ok);
        const QString canonical
            = u"D%1%2"_s.arg(code, 3, 10, QLatin1Char('0')).arg(QChar(polarity.at(which) == u'R' ? u'I' : u'N'));
        if (ok && text.size() <= 3 && isToneListText(canonical))
            return toneFromText(canonical);
        leave(title, NotInToneList.text(m_lang).arg(quotedCell(text)));
        return std::nullopt;
    }

    bool modeIsWide()
    {
        const QString mode = m_row[u"Mode"_s];
        if (mode.isEmpty() || mode == u"FM")
            return true;
        if (mode != u"NFM")
            leave(u"Mode"_s, NoMode.text(m_lang).arg(quotedCell(mode)));
        return false;
    }

    QString skipColumn()
    {
        const QString skip = m_row[u"Skip"_s];
        if (!skip.isEmpty() && skip != u"S" && skip != u"P")
            leave(u"Skip"_s, Unknown.text(m_lang).arg(quotedCell(skip)));
        return skip;
    }

    bool highPower()
    {
        const QString power = m_row[u"Power"_s];
        const QString word = power.toLower();
        if (word.isEmpty() || word == u"high" || word == u"hi" || word == u"h")
            return true;
        if (word == u"low" || word == u"lo" || word == u"l" || word == u"mid" || word == u"medium" || word == u"m")
            return false;
        const QString watts = word.endsWith(u'w') ? word.chopped(1) : word;
        bool ok = false;
        const double w = watts.toDouble(&ok);
        if (!ok || !(w >= 0))
            leave(u"Power"_s, Unknown.text(m_lang).arg(quotedCell(power)));
        return ok && w >= HighFromWatts;
    }

    // The name as the radio can show it; each change listed.
    QString nameColumn(const QString &currentName)
    {
        const QString name = m_row[u"Name"_s];
        if (name == currentName)
            return name;
        QString shown;
        for (QChar c : QStringView(name).left(NameLength))
            shown += shownCharacter(c);
        if (shown != name)
            noteChange(NameField, name, shown);
        return shown;
    }

    const Row &m_row;
    const int m_line;
    const Language m_lang;
    const FrequencyRange m_range;
    std::optional<GenericCsvRefusal> m_fault;
    QList<CsvLineChange> m_changes;
};

// Each header title's column.
QHash<QString, int> columnsOf(const CsvRecord &header)
{
    QHash<QString, int> columns;
    for (int i = 0; i < header.fields.size(); ++i)
        columns.insert(header.fields.at(i).trimmed(), i);
    return columns;
}

QStringList ignoredColumns(const CsvRecord &header)
{
    QStringList ignored;
    for (const QString &field : header.fields) {
        const QString title = field.trimmed();
        if (!title.isEmpty() && !ReadColumns.contains(title) && !ignored.contains(title))
            ignored.append(title);
    }
    return ignored;
}

// True unless the Locations are 1..N, each once.
bool irregularNumbering(const QList<CsvRecord> &records, const QHash<QString, int> &columns)
{
    QSet<int> seen;
    for (qsizetype r = 1; r < records.size(); ++r) {
        if (isBlankRecord(records.at(r)))
            continue;
        bool ok = false;
        const int n = Row{columns, records.at(r).fields}[u"Location"_s].toInt(&ok);
        if (!ok || n < 1 || n > region::ChannelCount || seen.contains(n))
            return true;
        seen.insert(n);
    }
    return std::any_of(seen.cbegin(), seen.cend(), [&seen](int n) { return n > seen.size(); });
}

using PlacedRows = std::array<std::optional<ChannelTexts>, region::ChannelCount>; // by channel - 1

// The rows of the file placed on channels, the rest left out.
class RowPlacing
{
public:
    RowPlacing(const MemoryImage &current, Language lang, const FrequencyRange &range, const GenericCsvOptions &options)
        : m_current(current)
        , m_lang(lang)
        , m_range(range)
        , m_options(options)
        , m_next(options.first)
    {
    }

    void place(const Row &row, int line, GenericCsvImport &result)
    {
        const int n = channelFor(row, line, result);
        if (n == 0)
            return;
        // A row past the last channel is still read, so that it is left out
        // for what it holds when the radio could not hold it anywhere.
        const bool placed = n <= region::ChannelCount;
        RowReader reader(row, line, m_lang, m_range);
        const auto texts = reader.read(placed ? readName(m_current, n) : QString());
        if (!texts) {
            result.leftOut.append(*reader.fault());
            return;
        }
        if (!placed) {
            result.leftOut.append({line, 0, {}, NoChannelLeft.text(m_lang).arg(m_options.first)});
            return;
        }
        result.changes += reader.changes();
        m_rows[std::size_t(n - 1)] = texts;
        m_takenBy[std::size_t(n - 1)] = line;
        ++result.taken;
        ++m_next;
    }

    const PlacedRows &rows() const { return m_rows; }

private:
    // The channel the row goes to (in order, past 99 when all are taken); 0
    // with the row left out when its Location names none.
    int channelFor(const Row &row, int line, GenericCsvImport &result) const
    {
        if (m_options.place == GenericPlacement::InOrder)
            return m_next;
        const QString location = row[u"Location"_s];
        const int column = row.columns.value(u"Location"_s) + 1;
        bool ok = false;
        const int n = location.toInt(&ok);
        if (!ok || n < 1 || n > region::ChannelCount) {
            result.leftOut.append({line, column, u"Location"_s, BadLocation.text(m_lang).arg(quotedCell(location))});
            return 0;
        }
        if (const int taken = m_takenBy[std::size_t(n - 1)]) {
            result.leftOut.append({line, column, u"Location"_s, TwiceLocation.text(m_lang).arg(n).arg(taken)});
            return 0;
        }
        return n;
    }

    const MemoryImage &m_current;
    const Language m_lang;
    const FrequencyRange m_range;
    const GenericCsvOptions m_options;
    int m_next; // InOrder: the channel of the next row taken
    PlacedRows m_rows{};
    std::array<int, region::ChannelCount> m_takenBy{}; // the line of the row on each channel
};

// `current` with its channels replaced by `rows`: see importGenericChannelCsv.
MemoryImage replacedChannels(const MemoryImage &current, const PlacedRows &rows)
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

GenericCsvImport importGenericChannelCsv(const MemoryImage &current, QStringView text, Language language,
                                         const FrequencyRange &range, const GenericCsvOptions &options)
{
    GenericCsvImport result;
    result.image = current;
    const CsvParseResult csv = parseWholeCsv(text, language);
    const CsvRecord header = csv.records.value(0);
    if (!csv) {
        const CsvError &error = *csv.error;
        result.fault = {error.line, error.column, header.fields.value(error.column - 1).trimmed(), error.message};
        return result;
    }
    const QHash<QString, int> columns = columnsOf(header);
    QStringList required{u"Frequency"_s};
    if (options.place == GenericPlacement::Numbered)
        required.prepend(u"Location"_s);
    for (const QString &title : std::as_const(required)) {
        if (!columns.contains(title)) {
            result.fault = {1, 0, {}, NoColumn.text(language).arg(title)};
            return result;
        }
    }
    if (!hasRowsBelowHeader(csv)) {
        result.fault = {0, 0, {}, NoChannelRows.text(language)};
        return result;
    }
    result.ignoredColumns = ignoredColumns(header);
    result.irregularNumbering = irregularNumbering(csv.records, columns);
    RowPlacing placing(current, language, range, options);
    for (qsizetype r = 1; r < csv.records.size(); ++r) {
        const CsvRecord &record = csv.records.at(r);
        if (!isBlankRecord(record))
            placing.place(Row{columns, record.fields}, record.line, result);
    }
    result.image = replacedChannels(current, placing.rows());
    return result;
}

} // namespace kdw
