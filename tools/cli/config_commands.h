#pragma once

struct CliOptions;
class CStopSignal;

// config save, load and diff: the configuration procedures of the services on the receiver the
// connection options name, their log lines on the standard output (diff: on the standard error,
// the differences on the standard output). Each returns the exit status: 0 when the procedure
// ended green (diff: the two sides are the same), 1 otherwise, 2 for a wrong command line.
int RunConfigSave(const CliOptions& options, CStopSignal& stop);
int RunConfigLoad(const CliOptions& options, CStopSignal& stop);
int RunConfigDiff(const CliOptions& options, CStopSignal& stop);
