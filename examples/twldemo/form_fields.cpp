#include "form_fields.h"

Form DemoForm()
{
    Form form;
    form.fields = {
        {"Name:", 22, 5, 30, false, {}},
        {"City:", 22, 7, 30, false, {}},
        {"Password:", 22, 9, 16, true, {}},
    };
    return form;
}

int32_t FieldAt(const Form &form, int32_t column, int32_t row)
{
    for (size_t i = 0; i < form.fields.size(); ++i) {
        const Field &f = form.fields[i];
        if (row == f.row && column >= f.column && column < f.column + f.length)
            return static_cast<int32_t>(i);
    }
    return -1;
}

bool TypeInto(Field &field, uint32_t ch)
{
    if (ch < 32 || ch > 126 || static_cast<int32_t>(field.text.size()) >= field.length)
        return false;
    field.text.push_back(static_cast<char>(ch));
    return true;
}

bool EraseLast(Field &field)
{
    if (field.text.empty())
        return false;
    field.text.pop_back();
    return true;
}
