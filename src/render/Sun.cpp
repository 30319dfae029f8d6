#include "render/Sun.h"

#include "core/ApplicationException.h"

#include <cmath>

namespace {
constexpr double Pi = 3.141592653589793;

// Minutes into [0, 1440): whole days are added to a negative value before the remainder.
double NormaliseMinutes(double minutes) {
    if (minutes < 0) {
        minutes += 1440 - static_cast<int>(std::trunc(minutes)) / 1440 * 1440;
    }
    return std::fmod(minutes, 1440);
}
} // namespace

double CSun::DegToRad(double degrees) {
    return degrees * Pi / 180;
}

double CSun::RadToDeg(double radians) {
    return radians * 180 / Pi;
}

double CSun::JulianDay(int year, int month, int day) {
    if (month <= 2) {
        year -= 1;
        month += 12;
    }
    return std::floor(365.25 * (year + 4716)) + std::floor(30.6001 * (month + 1)) + day +
           (year / 400 - year / 100 + 2) - 1524.5;
}

double CSun::JulianCentury(double jd) {
    return (jd - 2451545) / 36525;
}

double CSun::JulianDayFromCentury(double t) {
    return t * 36525 + 2451545;
}

double CSun::GeomMeanLongSun(double t) {
    double l0 = 280.46646 + t * (36000.76983 + 0.0003032 * t);
    if (l0 < 0) {
        l0 += std::trunc(l0 / -360) * 360 + 360;
    }
    return std::fmod(l0, 360);
}

double CSun::GeomMeanAnomalySun(double t) {
    return 357.52911 + t * (35999.05029 - 0.0001537 * t);
}

double CSun::EccentricityEarthOrbit(double t) {
    return 0.016708634 - t * (0.000042037 + 0.0000001267 * t);
}

double CSun::MeanObliquityOfEcliptic(double t) {
    return 23 + (26 + (21.448 - t * (46.815 + t * (0.00059 - t * 0.001813))) / 60) / 60;
}

// Each formula is written once, over the sines and cosines it needs, so that the named steps
// and the shared evaluation in SunAt compute bit for bit the same values.
namespace {

double Omega(double t) {
    return 125.04 - 1934.136 * t;
}

struct AnomalySines {
    double m;
    double sinM;
    double sin2M;
};

AnomalySines Anomaly(double t) {
    double m = CSun::GeomMeanAnomalySun(t);
    return {m, std::sin(CSun::DegToRad(m)), std::sin(CSun::DegToRad(2 * m))};
}

double EquationOfCenter(double t, const AnomalySines& a) {
    return a.sinM * (1.914602 - t * (0.004817 + 0.000014 * t)) + a.sin2M * (0.019993 - 0.000101 * t) +
           std::sin(CSun::DegToRad(3 * a.m)) * 0.000289;
}

double ApparentLongitude(double trueLongitude, double omega) {
    return trueLongitude - 0.00569 - 0.00478 * std::sin(CSun::DegToRad(omega));
}

double Obliquity(double t, double omega) {
    return CSun::MeanObliquityOfEcliptic(t) + 0.00256 * std::cos(CSun::DegToRad(omega));
}

double Declination(double epsilon, double lambda) {
    return CSun::RadToDeg(std::asin(std::sin(CSun::DegToRad(epsilon)) * std::sin(CSun::DegToRad(lambda))));
}

double EquationOfTimeFrom(double t, double epsilon, double l0, const AnomalySines& a) {
    double e = CSun::EccentricityEarthOrbit(t);
    double y = std::tan(CSun::DegToRad(epsilon / 2));
    y *= y;
    double sin2l0 = std::sin(CSun::DegToRad(2 * l0));
    double cos2l0 = std::cos(CSun::DegToRad(2 * l0));
    double sin4l0 = std::sin(CSun::DegToRad(4 * l0));
    double eq = y * sin2l0 - 2 * e * a.sinM + 4 * e * y * a.sinM * cos2l0 - 0.5 * y * y * sin4l0 -
                1.25 * e * e * a.sin2M;
    return 4 * CSun::RadToDeg(eq);
}

// acos(cosZ / (cos(lat) cos(decl)) - tan(lat) tan(decl)), with the cosines and tangents of the
// latitude and declination (in radians) taken by the caller.
double HourAngle(double cosLat, double tanLat, double cosDecl, double tanDecl, double cosZenith) {
    // Outside [-1, 1] acos gives NaN: the sun does not reach the zenith that day.
    return std::acos(cosZenith / (cosLat * cosDecl) - tanLat * tanDecl);
}

// Declination and equation of time at one instant, sharing the terms they have in common.
struct SunPosition {
    double declination;
    double equationOfTime;
};

SunPosition SunAt(double t) {
    double omega = Omega(t);
    double epsilon = Obliquity(t, omega);
    double l0 = CSun::GeomMeanLongSun(t);
    AnomalySines a = Anomaly(t);
    double lambda = ApparentLongitude(l0 + EquationOfCenter(t, a), omega);
    return {Declination(epsilon, lambda), EquationOfTimeFrom(t, epsilon, l0, a)};
}

struct LatitudeTerms {
    double cosLat;
    double tanLat;
};

LatitudeTerms LatitudeAt(double latitude) {
    double latRad = CSun::DegToRad(latitude);
    return {std::cos(latRad), std::tan(latRad)};
}

// Step 16 for either event: sign +1 uses the sunrise hour angle, -1 the sunset one.
double EventUtc(const CSun::NoonTerms& noon, const LatitudeTerms& lat, double cosZenith, double sign) {
    double ha = sign * HourAngle(lat.cosLat, lat.tanLat, noon.CosDeclination, noon.TanDeclination, cosZenith);
    double m1 = 720 + 4 * (noon.LongitudeWest - CSun::RadToDeg(ha)) - noon.EquationOfTime;
    double t1 = CSun::JulianCentury(noon.JulianDay + m1 / 1440);
    SunPosition sun = SunAt(t1);
    double sdRad = CSun::DegToRad(sun.declination);
    double ha1 = sign * HourAngle(lat.cosLat, lat.tanLat, std::cos(sdRad), std::tan(sdRad), cosZenith);
    return 720 + 4 * (noon.LongitudeWest - CSun::RadToDeg(ha1)) - sun.equationOfTime;
}

} // namespace

double CSun::SunEquationOfCenter(double t) {
    return EquationOfCenter(t, Anomaly(t));
}

double CSun::SunTrueLongitude(double t) {
    return GeomMeanLongSun(t) + SunEquationOfCenter(t);
}

double CSun::SunApparentLongitude(double t) {
    return ApparentLongitude(SunTrueLongitude(t), Omega(t));
}

double CSun::ObliquityCorrection(double t) {
    return Obliquity(t, Omega(t));
}

double CSun::SunDeclination(double t) {
    return Declination(ObliquityCorrection(t), SunApparentLongitude(t));
}

double CSun::EquationOfTime(double t) {
    return EquationOfTimeFrom(t, ObliquityCorrection(t), GeomMeanLongSun(t), Anomaly(t));
}

double CSun::HourAngleSunrise(double latitude, double declination, double cosZenith) {
    LatitudeTerms lat = LatitudeAt(latitude);
    double sdRad = DegToRad(declination);
    return HourAngle(lat.cosLat, lat.tanLat, std::cos(sdRad), std::tan(sdRad), cosZenith);
}

double CSun::HourAngleSunset(double latitude, double declination, double cosZenith) {
    return -HourAngleSunrise(latitude, declination, cosZenith);
}

double CSun::SolarNoonUtc(double t, double longitudeWest) {
    double tnoon = JulianCentury(JulianDayFromCentury(t) + longitudeWest / 360);
    double noon = 720 + 4 * longitudeWest - EquationOfTime(tnoon);
    double t2 = JulianCentury(JulianDayFromCentury(t) - 0.5 + noon / 1440);
    return 720 + 4 * longitudeWest - EquationOfTime(t2);
}

CSun::NoonTerms CSun::NoonAt(double jd, double longitudeWest) {
    double tn = JulianCentury(jd + SolarNoonUtc(JulianCentury(jd), longitudeWest) / 1440);
    SunPosition sun = SunAt(tn);
    double sdRad = DegToRad(sun.declination);
    return NoonTerms{
        jd, longitudeWest, sun.equationOfTime, sun.declination, std::cos(sdRad), std::tan(sdRad)};
}

double CSun::SunriseUtc(const NoonTerms& noon, double latitude, double cosZenith) {
    return EventUtc(noon, LatitudeAt(latitude), cosZenith, 1);
}

double CSun::SunsetUtc(const NoonTerms& noon, double latitude, double cosZenith) {
    return EventUtc(noon, LatitudeAt(latitude), cosZenith, -1);
}

double CSun::SunriseUtc(double jd, double latitude, double longitudeWest, double cosZenith) {
    return SunriseUtc(NoonAt(jd, longitudeWest), latitude, cosZenith);
}

double CSun::SunsetUtc(double jd, double latitude, double longitudeWest, double cosZenith) {
    return SunsetUtc(NoonAt(jd, longitudeWest), latitude, cosZenith);
}

void CSun::CheckCoordinates(double latitude, double longitude) {
    // Written to fail for NaN too: a NaN position would otherwise pass as "no sunrise".
    if (!(latitude >= -90 && latitude <= 90 && longitude >= -180 && longitude <= 180)) {
        ThrowArgumentException("CSun::GetSunriseSunset (389)");
    }
}

CSun::CrossingMinutes CSun::CrossingsAt(const NoonTerms& noon, double latitude, double cosZenith) {
    // The poles themselves make the hour angle degenerate.
    if (latitude < -89) {
        latitude = -89;
    } else if (latitude > 89) {
        latitude = 89;
    }
    LatitudeTerms lat = LatitudeAt(latitude);
    double rise = EventUtc(noon, lat, cosZenith, 1);
    double set = EventUtc(noon, lat, cosZenith, -1);
    CrossingMinutes result;
    if (std::isnan(rise) || std::isnan(set)) {
        return result;
    }
    rise = NormaliseMinutes(rise);
    if (!(rise >= 0 && rise < 1440)) {
        ThrowApplicationException("CSun::GetSunriseSunset (427)");
    }
    double length = NormaliseMinutes(set - rise);
    if (!(length > 0 && length < 1440)) {
        ThrowApplicationException("CSun::GetSunriseSunset (441)");
    }
    result.Crosses = true;
    result.Rise = rise;
    result.Set = rise + length;
    return result;
}

CSun::CrossingMinutes CSun::GetSunriseSunsetMinutes(double latitude, double longitude, const DateTime& date,
                                                    double cosZenith) {
    CheckCoordinates(latitude, longitude);
    NoonTerms noon = NoonAt(JulianDay(date.Year(), date.Month(), date.Day()), -longitude);
    return CrossingsAt(noon, latitude, cosZenith);
}

void CSun::GetSunriseSunset(double latitude, double longitude, const DateTime& date, double cosZenith,
                            Nullable<DateTime>& sunrise, Nullable<DateTime>& sunset) {
    sunrise = Nullable<DateTime>();
    sunset = Nullable<DateTime>();
    CrossingMinutes minutes = GetSunriseSunsetMinutes(latitude, longitude, date, cosZenith);
    if (!minutes.Crosses) {
        return;
    }
    DateTime midnight = date.Date();
    sunrise = midnight + TimeSpan::FromMinutes(minutes.Rise);
    sunset = midnight + TimeSpan::FromMinutes(minutes.Set);
}

bool CSun::IsPolarDay(const DateTime& date, double latitude) {
    int dayOfYear = date.DayOfYear();
    if (latitude > 0) {
        return dayOfYear >= 81 && dayOfYear <= 264;
    }
    if (latitude < 0) {
        return dayOfYear < 80 || dayOfYear > 265;
    }
    ThrowApplicationException("CSun::IsPolarDay (502)");
}

bool CSun::IsDaytime(double latitude, double longitude, const DateTime& nowUtc) {
    Nullable<DateTime> rise;
    Nullable<DateTime> set;
    GetSunriseSunset(latitude, longitude, nowUtc, std::cos(DegToRad(CivilZenith)), rise, set);
    if (!rise.HasValue() || !set.HasValue()) {
        return IsPolarDay(nowUtc, latitude);
    }
    // Daylight of this UTC date may have begun on the previous UTC day or end on the next.
    const TimeSpan day(TimeSpan::TicksPerDay);
    DateTime r = rise.Value();
    DateTime s = set.Value();
    return (nowUtc >= r && nowUtc <= s) || (nowUtc >= r - day && nowUtc <= s - day) ||
           (nowUtc >= r + day && nowUtc <= s + day);
}
