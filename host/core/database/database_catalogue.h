#pragma once

class CEpochHistory;
class CStorageDatabase;

// Creates every named value of the database, in catalogue order, with its snapshot slot.
void BuildDatabaseCatalogue(CStorageDatabase& database, CEpochHistory& history);
