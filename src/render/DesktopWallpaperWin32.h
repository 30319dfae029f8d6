#pragma once
#include "render/GraphicsWin32.h"

#include <string>

class COptions;

// The weather picture as the desktop wallpaper, and the user's own wallpaper put back. The
// user's settings are remembered once for the process; everything is per user.

// Remembers the wallpaper file, "WallpaperStyle" and "TileWallpaper" of this moment. A file
// inside the program's wallpaper folder was left by an earlier run: it is forgotten and the
// desktop gets no wallpaper. Failures are swallowed.
void SaveUserWallpaper(const std::wstring& wallpaperFolder);
// Puts the remembered settings back; a style value that did not exist is removed again.
void RestoreUserWallpaper();
// Deletes every file of the folder that is neither a folder nor a system file.
void ClearWallpaperFolder(const std::wstring& folder);
// Writes "WallpaperStyle" and "TileWallpaper" and installs the file ("" for none).
void SetWallpaper(const std::wstring& style, const std::wstring& tile, const std::wstring& path);
// Saves the picture as the first free "E%i.bmp" (i below 100) in the folder, installs it
// stretched, and deletes the folder's other files, so the names alternate E0, E1, E0. False
// when nothing could be saved; the installed wallpaper is then left as it was.
bool SaveAndApplyWallpaper(const CBitmap& bitmap, const std::wstring& folder);
// The desktop mode's refresh: the weather picture of the home city as the wallpaper, or the
// user's own when the option is off, there is no home city, or the picture cannot be made.
void RefreshWallpaper(const COptions& options, const std::wstring& wallpaperFolder);
