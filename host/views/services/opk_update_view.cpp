#include "opk_update_view.h"

#include "host/services/orbitpack_source.h"
#include "host/views/services/orbitpack_source_dialog.h"

COPKUpdateView::COPKUpdateView(SourcePrompt prompt) : prompt(std::move(prompt)) {}

bool COPKUpdateView::OnCreate() {
    const std::u16string source = prompt(Context().profile, parentWidget());
    if (source.empty()) return false;
    Run(std::make_unique<COrbitpackUpdate>(Site(), source));
    return true;
}

std::u16string COPKUpdateView::AskOrbitpackSource(platform::CProfile& profile, QWidget* parent) {
    OrbitpackSourceDialog dialog(LoadOrbitpackSettings(profile), parent);
    if (dialog.exec() != QDialog::Accepted) return {};
    SaveOrbitpackSettings(profile, dialog.Settings());
    return dialog.Source();
}
