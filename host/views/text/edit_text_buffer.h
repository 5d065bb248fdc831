#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

// The text of a bounded, read-only edit control, kept apart from the widget so that many appends
// cost one widget update. Lines are separated by '\n' here; the limit counts a line break as the
// edit control does, as two characters. Positions are absolute: they count every character ever
// appended, so that a widget that shows an older part of the text knows what to drop and what to
// add.
class CEditTextBuffer {
public:
    static constexpr int kTextLimit = 30000;

    CEditTextBuffer(int maxLines = 500, int extraLines = 25);

    // Makes room and appends; text may hold '\n'. Answers how many characters were dropped from
    // the front to make room.
    size_t Append(std::u16string_view text);
    // Stores both limits and trims at once; answers the characters dropped.
    size_t SetLineLimits(int maxLines, int extraLines);
    void Clear();

    std::u16string_view Text() const { return text; }
    bool IsEmpty() const { return text.empty(); }
    int LineCount() const { return static_cast<int>(lineStarts.size()); }
    // Length as the edit control counts it.
    size_t EditLength() const { return text.size() + lineStarts.size() - 1; }

    // Absolute positions of the first character and behind the last.
    uint64_t StartOffset() const { return start; }
    uint64_t EndOffset() const { return start + text.size(); }

private:
    // The line that holds the character at an edit-control position.
    int LineFromEditChar(size_t position) const;
    size_t DeleteFirstLines(int count);
    size_t MakeRoom(size_t addedEditLength);

    int maxLines;
    int extraLines;
    std::u16string text;
    // Absolute offset of each line's first character.
    std::deque<uint64_t> lineStarts{0};
    uint64_t start = 0;
};

// How many lines to delete before an append: when the text would exceed the limit, up to the line
// that holds the first character which would not fit (lineOfExcess), else down to maxLines; and
// extraLines + 1 more, so that trimming happens once in a while rather than on every line.
int LinesToTrim(int lineCount, std::optional<int> lineOfExcess, int maxLines, int extraLines);

// Edit-control length of a text: a line break counts two.
size_t EditLengthOf(std::u16string_view text);
// The longest start of text whose edit-control length is at most room.
std::u16string_view FittingPrefix(std::u16string_view text, size_t room);
