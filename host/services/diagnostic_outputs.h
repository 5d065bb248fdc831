#pragma once
#include <cstdint>
#include <span>

class CWorkerContext;

// One frame of the "Enable Debug Messages" sequence and the status line shown while it is sent.
struct DiagnosticStep {
    const char16_t* text;
    uint8_t messageClass;
    uint8_t id;
    std::span<const uint8_t> payload;
};

// The sequence: the information messages, then the diagnostic outputs switched on, then three
// polls of the monitor messages.
std::span<const DiagnosticStep> DiagnosticSteps();

// The worker: each step's frame through the send path, 50 ms apart, the progress at the step's
// index; "Done ..." and success after the last, failure at once when stopped.
int DiagnosticOutputsWorker(CWorkerContext& context);
