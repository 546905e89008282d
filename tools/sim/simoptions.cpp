#include "tools/sim/simoptions.h"

#include "core/image/transferranges.h"

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
        "usage: kdw-radio-sim [options]\n"
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
        "Faults at the wake-up spoil one transfer's four attempts; others strike once.\n");
}

namespace {

// The command line read one argument after another; an option's value is the
// argument after it.
class Arguments
{
public:
    explicit Arguments(const QStringList &arguments)
        : m_arguments(arguments)
    {
    }

    bool atEnd() const { return m_next >= m_arguments.size(); }
    const QString &next() { return m_arguments.at(m_next++); }
    std::optional<QString> value()
    {
        if (atEnd())
            return std::nullopt;
        return next();
    }

    bool text(QString &target)
    {
        const auto text = value();
        target = text.value_or(QString());
        return text.has_value();
    }
    // A whole number from 0.
    bool number(int &target)
    {
        const auto text = value();
        bool ok = false;
        target = text ? text->toInt(&ok) : 0;
        return ok && target >= 0;
    }
    bool stage(std::optional<Stage> &target)
    {
        const auto text = value();
        target = text ? parseStage(*text) : std::nullopt;
        return target.has_value();
    }

private:
    const QStringList &m_arguments;
    qsizetype m_next = 0;
};

// N:HEX, eight bytes in exactly sixteen hex digits.
bool readIdentification(Arguments &arguments, QMap<int, QByteArray> &identifications)
{
    const QStringList parts = arguments.value().value_or(QString()).split(u':');
    bool ok = false;
    const int radio = parts.size() == 2 ? parts.at(0).toInt(&ok) : 0;
    const QByteArray bytes = parts.size() == 2 ? QByteArray::fromHex(parts.at(1).toLatin1()) : QByteArray();
    identifications.insert(radio, bytes);
    return ok && radio > 0 && bytes.size() == 8 && bytes.toHex() == parts.at(1).toLower().toLatin1();
}

// An option of the radio's setting up: true or false for its value, nothing
// when `name` is none of them.
std::optional<bool> readSetupOption(const QString &name, Arguments &arguments, SimOptions &options)
{
    if (name == u"--link")
        return arguments.text(options.linkPath);
    if (name == u"--image")
        return arguments.text(options.imagePath);
    if (name == u"--save")
        return arguments.text(options.savePath);
    if (name == u"--log")
        return arguments.text(options.logPath);
    if (name == u"--baud")
        return arguments.number(options.baud);
    if (name == u"--box")
        return arguments.number(options.radios) && options.radios > 0;
    if (name == u"--swap-ms")
        return arguments.number(options.swapMs);
    if (name == u"--ident")
        return readIdentification(arguments, options.identifications);
    return std::nullopt;
}

// A fault that takes a value, as readSetupOption.
std::optional<bool> readFaultValue(const QString &name, Arguments &arguments, Faults &faults)
{
    if (name == u"--wrong-wakeup")
        return arguments.number(faults.wrongWakeUps);
    if (name == u"--nak")
        return arguments.stage(faults.nak);
    if (name == u"--silence")
        return arguments.stage(faults.silence);
    if (name == u"--hangup")
        return arguments.stage(faults.hangUp);
    if (name == u"--short")
        return arguments.stage(faults.shortAnswer) && faults.shortAnswer->kind != Stage::Kind::WakeUp;
    if (name == u"--rest-after-write")
        return arguments.number(faults.restAfterWrite);
    if (name == u"--rest-after-fault")
        return arguments.number(faults.restAfterFault);
    if (name == u"--strikes")
        return arguments.number(faults.strikes) && faults.strikes > 0;
    if (name == u"--corrupt") {
        bool ok = false;
        const auto text = arguments.value();
        faults.corruptAddress = text ? text->toInt(&ok, 0) : -1;
        return ok && faults.corruptAddress >= 0 && faults.corruptAddress < MemoryImage::Size;
    }
    return std::nullopt;
}

// A fault that is only switched on: the flag it sets, nullptr for none.
bool *faultSwitch(const QString &name, Faults &faults)
{
    if (name == u"--no-answer")
        return &faults.noAnswer;
    if (name == u"--garbage-lead")
        return &faults.garbageLead;
    if (name == u"--echo")
        return &faults.echo;
    if (name == u"--garbage")
        return &faults.garbage;
    if (name == u"--read-only")
        return &faults.readOnly;
    return nullptr;
}

} // namespace

std::optional<SimOptions> parseSimOptions(const QStringList &arguments, QString *error)
{
    SimOptions options;
    Arguments args(arguments);
    while (!args.atEnd()) {
        const QString &name = args.next();
        if (bool *on = faultSwitch(name, options.faults)) {
            *on = true;
            continue;
        }
        std::optional<bool> ok = readSetupOption(name, args, options);
        if (!ok)
            ok = readFaultValue(name, args, options.faults);
        if (!ok) {
            *error = QStringLiteral("unknown option %1").arg(name);
            return std::nullopt;
        }
        if (!*ok) {
            *error = QStringLiteral("bad or missing value for %1").arg(name);
            return std::nullopt;
        }
    }
    return options;
}

} // namespace kdw::sim
