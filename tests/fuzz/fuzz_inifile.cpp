// Feeds arbitrary bytes as Program.ini to the reader and writer that start-up
// and exit use. Whatever the file holds, a value reads as at most 255
// characters, a written key reads back as written and writing one key leaves
// the other's value alone.
#include "core/text/inifile.h"
#include "core/text/language.h"
#include "core/text/programini.h"
#include "tests/fuzz/fuzzinput.h"

using namespace kdw;
using kdw::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString section = programini::Section.toString();
    const QString languageKey = programini::Language.toString();
    const QString portKey = programini::Port.toString();
    CIniFile ini;
    ini.setPath(fuzz::inputFile(programini::FileName.toString(), data, size));
    const QString language = ini.ReadString(section, languageKey);
    const QString port = ini.ReadString(section, portKey);
    check(language.size() <= CIniFile::MaxValueLength && port.size() <= CIniFile::MaxValueLength);
    const Language read = languageOfIniText(language);
    check(read == Language::Eng || language.compare(languageIniText(read), Qt::CaseInsensitive) == 0);

    check(ini.WriteString(section, portKey, QStringLiteral("COM3")));
    check(ini.ReadString(section, portKey) == QStringLiteral("COM3"));
    check(ini.ReadString(section, languageKey) == language);
    return 0;
}
