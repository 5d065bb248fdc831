#include "edit_text_buffer.h"

#include <algorithm>

int LinesToTrim(int lineCount, std::optional<int> lineOfExcess, int maxLines, int extraLines) {
    const int keep = lineOfExcess ? lineCount - *lineOfExcess : maxLines;
    return lineCount >= keep ? lineCount - keep + extraLines + 1 : 0;
}

size_t EditLengthOf(std::u16string_view text) {
    return text.size() + static_cast<size_t>(std::count(text.begin(), text.end(), u'\n'));
}

std::u16string_view FittingPrefix(std::u16string_view text, size_t room) {
    size_t used = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        used += text[i] == u'\n' ? 2 : 1;
        if (used > room) return text.substr(0, i);
    }
    return text;
}

CEditTextBuffer::CEditTextBuffer(int maxLines, int extraLines) : maxLines(maxLines), extraLines(extraLines) {}

size_t CEditTextBuffer::Append(std::u16string_view added) {
    const size_t dropped = MakeRoom(EditLengthOf(added));
    // What the limit cannot hold even in an empty control is cut off, as the edit control does.
    added = FittingPrefix(added, kTextLimit - std::min<size_t>(EditLength(), kTextLimit));
    for (size_t i = 0; i < added.size(); ++i)
        if (added[i] == u'\n') lineStarts.push_back(EndOffset() + i + 1);
    text.append(added);
    return dropped;
}

size_t CEditTextBuffer::SetLineLimits(int newMaxLines, int newExtraLines) {
    maxLines = newMaxLines;
    extraLines = newExtraLines;
    return MakeRoom(0);
}

void CEditTextBuffer::Clear() {
    DeleteFirstLines(LineCount());
}

size_t CEditTextBuffer::MakeRoom(size_t addedEditLength) {
    std::optional<int> lineOfExcess;
    if (EditLength() + addedEditLength > kTextLimit)
        lineOfExcess = LineFromEditChar(EditLength() + addedEditLength - kTextLimit);
    return DeleteFirstLines(LinesToTrim(LineCount(), lineOfExcess, maxLines, extraLines));
}

// Line i starts at its offset in the text plus one more character for each line break before it.
int CEditTextBuffer::LineFromEditChar(size_t position) const {
    int low = 0;
    int high = LineCount() - 1;
    while (low < high) {
        const int middle = (low + high + 1) / 2;
        const uint64_t editStart = lineStarts[static_cast<size_t>(middle)] - start + static_cast<uint64_t>(middle);
        if (editStart <= position)
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

size_t CEditTextBuffer::DeleteFirstLines(int count) {
    if (count <= 0) return 0;
    const uint64_t newStart = count < LineCount() ? lineStarts[static_cast<size_t>(count)] : EndOffset();
    const size_t dropped = static_cast<size_t>(newStart - start);
    text.erase(0, dropped);
    const size_t removedLines = std::min(static_cast<size_t>(count), lineStarts.size());
    lineStarts.erase(lineStarts.begin(), lineStarts.begin() + static_cast<std::ptrdiff_t>(removedLines));
    if (lineStarts.empty()) lineStarts.push_back(newStart);
    start = newStart;
    return dropped;
}
