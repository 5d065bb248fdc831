#include "service_commands.h"

#include "host/core/frame/main_frame_logic.h"
#include "host/core/intake/veltro_doc.h"
#include "host/services/aidwell_settings.h"
#include "host/services/aidwell_worker.h"
#include "host/services/diagnostic_outputs.h"
#include "host/services/receiver_commands.h"
#include "host/views/main_frame_mobile.h"
#include "host/views/services/aidwell_online_dialog.h"
#include "host/views/services/configuration_view.h"
#include "host/views/services/log_read_view.h"
#include "host/views/services/opk_update_view.h"
#include "host/views/services/worker_progress_dialog.h"
#include "host/views/view_classes.h"
#include "host/views/view_registry.h"
#include "platform/file_profile.h"
#include "resources/veltro/command_ids.h"

namespace {

void RunWorker(CMainFrameMobile& frame, WorkerProcedure procedure) {
    CWorkerProgressDialog progress(frame.Logic().Window(), std::move(procedure), &frame);
    progress.Run();
}

// The settings, the dialog, the settings written back once it is confirmed, then the worker. The
// request lives here for as long as the worker runs.
void RunAidwellOnline(CMainFrameMobile& frame) {
    const FrameParts& parts = frame.Logic().Parts();
    CAidwellOnlineDialog settings(LoadAidwellSettings(parts.profile), parts.document.Database(),
                                  frame.Colors().Color(CColorTable::kRejectedInput), &frame);
    if (settings.exec() != QDialog::Accepted) return;
    const AidwellRequest request = settings.Request();
    {
        platform::CFileProfile::CWriteBatch batch(parts.profile);
        SaveAidwellSettings(parts.profile, request);
    }
    RunWorker(frame, [&request](CWorkerContext& context) { return AidwellWorker(context, request); });
}

}  // namespace

void AddServiceCommands(CMainFrameMobile& frame) {
    const std::pair<unsigned, ResetKind> resets[] = {
        {cmd::kColdstart, ResetKind::Cold}, {cmd::kWarmstart, ResetKind::Warm}, {cmd::kHotstart, ResetKind::Hot}};
    for (const auto& [command, kind] : resets)
        frame.SetCommandHandler(
            command, [&frame, kind] { SendReset(frame.Logic(), kind); }, true);
    frame.SetCommandHandler(
        cmd::kDebugMessages, [&frame] { RunWorker(frame, DiagnosticOutputsWorker); }, true);
    frame.SetCommandHandler(
        cmd::kAidwellOnline, [&frame] { RunAidwellOnline(frame); }, true);
}

void RegisterServiceViews(CViewRegistry& registry) {
    registry.Register(view_class::kOPKUpdateView, [] { return std::make_unique<COPKUpdateView>(); });
    registry.Register(view_class::kLogReadView, [] { return std::make_unique<CLogReadView>(); });
    registry.Register(view_class::kConfigSaveView,
                      [] { return std::make_unique<CConfigurationView>(CConfigurationView::Mode::Save); });
    registry.Register(view_class::kConfigLoadView,
                      [] { return std::make_unique<CConfigurationView>(CConfigurationView::Mode::Load); });
}
