#include "dump_table.h"

#include "host/core/intake/veltro_doc.h"
#include "platform/text.h"

CDumpTable::CDumpTable(CVeltroDoc& document, std::vector<CValueColumn> columns, ExportFormat format, std::FILE* out)
    : CEpochObserver(document),
      writer(document.Database(), std::move(columns), format, platform::WideToUtf8(document.Title()), out) {}
