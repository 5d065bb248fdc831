#pragma once
#include "plugins/kvb/editors/field_editor.h"

// The editors of the logger, the odometer and the time marks, tables of fields alone.
extern const CKvbFieldEditor kCfgLogEditor;
extern const CKvbFieldEditor kOdoEditor;
extern const CKvbFieldEditor kCfgTmEditor;
extern const CKvbFieldEditor kCfgTm2Editor;
