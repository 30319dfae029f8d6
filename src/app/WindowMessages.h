#pragma once

// Every private window message of the program, in one place. None is registered with the
// system; none carries parameters except NotifyIconCallback.
namespace WindowMessages {
constexpr unsigned User = 0x0400; // WM_USER

// Worker to hidden window: reports are queued that should be shown now.
constexpr unsigned ReportsQueued = User + 100; // 1124
// Worker to hidden window, at the end of every batch.
constexpr unsigned BatchFinished = User + 101; // 1125
// City picker to its owner, the options dialog: a city was picked (OK) ...
constexpr unsigned CityPicked = User + 110; // 1134
// ... or nothing was (Cancel).
constexpr unsigned CityPickCancelled = User + 111; // 1135
// The shell to the hidden window: mouse event on the notification icon.
constexpr unsigned NotifyIconCallback = User + 120; // 1144
// A second desktop start to the running instance: show the notification icon again.
constexpr unsigned SecondDesktopStart = User + 130; // 1154
// A screen-saver configuration start to the running desktop instance: open the options.
constexpr unsigned ConfigurationStart = User + 131; // 1155
// A support tool to the hidden window: one figure of the running program as the message's
// result (app/Diagnostics.h); the soak harness samples them. Sent, never posted.
constexpr unsigned Diagnostics = User + 140; // 1164
} // namespace WindowMessages
