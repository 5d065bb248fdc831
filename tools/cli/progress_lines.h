#pragma once
#include <cstdio>

#include "host/core/threads/progress_sink.h"

// A worker's status texts as lines on out, as the progress dialog shows them one after another;
// the progress bar is not drawn.
class CProgressLines : public IProgressSink {
public:
    explicit CProgressLines(std::FILE* out) : out(out) {}

    void OnStatusText(const std::u16string& text) override;
    void OnProgressRange(int, int) override {}
    void OnProgressPosition(int) override {}
    void OnWorkerEnded(int) override {}

private:
    std::FILE* out;
};
