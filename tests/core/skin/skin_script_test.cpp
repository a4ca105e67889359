// The skin script language: statements, comments and every syntax error.
#include "core/skin/skin_script.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kubrix {
namespace {

struct Read {
    std::vector<ScriptStep> steps;
    int lines = 0;
};

Read readAll(const std::string& text)
{
    std::istringstream script(text);
    Read result;
    for (;;) {
        ScriptStep step = readStatement(script, result.lines);
        const bool done = step.kind != ScriptStep::Kind::Statement;
        result.steps.push_back(std::move(step));
        if (done)
            return result;
    }
}

std::string errorOf(const std::string& text)
{
    const Read read = readAll(text);
    return read.steps.back().error;
}

TEST(SkinScript, SpacingAroundNamesAndValueDoesNotMatter)
{
    for (const char* line : {"INFO[NAME]=Deep Blue Sea", "  INFO [ NAME ]  =  Deep Blue Sea  ",
                             "\tINFO[NAME]= Deep Blue Sea\r"}) {
        const Read read = readAll(line);
        ASSERT_EQ(read.steps.size(), 2U) << line;
        const ScriptStatement& s = read.steps[0].statement;
        EXPECT_EQ(s.variable, ScriptVariable::Info);
        EXPECT_EQ(s.index, 3);
        EXPECT_EQ(s.value, "Deep Blue Sea") << line;
    }
}

TEST(SkinScript, ValuesKeepFurtherEqualsSignsAndMayBeEmpty)
{
    const Read read = readAll("INFO[WEB] = http://x.org/?a=1&b=2\nSOUND[START] =\n");
    ASSERT_EQ(read.steps.size(), 3U);
    EXPECT_EQ(read.steps[0].statement.value, "http://x.org/?a=1&b=2");
    EXPECT_EQ(read.steps[1].statement.variable, ScriptVariable::Sound);
    EXPECT_EQ(read.steps[1].statement.index, 5);
    EXPECT_EQ(read.steps[1].statement.value, "");
}

TEST(SkinScript, CommentsAndBlankLinesAreSkippedButCounted)
{
    const Read read = readAll("// title\n   ; note\n'old style\n\n   \t\nwhat\n");
    EXPECT_EQ(read.steps.back().error, "Syntax Error Line 6. Missing Assignment Operator ('=').");
}

TEST(SkinScript, EveryErrorNamesItsLine)
{
    EXPECT_EQ(errorOf("SAVETO = a.KBS\ninfo[NAME] = x"), "Invalid variable specified line 2.");
    EXPECT_EQ(errorOf("SOUND = a.wav"), "Invalid index specified line 1.");
    EXPECT_EQ(errorOf("\nSOUND[BANG] = a.wav"), "Invalid index specified line 2.");
    EXPECT_EQ(errorOf("SAVETO[NAME] = a.KBS"), "Invalid index specified line 1.");
    EXPECT_EQ(errorOf("IMAGE[] = a.bmp"), "Invalid index specified line 1.");
    EXPECT_EQ(errorOf("INFO[NAME] x = y"), "Syntax Error. Bad index at line 1");
    EXPECT_EQ(errorOf("INFO[NAME = y"), "Syntax Error. Bad index at line 1");
    EXPECT_EQ(errorOf("INFO[ = y"), "Syntax Error. Bad index at line 1");
    EXPECT_EQ(errorOf("INFO[NAME] Ocean"),
              "Syntax Error Line 1. Missing Assignment Operator ('=').");
}

TEST(SkinScript, ALastLineWithoutLineFeedIsStillRead)
{
    const Read read = readAll("SAVETO = a.KBS\nINFO[NAME] = Last");
    ASSERT_EQ(read.steps.size(), 3U);
    EXPECT_EQ(read.steps[1].statement.value, "Last");
    EXPECT_EQ(read.steps[2].kind, ScriptStep::Kind::End);
    EXPECT_EQ(read.lines, 2);
}

TEST(SkinScript, SplitStatementParts)
{
    SplitStatement parts;
    std::string error;
    ASSERT_TRUE(splitStatement(" IMAGE [ TILES ] = my tiles.bmp ", 4, parts, error));
    EXPECT_EQ(parts.variable, "IMAGE");
    EXPECT_EQ(parts.index, "TILES");
    EXPECT_EQ(parts.value, "my tiles.bmp");
    ASSERT_TRUE(splitStatement("SAVETO=", 1, parts, error));
    EXPECT_EQ(parts.variable, "SAVETO");
    EXPECT_EQ(parts.index, "");
    EXPECT_EQ(parts.value, "");
    EXPECT_FALSE(splitStatement("A[B]C = d", 9, parts, error));
    EXPECT_EQ(error, "Syntax Error. Bad index at line 9");
}

} // namespace
} // namespace kubrix
