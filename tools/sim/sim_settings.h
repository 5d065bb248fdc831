#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The receiver's port as the CFG messages number targets: the pseudo-terminal stands for USART1.
constexpr int kSimPort = 1;

// The configuration that the receiver keeps and reports: one payload per configuration message,
// or per key for the messages polled by port, protocol or channel. A frame of the message's full
// length sets it; a frame holding only the key (or nothing) polls it.
class CSimSettings {
public:
    static constexpr uint8_t kPrt = 0x00;
    static constexpr uint8_t kInf = 0x02;
    static constexpr uint8_t kRate = 0x08;

    // Plausible settings of a receiver fresh from the factory; measurementPeriodMs for CFG-RATE.
    explicit CSimSettings(uint16_t measurementPeriodMs);

    // False when the payload neither sets nor polls the message.
    bool Set(uint8_t id, std::span<const uint8_t> payload);
    // The answer to a poll, when the payload polls a message the receiver knows.
    std::optional<std::vector<uint8_t>> Poll(uint8_t id, std::span<const uint8_t> payload) const;

    // Takes over from another configuration the messages of the CFG-CFG groups (bit 0 ports,
    // 2 information messages, 3 navigation, rate and time pulse, 4 receiver manager, 10 antenna).
    void TakeGroups(const CSimSettings& from, uint32_t groups);

    // Milliseconds between navigation solutions (CFG-RATE).
    uint32_t NavigationPeriodMs() const;
    // The INF message classes enabled for a protocol on the receiver's port (CFG-INF).
    uint8_t InfMask(uint8_t protocol) const;

private:
    struct Layout {
        uint8_t id;
        size_t length;
        size_t keyLength;
        // The older, shorter form that the receiver also takes; 0 for none.
        size_t shortLength = 0;

        bool Takes(size_t size) const { return size == length || (shortLength && size == shortLength); }
    };
    struct Entry {
        uint8_t id;
        std::vector<uint8_t> payload;
    };

    static const Layout* LayoutOf(uint8_t id);
    void StoreFactoryExpertSettings();
    static uint32_t GroupOf(uint8_t id);
    // entries.size() when there is none.
    size_t IndexOf(uint8_t id, std::span<const uint8_t> key) const;
    const Entry* Find(uint8_t id, std::span<const uint8_t> key) const;
    void Store(uint8_t id, std::vector<uint8_t> payload);

    std::vector<Entry> entries;
};
