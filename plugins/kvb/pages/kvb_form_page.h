#pragma once
#include <cstddef>
#include <span>

#include "plugins/kvb/framing/kvb_payload.h"
#include "plugins/kvb/pages/kvb_page.h"

// A value field of a form page: a payload field times a scale, with so many decimals.
struct KvbFormField {
    int control;
    uint8_t offset;
    KvbFieldType type;
    double scale;
    int decimals;
};

// A page of labelled read-only fields. A frame of the wrong length empties every field and list
// of the page's template.
class CKvbFormPage : public CKvbPage {
public:
    constexpr CKvbFormPage(int dialogId, size_t payloadSize, std::span<const KvbFormField> fields)
        : dialogId(dialogId), payloadSize(payloadSize), fields(fields) {}

    void Show(CDialogPage& page, const uint8_t* frame, int length) const override;

protected:
    virtual bool Fits(const KvbPayload& payload) const { return payload.Size() == payloadSize; }
    // The values that are not plain scaled fields.
    virtual void ShowMore(CDialogPage&, const KvbPayload&) const {}

private:
    void Empty(CDialogPage& page) const;

    int dialogId;
    size_t payloadSize;
    std::span<const KvbFormField> fields;
};
