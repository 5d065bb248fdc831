#pragma once
#include "host/services/logger_retrieval.h"
#include "host/views/services/procedure_view.h"

// The logger retrieval in a progress view: the file to write asked, and created, while the view
// is created, then the procedure driven by a 200 ms timer and the receiver's answers. Green when
// every record was written, and making way for the SV summary 10 s later; red, and staying with
// its log, when not.
class CLogReadView : public CProcedureView {
public:
    bool OnCreate() override;

    // Null until created.
    const CLoggerRetrieval* Retrieval() const { return static_cast<const CLoggerRetrieval*>(Procedure()); }
};
