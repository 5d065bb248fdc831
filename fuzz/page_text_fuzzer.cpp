// Arbitrary text in the controls of a page, read as numbers, doubles and hexadecimal dumps into
// buffers of exactly the capacity given, and arbitrary bytes loaded into the CUSTOM page and
// built back: nothing may be read or written beyond a buffer.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "host/core/intake/custom_root.h"
#include "platform/text.h"
#include "resources/veltro/dialogs.h"
#include "shared/memory_page.h"
#include "shared/value_format.h"

namespace {

constexpr int kField = dialog::kCustomContent;

void ReadEveryWay(CMemoryPage& page, int capacity, int itemSize) {
    std::vector<uint8_t> bytes(static_cast<size_t>(capacity));
    bool valid = false;
    bool blanks = false;
    const int count = GetDlgHexDump(page, kField, bytes.data(), capacity, itemSize, &valid);
    if (count < 0 || count > capacity || valid != (count > 0)) __builtin_trap();
    GetDlgNumber(page, kField, &valid, 10, true, &blanks);
    GetDlgNumber(page, kField, &valid, 16, false, &blanks);
    int32_t signedValue = 0;
    GetDlgSigned(page, kField, signedValue);
    GetDlgDouble(page, kField, &valid, &blanks);
    int guessed = itemSize;
    GuessDlgHexItemSize(page, kField, guessed);
    CountDlgHexItems(page, kField, itemSize, capacity);
    IsDlgHexDump(page, kField, itemSize);
}

// The user's text goes back as bytes of either mode into a buffer of the capacity given.
void BuildBack(CCustomRoot& root, CMemoryPage& page, int capacity) {
    std::vector<uint8_t> bytes(static_cast<size_t>(capacity));
    int length = -1;
    root.BuildFromPage(page, bytes.data(), length, capacity);
    if (length < 0 || length > capacity) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const int capacity = data[0];
    const int itemSize = 1 << (data[1] % 3);
    const std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);

    CCustomRoot root;
    CMemoryPage page(dialog::kDialogs[0]);
    root.InitPage(page);
    page.SetControlText(kField, platform::AnsiToWide(rest));
    ReadEveryWay(page, capacity, itemSize);
    BuildBack(root, page, capacity);
    page.Click(dialog::kCustomHexMode);
    root.OnControlChange(page, dialog::kCustomHexMode);
    BuildBack(root, page, capacity);

    // The same bytes as a loaded message, shown in both modes.
    root.ShowData(page, data + 2, static_cast<int>(size - 2));
    BuildBack(root, page, capacity);
    page.Click(dialog::kCustomHexMode);
    root.ShowData(page, data + 2, static_cast<int>(size - 2));
    root.ValidateControl(page, kField);
    BuildBack(root, page, capacity);
    return 0;
}
