#pragma once

#include "core/settings/textfield.h"

#include <QValidator>

namespace kdw {

// Runs a text field's filter on every change of an edit control, so typed,
// pasted, dropped and input-method text all pass the same rule, while
// Backspace, Delete and the editing shortcuts work as usual. It also holds
// the field's length limit: a paste is cut to the room that is left after
// the filter has dropped what the field does not take.
class FieldFilter : public QValidator
{
    Q_OBJECT

public:
    FieldFilter(const TextField &field, QObject *parent);

    State validate(QString &input, int &pos) const override;

private:
    const TextField &m_field;
};

} // namespace kdw
