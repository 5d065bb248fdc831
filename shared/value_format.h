#pragma once
#include <cstdint>
#include <string>

#include "platform/export.h"

class CDialogPage;
struct BitmapResource;
using ModuleHandle = void*;

// Prints one number with a printf-style format taken from the catalogue or the profile. The
// format must hold exactly one floating-point conversion (flags, width and precision allowed)
// besides literal text and "%%"; anything else, which could read arguments that are not there,
// falls back to "%f". Always in the C locale.
VELTRO_EXPORT std::u16string FormatNumber(const std::u16string& format, double value);
VELTRO_EXPORT bool IsSingleNumberFormat(const std::u16string& format);

// Reading and writing numbers, bit patterns and hexadecimal dumps in the controls of a page, for
// the host's and the plug-ins' pages alike. Independent of the user's locale. Validity goes out
// through optional pointers (null: not wanted). A number is valid when the control exists, its
// text is not empty, at least one digit was read and the number fits 32 bits.

// Leading blanks (space, tab) are skipped; with allowNegative a leading "-" negates, and the
// negated magnitude may reach 2^31; base 10 or 16, without prefix. Invalid numbers read as 0.
// onlyBlanksFollow tells whether nothing but blanks follows the number.
VELTRO_EXPORT uint32_t GetDlgNumber(const CDialogPage& page, int id, bool* valid, int base, bool allowNegative,
                                    bool* onlyBlanksFollow = nullptr);
VELTRO_EXPORT uint32_t GetDlgDecimal(const CDialogPage& page, int id, bool* valid, bool allowNegative);
VELTRO_EXPORT bool GetDlgDecimalChecked(const CDialogPage& page, int id, uint32_t& value);
VELTRO_EXPORT uint32_t GetDlgHex(const CDialogPage& page, int id, bool* valid);
VELTRO_EXPORT bool GetDlgHexChecked(const CDialogPage& page, int id, uint32_t& value);
// The range of a 32-bit signed number.
VELTRO_EXPORT bool GetDlgSigned(const CDialogPage& page, int id, int32_t& value);

// Shows the value in a combo box: selects the entry that begins with its text ("%i", or "%0*X"
// upper case) followed by no further digit, else sets the text; nothing happens when the box
// already reads as that value.
VELTRO_EXPORT void SetComboDecimal(CDialogPage& page, int id, int32_t value);
VELTRO_EXPORT void SetComboHex(CDialogPage& page, int id, uint32_t value, int width);
// Reads the box's number, and tells whether the entry that starts with its text stands for it.
VELTRO_EXPORT bool ComboShowsDecimal(const CDialogPage& page, int id, uint32_t& value);
VELTRO_EXPORT bool ComboShowsHex(const CDialogPage& page, int id, uint32_t& value, int width);

// min(8 × bytes, 32) characters "0"/"1", most significant bit first.
VELTRO_EXPORT void SetDlgBinary(CDialogPage& page, int id, uint32_t value, int bytes);
// Upper case, zero-padded to width digits.
VELTRO_EXPORT void SetDlgHex(CDialogPage& page, int id, uint32_t value, int width);
// length / itemSize items of 2 × itemSize digits separated by one blank; items in the machine's
// byte order. Empty when length < itemSize. An item size other than 1, 2 or 4 is taken as 1.
VELTRO_EXPORT void SetDlgHexDump(CDialogPage& page, int id, const uint8_t* bytes, int length, int itemSize);
// Runs of hexadecimal digits form items, white space ends one; each item is stored as itemSize
// bytes in the machine's byte order, as long as it fits capacity. Reading stops at a character
// that is neither. Returns the byte count; valid when above 0.
VELTRO_EXPORT int GetDlgHexDump(const CDialogPage& page, int id, uint8_t* bytes, int capacity, int itemSize,
                                bool* valid);
// Items after the first white space, within the first maxChars characters. Every run of digits
// is one item whatever its length, so the item size does not change the count.
VELTRO_EXPORT int CountDlgHexItems(const CDialogPage& page, int id, int itemSize, int maxChars);
// The item size (1, 2 or 4) that the first item's length suggests, and the byte count the text
// would give with it. Without any item itemSize stays and the result is 0.
VELTRO_EXPORT int GuessDlgHexItemSize(const CDialogPage& page, int id, int& itemSize);
// Only hexadecimal digits and white space, and no item longer than 2 × itemSize digits. An empty
// text is an empty dump and passes; that it yields no byte is for GetDlgHexDump to tell.
VELTRO_EXPORT bool IsDlgHexDump(const CDialogPage& page, int id, int itemSize);

// printf-style, at most 512 characters, C locale; empty for a null format.
VELTRO_EXPORT void SetDlgText(CDialogPage& page, int id, const char16_t* format, ...);
// "%.*f"; a value that is not finite is written as 0.
VELTRO_EXPORT void SetDlgDouble(CDialogPage& page, int id, double value, int decimals);
// An optional sign, digits with an optional point and an optional exponent; valid as for integers.
VELTRO_EXPORT double GetDlgDouble(const CDialogPage& page, int id, bool* valid, bool* onlyBlanksFollow = nullptr);
VELTRO_EXPORT bool GetDlgDoubleChecked(const CDialogPage& page, int id, double& value);

VELTRO_EXPORT void EnableDlgItem(CDialogPage& page, int id, bool enable);
VELTRO_EXPORT void ShowDlgItem(CDialogPage& page, int id, bool show);
// Keeps the control's position; bottom in page coordinates. The height never goes below 0.
VELTRO_EXPORT void SizeDlgItemToBottom(CDialogPage& page, int id, int width, int bottom);
VELTRO_EXPORT void SizeDlgItemWidth(CDialogPage& page, int id, int width);

// The string resource stringId of module (at most 256 characters), split at separator: one
// list-control column per part (sized to its heading), or one row appended whose cells are the
// parts. A missing string adds nothing.
VELTRO_EXPORT void AddListColumns(CDialogPage& page, int id, ModuleHandle module, int stringId, char16_t separator);
VELTRO_EXPORT void AddListRow(CDialogPage& page, int id, ModuleHandle module, int stringId, char16_t separator);
