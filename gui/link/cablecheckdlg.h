#pragma once

#include "core/link/serialdevices.h"
#include "core/text/language.h"

#include <QDialog>
#include <QString>

class QDialogButtonBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QThread;

namespace kdw {

// Program > Check Cable and Radio...: the cable check's lines as they come.
// The check runs on a thread of its own (the radio's answers take up to a few
// seconds); the dialog cannot be closed while it runs, so the port is never
// left open behind it.
class CCableCheckDlg : public QDialog
{
    Q_OBJECT

public:
    CCableCheckDlg(QWidget *parent, const QString &portName, const QString &programDirectory, Language language,
                   SystemRoots roots = {});
    ~CCableCheckDlg() override;

    bool isRunning() const { return m_thread != nullptr; }
    QString text() const;

public slots:
    void reject() override;
    // Runs every check again (after the user plugged something in).
    void startCheck();

signals:
    void checkFinished(int problems);

private:
    void appendLine(const QString &line);
    void finishCheck();

    const QString m_portName;
    const QString m_programDirectory;
    const Language m_language;
    const SystemRoots m_roots;
    QLabel *m_status = nullptr;
    QPlainTextEdit *m_lines = nullptr;
    QPushButton *m_again = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
    QThread *m_thread = nullptr;
    int m_problems = 0;
};

} // namespace kdw
