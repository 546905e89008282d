#include "core/settings/settingtable.h"

#include "core/image/regions.h"

#include <QCoreApplication>

#include <deque>
#include <functional>
#include <initializer_list>
#include <numeric>

namespace kdw {

namespace {

constexpr LocalisedText On{u"On", u"开", u"開"};
using sharedtext::Off;
constexpr LocalisedText Auto{u"Auto", u"自动", u"自動"};
constexpr LocalisedText Manual{u"Manual", u"手动", u"手動"};

// Numbers and units read the same in every language.
constexpr LocalisedText same(QStringView text)
{
    return {text, text, text};
}

std::vector<LocalisedText> same(std::initializer_list<QStringView> texts)
{
    std::vector<LocalisedText> items;
    for (QStringView text : texts)
        items.push_back(same(text));
    return items;
}

// Generated items: their texts are made once and live as long as the table.
LocalisedText neutral(QString text)
{
    static std::deque<QString> texts;
    return same(texts.emplace_back(std::move(text)));
}

std::vector<LocalisedText> numbered(int count, const std::function<QString(int)> &textOf)
{
    std::vector<LocalisedText> items;
    for (int i = 1; i <= count; ++i)
        items.push_back(neutral(textOf(i)));
    return items;
}

std::vector<LocalisedText> operator+(std::vector<LocalisedText> head, const std::vector<LocalisedText> &tail)
{
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

std::vector<quint8> codesFrom(int first, std::size_t count)
{
    std::vector<quint8> codes(count);
    std::iota(codes.begin(), codes.end(), quint8(first));
    return codes;
}

constexpr quint8 bit(int n)
{
    return quint8(1u << n);
}

// Bit set shows the first item and stores 1; bit clear shows the second.
ChoiceField twoWay(int offset, quint8 mask, LocalisedText set, LocalisedText clear)
{
    return {offset, mask, {set, clear}, {1, 0}, 0};
}

ChoiceField onOff(int offset, quint8 mask)
{
    return twoWay(offset, mask, On, Off);
}

// Item i stores i + first; a value no item stores shows `fallback`.
ChoiceField indexed(int offset, quint8 mask, std::vector<LocalisedText> items, int fallback, int first = 0)
{
    auto codes = codesFrom(first, items.size());
    return {offset, mask, std::move(items), std::move(codes), fallback};
}

QString number(int n)
{
    return QString::number(n);
}

std::vector<LocalisedText> digitTimes()
{
    return numbered(256, [](int i) { return number(i * 25); });
}

// Function settings bytes of the Option dialog.
constexpr int Flags = region::FunctionSettings; // 0x1810
constexpr int Flags2 = Flags + 0x01;
constexpr int SteReverse = Flags + 0x02;
constexpr int Emergency = Flags + 0x03;
constexpr int Squelch = Flags + 0x04;
constexpr int Vox = Flags + 0x05;
constexpr int Step = Flags + 0x06;
constexpr int Switches = Flags + 0x08;
constexpr int FirstDigitDelay = Flags + 0x09;
constexpr int DigitInterval = Flags + 0x0A;
constexpr int DigitDelay = Flags + 0x0B;
constexpr int VoxDelay = Flags + 0x0C;
constexpr int SideTone = Flags + 0x0D;
constexpr int Roger = Flags + 0x10;
constexpr int Apo = Flags + 0x11;
constexpr int Priority = Flags + 0x12;
constexpr int Tot = Flags + 0x14;
constexpr int ReceiveAlarm = Flags + 0x19;

// NOLINTNEXTLINE(readability-function-size): a data table, one setting a line
std::vector<Setting> makeTable()
{
    using D = SettingsDialog;
    using E = TextField::Encoding;
    std::vector<Setting> t;
    auto add = [&t](D dialog, int id, QStringView label, auto field) {
        t.push_back({dialog, id, label, std::move(field)});
    };

    add(D::Option, 1081, u"SQL", indexed(Squelch, 0xFF, numbered(10, [](int i) { return number(i - 1); }), 5));
    add(D::Option, 1104, u"Reverse", onOff(SteReverse, bit(2)));
    add(D::Option, 1086, u"VOX", indexed(Vox, 0xFF, std::vector{Off} + numbered(9, number), 0));
    add(D::Option, 1106, u"APO", indexed(Apo, 0xFF, std::vector{Off} + same({u"10M", u"30M", u"1H", u"2H"}), 0));
    add(D::Option, 1083, u"TOT",
        indexed(Tot, 0xFF, std::vector{Off} + numbered(20, [](int i) { return QStringLiteral("%1s").arg(i * 30); }),
                1));
    add(D::Option, 1108, u"Key Lock", twoWay(Flags, bit(1), Auto, Manual));
    add(D::Option, 1103, u"Step", indexed(Step, 0xFF, same({u"5KHz", u"6.25KHz", u"10KHz", u"12.5KHz", u"25KHz"}), 4));
    add(D::Option, 1109, u"Scan Mode",
        ChoiceField{Flags, 0x30, {{u"CO", u"载波", u"載波"}, {u"TO", u"时间", u"時間"}}, {0b01, 0b10}, 0});
    add(D::Option, 1088, u"Beep", onOff(Flags2, bit(4)));
    add(D::Option, 1100, u"Battery Save", onOff(Flags2, bit(3)));
    add(D::Option, 1111, u"STE",
        indexed(SteReverse, 0x03,
                {Off,
                 {u"120 phase shift", u"120度相位偏移", u"120度相位偏移"},
                 {u"180 phase shift", u"180度相位偏移", u"180度相位偏移"}},
                0));
    add(D::Option, 1105, u"Roger", indexed(Roger, 0xFF, std::vector{Off} + numbered(3, number), 0));
    add(D::Option, 1101, u"Radio", onOff(Switches, bit(3)));
    add(D::Option, 1110, u"Single Radio", onOff(Flags2, bit(5)));
    add(D::Option, 1113, u"Backlight Mode", ChoiceField{Flags, 0x0C, {On, Off, Auto}, {0b10, 0b00, 0b01}, 2});
    add(D::Option, 1112, u"Frequency Mode", onOff(Switches, bit(2)));
    add(D::Option, 1107, u"Priority Channel", indexed(Priority, 0xFF, std::vector{Off} + numbered(99, number), 0));
    add(D::Option, 1099, u"Channel Name", onOff(Flags, bit(6)));
    add(D::Option, 1097, u"Emergency Call",
        indexed(Emergency, 0x03,
                {Off,
                 {u"Local Alert", u"本地报警", u"本地報警"},
                 {u"Local Tx Alert", u"本地发射报警", u"本地發射報警"},
                 {u"Tx Alert", u"发射报警", u"發射報警"}},
                0));
    add(D::Option, 1117, u"Receive Alarm Time",
        ChoiceField{ReceiveAlarm,
                    0xFF,
                    std::vector{Off} + same({u"3s", u"5s", u"10s", u"20s", u"30s", u"60s", u"120s", u"240s"})
                        + std::vector<LocalisedText>{Auto, {u"Continue", u"连续", u"連續"}},
                    {0, 3, 5, 10, 20, 30, 60, 120, 240, 254, 255},
                    0});
    add(D::Option, 1118, u"Power-On Password",
        TextField{region::PowerOnPassword, region::PowerOnPasswordLength, E::DigitValues, u"0123456789"});
    add(D::Option, 1114, u"Power-On Password Switch", onOff(Switches, bit(1)));
    add(D::Option, 1116, u"Manual Power Switch", onOff(Switches, bit(0)));
    add(D::Option, 1080, u"Vox Delay Time (s)",
        indexed(VoxDelay, 0xFF, numbered(6, [](int i) { return QString::number(i * 0.5, 'f', 1); }), 3, 1));
    add(D::Option, 1089, u"First Digit Delay Time (ms)",
        indexed(FirstDigitDelay, 0xFF, numbered(90, [](int i) { return number(i * 50); }), 1, 1));
    // Every value 0..255 has an item and each item stores its own position
    // ("50" stores 1), so these two never fall back and show back as chosen.
    add(D::Option, 1091, u"Digit Interval Time (ms)", indexed(DigitInterval, 0xFF, digitTimes(), 0));
    add(D::Option, 1093, u"Digit Delay Time (ms)", indexed(DigitDelay, 0xFF, digitTimes(), 0));
    add(D::Option, 1084, u"Side Tone", onOff(SideTone, bit(0)));

    add(D::PttId, 1097, u"Display", onOff(Flags, bit(0)));
    add(D::PttId, 1090, u"PTT ID",
        indexed(region::PttIdMode, 0x03,
                {{u"Off", u"关", u"關閉"},
                 {u"Begin", u"开始发射", u"開始"},
                 {u"End", u"结束发射", u"結束"},
                 {u"Both", u"两者", u"兩者"}},
                0));
    // The characters a PTT ID code may hold.
    constexpr QStringView PttIdCharacters = u"0123456789ABCD#*abcd";
    add(D::PttId, 1096, u"Code",
        TextField{region::PttIdCode, region::PttIdCodeLength, E::CharacterCodes, PttIdCharacters});

    add(D::Pcba, 1092, u"PCBA",
        TextField{region::Pcba, region::PcbaLength, E::CharacterCodes,
                  u"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"});
    return t;
}

} // namespace

const std::vector<Setting> &settingTable()
{
    static const std::vector<Setting> table = makeTable();
    return table;
}

const Setting *findSetting(QStringView label)
{
    for (const Setting &s : settingTable()) {
        if (s.label == label)
            return &s;
    }
    return nullptr;
}

} // namespace kdw

namespace kdw {

namespace {

// The bundle translates a template's texts in the context of its class.
QString translated(SettingsDialog dialog, QStringView english)
{
    const QByteArray context = "Template" + QByteArray::number(templateIdOf(dialog));
    return QCoreApplication::translate(context.constData(), english.toUtf8().constData());
}

} // namespace

int templateIdOf(SettingsDialog dialog)
{
    switch (dialog) {
    case SettingsDialog::PttId: return 164;
    case SettingsDialog::Pcba: return 166;
    case SettingsDialog::Option: break;
    }
    return 156;
}

QString dialogCaption(SettingsDialog dialog)
{
    switch (dialog) {
    case SettingsDialog::PttId: return translated(dialog, u"PTT ID");
    case SettingsDialog::Pcba: return translated(dialog, u"PCBA");
    case SettingsDialog::Option: break;
    }
    return translated(dialog, u"Option");
}

QString settingLabel(const Setting &setting)
{
    return translated(setting.dialog, setting.label);
}

} // namespace kdw
