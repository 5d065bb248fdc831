#pragma once
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "tools/sim/sim_epoch.h"
#include "tools/sim/sim_truth.h"

struct SimDataLoggerConfig {
    // A record of every n-th navigation epoch; 0: the logger records nothing.
    uint32_t every = 1;
    // Records the logger holds when the receiver starts: the truth of a drive before the start,
    // one record every n-th epoch of it as well.
    uint32_t preset = 0;
    // Where every record is written as it is logged, as CSV: index, week, tow (s), x, y, z (m),
    // speed (km/h), fix class; empty: nowhere.
    std::string truthPath;
};

// The receiver's data logger (KVB class 0x21): a compact record of the truth every n-th epoch,
// up to its capacity. The information request (id 0x02, empty) is answered with the number of
// records at payload offset 24; a record request (id 0x05: first record, number of records, 32
// bits each) with one answer of one 24-byte record per record that exists, its position in the
// request in the record's third byte.
class CSimDataLogger {
public:
    static constexpr uint32_t kCapacity = 100000;
    static constexpr size_t kRecordBytes = 24;

    CSimDataLogger(SimDataLoggerConfig config, const SimTruthConfig& truth, uint32_t periodMs);
    ~CSimDataLogger();
    CSimDataLogger(const CSimDataLogger&) = delete;
    CSimDataLogger& operator=(const CSimDataLogger&) = delete;

    void OnEpoch(const SimEpoch& epoch);
    void Execute(uint8_t id, std::span<const uint8_t> payload, std::vector<uint8_t>& out);
    size_t Count() const { return records.size() / kRecordBytes; }
    // The record as the receiver answers it, at position 0.
    std::span<const uint8_t> Record(size_t index) const;

private:
    void Log(const SimEpoch& epoch);
    void AnswerInformation(std::vector<uint8_t>& out) const;
    void AnswerRecords(std::span<const uint8_t> request, std::vector<uint8_t>& out) const;

    const SimDataLoggerConfig config;
    std::vector<uint8_t> records;
    uint64_t epochs = 0;
    std::FILE* truthFile = nullptr;
};
