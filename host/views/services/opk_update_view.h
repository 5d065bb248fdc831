#pragma once
#include <functional>
#include <string>

#include "host/services/orbitpack_update.h"
#include "host/views/services/procedure_view.h"

// The Orbitpack update in a progress view: the source asked while the view is created, then the
// procedure driven by a 100 ms timer and the receiver's answers. Green when it went well, and
// making way for the SV summary 5 s later; red, and staying with its log, when not.
class COPKUpdateView : public CProcedureView {
public:
    // The resolved source, or empty when the user cancelled; the stored settings as it goes.
    using SourcePrompt = std::function<std::u16string(platform::CProfile& profile, QWidget* parent)>;

    explicit COPKUpdateView(SourcePrompt prompt = AskOrbitpackSource);

    bool OnCreate() override;

    // Null until created.
    const COrbitpackUpdate* Update() const { return static_cast<const COrbitpackUpdate*>(Procedure()); }

    // The source prompt (OrbitpackSourceDialog), its text kept as "Link".
    static std::u16string AskOrbitpackSource(platform::CProfile& profile, QWidget* parent);

private:
    SourcePrompt prompt;
};
