#pragma once
#include <cstdio>
#include <string>
#include <vector>

#include "host/core/export/epoch_export.h"
#include "tools/cli/epoch_observer.h"

// dump: every epoch of the replayed log, once it is closed, in the export format chosen.
class CDumpTable : public CEpochObserver {
public:
    CDumpTable(CVeltroDoc& document, std::vector<CValueColumn> columns, ExportFormat format, std::FILE* out);
    // Ends the file; false when the output could not be written.
    bool Finish() { return writer.Finish(); }

protected:
    void WriteEpoch(const CEpochHistory& history, const CEpochSnapshot& snapshot) override {
        writer.Write(history, snapshot);
    }

private:
    CEpochExport writer;
};
