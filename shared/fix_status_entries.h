#pragma once
#include "platform/export.h"
#include "shared/storage_values.h"

class CStorageDatabase;

// Choices of the "Nav. Mode" list.
constexpr int kNavModeDeadReckoning = 0;
constexpr int kNavMode1D = 1;
constexpr int kNavMode2D = 2;
constexpr int kNavMode2DOr3D = 3;
constexpr int kNavMode3D = 4;
constexpr int kNavModeMasked = 6;
constexpr int kNavMode3DEkf = 7;
constexpr int kNavModeTimeOnly = 8;

// Nav. OK, Nav. Mode and DGPS, which every protocol tells in its own way: each derives its own
// reading from these entries.
struct VELTRO_EXPORT FixStatusEntries {
    CStorageValue* navOk = nullptr;
    CStorageValue* navMode = nullptr;
    CStorageValue* dgps = nullptr;

    void Bind(const CStorageDatabase* database);
    bool NavModeIsValid() const { return navMode && navMode->IsValid(); }
};
