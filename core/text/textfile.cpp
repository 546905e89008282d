#include "core/text/textfile.h"

#include "core/text/localisedtext.h"
#include "core/text/wholefile.h"

#include <QFile>
#include <QStringDecoder>

namespace kdw {

namespace {

constexpr LocalisedText NotUtf8{u"not UTF-8 text", u"不是 UTF-8 文本", u"不是 UTF-8 文字"};
constexpr LocalisedText TooLarge{u"larger than %1 KB", u"大于 %1 KB", u"大於 %1 KB"};

} // namespace

TextFileRead readUtf8File(const QString &path, Language language, std::optional<qint64> maxBytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, file.errorString()};
    const auto tooLarge = [&] {
        return TextFileRead{std::nullopt, TooLarge.text(language).arg(*maxBytes / 1024), true};
    };
    // The size first, then at most one byte more than the limit: a pipe or a
    // file that grows has no size to trust.
    if (maxBytes && file.size() > *maxBytes)
        return tooLarge();
    const QByteArray bytes = maxBytes ? file.read(*maxBytes + 1) : file.readAll();
    if (maxBytes && bytes.size() > *maxBytes)
        return tooLarge();
    if (file.error() != QFileDevice::NoError)
        return {std::nullopt, file.errorString()};
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return {std::nullopt, NotUtf8.text(language)};
    return {text, {}};
}

std::optional<QString> writeUtf8File(const QString &path, const QString &text)
{
    const FileWrite written = writeWholeFile(path, text.toUtf8());
    if (!written)
        return written.reason;
    return std::nullopt;
}

} // namespace kdw
