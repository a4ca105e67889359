// The skin script language: line reading, comments, splitting and name lookup.
#include "core/skin/skin_script.h"

#include <array>

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

// A line ends at a line feed, a carriage return or the two together, so a script saved with
// any system's line ends reads alike; a last line without an end counts like any other.
bool readLine(std::istream& in, std::string& line)
{
    using Traits = std::istream::traits_type;
    line.clear();
    Traits::int_type c = in.get();
    if (Traits::eq_int_type(c, Traits::eof()))
        return false;
    while (!Traits::eq_int_type(c, Traits::eof()) && c != '\n' && c != '\r') {
        line += Traits::to_char_type(c);
        c = in.get();
    }
    if (c == '\r' && in.peek() == '\n')
        in.get();
    return true;
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

ScriptStep failure(std::string text, std::string detail)
{
    ScriptStep step;
    step.kind = ScriptStep::Kind::Error;
    step.error = std::move(text);
    step.detail = std::move(detail);
    return step;
}

template <std::size_t N> std::string listed(const std::array<std::string_view, N>& names)
{
    std::string list;
    for (std::size_t i = 0; i < N; ++i)
        list.append(i == 0 ? "" : i + 1 == N ? " or " : ", ").append(names[i]);
    return list;
}

std::string indexDetail(ScriptVariable variable, const std::string& index)
{
    switch (variable) {
    case ScriptVariable::Info:
        return "INFO[" + index + "]: the index is one of " + listed(kInfoIndexNames);
    case ScriptVariable::Sound:
        return "SOUND[" + index + "]: the index is one of " + listed(kSoundIndexNames);
    case ScriptVariable::Image:
        return "IMAGE[" + index + "]: the index is one of " + listed(kImageIndexNames);
    case ScriptVariable::SaveTo:
        break;
    }
    return "SAVETO[" + index + "]: SAVETO takes no index";
}

} // namespace

std::string withLine(std::string_view format, int line)
{
    std::string text(format);
    if (const std::size_t at = text.find("%d"); at != std::string::npos)
        text.replace(at, 2, std::to_string(line));
    return text;
}

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
    while (readLine(script, line)) {
        ++lineCounter;
        if (isComment(line))
            continue;
        if (line.find('=') == std::string::npos)
            return failure(
                withLine("Syntax Error Line %d. Missing Assignment Operator ('=').", lineCounter),
                "no \"=\": a statement reads VARIABLE[INDEX] = value");
        SplitStatement parts;
        std::string error;
        if (!splitStatement(line, lineCounter, parts, error))
            return failure(error, "bad index: a statement reads VARIABLE[INDEX] = value");
        const int variable = find(kVariables, parts.variable);
        if (variable < 0)
            return failure(withLine("Invalid variable specified line %d.", lineCounter),
                           "unknown variable \"" + parts.variable + "\": the variable is " +
                               listed(kVariables) + ", in capitals");
        ScriptStep step;
        step.kind = ScriptStep::Kind::Statement;
        step.statement.variable = static_cast<ScriptVariable>(variable);
        step.statement.value = parts.value;
        const bool indexed = step.statement.variable != ScriptVariable::SaveTo;
        step.statement.index = indexed ? indexOf(step.statement.variable, parts.index) : -1;
        if (indexed ? step.statement.index < 0 : !parts.index.empty())
            return failure(withLine("Invalid index specified line %d.", lineCounter),
                           indexDetail(step.statement.variable, parts.index));
        return step;
    }
    return {};
}

} // namespace kubrix
