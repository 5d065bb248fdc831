#pragma once
#include <cstdint>
#include <span>

#include "platform/export.h"
#include "resources/string_resource.h"

using ModuleHandle = void*;

// The kinds of control a page template may hold.
enum class ControlKind : uint8_t {
    StaticText,
    Edit,
    MultiLineEdit,
    CheckBox,
    RadioButton,
    GroupBox,
    PushButton,
    DropDownList,
    DropDownEdit,
    ListBox,
    MultiSelectListBox,
    ListControl,
    Spin,
    ProgressBar,
    Picture,
};

enum ControlStyle : uint32_t {
    STYLE_NONE = 0,
    STYLE_READ_ONLY = 0x1,
    STYLE_PASSWORD = 0x2,
    STYLE_DIGITS = 0x4,
    STYLE_DISABLED = 0x8,
    STYLE_HIDDEN = 0x10,
    STYLE_RIGHT = 0x20,
    // Starts a new group of radio buttons; a group runs to the next control with this flag.
    STYLE_GROUP = 0x40,
};

enum class ControlFont : uint8_t { Dialog, System, Bold };

// In dialog units: a quarter of the font's average character width, an eighth of its height.
struct DialogRect {
    int x;
    int y;
    int width;
    int height;
};

// A control's place on its page, in page pixels.
struct PageRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The font's average character width and height in pixels, which dialog units scale by.
struct DialogBaseUnits {
    int charWidth;
    int charHeight;
};
inline constexpr DialogBaseUnits kStandardBaseUnits{6, 13};

inline PageRect ToPagePixels(const DialogRect& rect, DialogBaseUnits units) {
    return {rect.x * units.charWidth / 4, rect.y * units.charHeight / 8, rect.width * units.charWidth / 4,
            rect.height * units.charHeight / 8};
}

struct ControlTemplate {
    int id;
    ControlKind kind;
    const char16_t* text;
    DialogRect rect;
    uint32_t style = STYLE_NONE;
    ControlFont font = ControlFont::Dialog;
};

// A page: its size in dialog units and its controls, in tab order.
struct DialogTemplate {
    int id;
    int width;
    int height;
    std::span<const ControlTemplate> controls;
};

// A strip of small icons side by side: iconCount × iconWidth pixels wide, iconHeight high, row by
// row as 0xAARRGGBB; pixels of maskColor are transparent.
struct BitmapResource {
    int id;
    int iconWidth;
    int iconHeight;
    int iconCount;
    const uint32_t* pixels;
    uint32_t maskColor;
};

// What a deliverable carries besides its code: page templates, strings and bitmaps.
struct ResourceTable {
    std::span<const DialogTemplate> dialogs;
    std::span<const StringResource> strings;
    std::span<const BitmapResource> bitmaps;

    const DialogTemplate* FindDialog(int id) const {
        for (const DialogTemplate& dialog : dialogs)
            if (dialog.id == id) return &dialog;
        return nullptr;
    }
    const char16_t* FindString(int id) const {
        for (const StringResource& string : strings)
            if (string.id == id) return string.text;
        return nullptr;
    }
    const BitmapResource* FindBitmap(int id) const {
        for (const BitmapResource& bitmap : bitmaps)
            if (bitmap.id == id) return &bitmap;
        return nullptr;
    }
};

// Every plug-in exports, unmangled under this name, a function that returns its table.
using ResourcesFn = const ResourceTable* (*)();
inline constexpr char kResourcesExport[] = "Resources";

// The table of a module: a plug-in's through its export, the program's (the null module) as the
// program registered it; null when the module has none.
VELTRO_EXPORT const ResourceTable* ModuleResources(ModuleHandle module);
VELTRO_EXPORT void SetProgramResources(const ResourceTable* table);
// Shortcuts through ModuleResources; null when the module or the resource is missing.
VELTRO_EXPORT const DialogTemplate* LoadDialogTemplate(ModuleHandle module, int id);
VELTRO_EXPORT const char16_t* LoadResourceString(ModuleHandle module, int id);
VELTRO_EXPORT const BitmapResource* LoadBitmapResource(ModuleHandle module, int id);
