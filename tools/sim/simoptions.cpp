#include "tools/sim/simoptions.h"

#include "core/image/transferranges.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace kdw::sim {

std::optional<Stage> parseStage(const QString &text)
{
    if (text == u"wakeup")
        return Stage{Stage::Kind::WakeUp, 0};
    if (text == u"identify")
        return Stage{Stage::Kind::Identify, 0};
    bool ok = false;
    const int block = text.toInt(&ok, 0);
    if (!ok || block < 0 || block >= ReadBlockCount)
        return std::nullopt;
    return Stage{Stage::Kind::Block, block};
}

QString simUsage()
{
    return QStringLiteral(
        "usage: kdw-radio-sim [options]   (--opt VALUE or --opt=VALUE)\n"
        "A simulated KDW417 radio on a pseudo-terminal. Prints the terminal's path\n"
        "on its first line (and again after every hang-up).\n"
        "  --link PATH         also place a symbolic link PATH to the terminal\n"
        "  --image FILE.sin    the radio's memory (0xFF everywhere otherwise)\n"
        "  --save FILE.sin     save the memory after every written block\n"
        "  --baud N            pace every byte as a line of N baud (default: unpaced)\n"
        "  --log FILE          record the bytes of both directions\n"
        "  --box N             N radios, one after another, each starting with the memory of\n"
        "                      --image and saved on its own (FILE-1.sin, ... for --save FILE.sin);\n"
        "                      a radio that was identified is taken away when the host knocks\n"
        "                      twice without asking who it is, and the next answers after the\n"
        "                      swap time\n"
        "  --swap-ms MS        the time between two radios of a box (default 2500); the signal\n"
        "                      SIGUSR1 swaps to the next radio at once, as by hand\n"
        "  --ident N:HEX       radio N answers the identification with these 8 bytes\n"
        "faults (STAGE: wakeup, identify, or a block index from 0):\n"
        "  --no-answer         never answer anything\n"
        "  --wrong-wakeup N    answer 0x07 to the first N wake-ups\n"
        "  --nak STAGE         answer 0x15 where the acknowledge belongs\n"
        "  --silence STAGE     answer nothing from STAGE until the next wake-up\n"
        "  --hangup STAGE      hang up the terminal at STAGE (cable pulled)\n"
        "  --short STAGE       answer one byte short (identify: 5 of 8 bytes)\n"
        "  --garbage-lead      random bytes in the four leading bytes of read answers\n"
        "  --read-only         acknowledge written blocks but keep the memory unchanged\n"
        "  --corrupt ADDRESS   store the byte written at ADDRESS with its lowest bit flipped\n"
        "  --rest-after-write N  leave the first N wake-ups after a write of the last block unanswered\n"
        "  --rest-after-fault N  leave the first N wake-ups after a fault at a block unanswered\n"
        "  --echo              no radio, only a cable: every byte comes straight back\n"
        "  --garbage           no KDW417: answer every byte with two bytes of noise\n"
        "  --strikes N         faults past the wake-up strike N times, each time their\n"
        "                      stage comes again (default 1)\n"
        "Faults at the wake-up spoil one transfer's four attempts; others strike once.\n"
        "  --help              this help\n"
        "  --version           the version\n");
}

namespace {

// Every option with a value, by name.
constexpr const char *ValueOptions[] = {
    "link",         "image", "save",    "log",    "baud",  "box",     "swap-ms",          "ident",
    "wrong-wakeup", "nak",   "silence", "hangup", "short", "corrupt", "rest-after-write", "rest-after-fault",
    "strikes",
};
// Every fault that is only switched on.
constexpr const char *SwitchOptions[] = {"no-answer", "garbage-lead", "echo", "garbage", "read-only"};

// A whole number from 0.
bool readNumber(const QString &text, int &target)
{
    bool ok = false;
    target = text.toInt(&ok);
    return ok && target >= 0;
}

bool readStage(const QString &text, std::optional<Stage> &target)
{
    target = parseStage(text);
    return target.has_value();
}

// N:HEX, eight bytes in exactly sixteen hex digits.
bool readIdentification(const QString &text, QMap<int, QByteArray> &identifications)
{
    const QStringList parts = text.split(u':');
    bool ok = false;
    const int radio = parts.size() == 2 ? parts.at(0).toInt(&ok) : 0;
    const QByteArray bytes = parts.size() == 2 ? QByteArray::fromHex(parts.at(1).toLatin1()) : QByteArray();
    identifications.insert(radio, bytes);
    return ok && radio > 0 && bytes.size() == 8 && bytes.toHex() == parts.at(1).toLower().toLatin1();
}

// Takes the value of option `name` into `options`; false when it is not a value the option takes.
bool readValue(const QString &name, const QString &value, SimOptions &options)
{
    Faults &faults = options.faults;
    if (name == u"link")
        options.linkPath = value;
    else if (name == u"image")
        options.imagePath = value;
    else if (name == u"save")
        options.savePath = value;
    else if (name == u"log")
        options.logPath = value;
    else if (name == u"baud")
        return readNumber(value, options.baud);
    else if (name == u"box")
        return readNumber(value, options.radios) && options.radios > 0;
    else if (name == u"swap-ms")
        return readNumber(value, options.swapMs);
    else if (name == u"ident")
        return readIdentification(value, options.identifications);
    else if (name == u"wrong-wakeup")
        return readNumber(value, faults.wrongWakeUps);
    else if (name == u"nak")
        return readStage(value, faults.nak);
    else if (name == u"silence")
        return readStage(value, faults.silence);
    else if (name == u"hangup")
        return readStage(value, faults.hangUp);
    else if (name == u"short")
        return readStage(value, faults.shortAnswer) && faults.shortAnswer->kind != Stage::Kind::WakeUp;
    else if (name == u"rest-after-write")
        return readNumber(value, faults.restAfterWrite);
    else if (name == u"rest-after-fault")
        return readNumber(value, faults.restAfterFault);
    else if (name == u"strikes")
        return readNumber(value, faults.strikes) && faults.strikes > 0;
    else if (name == u"corrupt") {
        bool ok = false;
        faults.corruptAddress = value.toInt(&ok, 0);
        return ok && faults.corruptAddress >= 0 && faults.corruptAddress < MemoryImage::Size;
    }
    return true;
}

bool *faultSwitch(const QString &name, Faults &faults)
{
    if (name == u"no-answer")
        return &faults.noAnswer;
    if (name == u"garbage-lead")
        return &faults.garbageLead;
    if (name == u"echo")
        return &faults.echo;
    if (name == u"garbage")
        return &faults.garbage;
    if (name == u"read-only")
        return &faults.readOnly;
    return nullptr;
}

} // namespace

SimCommandLine parseSimOptions(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const char *name : ValueOptions)
        parser.addOption(QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("VALUE")));
    for (const char *name : SwitchOptions)
        parser.addOption(QCommandLineOption(QString::fromLatin1(name)));
    const QCommandLineOption help(QStringLiteral("help"));
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOption(help);
    parser.addOption(version);

    SimCommandLine line;
    // QCommandLineParser wants the program's name first. --help answers even
    // beside an option it does not know.
    const bool parsed = parser.parse(QStringList{QStringLiteral("kdw-radio-sim")} + arguments);
    line.help = parser.isSet(help);
    line.version = parser.isSet(version);
    if (line.help || line.version)
        return line;
    if (!parsed) {
        const QStringList unknown = parser.unknownOptionNames();
        line.error
            = unknown.isEmpty() ? parser.errorText() : QStringLiteral("unknown option --%1").arg(unknown.first());
        return line;
    }
    if (!parser.positionalArguments().isEmpty()) {
        line.error = QStringLiteral("unknown option %1").arg(parser.positionalArguments().first());
        return line;
    }
    SimOptions options;
    // optionNames() names a repeated option (--ident) once per use.
    QStringList names = parser.optionNames();
    names.removeDuplicates();
    for (const QString &name : std::as_const(names)) {
        if (bool *on = faultSwitch(name, options.faults)) {
            *on = true;
            continue;
        }
        if (name == u"help" || name == u"version")
            continue;
        for (const QString &value : parser.values(name)) {
            if (!readValue(name, value, options)) {
                line.error = QStringLiteral("bad or missing value for --%1").arg(name);
                return line;
            }
        }
    }
    line.options = options;
    return line;
}

} // namespace kdw::sim
