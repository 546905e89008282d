#include "guitest.h"

#include "ui/mainframe.h"
#include "ui/messagebox.h"

#include <QComboBox>
#include <QFile>
#include <QTest>

namespace kdw::test {

QStringList itemsOf(const QComboBox *combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(c.toUpper().unicode()), QString(c), {});
}

ProgramDir::ProgramDir(const QByteArray &ini, const QStringList &bundles)
{
    const QString built = QStringLiteral(KDW_PROGRAM_DIR "/");
    for (const auto &bundle : bundles) {
        const QString name = bundle + QStringLiteral(".dll");
        if (!QFile::copy(built + name, file(name)))
            qFatal("cannot copy the bundle %s", qPrintable(name));
    }
    if (!ini.isNull() && !write(QStringLiteral("Program.ini"), ini))
        return;
}

QString ProgramDir::path() const
{
    return m_dir.path() + u'/';
}

Program::Program(const QByteArray &ini, const QStringList &bundles)
    : dir(ini, bundles)
{
}

bool Program::start(const QString &file)
{
    return app.InitInstance(file.isEmpty() ? QStringList{QStringLiteral("Program")}
                                           : QStringList{QStringLiteral("Program"), dir.file(file)});
}

QAction *Program::action(int id) const
{
    return app.mainFrame()->action(id);
}

MessageRecorder::MessageRecorder()
{
    setMessageHook([this](const QString &text, QMessageBox::Icon, QMessageBox::StandardButtons buttons) {
        texts.append(text);
        if (!answers.isEmpty())
            return answers.takeFirst();
        return buttons.testFlag(QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::Cancel;
    });
}

MessageRecorder::~MessageRecorder()
{
    setMessageHook({});
}

} // namespace kdw::test
