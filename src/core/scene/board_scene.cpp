// Rebuilds the board's views when what they show changed.
#include "core/scene/board_scene.h"

#include "core/game/game.h"

namespace kubrix {

SceneState BoardScene::stateOf(const Game& game)
{
    return {game.ended(), game.ended() && game.lost(), game.quality() == 2, game.hoverIndex()};
}

bool BoardScene::update(const Game& game)
{
    return update(game.board(), stateOf(game));
}

bool BoardScene::update(const Board& board, const SceneState& state)
{
    mesh_.setHover(state.hoverIndex);
    // Only a covered cube lights its neighbours' numbers; the cube just exposed under a still
    // pointer would otherwise dim every number until the pointer moves.
    const bool coveredHover = state.hoverIndex >= 0 && state.hoverIndex < board.cubeCount() &&
                              board.cube(state.hoverIndex).covered != 0;
    labels_.setHover(coveredHover ? state.hoverIndex : -1);
    const Key key{board.revision(), state.gameEnded, state.gameLost, state.bevelled, tint_, peel_};
    if (built_ == key)
        return false;
    built_ = key;
    ++builds_;
    mesh_.setTint(tint_);
    mesh_.setBevelled(state.bevelled);
    mesh_.build(board, state.gameEnded, peel_);
    labels_.build(board, tint_, peel_);
    bombs_.build(board, state.gameLost, tint_, peel_);
    return true;
}

} // namespace kubrix
