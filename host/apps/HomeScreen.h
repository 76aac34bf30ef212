#pragma once
// What lies under the lock screen: the home screen (the wallpaper and the installed applications'
// icons in a grid of four columns, with their labels and badges) and, once an application has come
// to the front, that application's window (its name in a title bar, its icon large in the middle)
// above the home screen. Both are normal-level windows, below the lock screen's alert window and
// the status bar, so they show once the lock screen has gone.

#include <string>

namespace host {

// Made once at boot, after the icon classes are registered.
void makeHomeScreen();
// The front application's window replaces the previous one; nothing for an unknown identifier.
void showApplicationWindow(const std::string& bundleIdentifier);
// The artwork name of the wallpaper for this screen: tall screens have their own.
std::string wallpaperImageName();

} // namespace host
