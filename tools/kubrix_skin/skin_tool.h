// The kubrix-skin command line: compile a skin script, describe a package, unpack a package.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kubrix {

// arguments excludes the program name. Returns the process exit status.
int runSkinTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace kubrix
