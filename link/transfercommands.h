#pragma once

#include "link/radiotransfer.h"

#include <QObject>

class QWidget;

namespace kdw {

class CProgramDoc;
class CProgramView;

// The Read and Write commands: the grid store, the transfer dialog, and after
// a successful read the modified mark and the grid load.
class TransferCommands : public QObject
{
    Q_OBJECT

public:
    TransferCommands(CProgramDoc &doc, CProgramView &view, QWidget *window);

    void OnRead();
    void OnWrite();

private:
    bool transfer(TransferDirection direction);

    CProgramDoc &m_doc;
    CProgramView &m_view;
    QWidget *m_window;
};

} // namespace kdw
