// A board context whose game state, tint and texture invalidations a test controls and reads.
#pragma once

#include "core/game/board.h"

namespace kubrix::test {

class FakeBoardContext final : public BoardContext {
public:
    bool gameEnded() const override { return ended; }
    bool gameLost() const override { return lost; }
    Colour tint() const override { return colour; }
    void invalidateTextures() override { ++invalidations; }

    bool ended = false;
    bool lost = false;
    Colour colour{0.83F, 0.82F, 0.78F, 0.0F};
    int invalidations = 0;
};

} // namespace kubrix::test
