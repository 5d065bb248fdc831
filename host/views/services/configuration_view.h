#pragma once
#include "host/services/configuration_procedures.h"
#include "host/views/services/procedure_view.h"

// The receiver's whole configuration saved to a file or loaded from one (Rx "Save
// Configuration..." and "Load Configuration..."), in a progress view over the procedures that
// veltro-cli config runs: the file asked while the view is created (loading also asks whether
// the receiver saves what it took), then the settings one by one, each step a line.
class CConfigurationView : public CProcedureView {
public:
    enum class Mode { Save, Load };

    explicit CConfigurationView(Mode mode) : mode(mode) {}
    bool OnCreate() override;

    // Null until created.
    const CConfigurationProcedure* Running() const { return static_cast<const CConfigurationProcedure*>(Procedure()); }

private:
    Mode mode;
};
