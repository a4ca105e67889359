// The skin script language: line reading, comments, splitting and name lookup.
#include "core/skin/skin_script.h"

#include <array>
#include <cstdio>

namespace kubrix {

namespace {

constexpr std::array<std::string_view, 4> kVariables{"SAVETO", "INFO", "SOUND", "IMAGE"};

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string withLine(const char* format, int line)
{
    std::array<char, 128> text{};
    std::snprintf(text.data(), text.size(), format, line);
    return text.data();
}

bool isComment(std::string_view line)
{
    const std::string_view body = trimmed(line);
    return body.empty() || body.starts_with("//") || body.front() == ';' || body.front() == '\'';
}

template <std::size_t N>
int find(const std::array<std::string_view, N>& names, std::string_view name)
{
    for (std::size_t i = 0; i < N; ++i)
        if (names[i] == name)
            return static_cast<int>(i);
    return -1;
}

int indexOf(ScriptVariable variable, std::string_view index)
{
    switch (variable) {
    case ScriptVariable::Info:
        return find(kInfoIndexNames, index);
    case ScriptVariable::Sound:
        return find(kSoundIndexNames, index);
    case ScriptVariable::Image:
        return find(kImageIndexNames, index);
    case ScriptVariable::SaveTo:
        break;
    }
    return -1;
}

ScriptStep failure(std::string text)
{
    ScriptStep step;
    step.kind = ScriptStep::Kind::Error;
    step.error = std::move(text);
    return step;
}

} // namespace

bool splitStatement(std::string_view line, int lineNumber, SplitStatement& parts,
                    std::string& error)
{
    const std::size_t equals = line.find('=');
    std::string_view left = line.substr(0, equals);
    while (!left.empty() && isBlank(left.back()))
        left.remove_suffix(1);
    const std::string_view value =
        equals == std::string_view::npos ? std::string_view{} : line.substr(equals + 1);

    std::string_view variable = left;
    std::string_view index;
    const std::size_t open = left.find('[');
    if (open != std::string_view::npos) {
        const std::size_t close = left.find(']');
        if (open + 1 >= left.size() || close == std::string_view::npos ||
            close != left.size() - 1 || close < open) {
            error = withLine("Syntax Error. Bad index at line %d", lineNumber);
            return false;
        }
        variable = left.substr(0, open);
        index = left.substr(open + 1, close - open - 1);
    }
    parts = {std::string(trimmed(variable)), std::string(trimmed(index)),
             std::string(trimmed(value))};
    return true;
}

ScriptStep readStatement(std::istream& script, int& lineCounter)
{
    std::string line;
    // getline also returns a last line that has no line feed; that line counts like any other.
    while (std::getline(script, line)) {
        ++lineCounter;
        if (isComment(line))
            continue;
        if (line.find('=') == std::string::npos)
            return failure(
                withLine("Syntax Error Line %d. Missing Assignment Operator ('=').", lineCounter));
        SplitStatement parts;
        std::string error;
        if (!splitStatement(line, lineCounter, parts, error))
            return failure(error);
        const int variable = find(kVariables, parts.variable);
        if (variable < 0)
            return failure(withLine("Invalid variable specified line %d.", lineCounter));
        ScriptStep step;
        step.kind = ScriptStep::Kind::Statement;
        step.statement.variable = static_cast<ScriptVariable>(variable);
        step.statement.value = parts.value;
        if (step.statement.variable == ScriptVariable::SaveTo) {
            if (!parts.index.empty())
                return failure(withLine("Invalid index specified line %d.", lineCounter));
        } else {
            step.statement.index = indexOf(step.statement.variable, parts.index);
            if (step.statement.index < 0)
                return failure(withLine("Invalid index specified line %d.", lineCounter));
        }
        return step;
    }
    return {};
}

} // namespace kubrix
