#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "plugins/kvb/pages/kvb_page.h"

// The page of a configuration message that the user edits and sends: it shows a received frame,
// builds the frame to send and the poll from the page, checks single fields and reacts to a
// changed selection. A frame of the wrong length leaves the page as it is, so that what the user
// typed stays.
class CKvbEditor : public CKvbPage {
public:
    const CKvbEditor* Editor() const override { return this; }

    void Show(CDialogPage& page, const uint8_t* frame, int length) const override;
    // Clears the whole buffer, writes the payload at 6 and completes the frame; false when the
    // page holds a field that does not read or the buffer is too small.
    virtual bool Build(const CDialogPage& page, uint8_t* buffer, int& outLength, int capacity) const;
    virtual bool Validate(const CDialogPage&, int) const { return true; }
    // True when the change selects another configuration, which is then polled.
    virtual bool OnChange(CDialogPage&, int) const { return false; }
    // The payload of the poll, selected on the page; nothing when the selection does not read.
    virtual std::optional<std::vector<uint8_t>> PollPayload(const CDialogPage&) const { return std::nullopt; }

protected:
    constexpr explicit CKvbEditor(uint8_t id) : id(id) {}

    virtual bool Fits(size_t payloadSize) const = 0;
    virtual size_t PayloadSize(const CDialogPage& page) const = 0;
    virtual void ShowPayload(CDialogPage& page, std::span<const uint8_t> payload) const = 0;
    virtual bool BuildPayload(const CDialogPage& page, std::span<uint8_t> payload) const = 0;

private:
    uint8_t id;
};
