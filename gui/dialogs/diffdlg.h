#pragma once

#include "core/channels/imagediff.h"
#include "core/text/localisedtext.h"

#include <QDialog>

class QDialogButtonBox;
class QTableWidget;

namespace kdw {

// The headings the callers give the two sides of a list of differences.
namespace diffheading {
inline constexpr LocalisedText Document{u"This document", u"本文档", u"本文件"};
inline constexpr LocalisedText Radio{u"The radio", u"对讲机", u"對講機"};
inline constexpr LocalisedText Written{u"Written", u"写入的", u"寫入的"};
inline constexpr LocalisedText File{u"The file", u"该文件", u"該檔案"};
} // namespace diffheading

// A list of differences in a table: a message above it, the rows (where,
// what, the two sides under the caller's headings) and a Close button, in
// `language`. Extra
// buttons end the dialog with the code given to addChoice().
class CDiffDlg : public QDialog
{
    Q_OBJECT

public:
    CDiffDlg(QWidget *parent, Language language, const QString &caption, const QString &message,
             const QList<DiffRow> &rows, const QString &headingA, const QString &headingB);

    void addChoice(const QString &text, int code);

    QTableWidget *table() const { return m_table; }

private:
    QTableWidget *m_table = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
};

} // namespace kdw
