#pragma once
#include <string>

#include "host/core/frame/main_frame_core.h"
#include "host/core/log/stream_file_thread.h"
#include "host/core/intake/veltro_doc.h"

class CStopSignal;

// The host without windows: the document with its plug-ins, the stream log and the main frame's
// core, the same road that the program takes. Errors go to the standard error stream.
class CHeadlessHost : public IErrorReporter {
public:
    CHeadlessHost();

    CVeltroDoc& Document() { return document; }
    CStreamFileThread& Log() { return log; }
    CMainFrameCore& Core() { return core; }

    void ReportError(const std::u16string& text) override;
    // False (reported) when the log cannot be read.
    bool OpenLog(const std::string& path) { return core.OpenLog(path, true); }
    // Plays the open log through the replay road as fast as the document decodes it, to its end
    // or until a stop is requested.
    void Replay(const CStopSignal& stop);

private:
    CVeltroDoc document;
    CStreamFileThread log;
    CMainFrameCore core{document, log, *this};
};
