// The dialog templates at twice the size (a 200 % desktop): every caption of
// a label or button fits its control in each language. Fonts are hinted at
// the scaled pixel size, so text can come out wider than at 100 %.
#include "core/program/startup.h"
#include "gui/dialogs/controlids.h"
#include "gui/dialogs/dialogtemplate.h"
#include "gui/frame/toolbarart.h"
#include "showndialog.h"
#include "uselanguage.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

using namespace kdw;
using namespace Qt::StringLiterals;

namespace {

// A caption as drawn: the mnemonic mark gone, "&&" one ampersand.
QString shownText(QString text)
{
    return text.remove(QRegularExpression(u"&(?!&)"_s));
}

// The lines of `label` that do not fit its contents, as "id: text (needs n, has m)".
QStringList clippedLines(const QLabel *label)
{
    const QString text = shownText(label->text());
    if (text.isEmpty())
        return {};
    const QFontMetrics metrics = label->fontMetrics();
    const QRect room
        = label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(), -label->margin());
    QStringList found;
    if (label->wordWrap()) {
        const QRect needed = metrics.boundingRect(room, Qt::TextWordWrap, text);
        if (needed.height() > room.height() || needed.width() > room.width())
            found << u"%1: \"%2\" wraps to %3x%4 in %5x%6"_s.arg(label->objectName(), text)
                         .arg(needed.width())
                         .arg(needed.height())
                         .arg(room.width())
                         .arg(room.height());
        return found;
    }
    const QStringList lines = text.split(u'\n');
    for (const QString &line : lines) {
        const int width = metrics.horizontalAdvance(line);
        if (width > room.width())
            found << u"%1: \"%2\" needs %3, has %4"_s.arg(label->objectName(), line).arg(width).arg(room.width());
    }
    if (lines.size() * metrics.lineSpacing() - metrics.leading() > room.height())
        found << u"%1: %2 lines do not fit %3 high"_s.arg(label->objectName()).arg(lines.size()).arg(room.height());
    return found;
}

QStringList clippedCaption(const QPushButton *button)
{
    const QString text = shownText(button->text());
    const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
    const int width = button->fontMetrics().horizontalAdvance(text);
    if (text.isEmpty() || width + margin <= button->width())
        return {};
    return {u"%1: \"%2\" needs %3, has %4"_s.arg(button->objectName(), text).arg(width + margin).arg(button->width())};
}

// The smallest rectangle holding every opaque pixel, and the colours drawn.
struct Drawing
{
    QRect extent;
    QSet<QRgb> colours;
};

Drawing drawingOf(const QPixmap &pixmap)
{
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    Drawing drawing;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) == 0)
                continue;
            drawing.extent |= QRect(x, y, 1, 1);
            drawing.colours.insert(image.pixel(x, y));
        }
    }
    return drawing;
}

} // namespace

class TestScaling : public QObject
{
    Q_OBJECT

public:
    // Before the application starts: the scale applies from its first window.
    // Without a screen, the screen is 1920 by 1000 pixels (960 by 500 at 200 %).
    static void initMain()
    {
        qputenv("QT_SCALE_FACTOR", "2");
        if (qgetenv("QT_QPA_PLATFORM") != "offscreen")
            return;
        static QTemporaryDir dir;
        QFile config(dir.filePath(u"screen.json"_s));
        if (dir.isValid() && config.open(QIODevice::WriteOnly)
            && config.write(R"({"screens": [{"name": "low", "x": 0, "y": 0, "width": 1920, "height": 1000,
                                "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                   > 0)
            qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config.fileName()));
    }

private slots:
    void initTestCase() { QCOMPARE(qApp->devicePixelRatio(), 2.0); }

    void captionsFit_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("id");
        const std::pair<const char *, int> templates[]
            = {{"About", 100},  {"main form", 101}, {"transfer", 133},         {"Option", 156},       {"Language", 162},
               {"PTT ID", 164}, {"PCBA", 166},      {"Fill Frequencies", 172}, {"Sort Channels", 174}};
        const std::pair<const char *, const char *> languages[]
            = {{"English", "Eng"}, {"Simplified", "Chs"}, {"Traditional", "Cht"}};
        for (const auto &[languageName, code] : languages) {
            for (const auto &[templateName, id] : templates)
                QTest::addRow("%s, %s", templateName, languageName) << QString::fromLatin1(code) << id;
        }
    }
    void captionsFit()
    {
        QFETCH(QString, language);
        QFETCH(int, id);
        const test::BackToEnglish english;
        QVERIFY(test::useLanguage(language));
        QWidget window;
        QWidget *form = loadTemplateWidget(id, &window);
        QVERIFY(form);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QStringList clipped;
        for (const QLabel *label : form->findChildren<QLabel *>()) {
            if (label->isVisibleTo(form))
                clipped << clippedLines(label);
        }
        for (const QPushButton *button : form->findChildren<QPushButton *>()) {
            if (button->isVisibleTo(form))
                clipped << clippedCaption(button);
        }
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u"; "_s)));
    }

    // Program Several Radios on a 1000-pixel screen at 200 %: the window fits
    // the screen's room, its table shrunk, Next, Stop and Close whole below
    // the table and inside it. KDW_SCREENSHOTS=<folder> keeps the picture.
    void severalRadiosFitTheScreen_data()
    {
        QTest::addColumn<QString>("language");
        for (const char *code : {"Eng", "Chs", "Cht"})
            QTest::newRow(code) << QString::fromLatin1(code);
    }
    void severalRadiosFitTheScreen()
    {
        QFETCH(QString, language);
        const test::BackToEnglish english;
        QVERIFY(test::useLanguage(language));
        test::ShownDialog shown;
        QVERIFY(shown.open(test::Dialog::Batch, languageOfIniText(language)));
        QDialog &dialog = *shown.dialog;
        const QRect room = dialog.screen()->availableGeometry();
        if (room.height() <= 600)
            QCOMPARE(room.height(), 500);
        QVERIFY2(dialog.frameGeometry().height() <= room.height(),
                 qPrintable(u"%1 in %2"_s.arg(dialog.frameGeometry().height()).arg(room.height())));
        const QWidget *table = dialog.findChild<QWidget *>(controlName(ctl::batch::Units));
        for (int id : {ctl::batch::Next, ctl::batch::Stop, ctl::batch::Close}) {
            const QWidget *button = dialog.findChild<QWidget *>(controlName(id));
            const QRect place(button->mapTo(&dialog, QPoint(0, 0)), button->size());
            QVERIFY(dialog.rect().contains(place));
            QVERIFY(place.top() > table->mapTo(&dialog, QPoint(0, table->height())).y());
        }
        if (const QString folder = qEnvironmentVariable("KDW_SCREENSHOTS"); !folder.isEmpty())
            QVERIFY(dialog.grab().save(folder + u"/several-radios-200-"_s + language + u".png"_s));
    }

    // The bundle's art reads as Qt's image reader reads it, pixel for pixel,
    // and so does a colour given by name; a file whose strings fall short of
    // its header is the reader's to refuse.
    void artReadsAsTheImageReader_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("change"); // empty: the bundle's file as it is
        QVERIFY(test::useLanguage(u"Eng"_s));
        for (const QString &name : QDir(u":/bundle/art"_s).entryList())
            QTest::newRow(qPrintable(name)) << name << QByteArray();
        QTest::newRow("rows missing") << u"icon128.xpm"_s << QByteArray("rows");
        QTest::newRow("row cut short") << u"icon128.xpm"_s << QByteArray("row");
        QTest::newRow("header unreadable") << u"icon128.xpm"_s << QByteArray("header");
        QTest::newRow("colour by name") << u"icon128.xpm"_s << QByteArray("name");
    }
    void artReadsAsTheImageReader()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, change);
        QVERIFY(test::useLanguage(u"Eng"_s));
        QString file = u":/bundle/art/"_s + name;
        QTemporaryDir dir;
        if (!change.isEmpty()) {
            QFile source(file);
            QVERIFY(source.open(QIODevice::ReadOnly));
            QByteArray text = source.readAll();
            if (change == "rows")
                text.truncate(text.lastIndexOf("\",\n\"", text.size() - 200));
            else if (change == "row")
                text.replace(text.lastIndexOf("\",\n\"") - 4, 4, "");
            else if (change == "name")
                text.replace("#FF0000", "red");
            else
                text.replace("\"32 32 ", "\"32 x ");
            file = dir.filePath(name);
            QFile changed(file);
            QVERIFY(changed.open(QIODevice::WriteOnly) && changed.write(text) == text.size());
        }
        QCOMPARE(readXpm(file), QImage(file));
    }

    // Every toolbar button has an image of its own for this screen, twice the
    // pixels of the 100 % one: the same drawing in the same place and colours
    // (on a dark toolbar too), not the small one stretched.
    void toolbarImagesAtTwice_data()
    {
        QTest::addColumn<QColor>("toolbar");
        QTest::newRow("light toolbar") << QColor(0xf0, 0xf0, 0xf0);
        QTest::newRow("dark toolbar") << QColor(0x30, 0x30, 0x30);
    }
    void toolbarImagesAtTwice()
    {
        QFETCH(QColor, toolbar);
        QVERIFY(test::useLanguage(u"Eng"_s));
        const QList<QIcon> icons = toolbarIcons(toolbar);
        QCOMPARE(icons.size(), 9);
        const QSize size(ToolbarImageSize, ToolbarImageSize);
        for (qsizetype i = 0; i < icons.size(); ++i) {
            const QPixmap single = icons.at(i).pixmap(size, 1.0);
            const QPixmap twice = icons.at(i).pixmap(size, 2.0);
            QCOMPARE(single.size(), size);
            QCOMPARE(twice.size(), size * 2);
            QCOMPARE(twice.devicePixelRatio(), 2.0);
            const Drawing small = drawingOf(single);
            const Drawing large = drawingOf(twice);
            const QRect doubled(small.extent.topLeft() * 2, small.extent.size() * 2);
            QVERIFY2((large.extent.topLeft() - doubled.topLeft()).manhattanLength() <= 2
                         && (large.extent.bottomRight() - doubled.bottomRight()).manhattanLength() <= 2,
                     qPrintable(u"button %1"_s.arg(i)));
            QCOMPARE(large.colours, small.colours);
        }
    }
};

QTEST_MAIN(TestScaling)
#include "tst_scaling.moc"
