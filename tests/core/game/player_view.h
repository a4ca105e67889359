// Test helper: what a player sees of a known layout, exposed by the game's rules (floods included).
#pragma once

#include "core/game/block_neighbours.h"
#include "core/game/solver.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace kubrix::test {

class PlayerView {
public:
    PlayerView(int width, int height, int depth, std::vector<bool> bombs)
        : neighbours(width, height, depth), layout(std::move(bombs)),
          cells(this->layout.size(), Solver::kCovered)
    {
    }

    void expose(int first)
    {
        std::vector<int> todo{first};
        while (!todo.empty()) {
            const int cube = todo.back();
            todo.pop_back();
            if (cells[cube] != Solver::kCovered)
                continue;
            const auto around = neighbours.of(cube);
            cells[cube] = static_cast<std::int8_t>(
                std::count_if(around.begin(), around.end(), [&](int n) { return layout[n]; }));
            if (cells[cube] == 0)
                todo.insert(todo.end(), around.begin(), around.end());
        }
    }

    int covered() const
    {
        return static_cast<int>(std::count(cells.begin(), cells.end(), Solver::kCovered));
    }

    BlockNeighbours neighbours;
    std::vector<bool> layout;
    std::vector<std::int8_t> cells;
};

} // namespace kubrix::test
