#include "gui/frame/documenttitle.h"

#include "core/image/programdoc.h"
#include "core/text/localisedtext.h"
#include "gui/frame/stringtable.h"

#include <QFileInfo>
#include <QWidget>

namespace kdw {

namespace {

constexpr LocalisedText UntitledText{u"Untitled", u"无标题", u"未命名"};
constexpr LocalisedText ReadFromRadioText{u"%1 (read from radio)", u"%1（从对讲机读取）", u"%1（從對講機讀取）"};

} // namespace

QString documentDisplayName(const QString &pathName, Language language)
{
    return pathName.isEmpty() ? UntitledText.text(language) : QFileInfo(pathName).fileName();
}

QString documentTitle(const QString &pathName, bool readFromRadio, Language language)
{
    // A "[*]" in the file's name is doubled, which the window shows as it stands.
    const QString mark = QStringLiteral("[*]");
    QString name = documentDisplayName(pathName, language).replace(mark, mark + mark) + mark;
    if (readFromRadio && !pathName.isEmpty())
        name = ReadFromRadioText.text(language).arg(name);
    return name + QStringLiteral(" — ") + templateField(0);
}

void showDocumentInTitle(QWidget *window, const CProgramDoc &doc)
{
    const auto update = [window, &doc] {
        window->setWindowTitle(documentTitle(doc.GetPathName(), doc.IsReadFromRadio(), doc.language()));
        window->setWindowModified(doc.IsModified());
    };
    QObject::connect(&doc, &CProgramDoc::pathNameChanged, window, update);
    QObject::connect(&doc, &CProgramDoc::modifiedChanged, window, &QWidget::setWindowModified);
    update();
}

} // namespace kdw
