#include "tools/cli/prologue.h"

#include "core/text/language.h"
#include "core/text/localisedtext.h"
#include "tools/cli/clicommon.h"

#include <QCommandLineParser>
#include <QTextStream>

#include <algorithm>
#include <numeric>

namespace kdw::cli {

namespace {

struct OptionHelp
{
    QStringView name;
    LocalisedText text;
};

// What --help says of each option, in the three languages.
constexpr OptionHelp OptionHelps[] = {
    {u"--lang",
     {u"language of the texts: eng, chs or cht", u"文本语言：eng、chs 或 cht", u"文字語言：eng、chs 或 cht"}},
    {u"--format",
     {u"CSV format: grid (the channel table) or generic", u"CSV 格式：grid（信道表）或 generic（通用）",
      u"CSV 格式：grid（信道表）或 generic（通用）"}},
    {u"--port",
     {u"serial port: COM1 ... COM8 or a device path", u"串口：COM1 … COM8 或设备路径",
      u"串口：COM1 … COM8 或裝置路徑"}},
    {u"--verify", {u"read the radio back and compare", u"写入后读回并比较", u"寫入後讀回並比較"}},
    {u"--backup", {u"keep a backup of the radio first", u"先备份对讲机", u"先備份對講機"}},
    {u"--no-backup", {u"no backup of the radio", u"不备份对讲机", u"不備份對講機"}},
    {u"--no-resume", {u"no new session after a lost connection", u"连接中断后不重新连接", u"連線中斷後不重新連線"}},
    {u"--all-blocks",
     {u"after the backup read, send every block, not only those that differ", u"备份读取后写入全部块，而不只是不同的块",
      u"備份讀取後寫入全部塊，而不只是不同的塊"}},
    {u"--expect",
     {u"only the radio of this identification (16 hex digits); another: exit 2, nothing sent",
      u"只对此识别码（16 个十六进制数字）的对讲机操作；其他对讲机：退出码 2，不发送任何内容",
      u"只對此識別碼（16 個十六進位數字）的對講機操作；其他對講機：結束碼 2，不傳送任何內容"}},
    {u"--units", {u"number of radios in all", u"对讲机总台数", u"對講機總台數"}},
    {u"--vary", {u"CSV of what changes from radio to radio", u"每台对讲机不同内容的 CSV", u"每台對講機不同內容的 CSV"}},
    {u"--log", {u"CSV log of the run, one row a radio", u"批量日志 CSV，每台一行", u"批次記錄 CSV，每台一行"}},
    {u"--auto", {u"go on to the next radio by itself", u"自动进行下一台", u"自動進行下一台"}},
    {u"--no-verify", {u"no read-back after each write", u"写入后不读回", u"寫入後不讀回"}},
    {u"--place",
     {u"numbered: Location N is channel N (default); in-order: rows fill the channels in file order",
      u"numbered：Location N 即信道 N（默认）；in-order：各行按文件顺序填入信道",
      u"numbered：Location N 即信道 N（默認）；in-order：各行按文件順序填入信道"}},
    {u"--first",
     {u"with --place in-order, the first channel filled (1 by default)",
      u"与 --place in-order 一起用：填入的第一个信道（默认 1）",
      u"與 --place in-order 一起用：填入的第一個信道（默認 1）"}},
    {u"--skip-unfit",
     {u"import the rows the radio can hold and list the others (exit 1)",
      u"导入对讲机能容纳的行，列出其余的行（退出码 1）", u"匯入對講機能容納的行，列出其餘的行（結束碼 1）"}},
    {u"--help", {u"this help", u"显示此帮助", u"顯示此說明"}},
};

QString bare(const QString &name)
{
    return name.mid(2);
}

QString helpOf(const QString &name, Language language)
{
    for (const OptionHelp &help : OptionHelps) {
        if (help.name == name)
            return help.text.text(language);
    }
    return {};
}

// Edits between two names, for "did you mean".
qsizetype distance(QStringView a, QStringView b)
{
    QList<qsizetype> row(b.size() + 1);
    std::iota(row.begin(), row.end(), 0);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        qsizetype diagonal = row[0];
        row[0] = i;
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const qsizetype above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

QStringList knownNames(const CommandLine &line)
{
    QStringList names{QStringLiteral("--help")};
    for (const ValueOption &option : line.options)
        names.append(option.name);
    names.append(line.flags);
    return names;
}

// "unknown option --lnag; did you mean --lang?"
QString unknownOptionText(const QString &name, const CommandLine &line)
{
    return unknownNameText(QStringLiteral("option"), QStringLiteral("--") + name, knownNames(line));
}

void printHelp(const CliContext &context, const CommandLine &line, Language language)
{
    out() << context.usage << "\noptions:\n";
    for (const QString &name : knownNames(line)) {
        const bool takesValue = std::any_of(line.options.begin(), line.options.end(),
                                            [&name](const ValueOption &option) { return option.name == name; });
        const QString shown = takesValue ? name + QStringLiteral(" VALUE") : name;
        out() << "  " << shown.leftJustified(16) << ' ' << helpOf(name, language) << '\n';
    }
    out().flush();
}

enum class Outcome { Parsed, Refused, Help };

struct Parse
{
    Outcome outcome = Outcome::Refused;
    std::optional<QString> message; // why it was refused, when not for the usage
    Invocation invocation;
};

// The options, flags and arguments of `args` as `line` describes them:
// --name VALUE and --name=VALUE alike.
Parse parse(const QStringList &args, const CommandLine &line)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringLiteral("help"));
    parser.addOption(help);
    for (const ValueOption &option : line.options)
        parser.addOption(QCommandLineOption(bare(option.name), {}, QStringLiteral("value"), option.fallback));
    for (const QString &flag : line.flags)
        parser.addOption(QCommandLineOption(bare(flag)));
    Parse result;
    if (!parser.parse(QStringList{QStringLiteral("kdw-cli")} + args)) {
        if (const QStringList unknown = parser.unknownOptionNames(); !unknown.isEmpty())
            result.message = unknownOptionText(unknown.first(), line);
        return result;
    }
    Invocation &invocation = result.invocation;
    bool fits = true;
    for (const ValueOption &option : line.options) {
        invocation.options.insert(option.name, parser.value(bare(option.name)));
        invocation.repeated.insert(option.name, parser.values(bare(option.name)));
    }
    for (const QString &flag : line.flags) {
        if (parser.isSet(bare(flag)))
            invocation.flags.append(flag);
    }
    if (invocation.options.contains(LanguageOption.name)) {
        const auto language = languageOfCode(invocation.options.value(LanguageOption.name));
        fits = language.has_value();
        invocation.language = language.value_or(Language::Eng);
    }
    if (parser.isSet(help)) {
        result.outcome = Outcome::Help;
        return result;
    }
    invocation.arguments = parser.positionalArguments();
    const qsizetype count = invocation.arguments.size();
    fits = fits && count >= line.minArguments && (line.maxArguments < 0 || count <= line.maxArguments);
    result.outcome = fits ? Outcome::Parsed : Outcome::Refused;
    return result;
}

} // namespace

QString unknownNameText(const QString &what, const QString &given, const QStringList &known)
{
    QString best;
    qsizetype closest = 3; // more edits than two is no misspelling
    for (const QString &name : known) {
        const qsizetype edits = distance(given, name);
        if (edits < closest) {
            closest = edits;
            best = name;
        }
    }
    const QString text = QStringLiteral("unknown %1 %2").arg(what, given);
    return best.isEmpty() ? text : text + QStringLiteral("; did you mean %1?").arg(best);
}

Prepared prepare(const CliContext &context, const QStringList &args, const CommandLine &line)
{
    Parse parsed = parse(args, line);
    if (parsed.outcome == Outcome::Help) {
        printHelp(context, line, parsed.invocation.language);
        return Prepared::refused(Ok);
    }
    if (parsed.outcome == Outcome::Refused)
        return Prepared::refused(usageError(parsed.message ? *parsed.message + u'\n' + context.usage : context.usage));
    Invocation &invocation = parsed.invocation;
    if (line.check) {
        if (const auto refusal = line.check(invocation))
            return Prepared::refused(usageError(*refusal));
    }
    for (qsizetype i = 0; i < line.sinFiles; ++i) {
        const auto image = loadSinFile(invocation.arguments.at(i));
        if (!image)
            return Prepared::refused(BadInput);
        invocation.images.append(*image);
    }
    return std::move(invocation);
}

} // namespace kdw::cli
