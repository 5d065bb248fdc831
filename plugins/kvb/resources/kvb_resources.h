#pragma once
#include <span>

#include "plugins/kvb/resources/kvb_resource_ids.h"
#include "shared/dialog_template.h"

// What the plug-in carries besides its code: its page templates and its bitmaps. The host finds
// them through the export Resources; the pages take their bitmaps from here directly.
const ResourceTable& KvbResources();

extern const std::span<const DialogTemplate> kKvbDialogs;
extern const std::span<const BitmapResource> kKvbBitmaps;
