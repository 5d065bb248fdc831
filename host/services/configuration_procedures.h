#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/services/configuration_entries.h"
#include "host/services/receiver_procedure.h"

class CVeltroDoc;

// A walk over settings of the receiver, one at a time: what a step sends first, then the poll
// of its setting, and the answer awaited for up to a second before the next step starts, so
// that the receiver's input is never overrun. Driven by its runner's ticks, the receiver's
// answers and the user's abort.
class CConfigurationProcedure : public IReceiverProcedure {
public:
    static constexpr uint32_t kTickMs = 50;
    static constexpr uint32_t kAnswerTimeoutMs = 1000;
    // After a good end, until the view may make way.
    static constexpr uint32_t kFinishedMs = 10000;

    uint32_t TickMs() const override { return kTickMs; }
    // The answer to the poll awaited, copied at once.
    std::optional<int> TakeAnswer(uint32_t hint, const CMessageNode* node) override;
    void Answer(int event, uint32_t now) override;
    void Tick(uint32_t now) override;
    void Abort(uint32_t now) override;
    bool Ended() const override { return ended; }
    bool Failed() const override { return failed; }

    const CConfigurationEntries& Entries() const { return entries; }

protected:
    CConfigurationProcedure(IProcedureSite& site, CVeltroDoc& document);

    // False, told, when the procedure cannot run; nothing has been sent then.
    virtual bool Prepare() = 0;
    virtual size_t Steps() const = 0;
    virtual size_t EntryOfStep(size_t step) const = 0;
    // What the step sends before its poll.
    virtual bool SendBefore(size_t) { return true; }
    virtual void Answered(size_t step, const std::vector<uint8_t>& frame) = 0;
    virtual void Unanswered(size_t step) = 0;
    // After the last step, not after an abort or a failed start.
    virtual void Finish() = 0;

    void Tell(const std::u16string& text) { site.Append(text + u"\n"); }
    void Tell(const std::string& text);
    bool SendFrame(const std::vector<uint8_t>& frame);

    IProcedureSite& site;
    CConfigurationEntries entries;
    bool failed = false;

private:
    void Start(uint32_t now);
    void StartStep(uint32_t now);
    void Next(uint32_t now);
    void End(uint32_t now, bool complete);

    size_t step = 0;
    bool started = false;
    bool awaiting = false;
    bool ended = false;
    bool finishedTold = false;
    uint32_t deadline = 0;
    std::vector<uint8_t> answer;
};

// The receiver's whole configuration polled, setting by setting, and written as a log of its
// answers in the entries' order (path empty: kept only in Frames).
class CConfigurationSave : public CConfigurationProcedure {
public:
    CConfigurationSave(IProcedureSite& site, CVeltroDoc& document, std::string path);

    const std::vector<ConfigurationFrame>& Frames() const { return frames; }

private:
    bool Prepare() override;
    size_t Steps() const override { return entries.Size(); }
    size_t EntryOfStep(size_t step) const override { return step; }
    void Answered(size_t step, const std::vector<uint8_t>& frame) override;
    void Unanswered(size_t step) override;
    void Finish() override;

    std::string path;
    std::vector<ConfigurationFrame> frames;
    size_t silent = 0;
};

// A saved configuration sent back: the file checked whole before anything is sent, then every
// setting as its message's page builds it from the saved answer, each polled back and compared
// with the file; with save, CFG-CFG "Save current configuration" at the end.
class CConfigurationLoad : public CConfigurationProcedure {
public:
    CConfigurationLoad(IProcedureSite& site, CVeltroDoc& document, std::string path, bool save);

private:
    bool Prepare() override;
    size_t Steps() const override { return frames.size(); }
    size_t EntryOfStep(size_t step) const override { return frames[step].entry; }
    bool SendBefore(size_t step) override { return SendFrame(settings[step]); }
    void Answered(size_t step, const std::vector<uint8_t>& frame) override;
    void Unanswered(size_t step) override;
    void Finish() override;

    std::string path;
    bool save;
    std::vector<ConfigurationFrame> frames;
    std::vector<std::vector<uint8_t>> settings;
    size_t differing = 0;
    size_t silent = 0;
};
