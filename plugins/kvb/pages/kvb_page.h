#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

class CDialogPage;
class CKvbEditor;

// What a message shows on its detail page. Page objects keep no state: the page is the host's,
// and the plug-in's mode byte is read whenever a page is filled.
class CKvbPage {
public:
    virtual ~CKvbPage() = default;

    // The static part of the page: columns, fixed rows, icons.
    virtual void Init(CDialogPage&) const {}
    // A frame's contents. A frame of the wrong length empties every value, so that nothing stale
    // stays on the page.
    virtual void Show(CDialogPage& page, const uint8_t* frame, int length) const = 0;
    // The page's main control, where it is, takes the page's new size; pages without one keep
    // their layout.
    void Resize(CDialogPage& page, int width, int height) const;
    // What the user edits and sends on the page; null for pages that only show.
    virtual const CKvbEditor* Editor() const { return nullptr; }

protected:
    constexpr explicit CKvbPage(int mainControl = 0) : mainControl(mainControl) {}

private:
    int mainControl;
};

// What a page's cell buffer of 64 characters holds.
inline constexpr size_t kKvbCellCapacity = 63;

// printf-style in the C locale, cut to the cell's capacity; "%s" takes narrow (UTF-8) text.
std::u16string KvbCell(const char16_t* format, ...);
