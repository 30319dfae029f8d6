#pragma once
#include "core/DateTime.h"
#include "core/Nullable.h"

// Sunrise and sunset after the NOAA solar calculator (Meeus, Astronomical Algorithms). Every
// constant and the order of the arithmetic matter: the day/night mask and the city icons must
// come out the same everywhere. Angles are degrees except where a name says radians; latitude is
// north positive, longitude east positive at the interface and west positive inside.
class CSun {
public:
    // The zenith of official sunrise and sunset, and the twilight zeniths, in degrees.
    static constexpr double OfficialZenith = 90.8333;
    static constexpr double CivilZenith = 96;
    static constexpr double NauticalZenith = 102;

    // Minutes after 0:00 UTC of the date at which the sun crosses the zenith. The rise is
    // normalised into [0, 1440) and the set is rise plus the day length, so it may reach into the
    // next day. Crosses is false when the sun stays above or below the zenith all day.
    struct CrossingMinutes {
        bool Crosses = false;
        double Rise = 0;
        double Set = 0;
    };

    // Only the date's year, month and day are used; the results keep its kind. Both stay empty
    // when the sun does not cross the zenith on that date at that latitude.
    static void GetSunriseSunset(double latitude, double longitude, const DateTime& date, double cosZenith,
                                 Nullable<DateTime>& sunrise, Nullable<DateTime>& sunset);
    static CrossingMinutes GetSunriseSunsetMinutes(double latitude, double longitude, const DateTime& date,
                                                   double cosZenith);
    static bool IsPolarDay(const DateTime& date, double latitude);
    // Daylight here means the sun above civil twilight.
    static bool IsDaytime(double latitude, double longitude, const DateTime& nowUtc);

    static double DegToRad(double degrees);
    static double RadToDeg(double radians);

    static double JulianDay(int year, int month, int day);
    static double JulianCentury(double jd);
    static double JulianDayFromCentury(double t);
    static double GeomMeanLongSun(double t);
    static double GeomMeanAnomalySun(double t);
    static double EccentricityEarthOrbit(double t);
    static double SunEquationOfCenter(double t);
    static double SunTrueLongitude(double t);
    static double SunApparentLongitude(double t);
    static double MeanObliquityOfEcliptic(double t);
    static double ObliquityCorrection(double t);
    static double SunDeclination(double t);
    static double EquationOfTime(double t);                                                // minutes
    static double HourAngleSunrise(double latitude, double declination, double cosZenith); // radians
    static double HourAngleSunset(double latitude, double declination, double cosZenith);  // radians
    static double SolarNoonUtc(double t, double longitudeWest);                            // minutes
    static double SunriseUtc(double jd, double latitude, double longitudeWest, double cosZenith);
    static double SunsetUtc(double jd, double latitude, double longitudeWest, double cosZenith);

    // The part of the rise and set computation that depends only on the date and the longitude:
    // the equation of time and declination at solar noon. Reusing it for many latitudes and
    // zeniths gives exactly the same minutes as starting afresh each time.
    struct NoonTerms {
        double JulianDay;
        double LongitudeWest;
        double EquationOfTime;
        double Declination;
        double CosDeclination; // of the declination in radians
        double TanDeclination;
    };
    static NoonTerms NoonAt(double jd, double longitudeWest);
    static double SunriseUtc(const NoonTerms& noon, double latitude, double cosZenith);
    static double SunsetUtc(const NoonTerms& noon, double latitude, double cosZenith);

    // The checks, clamping and normalisation of GetSunriseSunsetMinutes over precomputed noon
    // terms; the latitude and longitude are those given by the caller.
    static CrossingMinutes CrossingsAt(const NoonTerms& noon, double latitude, double cosZenith);
    static void CheckCoordinates(double latitude, double longitude);
};
