#pragma once
#include <cstdio>
#include <string>
#include <vector>

#include "tools/cli/cli_options.h"
#include "tools/cli/epoch_observer.h"
#include "tools/cli/value_column.h"

class CStorageDatabase;

// One row per closed epoch with the chosen values, as CSV with a header line or as a JSON
// array of objects.
class CDumpTable : public CEpochObserver {
public:
    static const std::vector<std::string> kDefaultValues;

    // The columns for the names; false with the first unknown name.
    static bool ResolveColumns(const CStorageDatabase& database, const std::vector<std::string>& names,
                               std::vector<CValueColumn>& columns, std::string& unknownName);
    // Every name a column can have, in catalogue order.
    static std::vector<std::string> ValueNames(const CStorageDatabase& database);

    CDumpTable(CVeltroDoc& document, std::vector<CValueColumn> columns, DumpFormat format, std::FILE* out);
    // Ends the table (the JSON array).
    void Finish();

protected:
    void WriteEpoch(const CEpochHistory& history, const CEpochSnapshot& snapshot) override;

private:
    std::string CsvRow(const CEpochHistory& history, const CEpochSnapshot& snapshot) const;
    std::string JsonRow(const CEpochHistory& history, const CEpochSnapshot& snapshot) const;

    std::vector<CValueColumn> columns;
    DumpFormat format;
    std::FILE* out;
    bool firstRow = true;
};
