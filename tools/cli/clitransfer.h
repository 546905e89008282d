#pragma once

#include "core/image/memoryimage.h"
#include "core/link/cabledoctor.h"
#include "core/link/radiotransfer.h"
#include "core/link/serialport.h"
#include "tools/cli/prologue.h"

#include <QString>

namespace kdw::cli {

// --port NAME, which read and write require.
inline const ValueOption PortOption{QStringLiteral("--port"), QString()};
// --no-resume: a fault on the line ends the transfer, as in a single session.
inline const QString NoResumeFlag = QStringLiteral("--no-resume");
// --all-blocks: a write after a read sends the whole table, not only what differs.
inline const QString AllBlocksFlag = QStringLiteral("--all-blocks");
// --expect HEX: every session must find the radio of this identification.
inline const ValueOption ExpectOption{QStringLiteral("--expect"), QString()};

// read and write refuse a command line without a port, with both --backup
// and --no-backup, or whose file is an unknown option: `usage` then; and an
// --expect that is not an identification.
std::optional<QString> checkTransferArguments(const Invocation &invocation, const QString &usage);

// The new sessions a transfer of this command line may begin after faults.
int maxResumes(const Invocation &invocation);

// The port of one command: opened by its first transfer and held for every
// transfer after it, so that nothing else reaches the radio in between.
class CliLink
{
public:
    CliLink(const CliContext &context, QString portName);

    // --expect HEX of the command line: every session must find that radio;
    // another is refused before its first block, with the message in the
    // command's language.
    void expectRadio(const Invocation &invocation);
    // A transfer found a radio other than the one --expect names.
    bool refused() const { return m_refused; }

    // Runs one transfer with its progress on standard error, a line for
    // every resume after a fault, and on failure the message ("Could not open
    // the port" with the system's reason, or "Communication error" with what
    // happened and what to try, then the exchange that failed). A write and
    // its verify move the blocks of `scope`. The radio's identification is
    // said once, and again whenever another radio answers.
    TransferOutcome transfer(TransferDirection direction, MemoryImage &image, int maxResumes,
                             const WriteScope &scope = {});

private:
    TransferOutcome run(TransferDirection direction, MemoryImage &image, int maxResumes, WriteScope scope);

    const CliContext &m_context;
    const QString m_portName;
    SerialPort m_port;
    AnswerWatch m_watch{m_port}; // what came back, for a failed start
    QString m_device;
    QByteArray m_expected;
    Language m_language = Language::Eng;
    bool m_refused = false;
    QByteArray m_shown; // the identification said last
};

// The last line of a command whose transfers resumed: how many times.
void reportResumes(int resumes);

} // namespace kdw::cli
