// The sound tests' entry: OpenAL Soft is pointed at its wave back end before anything opens it.
#include "platform/audio/sound_output.h"
#include "support/gui_leak_check.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace kubrix::test {

std::filesystem::path soundOutputPath()
{
    static const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("kubrix-sound-" + std::to_string(::getpid()));
    return folder / "out.wav";
}

} // namespace kubrix::test

int main(int argc, char** argv)
{
    // A test may ask for another back end (none at all, say) through the environment; OpenAL
    // reads its configuration once per process, so it must be set before the first device.
    if (std::getenv("ALSOFT_DRIVERS") == nullptr ||
        std::string(std::getenv("ALSOFT_DRIVERS")) == "null") {
        const auto output = kubrix::test::soundOutputPath();
        std::filesystem::create_directories(output.parent_path());
        const auto conf = output.parent_path() / "alsoft.conf";
        // No frequency: the device chooses its own from the skin, and a configured one would win.
        std::ofstream(conf) << "[general]\nchannels = mono\nsample-type = int16\n"
                               "[wave]\nfile = "
                            << output.string() << "\n";
        ::setenv("ALSOFT_CONF", conf.c_str(), 1);
        ::setenv("ALSOFT_DRIVERS", "wave", 1);
    }
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(kubrix::test::soundOutputPath().parent_path(), ignored);
    return status;
}
