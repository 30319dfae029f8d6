#pragma once
#include "core/FontValue.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CityRecord;
class OutputFile;
class DateTime;
struct HWND__; // a window handle, without the Windows headers
template <class T> class Nullable;

// Parsers and writers of the 8-bit texts of the settings, station and weather files, and two
// path helpers. The parsers taking const char* read up to the NUL; their std::string overloads
// read the whole string, so an embedded NUL is an invalid character there.
class Util {
public:
    // Optional blanks, one optional sign, then digits; blanks between and after the digits are
    // ignored ("4 2" is 42). A value outside 32 bits throws OverflowException.
    static int ParseInt(const char* text);
    static int ParseInt(const std::string& text);
    // A decimal number ("." point, optional sign and exponent) between optional blanks. Zero
    // must be written with a leading "0"; infinities, NaN, hexadecimal and values out of the
    // double range are rejected.
    static double ParseDouble(const char* text);
    static double ParseDouble(const std::string& text);
    // The value of count digits from position. A position outside [0, size] or a count outside
    // [0, 9] throws std::out_of_range; the end of the text counts as a non-digit.
    static unsigned int ParseDigits(const std::string& text, int position, int count);
    // "YYYY-MM-DDTHH:MM:SS" at fixed positions, separators unchecked, anything after ignored.
    static DateTime ParseDateTime(const std::string& text);
    // "DDHHMMZ", dated by the reference when its day matches, else by the last three UTC days.
    static Nullable<DateTime> ParseDayHourMinute(const std::string& text,
                                                 const Nullable<DateTime>& reference);
    // Exactly "true" or "false".
    static void Parse(const char* text, bool& value);
    static void Parse(const std::string& text, bool& value);
    // "red,green,blue" (further fields ignored) as an opaque ARGB colour; each part keeps its
    // low 8 bits.
    static void Parse(const char* text, uint32_t& colour);
    static void Parse(const std::string& text, uint32_t& colour);
    // "family,size,style" (further fields ignored).
    static FontValue ParseFont(const char* text);
    static FontValue ParseFont(const std::string& text);
    // The fields between commas, empty ones included, untrimmed; at least one.
    static std::vector<std::string> SplitCommas(const std::string& text);

    static std::string ToString(int value);
    // Fixed with three decimals, "." as the point whatever the locale.
    static std::string ToString(double value);

    // Writers of settings values to an open file; each failed write throws. Writing a wide
    // string converts it to the ANSI code page. Pointers to text have their own overloads so
    // that a literal never ends up as a bool.
    static void WriteToFileAscii(OutputFile& file, const char* text);
    static void WriteToFileAscii(OutputFile& file, const std::string& bytes);
    static void WriteToFileAscii(OutputFile& file, bool value);
    static void WriteToFileAscii(OutputFile& file, int value);
    static void WriteToFileAscii(OutputFile& file, double value);
    static void WriteToFileAscii(OutputFile& file, const std::wstring& text);
    static void WriteToFileAscii(OutputFile& file, const wchar_t* text);
    static void WriteToFileAscii(OutputFile& file, const FontValue& font);
    // "red,green,blue"; alpha is not written. A name of its own, as a colour and an int would
    // otherwise be told apart by signedness alone.
    static void WriteColourToFileAscii(OutputFile& file, uint32_t colour);

    // One settings line: key "=" value CR LF.
    static void WriteLineToFileAscii(OutputFile& file, const char* key, bool value);
    static void WriteLineToFileAscii(OutputFile& file, const char* key, int value);
    static void WriteLineToFileAscii(OutputFile& file, const char* key, const std::wstring& value);
    static void WriteLineToFileAscii(OutputFile& file, const char* key, const wchar_t* value);
    static void WriteLineToFileAscii(OutputFile& file, const char* key, const FontValue& value);
    static void WriteLineToFileAscii(OutputFile& file, const char* key, const char* value) = delete;
    static void WriteColourLineToFileAscii(OutputFile& file, const char* key, uint32_t colour);

    // Windows only: asks the shell to open the address (a web page in the default browser)
    // with the wait cursor up meanwhile; the shell's refusal throws "Util::OpenUrl (29)".
    static void OpenUrl(HWND__* owner, const std::wstring& address);

    // The path with one trailing backslash.
    static std::wstring AppendBackslash(const std::wstring& path);
    // Creates the one folder unless it is there; its parent must exist. A file of that name
    // is a failure.
    static void EnsureDirectoryExists(const std::wstring& path);

    // Windows only, with the desktop integration.
    // The system folder with a trailing backslash, computed once; "Util::GetSystemDirectoryW (142)".
    static const std::wstring& GetSystemDirectoryW();
    // A string value: a key that cannot be opened throws "Util::RegGetKeyValue (176)", a value
    // that is no terminated string of under 520 characters "Util::RegGetKeyValue (178)".
    static void RegGetKeyValue(const std::wstring& subKey, std::wstring& text, struct HKEY__* rootKey,
                               const wchar_t* valueName);
    // Makes the file the user's screen saver and activates it; false on any failure.
    static bool SetScreenSaver(const std::wstring& path);

    // Windows only, with the options dialog's city lists.
    // Inserts a row with the text DisplayName, the data Id and sub-item 1 Details; a sorted list
    // view places it by its text. Answers the row's index; a failed insert throws
    // "Util::AddToListView (56)".
    static int AddToListView(const CityRecord& record, struct HWND__* listView);
    // Appends an item with the data; a failed insert throws "Util::AddToComboBox (35)".
    static int AddToComboBox(struct HWND__* comboBox, const std::wstring& text, int data);

private:
    static int ParseIntText(std::string_view text);
    static double ParseDoubleText(std::string_view text);
};
