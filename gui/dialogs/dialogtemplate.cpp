#include "gui/dialogs/dialogtemplate.h"

#include "gui/dialogs/templatereader.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QMutex>
#include <QProgressBar>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <QtDebug>

#include <algorithm>

namespace kdw {

namespace {

struct BaseUnits
{
    int x;
    int y;
};

// The dialog base units of a font: the average width of the 52 letters and
// the character height, as the platform's dialog manager measures them. Each
// font is measured once, on whichever thread asks first: the measurement lays
// out text the dialog may never show.
BaseUnits baseUnits(const QFont &font)
{
    static QMutex mutex;
    static QHash<QString, BaseUnits> measured;
    const QString key = font.key();
    {
        const QMutexLocker lock(&mutex);
        if (const auto found = measured.constFind(key); found != measured.cend())
            return *found;
    }
    const QFontMetrics fm(font);
    const int width = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    const BaseUnits units{(width / 26 + 1) / 2, fm.height()};
    const QMutexLocker lock(&mutex);
    measured.insert(key, units);
    return units;
}

int mulDiv(int value, int numerator, int denominator)
{
    return int((qint64(value) * numerator + denominator / 2) / denominator);
}

QRect toPixels(const QRect &dlu, BaseUnits b)
{
    return {mulDiv(dlu.x(), b.x, 4), mulDiv(dlu.y(), b.y, 8), mulDiv(dlu.width(), b.x, 4),
            mulDiv(dlu.height(), b.y, 8)};
}

// The base units are measured once per form: each measurement lays out text.
void convertChildren(QWidget *form, BaseUnits units)
{
    for (auto *child : form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        QRect r = toPixels(child->geometry(), units);
        // A drop-down list's template height includes its open list; the
        // closed box is as tall as its font needs.
        if (qobject_cast<QComboBox *>(child))
            r.setHeight(child->sizeHint().height());
        child->setGeometry(r);
    }
}

// A control with no caption of its own is named by the label beside it: the
// nearest label to its left on the same line. The label becomes its buddy, so
// assistive technology reads the label with it, and the name is the label's
// text without its mnemonic mark.
QLabel *labelBeside(const QWidget *control, const QList<QLabel *> &labels)
{
    const QRect c = control->geometry();
    QLabel *best = nullptr;
    for (QLabel *label : labels) {
        const QRect l = label->geometry();
        // A drop-down list's template height includes its open list: the
        // line is the one its closed box starts on.
        const int middle = c.top() + std::min(c.height(), l.height()) / 2;
        const bool sameLine = l.top() <= middle && middle <= l.bottom();
        if (!sameLine || l.left() >= c.left() || label->text().isEmpty() || label->buddy())
            continue;
        if (!best || l.right() > best->geometry().right())
            best = label;
    }
    return best;
}

bool hasCaption(const QWidget *widget)
{
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return !button->text().isEmpty();
    return qobject_cast<const QLabel *>(widget) || qobject_cast<const QGroupBox *>(widget);
}

void nameByLabels(QWidget *form)
{
    const QList<QLabel *> labels = form->findChildren<QLabel *>(Qt::FindDirectChildrenOnly);
    for (auto *control : form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (hasCaption(control) || !control->accessibleName().isEmpty())
            continue;
        if (QLabel *label = labelBeside(control, labels))
            nameByLabel(control, label);
    }
}

} // namespace

QRect dialogUnitsToPixels(const QRect &dlu, const QFont &font)
{
    return toPixels(dlu, baseUnits(font));
}

void measureDialogUnits(const QFont &font)
{
    (void)baseUnits(font);
}

QString controlName(int id)
{
    return QStringLiteral("id%1").arg(id);
}

void nameByLabel(QWidget *control, QLabel *label)
{
    label->setBuddy(control);
    QString name = label->text();
    name.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    control->setAccessibleName(name);
}

QWidget *loadTemplateWidget(int id, QWidget *parent)
{
    QFile file(QStringLiteral(":/bundle/templates/%1.ui").arg(id));
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    QString error;
    QWidget *form = readTemplate(file, parent, &error);
    if (!form) {
        qWarning("dialog template %d: %s", id, qPrintable(error));
        return nullptr;
    }
    nameByLabels(form);
    const BaseUnits units = baseUnits(form->font());
    const QRect size = toPixels(form->geometry(), units);
    convertChildren(form, units);
    form->setFixedSize(size.size());
    return form;
}

CTemplateDialog::CTemplateDialog(int templateId, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("template%1").arg(templateId));
    m_form = loadTemplateWidget(templateId, this);
    if (!m_form)
        return;
    setWindowTitle(m_form->windowTitle());
    setFont(m_form->font());
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_form);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // Buttons 1 (OK) and 2 (Cancel) end the dialog, as the platform's dialog
    // manager does; accept() and reject() are the dialogs' OnOK and OnCancel.
    if (auto *ok = item<QAbstractButton>(1))
        connect(ok, &QAbstractButton::clicked, this, &QDialog::accept);
    if (auto *cancel = item<QAbstractButton>(2))
        connect(cancel, &QAbstractButton::clicked, this, &QDialog::reject);
    // What no label names is named by the caption, as the dialog's own.
    QList<QWidget *> unnamed;
    for (auto *control : m_form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        const bool reachable = control->focusPolicy() != Qt::NoFocus || qobject_cast<QProgressBar *>(control);
        if (reachable && !hasCaption(control) && control->accessibleName().isEmpty())
            unnamed << control;
    }
    const auto nameByCaption = [unnamed](const QString &caption) {
        for (QWidget *control : unnamed)
            control->setAccessibleName(caption);
    };
    nameByCaption(windowTitle());
    connect(this, &QWidget::windowTitleChanged, this, nameByCaption);
}

} // namespace kdw
