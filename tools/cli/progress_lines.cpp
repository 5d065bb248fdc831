#include "progress_lines.h"

#include "platform/text.h"

// A text that ends its own line (an error, a server's text) gets no second line feed.
void CProgressLines::OnStatusText(const std::u16string& text) {
    const std::string line = platform::WideToUtf8(text);
    std::fputs(line.c_str(), out);
    if (line.empty() || line.back() != '\n') std::fputc('\n', out);
    std::fflush(out);
}
