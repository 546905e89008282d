#include "gui/settings/fieldfilter.h"

namespace kdw {

FieldFilter::FieldFilter(const TextField &field, QObject *parent)
    : QValidator(parent)
    , m_field(field)
{
}

QValidator::State FieldFilter::validate(QString &input, int &pos) const
{
    TextField::Edit edit = m_field.filter(input, pos);
    input = std::move(edit.text);
    pos = edit.cursor;
    return Acceptable;
}

} // namespace kdw
