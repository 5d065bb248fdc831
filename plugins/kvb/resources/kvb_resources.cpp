#include "plugins/kvb/resources/kvb_resources.h"

const ResourceTable& KvbResources() {
    static const ResourceTable table{kKvbDialogs, {}, kKvbBitmaps};
    return table;
}
