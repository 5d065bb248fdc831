#pragma once
// A procedure's site that keeps what the procedure did: its log, progress, frames and ending.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "host/services/receiver_procedure.h"
#include "platform/text.h"

class RecordingSite : public IProcedureSite {
public:
    using Bytes = std::vector<uint8_t>;

    void Append(const std::u16string& text) override { log += platform::WideToUtf8(text); }
    void SetProgressRange(int minimum, int maximum) override { range = {minimum, maximum}; }
    void SetProgressPosition(int position) override { positions.push_back(position); }
    void OnStarted() override { ++starts; }
    void OnEnded(bool failed) override { outcome = failed ? "red" : "green"; }
    bool ReadyToSend() const override { return ready; }
    bool Send(const uint8_t* frame, int length) override {
        sent.emplace_back(frame, frame + length);
        return true;
    }
    void OnFinished() override { ++finishedCalls; }

    std::string log;
    std::pair<int, int> range{};
    std::vector<int> positions;
    std::vector<Bytes> sent;
    int starts = 0;
    std::string outcome;
    bool ready = true;
    int finishedCalls = 0;
};
