// The words of a failed transfer's message: its first line is the one users
// know in each language; the lines below name the port as the Port menu does
// (Traditional Chinese 連接埠), and the help pages use the same words.
#include "core/link/transfermessages.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace kdw;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(kdw::TransferOutcome)

namespace {

TransferOutcome failed(TransferOutcome::Status status, ProtocolResult::Step step, const QByteArray &received = {},
                       bool lineLost = false)
{
    TransferOutcome outcome;
    outcome.status = status;
    outcome.device = u"/dev/ttyUSB0"_s;
    outcome.detail = u"No such file or directory"_s;
    outcome.protocol.step = step;
    outcome.protocol.received = received;
    outcome.protocol.lineLost = lineLost;
    outcome.protocol.blocks = 3;
    return outcome;
}

// The Traditional Chinese help's text without its markup.
QString chtHelp()
{
    QString all;
    const QDir dir(QStringLiteral(KDW_SOURCE_DIR "/docs/help/cht"));
    for (const QString &name : dir.entryList({u"*.html"_s, u"*.hhc"_s}, QDir::Files)) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            all += QString::fromUtf8(file.readAll());
    }
    return all;
}

} // namespace

class TestTransferMessages : public QObject
{
    Q_OBJECT

private slots:
    void portIsNamedAsTheMenuNamesIt_data()
    {
        using S = TransferOutcome::Status;
        using P = ProtocolResult::Step;
        QTest::addColumn<TransferOutcome>("outcome");
        QTest::addColumn<QString>("port"); // the port chosen
        QTest::addColumn<QString>("cht");  // a part of the Traditional Chinese lines below the first
        QTest::newRow("no port chosen") << failed(S::PortNotOpened, P::None) << QString() << u"未選擇連接埠"_s;
        QTest::newRow("port does not open")
            << failed(S::PortNotOpened, P::None) << u"COM1"_s << u"其轉換器所在的連接埠（連接埠 > 選擇裝置...）"_s;
        QTest::newRow("no answer") << failed(S::CommunicationError, P::WakeUp) << u"COM1"_s << u"所選連接埠是否正確"_s;
        QTest::newRow("wrong answer") << failed(S::CommunicationError, P::ReadAnswer, "\x01") << u"COM1"_s
                                      << u"接在所選連接埠上的 KDW417"_s;
        QTest::newRow("cable pulled") << failed(S::CommunicationError, P::ReadAnswer, {}, true) << u"COM1"_s
                                      << u"連接埠 /dev/ttyUSB0 在傳輸中消失"_s;
    }
    void portIsNamedAsTheMenuNamesIt()
    {
        QFETCH(TransferOutcome, outcome);
        QFETCH(QString, port);
        QFETCH(QString, cht);
        const QString first = outcome.message()->text(Language::Cht);
        const QString message = failureMessage(outcome, TransferDirection::Read, port, Language::Cht);
        QVERIFY(message.startsWith(first + u'\n'));
        const QString below = message.mid(first.size());
        QVERIFY2(below.contains(cht), qPrintable(below));
        QVERIFY2(!below.contains(u"串口"_s), qPrintable(below));
        for (const Language language : {Language::Eng, Language::Chs})
            QVERIFY(failureMessage(outcome, TransferDirection::Read, port, language)
                        .startsWith(outcome.message()->text(language) + u'\n'));
    }

    // The Traditional Chinese help says 連接埠 for the port, except where it
    // quotes the message "無法打開串口", and 默認 for default, as the
    // program's own texts do.
    void chtHelpUsesTheProgramsWords()
    {
        QString help = chtHelp();
        QVERIFY(help.contains(u"連接埠"_s));
        help.remove(u"無法打開串口"_s);
        QCOMPARE(help.count(u"串口"_s), 0);
        QCOMPARE(help.count(u"預設"_s), 0);
    }
};

QTEST_GUILESS_MAIN(TestTransferMessages)
#include "tst_transfermessages.moc"
