#pragma once
#include <cstdint>

#include "shared/dialog_template.h"

class CDialogPage;
struct NmeaFieldList;

// The page of an ordinary sentence: a list with a row for each of its fields, naming the field,
// its unit and its meaning, and showing its text as the sentence has it.

// The columns and the rows, whose texts come from module.
void InitFieldListPage(CDialogPage& page, ModuleHandle module, const NmeaFieldList& fields);
// Row r shows field r; absent fields leave their rows empty.
void ShowFieldListPage(CDialogPage& page, const uint8_t* bytes, int length);
// GSA: the modes, the count and the list of the satellites used, and the dilutions of precision.
void ShowGsaPage(CDialogPage& page, const uint8_t* bytes, int length);
void ResizeFieldListPage(CDialogPage& page, int width, int height);
