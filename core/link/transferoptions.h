#pragma once

#include <QString>

namespace kdw {

class CIniFile;

// The Program menu's check items, kept in Program.ini. A missing or
// unreadable value gives the default: verify on, backup before write off (it
// adds a read of about 7 s to every write), resume after a fault on, the
// channel plan checked before a write on, and a write after a read of the same
// radio sending only the blocks that differ on.
struct TransferOptions
{
    bool verifyAfterWrite = true;
    bool backupBeforeWrite = false;
    bool resumeAfterFault = true;
    bool checkBeforeWrite = true;
    bool writeChangedOnly = true;

    // The new sessions a transfer may begin after faults on the line.
    int maxResumes() const;
};

TransferOptions readTransferOptions(const CIniFile &file);
// `key` is programini::VerifyAfterWrite, BackupBeforeWrite, ResumeAfterFault, CheckBeforeWrite or
// WriteChangedOnly. False when
// Program.ini could not be written; the choice then lasts this run.
[[nodiscard]] bool writeTransferOption(CIniFile &file, QStringView key, bool on);

} // namespace kdw
