#pragma once
#include <cstdint>

#include "shared/storage_database.h"
#include "shared/storage_values.h"

// How the conversions read and write entries: an input counts only when it holds a value in the
// running epoch, and an output is never overwritten once a decoder or an earlier conversion
// stored one. A missing entry holds nothing, so every branch that needs it stays inert.
namespace conversion {

inline CStorageValue* FindValue(const CStorageDatabase& database, uint16_t id) {
    return database.FindAs<CStorageValue>(id);
}

inline bool Holds(const CStorage* entry) { return entry && entry->IsValid(); }

// Stores v in an output that exists and holds no value yet; true when stored.
inline bool Fill(CStorageValue* output, double v) { return output && !output->IsValid() && output->SetValue(v); }

}  // namespace conversion
