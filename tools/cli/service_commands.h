#pragma once

struct CliOptions;
class CStopSignal;

// The receiver commands, Aidwell Online, the Orbitpack update and the logger retrieval, on the
// receiver the connection options name. Each returns the exit status: 0 only when the frame went
// out (reset), the worker ended as it should (debug-messages, aid) or the procedure ended green
// (orbitpack, logger), 1 otherwise, 2 for a request the dialog would not take.
int RunReset(const CliOptions& options, CStopSignal& stop);
int RunDebugMessages(const CliOptions& options, CStopSignal& stop);
int RunAid(const CliOptions& options, CStopSignal& stop);
int RunOrbitpack(const CliOptions& options, CStopSignal& stop);
int RunLogger(const CliOptions& options, CStopSignal& stop);
