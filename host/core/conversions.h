#pragma once

class CStorageDatabase;

// Adds the conversions that derive missing values from others, in the order they run.
void AddConversions(CStorageDatabase& database);
