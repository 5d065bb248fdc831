#include "config_commands.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>

#include "host/core/intake/veltro_doc.h"
#include "host/core/messages/page_template.h"
#include "host/services/configuration_procedures.h"
#include "shared/memory_page.h"
#include "tools/cli/cli_app.h"
#include "tools/cli/cli_options.h"
#include "tools/cli/page_text.h"
#include "tools/cli/service_commands.h"
#include "tools/common/stop_signal.h"

namespace {

constexpr int kDiffer = 1;
constexpr int kFailed = 1;

using Side = std::map<size_t, std::vector<uint8_t>>;

Side SideOf(const std::vector<ConfigurationFrame>& frames) {
    Side side;
    for (const ConfigurationFrame& frame : frames) side[frame.entry] = frame.bytes;
    return side;
}

// The lines show prints for the frame's page.
std::vector<std::string> PageLines(CMessageNode& node, const std::vector<uint8_t>& frame) {
    std::vector<std::string> lines;
    const DialogTemplate* dialog = PageTemplateOf(node);
    if (!dialog) return lines;
    CMemoryPage page(*dialog);
    node.InitPage(page);
    node.ShowData(page, frame.data(), static_cast<int>(frame.size()));
    std::istringstream text(PageText(page, *dialog));
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    return lines;
}

// The lines of the two pages that differ, in the pages' order, "<" the first side's, ">" the
// second's.
std::string DifferingLines(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    std::string text;
    for (size_t line = 0; line < std::max(a.size(), b.size()); ++line) {
        const bool inA = line < a.size();
        const bool inB = line < b.size();
        if (inA && inB && a[line] == b[line]) continue;
        if (inA) text += "  < " + a[line] + "\n";
        if (inB) text += "  > " + b[line] + "\n";
    }
    return text;
}

// Every setting whose page differs between the two sides, in the entries' order.
int PrintDiff(const CConfigurationEntries& entries, const Side& a, const Side& b, const std::string& nameA,
              const std::string& nameB) {
    std::string text;
    for (size_t entry = 0; entry < entries.Size(); ++entry) {
        const auto foundA = a.find(entry);
        const auto foundB = b.find(entry);
        if (foundA == a.end() && foundB == b.end()) continue;
        const std::string name = entries.Name(entry);
        if (foundA == a.end() || foundB == b.end()) {
            text += name + ": only in " + (foundA == a.end() ? nameB : nameA) + "\n";
            continue;
        }
        if (foundA->second == foundB->second) continue;
        CMessageNode& node = *entries.Entries()[entry].node;
        const std::string lines = DifferingLines(PageLines(node, foundA->second), PageLines(node, foundB->second));
        if (!lines.empty()) text += name + "\n" + lines;
    }
    if (text.empty()) return 0;
    std::printf("< %s\n> %s\n%s", nameA.c_str(), nameB.c_str(), text.c_str());
    return kDiffer;
}

bool ReadSide(const CConfigurationEntries& entries, const std::string& path, Side& side) {
    std::vector<ConfigurationFrame> frames;
    std::string error;
    if (!entries.ReadFile(path, frames, error)) {
        std::fprintf(stderr, "veltro-cli: %s\n", error.c_str());
        return false;
    }
    side = SideOf(frames);
    return true;
}

// Both sides saved files: no receiver is needed.
int DiffFiles(const CliOptions& options, CStopSignal& stop) {
    CCliApp cli([&stop] { return stop.Requested(); }, std::nullopt, options.document);
    if (!cli.Start()) return kFailed;
    const CConfigurationEntries entries(cli.Document());
    const std::vector<std::string>& files = options.config.files;
    Side a;
    Side b;
    if (!ReadSide(entries, files[0], a) || !ReadSide(entries, files[1], b)) return kFailed;
    return PrintDiff(entries, a, b, files[0], files[1]);
}

}  // namespace

int RunConfigSave(const CliOptions& options, CStopSignal& stop) {
    return RunProcedure(options, stop, [&options](CCliApp& cli, IProcedureSite& site) {
        return std::make_unique<CConfigurationSave>(site, cli.Document(), options.file);
    }, stdout);
}

int RunConfigLoad(const CliOptions& options, CStopSignal& stop) {
    return RunProcedure(options, stop, [&options](CCliApp& cli, IProcedureSite& site) {
        return std::make_unique<CConfigurationLoad>(site, cli.Document(), options.file, options.config.save);
    }, stdout);
}

// The receiver's side is read as config save reads it, its steps on the standard error.
int RunConfigDiff(const CliOptions& options, CStopSignal& stop) {
    const ConfigOptions& config = options.config;
    if (config.receiverSide < 0) return DiffFiles(options, stop);
    const std::string& file = config.files.front();
    const auto make = [](CCliApp& cli, IProcedureSite& site) {
        return std::make_unique<CConfigurationSave>(site, cli.Document(), std::string());
    };
    const auto finish = [&](CCliApp&, IReceiverProcedure& procedure) {
        const auto& save = static_cast<const CConfigurationSave&>(procedure);
        Side fromFile;
        if (!ReadSide(save.Entries(), file, fromFile)) return kFailed;
        const Side receiver = SideOf(save.Frames());
        const std::string receiverName = "the receiver";
        return config.receiverSide == 0 ? PrintDiff(save.Entries(), receiver, fromFile, receiverName, file)
                                        : PrintDiff(save.Entries(), fromFile, receiver, file, receiverName);
    };
    return RunProcedure(options, stop, make, stderr, finish);
}
