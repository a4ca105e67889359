// What the program's first argument asks for before any window opens.
#include "core/shell/command_line.h"

namespace kubrix {

LaunchRequest launchRequestOf(std::string_view firstArgument)
{
    if (firstArgument == "--help")
        return LaunchRequest::Help;
    if (firstArgument == "--version")
        return LaunchRequest::Version;
    return isExitArgument(firstArgument) ? LaunchRequest::Exit : LaunchRequest::Play;
}

bool isExitArgument(std::string_view firstArgument)
{
    if (!firstArgument.empty() && (firstArgument.front() == '-' || firstArgument.front() == '/'))
        firstArgument.remove_prefix(1);
    return !firstArgument.empty() && firstArgument.front() == 'u' &&
           firstArgument.find('/') == std::string_view::npos;
}

} // namespace kubrix
