#pragma once
#include <cstdio>
#include <functional>
#include <memory>

class CCliApp;
class IProcedureSite;
class IReceiverProcedure;

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

using ProcedureFactory = std::function<std::unique_ptr<IReceiverProcedure>(CCliApp& cli, IProcedureSite& site)>;
using ProcedureFinish = std::function<int(CCliApp& cli, IReceiverProcedure& procedure)>;
// A procedure of the services on the receiver the connection options name, its log lines on out,
// until it ends; a stop request is the user's abort. finish, if any, runs after a green ending
// while the program still runs, and gives the exit status.
int RunProcedure(const CliOptions& options, CStopSignal& stop, const ProcedureFactory& make, std::FILE* out,
                 const ProcedureFinish& finish = nullptr);
