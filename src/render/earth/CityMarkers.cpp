#include "render/earth/CityMarkers.h"

std::vector<const City*> MarkerCities(const COptions& options) {
    std::vector<const City*> cities;
    if (!options.Cities.IsEmpty()) {
        for (const City& city : *options.Cities) {
            cities.push_back(&city);
        }
    }
    if (!options.HomeCity.IsEmpty()) {
        cities.push_back(options.HomeCity.Get());
    }
    return cities;
}

void DrawCityMarker(IMarkerCanvas& canvas, const City& city, const COptions& options, bool drawNames,
                    bool drawTemperatures, bool drawIcon, PixelPoint pixel) {
    const CCurrentWeather& weather = city.CurrentWeather;
    if (!weather.IsRecent()) {
        // Old weather is no weather: the place is only named.
        if (drawNames) {
            canvas.DrawLabel(city.DisplayName(), MarkerFont::CityName, options.ColorCityName,
                             StaleCityNameAt(pixel));
        }
        return;
    }
    const bool daytime = city.IsDaytime();
    int iconWidth = 0;
    int iconHeight = 0;
    const bool hasIcon = canvas.SmallIconSize(daytime, weather.WeatherCode, iconWidth, iconHeight);
    const MarkerIcon icon = MarkerIconAt(pixel, hasIcon, iconWidth, iconHeight, options.WeatherIconScale);
    if (drawIcon && hasIcon) {
        canvas.DrawSmallIcon(daytime, weather.WeatherCode, icon.Rect);
    }
    if (!drawNames && !drawTemperatures) {
        return;
    }
    const std::wstring name = options.DispalyCityName ? city.DisplayName() : std::wstring();
    const std::wstring temperature =
        options.DisplayCityTemprature ? weather.TempratureText(L"", options.UseMetricSystem) : std::wstring();
    if (!name.empty() && !temperature.empty()) {
        const TextSize nameSize = canvas.MeasureText(name, MarkerFont::CityName, BoxAlign::Far);
        const TextSize temperatureSize =
            canvas.MeasureText(temperature, MarkerFont::CityTemprature, BoxAlign::Near);
        const MarkerTextLine line = MarkerTextLineAt(pixel, icon, nameSize, temperatureSize);
        if (drawNames) {
            canvas.DrawLabel(name, MarkerFont::CityName, options.ColorCityName, line.Name);
        }
        if (drawTemperatures) {
            canvas.DrawLabel(temperature, MarkerFont::CityTemprature, options.ColorCityTemprature,
                             line.Temperature);
        }
        return;
    }
    const TextBox lone = LoneMarkerTextAt(pixel, icon);
    if (drawNames && !name.empty()) {
        canvas.DrawLabel(name, MarkerFont::CityName, options.ColorCityName, lone);
    }
    if (drawTemperatures && !temperature.empty()) {
        canvas.DrawLabel(temperature, MarkerFont::CityTemprature, options.ColorCityTemprature, lone);
    }
}

void DrawCityMarkers(IMarkerCanvas& canvas, const COptions& options, const PixelRect& picture) {
    const std::vector<const City*> cities = MarkerCities(options);
    std::vector<PixelPoint> pixels;
    pixels.reserve(cities.size());
    for (const City* city : cities) {
        pixels.push_back(ProjectToPicture(options.Region, city->Longitude, city->Latitude, picture));
    }
    const auto pass = [&](bool names, bool icons, bool temperatures) {
        for (size_t i = 0; i < cities.size(); ++i) {
            DrawCityMarker(canvas, *cities[i], options, names, temperatures, icons, pixels[i]);
        }
    };
    if (options.DispalyCityName) {
        pass(true, false, false);
    }
    pass(false, true, false);
    if (options.DisplayCityTemprature) {
        pass(false, false, true);
    }
}
