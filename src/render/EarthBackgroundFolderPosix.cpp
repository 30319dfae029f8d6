#include "core/Encoding.h"
#include "render/EarthBackground.h"
#include "render/EarthBackgroundFolder.h"

#include <dirent.h>
#include <optional>
#include <stdexcept>
#include <sys/stat.h>

namespace {
class Directory {
public:
    explicit Directory(DIR* value) : value_(value) {}
    ~Directory() {
        if (value_ != nullptr) {
            closedir(value_);
        }
    }
    Directory(const Directory&) = delete;
    Directory& operator=(const Directory&) = delete;
    DIR* Get() const { return value_; }

private:
    DIR* value_;
};

// File names come as UTF-8 bytes; a name that is not valid UTF-8 cannot be named in wide text
// and is left out.
std::optional<std::wstring> FromUtf8(const std::string& bytes) {
    std::wstring text;
    for (size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int extra = lead < 0x80           ? 0
                          : (lead >> 5) == 0x6  ? 1
                          : (lead >> 4) == 0xE  ? 2
                          : (lead >> 3) == 0x1E ? 3
                                                : -1;
        if (extra < 0 || bytes.size() - i <= static_cast<size_t>(extra)) {
            return std::nullopt;
        }
        char32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + static_cast<size_t>(k)]);
            if ((next & 0xC0) != 0x80) {
                return std::nullopt;
            }
            code = code << 6 | (next & 0x3F);
        }
        constexpr char32_t Smallest[] = {0, 0x80, 0x800, 0x10000};
        if (code < Smallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return std::nullopt;
        }
        if (sizeof(wchar_t) == 2 && code >= 0x10000) {
            text.push_back(static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10)));
            text.push_back(static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            text.push_back(static_cast<wchar_t>(code));
        }
        i += static_cast<size_t>(extra) + 1;
    }
    return text;
}

bool IsFile(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode);
}
} // namespace

bool BackgroundFileExists(const std::wstring& path) {
    try {
        return IsFile(ToUtf8(path));
    } catch (const std::range_error&) {
        return false;
    }
}

// Here a hidden file is one whose name starts with a point, which also leaves out "." and "..".
void ListBackgrounds(const std::wstring& earthFolder, std::vector<std::wstring>& names) {
    names.clear();
    std::string folder;
    try {
        folder = ToUtf8(earthFolder);
    } catch (const std::range_error&) {
        return;
    }
    Directory directory(::opendir(folder.c_str()));
    if (directory.Get() == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(directory.Get())) {
        const std::string name = entry->d_name;
        if (name.empty() || name[0] == '.' || !IsFile(folder + name)) {
            continue;
        }
        if (std::optional<std::wstring> wide = FromUtf8(name)) {
            names.push_back(std::move(*wide));
        }
    }
}
