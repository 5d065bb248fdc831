#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "host/core/intake/frame_splitter.h"
#include "host/core/log/log_file_texts.h"
#include "resources/veltro/message_boxes.h"

class CMessageNode;
class CStreamFileThread;
class CVeltroDoc;

// Where sent bytes go: the port, under its lock, flushed. Answers how many bytes it wrote.
class IPortWriter {
public:
    virtual ~IPortWriter() = default;
    virtual int Write(const uint8_t* bytes, int length) = 0;
};

// How the frame tells the user about a failure (a message box in the window): the program's box,
// and the system's reason when there is one (else empty).
class IErrorReporter {
public:
    virtual ~IErrorReporter() = default;
    virtual void ReportError(const MessageBoxResource& box, const std::u16string& reason) = 0;
};

// The main frame's part that needs no widgets: the road of received, replayed and sent bytes
// into the document, the history ring and the recording.
class CMainFrameCore {
public:
    CMainFrameCore(CVeltroDoc& document, CStreamFileThread& log, IErrorReporter& errors);

    // The frame handles the port and replay messages only while it is complete.
    void SetComplete(bool complete) { this->complete = complete; }
    void SetPortWriter(IPortWriter* writer) { port = writer; }

    // A frame from the port; mayRefresh lets the views refresh.
    void OnPortFrame(const FrameRecord* record, bool mayRefresh);
    // The log thread's pace: the next replayed frame is due.
    void OnFileFrame();
    // Writes to the port; decodes and records what was written. False unless every byte went out.
    bool SendToReceiver(CMessageNode* node, const uint8_t* bytes, int length);

    // The file commands once the user has chosen a file; they report their own failures.
    bool RecordTo(const std::string& path);
    bool OpenLog(const std::string& path, bool readOnly);

    uint64_t ReceivedBytes() const { return receivedBytes; }

private:
    // Live traffic is decoded unless a log is being replayed.
    bool DecodesLiveTraffic() const;
    void Record(const uint8_t* bytes, size_t length);
    void ProcessFileFrame();
    // The database's UTC, in seconds, when it holds one.
    std::optional<double> ReceiverTime() const;
    void ReportLogError(const MessageBoxResource& box);

    CVeltroDoc& document;
    CStreamFileThread& log;
    IErrorReporter& errors;
    IPortWriter* port = nullptr;
    bool complete = false;
    uint64_t receivedBytes = 0;
};
