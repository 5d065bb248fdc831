#pragma once
#include "plugins/nmea/resources/nmea_dialogs.h"
#include "plugins/nmea/resources/nmea_logo.h"
#include "plugins/nmea/resources/nmea_strings.h"

// What the plug-in carries besides its code, as the host loads it through the module handle.
inline constexpr BitmapResource kNmeaBitmaps[] = {nmea_page::kLogoBitmap};
inline constexpr ResourceTable kNmeaResources{nmea_page::kDialogs, nmea_string::kStrings, kNmeaBitmaps};
