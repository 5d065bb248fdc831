#pragma once
#include "plugins/kvb/editors/field_editor.h"

// The editors of the engineering and tracking-engine settings, tables of fields alone.
extern const CKvbFieldEditor kCfgNavxEditor;
extern const CKvbFieldEditor kCfgTstEditor;
extern const CKvbFieldEditor kCfgRxmxEditor;
extern const CKvbFieldEditor kCfgRxmoscEditor;
extern const CKvbFieldEditor kCfgItmEditor;
extern const CKvbFieldEditor kCfgEkfEditor;
extern const CKvbFieldEditor kCfgMapEditor;
extern const CKvbFieldEditor kCfgLptstEditor;
extern const CKvbFieldEditor kCfgTrksetEditor;
