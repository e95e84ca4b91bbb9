#pragma once
// The settings file of the main window: the box values of the settings page
// and the window's placement, kept from one run to the next in section
// "TMainForm" of an INI file. These functions work on the file's contents
// and plain values; the window glue reads and applies the real geometry.
#include "document/Layout.h"
#include "platform/ProfileFile.h"

#include <QString>
#include <optional>

namespace lw {

inline constexpr const char* kFormSection = "TMainForm";

struct WinPoint {
    int x = -1;
    int y = -1;
    bool operator==(const WinPoint&) const = default;
};

// Right and bottom are exclusive: right = left + width.
struct WinRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const WinRect&) const = default;
};

// Show commands of a window placement.
enum ShowCommand : int { SW_SHOWNORMAL = 1, SW_SHOWMINIMIZED = 2, SW_SHOWMAXIMIZED = 3 };

struct WindowPlacement {
    int flags = 0;
    int showCmd = SW_SHOWNORMAL;
    WinPoint minPosition;
    WinPoint maxPosition;
    WinRect normalPosition;
    bool operator==(const WindowPlacement&) const = default;
};

struct ScreenFacts {
    int width = 0; // pixels
    int height = 0;
    int pixelsPerInch = 96; // logical
};

enum class ShowState { Normal, Minimized, Maximized };

struct FormRestore {
    bool restored = false; // false: the file asked for nothing to be restored
    // The placement to apply, when the file holds one that fits this screen.
    std::optional<WindowPlacement> placement;
    ShowState show = ShowState::Normal;
};

// Writes every key of the section. `destroying`: the save happens while the
// window is being destroyed rather than on closing.
void saveFormSettings(ProfileFile& file, const WindowPlacement& placement, bool destroying,
                      const BoxLayout& box, const ScreenFacts& screen);

// Reads the section back. `current` is the window's geometry now; it fills
// in position parts that are not numbers. The box values are set through
// their clamping setters; a value that cannot be read keeps (or, for whole
// numbers, zeroes) only that value.
FormRestore restoreFormSettings(const ProfileFile& file, const ScreenFacts& screen,
                                const WinRect& current, BoxLayout& box);

// The settings file: the executable's name with ".INI" in the program's
// configuration folder.
QString defaultFormSettingsPath();

} // namespace lw
