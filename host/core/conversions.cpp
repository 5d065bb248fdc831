#include "conversions.h"

void AddConversions(CStorageDatabase&) {}
