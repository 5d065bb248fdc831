// Until the windows exist, veltro runs headless: it loads its plug-ins, and when given log
// files, replays them through the same intake and prints how many frames reached each message.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

#include "host/core/veltro_doc.h"
#include "platform/text.h"

namespace {

std::u16string PathOf(const CMessageNode* node) {
    std::u16string path = node->Label();
    for (const CMessageNode* p = node->Parent(); p; p = p->Parent()) path = std::u16string(p->Label()) + u" / " + path;
    return path;
}

int Replay(CVeltroDoc& document, const char* fileName) {
    std::ifstream file(fileName, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "veltro: cannot read %s\n", fileName);
        return 1;
    }
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    CFrameSplitter splitter;
    document.Plugins().RegisterWith(splitter);
    std::map<std::u16string, size_t> counts;
    auto count = [&](const FrameRecord& record) { ++counts[PathOf(document.ProcessRecord(record, false))]; };
    FeedStream(splitter, bytes.data(), bytes.size(), count);
    const uint8_t* rest = nullptr;
    int restLength = 0;
    splitter.TakeAll(rest, restLength);
    if (restLength > 0) count(FrameRecord{nullptr, rest, restLength});
    std::printf("%s: %zu bytes, %zu epochs\n", fileName, bytes.size(),
                static_cast<size_t>(document.Database().GetEpochCounter()));
    for (const auto& [path, n] : counts) std::printf("%8zu  %s\n", n, platform::WideToUtf8(path).c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    CVeltroDoc document;
    std::printf("Veltro 4.02: protocols");
    for (const auto& entry : document.Plugins().Protocols())
        std::printf(" %s", platform::WideToUtf8(entry->name).c_str());
    std::printf("\n");
    int status = 0;
    for (int i = 1; i < argc; ++i) status |= Replay(document, argv[i]);
    return status;
}
