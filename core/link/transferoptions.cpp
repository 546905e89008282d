#include "core/link/transferoptions.h"

#include "core/link/protocol.h"
#include "core/text/inifile.h"
#include "core/text/programini.h"

namespace kdw {

namespace {

bool readFlag(const CIniFile &file, QStringView key, bool fallback)
{
    const QString value = file.ReadString(programini::Section.toString(), key.toString());
    if (value == u"1")
        return true;
    if (value == u"0")
        return false;
    return fallback;
}

} // namespace

TransferOptions readTransferOptions(const CIniFile &file)
{
    const TransferOptions defaults;
    TransferOptions options;
    options.verifyAfterWrite = readFlag(file, programini::VerifyAfterWrite, defaults.verifyAfterWrite);
    options.backupBeforeWrite = readFlag(file, programini::BackupBeforeWrite, defaults.backupBeforeWrite);
    options.resumeAfterFault = readFlag(file, programini::ResumeAfterFault, defaults.resumeAfterFault);
    return options;
}

int TransferOptions::maxResumes() const
{
    return resumeAfterFault ? ProgrammingProtocol::MaxResumes : 0;
}

bool writeTransferOption(CIniFile &file, QStringView key, bool on)
{
    return file.WriteString(programini::Section.toString(), key.toString(),
                            on ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace kdw
