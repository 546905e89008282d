#include "gui/dialogs/diffdlg.h"

#include "core/text/localisedtext.h"
#include "gui/dialogs/dialogtemplate.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kdw {

namespace {
constexpr LocalisedText WhereHeading{u"Where", u"位置", u"位置"};
constexpr LocalisedText WhatHeading{u"What", u"项目", u"項目"};
constexpr LocalisedText CloseText{u"Close", u"关闭", u"關閉"};
} // namespace

CDiffDlg::CDiffDlg(QWidget *parent, Language language, const QString &caption, const QString &message,
                   const QList<DiffRow> &rows, const QString &headingA, const QString &headingB)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CDiffDlg"));
    setWindowTitle(caption);
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(message, this);
    label->setObjectName(QStringLiteral("message"));
    label->setWordWrap(true);
    layout->addWidget(label);

    m_table = new QTableWidget(int(rows.size()), 4, this);
    nameByLabel(m_table, label);
    m_table->setHorizontalHeaderLabels({WhereHeading.text(language), WhatHeading.text(language), headingA, headingB});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    for (int r = 0; r < rows.size(); ++r) {
        const DiffRow &row = rows.at(r);
        const QString cells[] = {row.place, row.name, row.a, row.b};
        for (int c = 0; c < 4; ++c)
            m_table->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setVisible(!rows.isEmpty());
    layout->addWidget(m_table);

    m_buttons = new QDialogButtonBox(this);
    QPushButton *close = m_buttons->addButton(CloseText.text(language), QDialogButtonBox::RejectRole);
    close->setDefault(true);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(m_buttons);
    // Wide enough for every column whole, texts and headings, as far as the
    // screen allows.
    int width = 640;
    if (!rows.isEmpty()) {
        const QMargins margins = layout->contentsMargins();
        width = qMax(width, m_table->horizontalHeader()->length() + 2 * m_table->frameWidth()
                                + m_table->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + margins.left()
                                + margins.right());
    }
    if (const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        width = qMin(width, screen->availableGeometry().width());
    resize(width, rows.isEmpty() ? 120 : 400);
}

void CDiffDlg::addChoice(const QString &text, int code)
{
    QPushButton *button = m_buttons->addButton(text, QDialogButtonBox::ActionRole);
    connect(button, &QPushButton::clicked, this, [this, code] { done(code); });
}

} // namespace kdw
