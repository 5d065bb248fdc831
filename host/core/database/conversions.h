#pragma once

class CStorageDatabase;

// Adds the conversions that derive missing values from others, in the order they run. Each can be
// switched off in the profile ("Database\\Completer", one value per conversion name).
void AddConversions(CStorageDatabase& database);
