#include "configuration_view.h"

#include "host/views/message_box.h"
#include "host/views/log_file_dialogs.h"
#include "resources/veltro/strings.h"

bool CConfigurationView::OnCreate() {
    IViewHost& host = Context().host;
    CVeltroDoc& document = Context().document;
    if (mode == Mode::Save) {
        const std::optional<std::string> path = host.LogFiles().AskSaveConfiguration();
        if (!path) return false;
        Run(std::make_unique<CConfigurationSave>(Site(), document, *path));
        return true;
    }
    const std::optional<std::string> path = host.LogFiles().AskLoadConfiguration();
    if (!path) return false;
    const bool save = host.Messages().AskYesNo(kAskSaveLoadedConfiguration, IMessageBox::Icon::Question);
    Run(std::make_unique<CConfigurationLoad>(Site(), document, *path, save));
    return true;
}
