#pragma once
#include <cstdint>

#include "shared/dialog_template.h"

class CDialogPage;

// The page of a whole GSV cycle: how far the cycle has come, and one row a satellite in view
// with its number, elevation, azimuth and C/N0 as the pages of the cycle tell them.

// The last page stored and the cycle's count of pages (0 while none was announced).
struct NmeaGsvCycle {
    int lastPage;
    int totalPages;
};

void InitGsvPage(CDialogPage& page, ModuleHandle module);
// bytes: the cycle's sentences one after the other.
void ShowGsvPage(CDialogPage& page, const NmeaGsvCycle& cycle, const uint8_t* bytes, int length);
void ResizeGsvPage(CDialogPage& page, int width, int height);
