// What the program's first argument asks for before any window opens.
#pragma once

#include <string_view>

namespace kubrix {

enum class LaunchRequest {
    // No argument, or one that is not a request (a file path, say): the game starts.
    Play,
    // The uninstaller's switch: the program leaves at once, silently.
    Exit,
    // "--help" and "--version": the program prints its text and leaves.
    Help,
    Version,
};

LaunchRequest launchRequestOf(std::string_view firstArgument);

// A first argument that begins with "u", or "-u" or "/u", asks the program to exit at once
// (an uninstaller's call). Only that one character counts, and only in lower case; but an
// argument with a further "/" is a path ("/usr/share/..."), never the switch.
bool isExitArgument(std::string_view firstArgument);

inline constexpr std::string_view kUsageText =
    "Usage: kubrix [--help | --version]\n"
    "Kubrix, the mine-finding puzzle on a block of cubes.\n"
    "\n"
    "  --help     show this text and exit\n"
    "  --version  show the version and exit\n"
    "\n"
    "Settings live in $XDG_CONFIG_HOME/Kubrix/Kubrix.ini (usually ~/.config/Kubrix/Kubrix.ini).\n";

} // namespace kubrix
