#include "conversions.h"

#include <memory>

#include "host/core/database/position_conversions.h"
#include "host/core/database/satellite_conversions.h"
#include "host/core/database/time_conversions.h"
#include "host/core/database/velocity_conversions.h"

void AddConversions(CStorageDatabase& database) {
    database.AddConversion(std::make_unique<CTimeUtcToGps>(), u"Time UTC to GPS");
    database.AddConversion(std::make_unique<CTimeGpsToUtc>(), u"Time GPS to UTC");
    database.AddConversion(std::make_unique<CPositionEcefToLlh>(), u"Position ECEF to LLH");
    database.AddConversion(std::make_unique<CPositionAltitude>(), u"Position Altitude");
    database.AddConversion(std::make_unique<CPositionLlhToEcef>(), u"Position LLH to ECEF");
    database.AddConversion(CVelocityRotation::EcefToLtp(), u"Velocity ECEF to LTP");
    database.AddConversion(std::make_unique<CVelocityCourseToLtp>(), u"Velocity COG/SOG to LTP");
    database.AddConversion(CVelocityRotation::LtpToEcef(), u"Velocity LTP to ECEF");
    database.AddConversion(std::make_unique<CVelocityLtpToCourse>(), u"Velocity LTP to COG/SOG/Speed");
    database.AddConversion(std::make_unique<CMagneticCourse>(), u"COG to COG (Mag)");
    database.AddConversion(std::make_unique<CSatelliteCno>(), u"Satellite CNO");
    database.AddConversion(std::make_unique<CSatelliteListConversion>(CSatelliteListConversion::kUsed),
                           u"Satellite List");
    database.AddConversion(std::make_unique<CSatelliteListConversion>(CSatelliteListConversion::kTracked),
                           u"Satellite Tracked");
}
