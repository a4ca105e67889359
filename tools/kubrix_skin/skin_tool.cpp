// The kubrix-skin command line.
#include "kubrix_skin/skin_tool.h"

#include "core/formats/packed_image.h"
#include "core/formats/skin_package.h"
#include "core/formats/wave_reader.h"
#include "core/skin/skin_script.h"
#include "core/skin/skin_script_compiler.h"
#include "kubrix_skin/skin_unpacker.h"

#include <filesystem>

namespace kubrix {

namespace {

constexpr const char* kUsage =
    R"(usage: kubrix-skin compile SCRIPT [--skin-dir DIR]
       kubrix-skin info PACKAGE
       kubrix-skin unpack PACKAGE DIR

compile  Checks the script and every sound and bitmap it names (relative to the script's
         folder) and, when all is well, writes the package that SAVETO names into DIR
         (default: the current folder). Every problem found is printed, one a line, as
         SCRIPT:LINE: message (SCRIPT: message when no one line is at fault); problems
         marked "warning:" still let the package be written. With any other problem no
         package is written and the exit status is 1. Nothing is applied and no settings
         are written.
info     Prints the package's four texts, its fifteen slots (offset and size), the size of
         its two images and the format of its nine sounds.
unpack   Writes skin.txt, the images as 24-bit BMP files with their masks (NAME_.bmp, alpha
         as grey) and the sounds as WAV files into DIR; compiling skin.txt rebuilds the
         package. Start a new skin from an installed one this way.
)";

int compile(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::filesystem::path folder = ".";
    if (args.size() == 4 && args[2] == "--skin-dir")
        folder = args[3];
    else if (args.size() != 2)
        return err << kUsage, 2;
    const SkinBuild build = checkSkinScript(args[1], folder);
    for (const SkinProblem& problem : build.problems) {
        err << args[1] << ":";
        if (problem.line > 0)
            err << problem.line << ":";
        err << (problem.warning ? " warning: " : " ") << problem.text << "\n";
    }
    if (!build.package)
        return 1;
    out << "kubrix-skin: wrote " << (folder / build.saveTo).string() << "\n";
    return 0;
}

void describeSound(const SkinPackage& package, int index, std::ostream& out)
{
    out << "sound " << kSoundIndexNames[std::size_t(index)] << " ";
    const auto bytes = package.soundBytes(index);
    if (bytes.empty()) {
        out << "empty\n";
        return;
    }
    WaveReader reader;
    if (reader.open(bytes.data(), bytes.size()) != WaveStatus::Ok) {
        out << "invalid\n";
        return;
    }
    const WaveFormat& f = reader.format();
    out << f.formatTag << " " << f.channels << " " << f.samplesPerSecond << " " << f.bitsPerSample
        << " " << reader.dataSize() << "\n";
}

int info(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.size() != 2)
        return err << kUsage, 2;
    const auto package = SkinPackage::loadPackage(args[1]);
    if (!package) {
        err << "The specified skin could not be loaded.\n";
        return 1;
    }
    out << "name: " << package->infoText(3) << "\n";
    out << "author: " << package->infoText(0) << "\n";
    out << "email: " << package->infoText(1) << "\n";
    out << "web: " << package->infoText(2) << "\n";
    for (int slot = 0; slot < SkinPackage::kSlotCount; ++slot)
        out << "slot " << slot << " " << package->slotOffset(slot) << " " << package->slotSize(slot)
            << "\n";
    for (int i = 0; i < SkinPackage::kImageSlots; ++i) {
        out << "image " << kImageIndexNames[std::size_t(i)] << " ";
        RgbaImage image;
        if (package->imageRecord(i).empty())
            out << "empty\n";
        else if (!unpack(package->imageRecord(i), image))
            out << "invalid\n";
        else
            out << image.width << "x" << image.height << "\n";
    }
    for (int i = 0; i < SkinPackage::kSoundSlots; ++i)
        describeSound(*package, i, out);
    return 0;
}

int unpackCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.size() != 3)
        return err << kUsage, 2;
    const auto package = SkinPackage::loadPackage(args[1]);
    if (!package) {
        err << "The specified skin could not be loaded.\n";
        return 1;
    }
    if (!unpackSkin(*package, args[2], err)) {
        err << "kubrix-skin: could not write into " << args[2] << "\n";
        return 1;
    }
    out << "kubrix-skin: unpacked into " << args[2] << "\n";
    return 0;
}

} // namespace

int runSkinTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    if (arguments.empty())
        return err << kUsage, 2;
    const std::string& command = arguments.front();
    if (command == "--help" || command == "-h" || command == "help")
        return out << kUsage, 0;
    if (command == "compile")
        return compile(arguments, out, err);
    if (command == "info")
        return info(arguments, out, err);
    if (command == "unpack")
        return unpackCommand(arguments, out, err);
    err << "kubrix-skin: unknown command " << command << "\n" << kUsage;
    return 2;
}

} // namespace kubrix
