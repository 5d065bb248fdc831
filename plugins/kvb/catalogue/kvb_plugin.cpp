#include "plugins/kvb/catalogue/kvb_plugin.h"

KvbPluginState& KvbPlugin() {
    static KvbPluginState state;
    return state;
}
