#pragma once

#include <QString>

namespace kdw {

class CIniFile;

// The Program menu's two check items, kept in Program.ini. A missing or
// unreadable value gives the default: verify on, backup before write off (it
// adds a read of about 7 s to every write).
struct TransferOptions
{
    bool verifyAfterWrite = true;
    bool backupBeforeWrite = false;
};

TransferOptions readTransferOptions(const CIniFile &file);
// `key` is programini::VerifyAfterWrite or BackupBeforeWrite. False when
// Program.ini could not be written; the choice then lasts this run.
[[nodiscard]] bool writeTransferOption(CIniFile &file, QStringView key, bool on);

} // namespace kdw
