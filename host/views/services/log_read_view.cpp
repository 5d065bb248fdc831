#include "log_read_view.h"

#include "host/core/log/log_file.h"
#include "host/core/log/log_file_texts.h"
#include "host/views/log_file_dialogs.h"
#include "host/views/message_box.h"
#include "resources/veltro/strings.h"

bool CLogReadView::OnCreate() {
    const std::optional<std::string> path = Context().host.LogFiles().AskLoggerFile();
    if (!path) return false;
    auto file = std::make_unique<CLogFile>();
    if (!file->Open(*path, LogOpenMode::Record)) {
        Context().host.Messages().Raise(kLogNotCreated);
        return false;
    }
    Run(std::make_unique<CLoggerRetrieval>(Site(), std::move(file)));
    return true;
}
