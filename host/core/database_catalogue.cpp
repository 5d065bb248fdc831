#include "database_catalogue.h"

void BuildDatabaseCatalogue(CStorageDatabase&, CEpochHistory&) {}
