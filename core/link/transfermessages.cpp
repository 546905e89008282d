#include "core/link/transfermessages.h"

namespace kdw {

namespace {

constexpr LocalisedText NoAnswerText{
    u"The radio did not answer. Is it switched on, is the cable plugged into the radio and the computer, "
    u"and is the right port chosen? %1 is %2.",
    u"对讲机没有应答。对讲机是否已开机？数据线是否已插好对讲机和电脑两端？所选串口是否正确？%1 即 %2。",
    u"對講機沒有應答。對講機是否已開機？傳輸線是否已插好對講機和電腦兩端？所選連接埠是否正確？%1 即 %2。"};
constexpr LocalisedText StoppedText{u"The radio stopped answering at block %1 of %2. Check the cable and try again.",
                                    u"对讲机在第 %1 块（共 %2 块）时停止应答。请检查数据线后重试。",
                                    u"對講機在第 %1 塊（共 %2 塊）時停止應答。請檢查傳輸線後重試。"};
constexpr LocalisedText WrongAnswerText{
    u"The radio gave a wrong answer at block %1 of %2. Check that it is a KDW417 on the right port "
    u"and that the cable sits firmly, then try again.",
    u"对讲机在第 %1 块（共 %2 块）时应答错误。请确认这是接在所选串口上的 KDW417、数据线已插牢，然后重试。",
    u"對講機在第 %1 塊（共 %2 塊）時應答錯誤。請確認這是接在所選連接埠上的 KDW417、傳輸線已插牢，然後重試。"};
constexpr LocalisedText PortVanishedText{
    u"The port %1 went away during the transfer: the cable or the adapter was unplugged. "
    u"Plug it in again and try again.",
    u"串口 %1 在传输中消失：数据线或转换器被拔出。请重新插好后再试。",
    u"連接埠 %1 在傳輸中消失：傳輸線或轉換器被拔出。請重新插好後再試。"};
constexpr LocalisedText OtherRadioText{
    u"Another radio is on the cable (it answers %1): it is not the radio just read, so nothing more was sent to it.",
    u"数据线上是另一台对讲机（其应答为 %1）：不是刚才读取的那一台，因此没有再向它发送任何内容。",
    u"傳輸線上是另一台對講機（其應答為 %1）：不是剛才讀取的那一台，因此沒有再向它傳送任何內容。"};
constexpr LocalisedText PartlyWrittenText{
    u"The radio's memory is now partly written and must be written again before use.",
    u"对讲机的存储器现在只写入了一部分，使用前必须重新写入。",
    u"對講機的記憶體現在只寫入了一部分，使用前必須重新寫入。"};

constexpr LocalisedText OpenFailedText{u"Could not open %1 (%2): %3", u"无法打开 %1（%2）：%3",
                                       u"無法開啟 %1（%2）：%3"};
constexpr LocalisedText OpenPathFailedText{u"Could not open %1: %2", u"无法打开 %1：%2", u"無法開啟 %1：%2"};
constexpr LocalisedText NoPortChosenText{u"No port is chosen.", u"未选择串口。", u"未選擇連接埠。"};
constexpr LocalisedText OpenTryText{
    u"Plug the cable in, or choose the port its adapter is on (Port > Choose Device...).",
    u"请插好数据线，或选择其转换器所在的串口（端口 > 选择设备...）。",
    u"請插好傳輸線，或選擇其轉換器所在的連接埠（連接埠 > 選擇裝置...）。"};
constexpr LocalisedText CheckCableText{u"Program > Check Cable and Radio... looks at the cable, the port and the radio "
                                       u"and says what is wrong.",
                                       u"编程 > 检查数据线和对讲机... 会检查数据线、串口和对讲机并指出问题所在。",
                                       u"編程 > 檢查傳輸線和對講機... 會檢查傳輸線、連接埠和對講機並指出問題所在。"};

QString openExplanation(const TransferOutcome &outcome, const QString &portName, Language language)
{
    if (portName.isEmpty())
        return NoPortChosenText.text(language);
    const QString device = outcome.device.isEmpty() ? portName : outcome.device;
    // A path given as the port is named once.
    const QString failed = device == portName ? OpenPathFailedText.text(language).arg(device, outcome.detail)
                                              : OpenFailedText.text(language).arg(portName, device, outcome.detail);
    return failed + u'\n' + (outcome.finding.isEmpty() ? OpenTryText.text(language) : outcome.finding);
}

constexpr LocalisedText WriteCancelledText{u"The write was cancelled.", u"写入已取消。", u"寫入已取消。"};

using Step = ProtocolResult::Step;

// Once the first block was sent the radio may hold some of the new memory
// and some of the old: it is in no state to be used.
bool partlyWritten(const ProtocolResult &p, TransferDirection direction)
{
    return direction == TransferDirection::Write && (p.blocks > 0 || p.step == Step::WriteAnswer);
}

QString communicationExplanation(const TransferOutcome &outcome, TransferDirection direction, const QString &portName,
                                 Language language)
{
    const ProtocolResult &p = outcome.protocol;
    const QString device = outcome.device.isEmpty() ? portName : outcome.device;
    // A write of the changed blocks counts its own.
    const int total = p.total > 0 ? p.total : blockCount(direction);
    QString text;
    if (!outcome.finding.isEmpty())
        text = outcome.finding;
    else if (p.step == Step::OtherRadio)
        text = OtherRadioText.text(language).arg(QString::fromLatin1(p.identification.toHex()));
    else if (p.lineLost)
        text = PortVanishedText.text(language).arg(device);
    else if (p.step == Step::WakeUp && p.received.isEmpty() && p.resumes == 0)
        text = NoAnswerText.text(language).arg(portName, device);
    else if (p.received.isEmpty())
        text = StoppedText.text(language).arg(p.blocks + 1).arg(total);
    else
        text = WrongAnswerText.text(language).arg(p.blocks + 1).arg(total);
    if (partlyWritten(p, direction))
        text += u'\n' + PartlyWrittenText.text(language);
    return text;
}

} // namespace

QString resumingNotice(int failedBlock, int blocks, int resume, Language language)
{
    return ResumingText.text(language).arg(failedBlock).arg(blocks).arg(resume).arg(ProgrammingProtocol::MaxResumes);
}

QString cancelledMessage(const TransferOutcome &outcome, TransferDirection direction, Language language)
{
    if (outcome.status != TransferOutcome::Status::Cancelled || !partlyWritten(outcome.protocol, direction))
        return {};
    return WriteCancelledText.text(language) + u'\n' + PartlyWrittenText.text(language);
}

QString failureExplanation(const TransferOutcome &outcome, TransferDirection direction, const QString &portName,
                           Language language)
{
    switch (outcome.status) {
    case TransferOutcome::Status::Done:
    case TransferOutcome::Status::Cancelled: return {};
    case TransferOutcome::Status::PortNotOpened: return openExplanation(outcome, portName, language);
    case TransferOutcome::Status::CommunicationError: break;
    }
    return communicationExplanation(outcome, direction, portName, language);
}

bool suggestsCableCheck(const TransferOutcome &outcome)
{
    return outcome.status == TransferOutcome::Status::PortNotOpened
           || (outcome.status == TransferOutcome::Status::CommunicationError && outcome.protocol.step == Step::WakeUp
               && !outcome.protocol.lineLost);
}

QString checkCableAdvice(Language language)
{
    return CheckCableText.text(language);
}

QString failureMessage(const TransferOutcome &outcome, TransferDirection direction, const QString &portName,
                       Language language)
{
    const LocalisedText *first = outcome.message();
    if (!first)
        return {};
    const QString below = failureExplanation(outcome, direction, portName, language);
    return below.isEmpty() ? first->text(language) : first->text(language) + u'\n' + below;
}

} // namespace kdw
