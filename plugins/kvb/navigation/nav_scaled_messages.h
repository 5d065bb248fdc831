#pragma once
#include "plugins/kvb/navigation/kvb_nav_message.h"

// Navigation messages whose values are plain scaled fields.

// NAV-POSECEF: position and its accuracy in the earth-centred frame.
class CNavPosEcefMessage : public CKvbScaledMessage {
public:
    explicit CNavPosEcefMessage(const KvbMessageInfo& info);
};

// NAV-POSLLH: geodetic position, heights and their accuracies.
class CNavPosLlhMessage : public CKvbScaledMessage {
public:
    explicit CNavPosLlhMessage(const KvbMessageInfo& info);
};

// NAV-DOP: the dilutions of precision.
class CNavDopMessage : public CKvbScaledMessage {
public:
    explicit CNavDopMessage(const KvbMessageInfo& info);
};

// NAV-VELECEF: velocity and its accuracy in the earth-centred frame.
class CNavVelEcefMessage : public CKvbScaledMessage {
public:
    explicit CNavVelEcefMessage(const KvbMessageInfo& info);
};
