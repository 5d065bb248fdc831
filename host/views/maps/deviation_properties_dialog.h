#pragma once
#include <QDialog>

#include "host/core/maps/deviation_settings.h"
#include "shared/page_listener.h"

class CMessageFormPage;

// The deviation map's properties (template 128): the reference mode, the fixed point in degrees
// and the scale in metres. OK refuses a field that is not a number in its range, and a scale
// that is not above 0, marking the field, so that the dialog stays open.
class CDeviationPropertiesDialog : public QDialog, private IPageListener {
public:
    CDeviationPropertiesDialog(const DeviationSettings& settings, const QColor& rejectedColor, QWidget* parent);

    // As confirmed.
    const DeviationSettings& Settings() const { return settings; }
    CMessageFormPage& Page() const { return *page; }

    void accept() override;

private:
    void OnControlChanged(int controlId) override;
    void Fill();
    // The field's number within ±limit, or nothing after marking it rejected; an empty field
    // gives NaN when allowed.
    std::optional<double> Field(int controlId, double limit, bool emptyAllowed);

    DeviationSettings settings;
    CMessageFormPage* page;
};
