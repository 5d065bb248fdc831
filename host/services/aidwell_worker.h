#pragma once
#include <cstddef>

#include "host/services/aidwell_request.h"

class CWorkerContext;

// The most aiding data a reply may announce; a larger one is refused.
inline constexpr size_t kMaxAidwellData = 1 << 20;
// The reply header, with its terminating zero.
inline constexpr int kAidwellHeaderCapacity = 8192;

// The worker of Aidwell Online: the reset asked for, the request to the server, and every KVB
// message of its reply forwarded to the receiver, one each 100 ms. Ends with success only when
// the aiding data went to the receiver; the status line tells where it stopped otherwise.
int AidwellWorker(CWorkerContext& context, const AidwellRequest& request);
