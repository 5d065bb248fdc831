#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "host/core/database/conversion_entries.h"

// "Velocity ECEF to LTP" and "Velocity LTP to ECEF": a velocity turned from one frame into the
// other at the current latitude and longitude.
class CVelocityRotation : public CConversion {
public:
    using Vector = std::array<double, 3>;
    using Ids = std::array<uint16_t, 3>;
    using Rotate = Vector (*)(const Vector& v, double latitude, double longitude);

    static std::unique_ptr<CVelocityRotation> EcefToLtp();
    static std::unique_ptr<CVelocityRotation> LtpToEcef();

    CVelocityRotation(Ids inputIds, Ids outputIds, Rotate rotate);
    void Bind(CStorageDatabase& database) override;
    bool Run() override;

private:
    Ids inputIds;
    Ids outputIds;
    Rotate rotate;
    std::array<CStorageValue*, 3> inputs{};
    std::array<CStorageValue*, 3> outputs{};
    CStorageValue* latitude = nullptr;
    CStorageValue* longitude = nullptr;
};

// "Velocity COG/SOG to LTP": north and east velocity from course and speed over ground.
class CVelocityCourseToLtp : public CConversion {
public:
    void Bind(CStorageDatabase& database) override;
    bool Run() override;

private:
    CStorageValue* course = nullptr;
    CStorageValue* speedOverGround = nullptr;
    CStorageValue* north = nullptr;
    CStorageValue* east = nullptr;
};

// "Velocity LTP to COG/SOG/Speed": speed over ground, a course once moving at 1 m/s or more, and
// the 3D speed when the down velocity is known too.
class CVelocityLtpToCourse : public CConversion {
public:
    void Bind(CStorageDatabase& database) override;
    bool Run() override;

private:
    CStorageValue* north = nullptr;
    CStorageValue* east = nullptr;
    CStorageValue* down = nullptr;
    CStorageValue* speedOverGround = nullptr;
    CStorageValue* course = nullptr;
    CStorageValue* speed = nullptr;
};

// "COG to COG (Mag)": the third of true course, magnetic course and declination from the other two.
class CMagneticCourse : public CConversion {
public:
    void Bind(CStorageDatabase& database) override;
    bool Run() override;

private:
    CStorageValue* trueCourse = nullptr;
    CStorageValue* magneticCourse = nullptr;
    CStorageValue* declination = nullptr;
};
