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
    return QStringLiteral("usage: kdw-radio-sim [options]\n"
                          "A simulated KDW417 radio on a pseudo-terminal. Prints the terminal's path\n"
                          "on its first line (and again after every hang-up).\n"
                          "  --link PATH         also place a symbolic link PATH to the terminal\n"
                          "  --image FILE.sin    the radio's memory (0xFF everywhere otherwise)\n"
                          "  --save FILE.sin     save the memory after every completed write\n"
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
                          "  --rest-after-write N  leave the first N wake-ups after a completed write unanswered\n"
                          "  --echo              no radio, only a cable: every byte comes straight back\n"
                          "  --garbage           no KDW417: answer every byte with two bytes of noise\n"
                          "  --strikes N         faults past the wake-up strike N times, each time their\n"
                          "                      stage comes again (default 1)\n"
                          "Faults at the wake-up spoil one transfer's four attempts; others strike once.\n");
}

std::optional<SimOptions> parseSimOptions(const QStringList &arguments, QString *error)
{
    SimOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &name = arguments.at(i);
        const auto value = [&]() -> std::optional<QString> {
            if (i + 1 >= arguments.size())
                return std::nullopt;
            return arguments.at(++i);
        };
        const auto stageOption = [&](std::optional<Stage> &target) {
            const auto text = value();
            target = text ? parseStage(*text) : std::nullopt;
            return target.has_value();
        };
        const auto textOption = [&](QString &target) {
            const auto text = value();
            target = text.value_or(QString());
            return text.has_value();
        };
        const auto numberOption = [&](int &target) {
            const auto text = value();
            bool ok = false;
            target = text ? text->toInt(&ok) : 0;
            return ok && target >= 0;
        };

        bool ok = true;
        if (name == u"--link")
            ok = textOption(options.linkPath);
        else if (name == u"--image")
            ok = textOption(options.imagePath);
        else if (name == u"--save")
            ok = textOption(options.savePath);
        else if (name == u"--log")
            ok = textOption(options.logPath);
        else if (name == u"--baud")
            ok = numberOption(options.baud);
        else if (name == u"--box")
            ok = numberOption(options.radios) && options.radios > 0;
        else if (name == u"--swap-ms")
            ok = numberOption(options.swapMs);
        else if (name == u"--ident") {
            const QStringList parts = value().value_or(QString()).split(u':');
            const int radio = parts.size() == 2 ? parts.at(0).toInt(&ok) : 0;
            const QByteArray bytes = parts.size() == 2 ? QByteArray::fromHex(parts.at(1).toLatin1()) : QByteArray();
            ok = ok && radio > 0 && bytes.size() == 8 && bytes.toHex() == parts.at(1).toLower().toLatin1();
            options.identifications.insert(radio, bytes);
        } else if (name == u"--no-answer")
            options.faults.noAnswer = true;
        else if (name == u"--wrong-wakeup")
            ok = numberOption(options.faults.wrongWakeUps);
        else if (name == u"--nak")
            ok = stageOption(options.faults.nak);
        else if (name == u"--silence")
            ok = stageOption(options.faults.silence);
        else if (name == u"--hangup")
            ok = stageOption(options.faults.hangUp);
        else if (name == u"--short")
            ok = stageOption(options.faults.shortAnswer) && options.faults.shortAnswer->kind != Stage::Kind::WakeUp;
        else if (name == u"--garbage-lead")
            options.faults.garbageLead = true;
        else if (name == u"--echo")
            options.faults.echo = true;
        else if (name == u"--garbage")
            options.faults.garbage = true;
        else if (name == u"--read-only")
            options.faults.readOnly = true;
        else if (name == u"--rest-after-write")
            ok = numberOption(options.faults.restAfterWrite);
        else if (name == u"--strikes")
            ok = numberOption(options.faults.strikes) && options.faults.strikes > 0;
        else if (name == u"--corrupt") {
            const auto text = value();
            options.faults.corruptAddress = text ? text->toInt(&ok, 0) : -1;
            ok = ok && options.faults.corruptAddress >= 0 && options.faults.corruptAddress < MemoryImage::Size;
        } else {
            *error = QStringLiteral("unknown option %1").arg(name);
            return std::nullopt;
        }
        if (!ok) {
            *error = QStringLiteral("bad or missing value for %1").arg(name);
            return std::nullopt;
        }
    }
    return options;
}

} // namespace kdw::sim
