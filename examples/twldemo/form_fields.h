// The input fields of the forms page: where they are and what the user typed into them.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

struct Field {
    const char *label;
    int32_t column, row, length;
    bool masked;      // typed characters show as white blocks; the text stays with the client
    std::string text; // what the user typed
};

struct Form {
    std::vector<Field> fields;
    int32_t focus = 0;
};

Form DemoForm();
// Index of the field that holds the cell, or -1.
int32_t FieldAt(const Form &form, int32_t column, int32_t row);
// Appends a printable character if there is room; false otherwise.
bool TypeInto(Field &field, uint32_t ch);
// Drops the last character; false when the field is empty.
bool EraseLast(Field &field);
