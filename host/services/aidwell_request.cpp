#include "aidwell_request.h"

#include "platform/text.h"

std::string FormatAidwellRequest(const AidwellRequest& request) {
    return platform::FormatC("cmd=%s;user=%s;pwd=%s;lat=%.6f;lon=%.6f;alt=%.1f;pacc=%.2f\r\n",
                             platform::WideToAnsi(request.command).c_str(), platform::WideToAnsi(request.user).c_str(),
                             platform::WideToAnsi(request.password).c_str(), request.latitude, request.longitude,
                             request.altitude, request.accuracy);
}
