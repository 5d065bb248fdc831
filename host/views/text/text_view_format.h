#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// How the text views turn what they are given into the lines of their edit control. Line breaks
// are '\n' here (CEditTextBuffer); a carriage return that must not break a line is shown as the
// character with code 11.
namespace text_view {

inline constexpr char16_t kHiddenBreak = 11;
// Continuation lines of a stamped block stand under the text column, behind the time stamp.
inline constexpr std::u16string_view kBlockIndent = u"          ";

// One line: line breaks inside the text are hidden; the line ends with a break.
std::u16string Line(std::u16string_view text);
// One entry that may span lines: each line feed starts an indented continuation line.
std::u16string Block(std::u16string_view text);
// Text as it is: each line feed breaks the line, nothing is added.
std::u16string Plain(std::u16string_view text);

// The receiver's UTC time of day ("%H:%M:%S"), or "??:??:??" while no time is known (negative).
std::u16string TimeStamp(int64_t utcSeconds);
// "HH:MM:SS  text".
std::u16string Stamped(int64_t utcSeconds, std::u16string_view text);

}  // namespace text_view

// Whether a view keeps following the end of its text after an append, or leaves the user where
// they are reading.
struct FollowState {
    // The stylus (mouse button) is down in the text.
    bool selecting = false;
    bool caretAtEnd = false;
    bool recentlyScrolled = false;
    uint32_t sinceInteraction = 0;
};

struct FollowDecision {
    // Caret to the end of the text; otherwise the user's selection is restored.
    bool caretToEnd;
    // Scroll to the bottom (and the left edge) and hide the caret; otherwise show the caret and
    // leave the view where it is.
    bool scrollToEnd;
};

inline constexpr uint32_t kInteractionWindowMs = 4000;

FollowDecision DecideFollow(const FollowState& state);

// Tenths of a point of the text views' "Courier New", so that characters are the same number of
// pixels high at every screen density.
int EditFontTenths(int verticalDpi);
