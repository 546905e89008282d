#include "gui/dialogs/templatereader.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFont>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMetaProperty>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QXmlStreamReader>

#include <memory>
#include <tuple>

using namespace Qt::StringLiterals;

namespace kdw {

namespace {

using WidgetFactory = QWidget *(*)(QWidget *parent);

template <typename T>
QWidget *make(QWidget *parent)
{
    return new T(parent);
}

// The widget classes the templates use.
WidgetFactory factoryFor(const QString &className)
{
    static const QHash<QString, WidgetFactory> factories{
        {u"QWidget"_s, make<QWidget>},           {u"QLabel"_s, make<QLabel>},
        {u"QPushButton"_s, make<QPushButton>},   {u"QComboBox"_s, make<QComboBox>},
        {u"QLineEdit"_s, make<QLineEdit>},       {u"QGroupBox"_s, make<QGroupBox>},
        {u"QProgressBar"_s, make<QProgressBar>}, {u"QCheckBox"_s, make<QCheckBox>},
        {u"QRadioButton"_s, make<QRadioButton>}, {u"QTableWidget"_s, make<QTableWidget>},
        {u"QListWidget"_s, make<QListWidget>}};
    return factories.value(className);
}

class TemplateReader
{
public:
    explicit TemplateReader(QIODevice &device)
        : m_xml(&device)
    {
    }

    QWidget *read(QWidget *parent, QString *error)
    {
        std::unique_ptr<QWidget> form = readForm(parent);
        if (m_error.isEmpty() && m_xml.hasError())
            fail(m_xml.errorString());
        if (m_error.isEmpty() && !form)
            fail(u"no form widget"_s);
        if (!m_error.isEmpty()) {
            if (error)
                *error = m_error;
            return nullptr;
        }
        return form.release();
    }

private:
    // Records the first fault with its line; later ones follow from it.
    bool fail(const QString &why)
    {
        if (m_error.isEmpty())
            m_error = u"line %1: %2"_s.arg(m_xml.lineNumber()).arg(why);
        return false;
    }

    bool unexpected() { return fail(u"unexpected <%1>"_s.arg(m_xml.name())); }

    QString attribute(QLatin1StringView name) const { return m_xml.attributes().value(name).toString(); }

    std::unique_ptr<QWidget> readForm(QWidget *parent)
    {
        if (!m_xml.readNextStartElement() || m_xml.name() != u"ui") {
            fail(u"not a form"_s);
            return {};
        }
        std::unique_ptr<QWidget> form;
        while (m_error.isEmpty() && m_xml.readNextStartElement()) {
            if (m_xml.name() == u"class")
                m_context = m_xml.readElementText().toUtf8();
            else if (m_xml.name() == u"widget" && !form)
                form = readWidget(parent);
            else if (m_xml.name() == u"resources" || m_xml.name() == u"connections")
                readNothing();
            else
                unexpected();
        }
        return form;
    }

    // An element that must be empty.
    void readNothing()
    {
        if (m_xml.readNextStartElement())
            unexpected();
    }

    std::unique_ptr<QWidget> readWidget(QWidget *parent)
    {
        const QString className = attribute("class"_L1);
        const WidgetFactory factory = factoryFor(className);
        if (!factory) {
            fail(u"widget class %1 is not one the templates use"_s.arg(className));
            return {};
        }
        std::unique_ptr<QWidget> widget(factory(parent));
        widget->setObjectName(attribute("name"_L1));
        while (m_error.isEmpty() && m_xml.readNextStartElement()) {
            if (m_xml.name() == u"property")
                readProperty(*widget);
            else if (m_xml.name() == u"widget")
                std::ignore = readWidget(widget.get()).release(); // its parent owns a control read whole
            else if (auto *combo = qobject_cast<QComboBox *>(widget.get()); combo && m_xml.name() == u"item")
                readItem(*combo);
            else
                unexpected();
        }
        if (!m_error.isEmpty())
            return {};
        return widget;
    }

    bool readProperty(QObject &target)
    {
        const QString name = attribute("name"_L1);
        const QMetaObject *meta = target.metaObject();
        const int index = meta->indexOfProperty(name.toLatin1().constData());
        if (index < 0)
            return fail(u"%1 has no property %2"_s.arg(QLatin1StringView(meta->className()), name));
        const QMetaProperty property = meta->property(index);
        if (!m_xml.readNextStartElement())
            return fail(u"property %1 has no value"_s.arg(name));
        const QVariant value = readValue(property);
        if (!value.isValid())
            return false;
        // Qt would convert, say, a bool to a text; a template means what it says.
        if ((!property.isEnumType() && value.metaType() != property.metaType()) || !property.write(&target, value))
            return fail(u"property %1 does not take <%2>"_s.arg(name, QLatin1StringView(value.metaType().name())));
        if (m_xml.readNextStartElement())
            return unexpected();
        return true;
    }

    // A drop-down list's item: its text, the only item property the templates use.
    bool readItem(QComboBox &combo)
    {
        if (!m_xml.readNextStartElement() || m_xml.name() != u"property" || attribute("name"_L1) != u"text")
            return fail(u"an item holds its text only"_s);
        if (!m_xml.readNextStartElement() || m_xml.name() != u"string")
            return fail(u"an item's text is a string"_s);
        combo.addItem(readString());
        // On to the ends of the property and of the item: nothing else may come first.
        if (m_xml.readNextStartElement() || m_xml.readNextStartElement())
            return unexpected();
        return true;
    }

    // The value element the reader stands on, as the property takes it.
    QVariant readValue(const QMetaProperty &property)
    {
        const QStringView kind = m_xml.name();
        if (kind == u"string")
            return readString();
        if (kind == u"rect")
            return readRect();
        if (kind == u"font")
            return readFont();
        if (kind == u"pixmap") {
            const QString path = m_xml.readElementText();
            const QPixmap pixmap(path);
            if (pixmap.isNull())
                return failed(u"no picture %1"_s.arg(path));
            return pixmap;
        }
        const QString text = m_xml.readElementText();
        bool ok = false;
        if (kind == u"bool" && (text == u"true" || text == u"false"))
            return text == u"true";
        if (kind == u"number") {
            const int number = text.toInt(&ok);
            return ok ? QVariant(number) : failed(u"%1 is not a number"_s.arg(text));
        }
        if ((kind == u"enum" || kind == u"set") && property.isEnumType()) {
            const int value = property.enumerator().keysToValue(text.toLatin1().constData(), &ok);
            return ok ? QVariant(value)
                      : failed(u"%1 is not a value of %2"_s.arg(text, QLatin1StringView(property.name())));
        }
        return failed(u"<%1> %2 does not suit property %3"_s.arg(kind, text, QLatin1StringView(property.name())));
    }

    QVariant failed(const QString &why)
    {
        fail(why);
        return {};
    }

    // A text, translated in the template's context unless marked notr.
    QString readString()
    {
        const bool translated = attribute("notr"_L1) != u"true";
        const QByteArray comment = attribute("comment"_L1).toUtf8();
        const QString text = m_xml.readElementText();
        if (!translated)
            return text;
        return QCoreApplication::translate(m_context.constData(), text.toUtf8().constData(),
                                           comment.isEmpty() ? nullptr : comment.constData());
    }

    QVariant readRect()
    {
        QHash<QString, int> sides;
        while (m_xml.readNextStartElement()) {
            const QString side = m_xml.name().toString();
            bool ok = false;
            const int value = m_xml.readElementText().toInt(&ok);
            if (!ok || sides.contains(side))
                return failed(u"a rectangle's %1 is not one number"_s.arg(side));
            sides.insert(side, value);
        }
        for (const QString &side : {u"x"_s, u"y"_s, u"width"_s, u"height"_s}) {
            if (!sides.contains(side))
                return failed(u"a rectangle without %1"_s.arg(side));
        }
        if (sides.size() != 4)
            return failed(u"a rectangle holds x, y, width and height only"_s);
        return QRect(sides[u"x"_s], sides[u"y"_s], sides[u"width"_s], sides[u"height"_s]);
    }

    // Only what the template names is set, so the rest follows the parent's
    // font as Qt's loader leaves it.
    QVariant readFont()
    {
        QFont font;
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == u"family") {
                font.setFamily(m_xml.readElementText());
            } else if (m_xml.name() == u"pointsize") {
                bool ok = false;
                const int size = m_xml.readElementText().toInt(&ok);
                if (!ok || size <= 0)
                    return failed(u"a font's point size is a positive number"_s);
                font.setPointSize(size);
            } else {
                return failed(u"a font names its family and point size only"_s);
            }
        }
        return font;
    }

    QXmlStreamReader m_xml;
    QByteArray m_context; // the template's class: the context of its translations
    QString m_error;
};

} // namespace

QWidget *readTemplate(QIODevice &device, QWidget *parent, QString *error)
{
    return TemplateReader(device).read(parent, error);
}

} // namespace kdw
