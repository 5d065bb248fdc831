#pragma once
#include <limits>

#include "shared/axis_ticks.h"
#include "shared/epoch_history.h"
#include "shared/storage.h"

// A named floating-point value with its unit, format and display range.
class VELTRO_EXPORT CStorageValue : public CStorage {
    VELTRO_DECLARE_CLASS(CStorageValue)

public:
    using CStorage::CStorage;

    std::u16string FormatCurrent() const override;
    std::u16string FormatSnapshotValue(const CEpochHistory& history, const CEpochSnapshot& snapshot) const override;
    void SaveSnapshot(const CEpochHistory& history, CEpochSnapshot& snapshot) override;
    void Reset() override;

    // Stores v with flag; NaN is ignored. True when the entry was not valid before or changed.
    virtual bool SetValue(double v, uint8_t flag);
    virtual bool SetValue(double v);
    virtual bool IsSameValue(double v) const;
    virtual bool SetValueMarked(double v);
    // The stored value while the entry ever had one (valid now or in a closed epoch), else NaN.
    virtual double GetValue() const;
    virtual std::u16string Format(double v) const;
    virtual const std::u16string& GetUnit() const;
    // Where a chart marks the range low … high of stored values; the general rule unless the
    // kind knows better steps.
    virtual AxisTicks ComputeAxis(double low, double high) const;
    virtual void SetSnapshotSlot(SnapshotSlot slot);
    virtual double GetSnapshotValue(const CEpochHistory& history, const CEpochSnapshot& snapshot) const;
    virtual void PutSnapshotValue(const CEpochHistory& history, CEpochSnapshot& snapshot, double v) const;

    void SetUnit(std::u16string text) { unit = std::move(text); }
    void SetFormat(std::u16string newFormat, std::u16string newNoValueText);
    void SetRange(double low, double high, double step);
    void GetRange(double& low, double& high, double& step) const;
    const std::u16string& GetFormat() const { return format; }
    const std::u16string& NoValueText() const { return noValueText; }
    bool HasSnapshotSlot() const { return snapshotSlot.index >= 0; }

protected:
    static constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

    std::u16string format = u"%f";
    std::u16string noValueText;
    SnapshotSlot snapshotSlot;
    double value = kNaN;
    double rangeLow = kNaN;
    double rangeHigh = kNaN;
    double rangeStep = kNaN;
    std::u16string unit;
};

struct StatisticsSummary {
    double minimum, maximum, average, deviation;
};

// A value with running statistics over the closed epochs in which it had a value.
class VELTRO_EXPORT CStorageValueStatistics : public CStorageValue {
    VELTRO_DECLARE_CLASS(CStorageValueStatistics)

public:
    using CStorageValue::CStorageValue;

    void SaveSnapshot(const CEpochHistory& history, CEpochSnapshot& snapshot) override;
    void Reset() override;

    virtual double GetMinimum() const;
    virtual double GetMaximum() const;
    virtual double GetAverage() const;
    virtual double GetDeviation() const;
    virtual std::u16string FormatMinimum() const;
    virtual std::u16string FormatMaximum() const;
    virtual std::u16string FormatAverage() const;
    virtual std::u16string FormatDeviation() const;

    StatisticsSummary GetStatistics() const;

private:
    double Samples() const;

    double sumOfSquares = 0;
    double sum = 0;
    double minimum = kNaN;
    double maximum = kNaN;
};

// GPS time in seconds since 1980-01-06, shown as week and time of week.
class VELTRO_EXPORT CStorageValueStatisticsTimeGPS : public CStorageValueStatistics {
    VELTRO_DECLARE_CLASS(CStorageValueStatisticsTimeGPS)

public:
    CStorageValueStatisticsTimeGPS(std::u16string name, std::u16string description);

    std::u16string Format(double v) const override;
    AxisTicks ComputeAxis(double low, double high) const override;

    // Week numbers counted modulo 1024 are carried into the era of the handheld's clock.
    bool SetGpsTime(double timeOfWeek, double week);
};

// UTC in seconds since 1970-01-01, shown with date tokens; remembers whether it carries a date.
class VELTRO_EXPORT CStorageValueStatisticsTimeUTC : public CStorageValueStatistics {
    VELTRO_DECLARE_CLASS(CStorageValueStatisticsTimeUTC)

public:
    CStorageValueStatisticsTimeUTC(std::u16string name, std::u16string description);

    std::u16string Format(double v) const override;
    AxisTicks ComputeAxis(double low, double high) const override;
    // The time with a format of the same tokens as the entry's own ("%H:%M:%s", "%m/%d/%Y").
    std::u16string FormatWith(const std::u16string& timeFormat, double v) const;
    void Reset() override;

    bool SetDateTime(double second, int minute, int hour, int day, int month, int year);
    bool SetTimeOfDay(double second, int minute, int hour);
    bool IsSameEpochDateTime(double second, int minute, int hour, int day, int month, int year) const;
    bool IsSameEpochTimeOfDay(double second, int minute, int hour) const;
    bool HasDate() const { return hasDate; }

private:
    bool IsSameEpochAs(double t, bool timeOfDayOnly) const;

    bool hasDate = false;
};

// The receiver's time tag: the time of week that groups messages into navigation epochs.
class VELTRO_EXPORT CStorageValueStatisticsTTAG : public CStorageValueStatistics {
    VELTRO_DECLARE_CLASS(CStorageValueStatisticsTTAG)

public:
    using CStorageValueStatistics::CStorageValueStatistics;

    AxisTicks ComputeAxis(double low, double high) const override;
};

// An angle stored in radians and shown in degrees.
class VELTRO_EXPORT CStorageValueStatisticsAngle : public CStorageValueStatistics {
    VELTRO_DECLARE_CLASS(CStorageValueStatisticsAngle)

public:
    CStorageValueStatisticsAngle(std::u16string name, std::u16string description);

    std::u16string Format(double v) const override;
    // Whole degrees, from 1 to 90.
    AxisTicks ComputeAxis(double low, double high) const override;

protected:
    virtual double DisplayDegrees(double radians) const;
};

// An angle shown from 0 to 360 degrees.
class VELTRO_EXPORT CStorageValueStatisticsAngle360 : public CStorageValueStatisticsAngle {
    VELTRO_DECLARE_CLASS(CStorageValueStatisticsAngle360)

public:
    using CStorageValueStatisticsAngle::CStorageValueStatisticsAngle;

protected:
    double DisplayDegrees(double radians) const override;
};

// Latitude or longitude with a choice of display: radians, grads, degrees, degrees and minutes,
// or degrees, minutes and seconds.
class VELTRO_EXPORT CStorageValueStatisticsAnglePosition : public CStorageValueStatisticsAngle {
    VELTRO_DECLARE_CLASS(CStorageValueStatisticsAnglePosition)

public:
    CStorageValueStatisticsAnglePosition(std::u16string name, std::u16string description);

    std::u16string Format(double v) const override;
    // In the unit shown: radians and grads by the general rule, minutes and seconds by whole ones.
    AxisTicks ComputeAxis(double low, double high) const override;
    void SetDisplayMode(int mode);
    int DisplayMode() const { return displayMode; }

private:
    int displayMode = 2;
};

// A small integer code shown as one of the choices of its format, separated by line feeds.
class VELTRO_EXPORT CStorageValueBitmask : public CStorageValue {
    VELTRO_DECLARE_CLASS(CStorageValueBitmask)

public:
    using CStorageValue::CStorageValue;

    std::u16string Format(double v) const override;
};
