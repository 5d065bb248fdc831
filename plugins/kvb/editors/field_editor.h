#pragma once
#include <span>

#include "plugins/kvb/editors/kvb_editor.h"

// How one control of an editor's page stands for bits of the payload.
enum class EditorFieldKind : uint8_t {
    Number,     // a decimal edit times scale, placed at shift; signed fields may be negative
    Choice,     // a numbered choice ("3 - Automotive") or a typed number
    Signed,     // a numbered choice whose number carries a sign ("-1 - falling edge")
    Index,      // the list's selection index, placed at shift within the field
    Mapped,     // the list's selection picks one of values
    Bit,        // a check box sets bit shift
    All,        // a check box sets every bit of the field
    Radio,      // a checked radio button ORs constant into the field
    Mask,       // a protocol mask ("0+1 - KVB+NMEA"), at most maximum
    Message,    // the class and id at the start of the text as "%02X-%02X"
    Deviation,  // a standard deviation in m, sent as its square in mm² up to maximum; negative: nothing
    Hex,        // a hexadecimal edit of up to twice width digits
    Clear,      // a check box clears bit shift: the bit is set when the box is off
    Text,       // single-byte characters filling a field of width bytes; shorter texts end with a zero
    Status,     // a note shown while bit shift reads as constant; it sends nothing
};

struct EditorField {
    int control;
    uint8_t offset;
    uint8_t width;  // 1, 2 or 4 bytes, little-endian; a text's field may be longer
    EditorFieldKind kind;
    uint8_t shift = 0;
    // The largest value; 0: the largest the width holds (for Index: the mask of the index bits).
    uint32_t maximum = 0;
    double scale = 1;
    int decimals = 0;
    bool isSigned = false;
    uint32_t constant = 0;  // Radio: the field's value; Status: the bit's value that shows the note
    std::span<const uint32_t> values = {};
    // Number: a check box that must be on for the number to be sent; off sends 0.
    int gate = 0;
};

constexpr EditorField NumberField(int control, uint8_t offset, uint8_t width, double scale = 1, int decimals = 0) {
    return {control, offset, width, EditorFieldKind::Number, 0, 0, scale, decimals};
}
constexpr EditorField SignedField(int control, uint8_t offset, uint8_t width, double scale = 1, int decimals = 0) {
    return {control, offset, width, EditorFieldKind::Number, 0, 0, scale, decimals, true};
}
constexpr EditorField PackedField(int control, uint8_t offset, uint8_t width, uint8_t shift, uint32_t maximum) {
    return {control, offset, width, EditorFieldKind::Number, shift, maximum};
}
constexpr EditorField GatedField(int control, uint8_t offset, uint8_t width, int gate) {
    EditorField field{control, offset, width, EditorFieldKind::Number};
    field.gate = gate;
    return field;
}
constexpr EditorField ChoiceField(int control, uint8_t offset, uint8_t width, uint32_t maximum = 0) {
    return {control, offset, width, EditorFieldKind::Choice, 0, maximum};
}
constexpr EditorField SignedChoiceField(int control, uint8_t offset) {
    return {control, offset, 1, EditorFieldKind::Signed, 0, 0, 1, 0, true};
}
constexpr EditorField IndexField(int control, uint8_t offset, uint8_t width, uint8_t shift, uint32_t mask) {
    return {control, offset, width, EditorFieldKind::Index, shift, mask};
}
constexpr EditorField MappedField(int control, uint8_t offset, uint8_t width, std::span<const uint32_t> values) {
    return {control, offset, width, EditorFieldKind::Mapped, 0, 0, 1, 0, false, 0, values};
}
constexpr EditorField BitField(int control, uint8_t offset, uint8_t width, uint8_t bit) {
    return {control, offset, width, EditorFieldKind::Bit, bit};
}
constexpr EditorField AllField(int control, uint8_t offset, uint8_t width) {
    return {control, offset, width, EditorFieldKind::All};
}
constexpr EditorField RadioField(int control, uint8_t offset, uint8_t width, uint32_t constant) {
    return {control, offset, width, EditorFieldKind::Radio, 0, 0, 1, 0, false, constant};
}
constexpr EditorField MaskField(int control, uint8_t offset, uint8_t width, uint32_t maximum) {
    return {control, offset, width, EditorFieldKind::Mask, 0, maximum};
}
constexpr EditorField MessageField(int control, uint8_t offset) {
    return {control, offset, 2, EditorFieldKind::Message};
}
constexpr EditorField DeviationField(int control, uint8_t offset, uint32_t maximum) {
    return {control, offset, 4, EditorFieldKind::Deviation, 0, maximum, 1, 3};
}

constexpr EditorField HexField(int control, uint8_t offset, uint8_t width) {
    return {control, offset, width, EditorFieldKind::Hex};
}
constexpr EditorField ClearBitField(int control, uint8_t offset, uint8_t width, uint8_t bit) {
    return {control, offset, width, EditorFieldKind::Clear, bit};
}
constexpr EditorField TextField(int control, uint8_t offset, uint8_t width) {
    return {control, offset, width, EditorFieldKind::Text};
}
// The note control is shown while bit of the field reads as value.
constexpr EditorField StatusField(int control, uint8_t offset, uint8_t width, uint8_t bit, bool value) {
    return {control, offset, width, EditorFieldKind::Status, bit, 0, 1, 0, false, value ? 1u : 0u};
}

// The items of a list; in extended mode those of extended when it has any.
struct EditorList {
    int control;
    std::span<const char16_t* const> items;
    std::span<const char16_t* const> extended = {};
};

// A message that also comes in a shorter form, without the fields from shortSize on; the check box
// control tells that the page sends the full form.
struct EditorShortForm {
    size_t shortSize = 0;
    int control = 0;
};

// An editor that is a table of fields and lists. The first pollBytes bytes that the first field
// writes are the payload of the poll.
class CKvbFieldEditor : public CKvbEditor {
public:
    constexpr CKvbFieldEditor(uint8_t id, size_t payloadSize, std::span<const EditorField> fields,
                              std::span<const EditorList> lists, uint8_t pollBytes = 0, EditorShortForm shortForm = {})
        : CKvbEditor(id),
          payloadSize(payloadSize),
          fields(fields),
          lists(lists),
          pollBytes(pollBytes),
          shortForm(shortForm) {}

    void Init(CDialogPage& page) const override;
    bool Validate(const CDialogPage& page, int control) const override;
    bool OnChange(CDialogPage& page, int control) const override;
    std::optional<std::vector<uint8_t>> PollPayload(const CDialogPage& page) const override;

protected:
    bool Fits(size_t size) const override;
    size_t PayloadSize(const CDialogPage& page) const override;
    void ShowPayload(CDialogPage& page, std::span<const uint8_t> payload) const override;
    bool BuildPayload(const CDialogPage& page, std::span<uint8_t> payload) const override;

    // What the table does not say.
    virtual void ShowMore(CDialogPage&, std::span<const uint8_t>) const {}
    virtual bool BuildMore(const CDialogPage&, std::span<uint8_t>) const { return true; }

private:
    size_t payloadSize;
    std::span<const EditorField> fields;
    std::span<const EditorList> lists;
    uint8_t pollBytes;
    EditorShortForm shortForm;
};

// Little-endian fields of a payload; reading or writing past its end does nothing.
uint32_t ReadPayloadField(std::span<const uint8_t> payload, size_t offset, size_t width);
void OrPayloadField(std::span<uint8_t> payload, size_t offset, size_t width, uint32_t value);
