// The scene of a game: its views rebuilt when the board, the outcome, the quality or the tint
// changed, and what each shows as the game goes on.
#include "core/game/levels.h"
#include "core/scene/board_scene.h"
#include "support/game_fixture.h"

#include <gtest/gtest.h>

#include <set>

namespace kubrix {
namespace {

class BoardSceneTest : public test::GameFixture {
protected:
    void SetUp() override { start(); }

    // The atlas tiles the mesh shows on a cube's faces, read back from its texture coordinates.
    std::set<int> tilesOf(int cube) const
    {
        std::set<int> tiles;
        const SurfaceMesh& mesh = scene.mesh();
        for (const FaceStrip& strip : mesh.strips())
            if (strip.cubeIndex == cube) {
                const TexCoord& corner = mesh.texCoord(strip, 0);
                tiles.insert(int((1.0F - corner.v) * 8) * 8 + int(corner.u * 8));
            }
        return tiles;
    }

    BoardScene scene;
};

TEST_F(BoardSceneTest, RebuildsOnlyWhenTheBoardTheOutcomeTheQualityOrTheTintChanged)
{
    playRow(5, {4});
    EXPECT_TRUE(scene.update(*game));
    EXPECT_FALSE(scene.update(*game));
    ASSERT_EQ(game->setHover(2), 1);
    EXPECT_FALSE(scene.update(*game)) << "the hover is a colour, not geometry";
    EXPECT_EQ(scene.mesh().hoverIndex(), 2);
    EXPECT_EQ(scene.labels().hoverIndex(), 2);

    const std::uint64_t generation = scene.mesh().generation();
    ASSERT_EQ(game->toggleMark(1), 1);
    EXPECT_TRUE(scene.update(*game));
    EXPECT_NE(scene.mesh().generation(), generation);

    game->setQuality(2);
    EXPECT_TRUE(scene.update(*game));
    EXPECT_TRUE(scene.mesh().bevelled());
    game->setQuality(1);
    EXPECT_TRUE(scene.update(*game));
    EXPECT_FALSE(scene.mesh().bevelled());

    scene.setTint({0.1F, 0.2F, 0.3F, 0.0F});
    EXPECT_TRUE(scene.update(*game));
    EXPECT_EQ(scene.labels().tint(), (Colour{0.1F, 0.2F, 0.3F, 0.0F}));
    EXPECT_EQ(scene.bombs().tint(), (Colour{0.1F, 0.2F, 0.3F, 0.0F}));
    EXPECT_EQ(scene.mesh().tint(), (Colour{0.6F, 0.7F, 0.8F, 0.0F})) << "lifted for the hover";

    // Two boards changed as often as each other are still told apart.
    Board first{clock};
    Board second{clock};
    first.generate(2, 1, 1, 0, -1);
    second.generate(3, 1, 1, 0, -1);
    EXPECT_TRUE(scene.update(first, {}));
    EXPECT_TRUE(scene.update(second, {}));
    EXPECT_EQ(scene.mesh().stripCount(), 14);

    game->expose(0);
    game->setHover(0);
    scene.update(*game);
    EXPECT_EQ(scene.labels().hoverIndex(), -1) << "an exposed cube under the pointer lights nothing";
}

TEST_F(BoardSceneTest, LabelsFollowTheMovesWrongMarksAndBombsShowOnlyOnceTheGameIsLost)
{
    playRow(5, {4}, kLevelCustom);
    game->toggleMark(1);
    scene.update(*game);
    EXPECT_EQ(tilesOf(1), (std::set<int>{60, 61, 62, 63}));
    EXPECT_EQ(scene.labels().count(), 0);

    game->expose(3);
    scene.update(*game);
    ASSERT_EQ(scene.labels().count(), 1);
    EXPECT_EQ(scene.labels().records()[0].cubeIndex, 3);
    EXPECT_EQ(scene.labels().records()[0].number, 0) << "one bomb neighbour";
    EXPECT_EQ(scene.bombs().count(), 0) << "no bombs shown while the game runs";

    game->expose(4);
    ASSERT_TRUE(game->lost());
    scene.update(*game);
    EXPECT_EQ(tilesOf(1), (std::set<int>{7, 13, 14, 15}));
    ASSERT_EQ(scene.bombs().count(), 1);
    EXPECT_EQ(scene.bombs().records()[0].intact, 0) << "the one that went off";
}

} // namespace
} // namespace kubrix
