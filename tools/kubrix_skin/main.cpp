// kubrix-skin: the skin author's tool, on the game's own package and script code.
#include "kubrix_skin/skin_tool.h"

#include <iostream>

int main(int argc, char** argv)
{
    return kubrix::runSkinTool(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                               std::cerr);
}
