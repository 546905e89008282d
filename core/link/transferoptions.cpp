#include "core/link/transferoptions.h"

#include "core/link/protocol.h"
#include "core/text/inifile.h"
#include "core/text/programini.h"

namespace kdw {

TransferOptions readTransferOptions(const CIniFile &file)
{
    const TransferOptions defaults;
    TransferOptions options;
    const auto flag
        = [&file](QStringView key, bool fallback) { return readFlag(file, programini::Section, key, fallback); };
    options.verifyAfterWrite = flag(programini::VerifyAfterWrite, defaults.verifyAfterWrite);
    options.backupBeforeWrite = flag(programini::BackupBeforeWrite, defaults.backupBeforeWrite);
    options.resumeAfterFault = flag(programini::ResumeAfterFault, defaults.resumeAfterFault);
    options.checkBeforeWrite = flag(programini::CheckBeforeWrite, defaults.checkBeforeWrite);
    options.writeChangedOnly = flag(programini::WriteChangedOnly, defaults.writeChangedOnly);
    return options;
}

int TransferOptions::maxResumes() const
{
    return resumeAfterFault ? ProgrammingProtocol::MaxResumes : 0;
}

bool writeTransferOption(CIniFile &file, QStringView key, bool on)
{
    return writeFlag(file, programini::Section, key, on);
}

} // namespace kdw
