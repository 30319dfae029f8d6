// Service definition of NOAA's National Digital Forecast Database SOAP service (ndfdXML.wsdl),
// the two operations the program knows of. soapcpp2 turns it into the client proxy
// ndfdXMLBindingProxy at build time; the generated files are build outputs.
//
// RPC style with SOAP encoding: every parameter is sent as text carrying its schema type, so
// the numbers and dates are formatted by the caller exactly as the service expects them.

//gsoap ns1 service name: ndfdXMLBinding
//gsoap ns1 service type: ndfdXMLPortType
//gsoap ns1 service port: https://digital.weather.gov/xml/SOAP_server/ndfdXMLserver.php
//gsoap ns1 service namespace: http://www.weather.gov/forecasts/xml/DWMLgen/wsdl/ndfdXML.wsdl
//gsoap ns1 service transport: http://schemas.xmlsoap.org/soap/http
//gsoap ns1 service style: rpc
//gsoap ns1 service encoding: encoded

/// xsd:decimal, sent as formatted text ("38.990").
typedef std::string xsd__decimal;
/// xsd:date, "YYYY-MM-DD".
typedef std::string xsd__date;
/// xsd:dateTime, sent as text.
typedef std::string xsd__dateTime;
/// xsd:integer, sent as text ("7").
typedef std::string xsd__integer;
/// "time-series" or "glance".
typedef std::string ns1__productType;

/// Which forecast elements NDFDgen returns, one flag each.
struct ns1__weatherParametersType {
    bool maxt;
    bool mint;
    bool temp;
    bool dew;
    bool pop12;
    bool qpf;
    bool sky;
    bool snow;
    bool wspd;
    bool wdir;
    bool wx;
    bool waveh;
    bool icons;
    bool rh;
    bool appt;
    bool incw34;
    bool incw50;
    bool incw64;
    bool cumw34;
    bool cumw50;
    bool cumw64;
    bool conhazo;
    bool ptornado;
    bool phail;
    bool ptstmwinds;
    bool pxtornado;
    bool pxhail;
    bool pxtstmwinds;
    bool ptotsvrtstm;
    bool pxtotsvrtstm;
    bool tmpabv14d;
    bool tmpblw14d;
    bool tmpabv30d;
    bool tmpblw30d;
    bool tmpabv90d;
    bool tmpblw90d;
    bool prcpabv14d;
    bool prcpblw14d;
    bool prcpabv30d;
    bool prcpblw30d;
    bool prcpabv90d;
    bool prcpblw90d;
    bool precipa_r;
    bool sky_r;
    bool td_r;
    bool temp_r;
    bool wdir_r;
    bool wspd_r;
    bool wwa;
    bool wgust;
};

//gsoap ns1 service method-action: NDFDgen http://www.weather.gov/forecasts/xml/DWMLgen/wsdl/ndfdXML.wsdl#NDFDgen
/// Forecast data of one point for a time span; the reply is a DWML document. Never called.
int ns1__NDFDgen(xsd__decimal latitude, xsd__decimal longitude, ns1__productType product,
                 xsd__dateTime startTime, xsd__dateTime endTime,
                 struct ns1__weatherParametersType* weatherParameters, std::string& dwmlOut);

//gsoap ns1 service method-action: NDFDgenByDay http://www.weather.gov/forecasts/xml/DWMLgen/wsdl/ndfdXML.wsdl#NDFDgenByDay
/// Forecast data of one point summarised over 12- or 24-hour periods from a start date; the
/// reply is a DWML document.
int ns1__NDFDgenByDay(xsd__decimal latitude, xsd__decimal longitude, xsd__date startDate,
                      xsd__integer numDays, std::string format, std::string& dwmlByDayOut);
