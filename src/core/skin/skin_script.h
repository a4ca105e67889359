// The skin script language: one statement per line, "VARIABLE[INDEX] = value".
#pragma once

#include <array>
#include <cstddef>
#include <istream>
#include <string>
#include <string_view>

namespace kubrix {

// The index names of each variable, in slot order.
inline constexpr std::array<std::string_view, 4> kInfoIndexNames{"AUTHOR", "EMAIL", "WEB", "NAME"};
inline constexpr std::array<std::string_view, 9> kSoundIndexNames{
    "GAMEOVER", "HISCORE", "MARKED", "QUESTION", "SAFE", "START", "UNMARK", "WIN", "MUSIC"};
inline constexpr std::array<std::string_view, 2> kImageIndexNames{"TEXTURE", "TILES"};

// Variables in their order; an index is the slot within its variable's group.
enum class ScriptVariable { SaveTo = 0, Info = 1, Sound = 2, Image = 3 };

struct ScriptStatement {
    ScriptVariable variable = ScriptVariable::SaveTo;
    int index = -1; // -1 for SAVETO, which takes none
    std::string value;
};

struct SplitStatement {
    std::string variable;
    std::string index;
    std::string value;
};

struct ScriptStep {
    enum class Kind { Statement, End, Error };
    Kind kind = Kind::End;
    ScriptStatement statement;
    std::string error;  // the game's message, which names the line
    std::string detail; // the same fault told to the script's author, without the line
};

// The largest script the compiler reads; a real one is a few hundred bytes.
inline constexpr std::size_t kMaxScriptBytes = 1024 * 1024;

// Reads lines until a statement, an error or the end; comments and blank lines are skipped and
// counted. Lines end at LF, CR LF or a lone CR; a last line without an end is read like any
// other.
ScriptStep readStatement(std::istream& script, int& lineCounter);
// Splits at the first "="; false with the error text when the bracketed index is malformed.
bool splitStatement(std::string_view line, int lineNumber, SplitStatement& parts,
                    std::string& error);
// An error text with its line number: the first "%d" of format becomes the number.
std::string withLine(std::string_view format, int line);

} // namespace kubrix
