// What is drawn of the board: the surface mesh, the number labels and the bomb markers, kept in
// step with the board's revision and the state of the game around it.
#pragma once

#include "core/base/colour.h"
#include "core/scene/bomb_markers.h"
#include "core/scene/number_labels.h"
#include "core/scene/surface_mesh.h"

#include <cstdint>
#include <optional>

namespace kubrix {

class Board;
class Game;

// What the views show besides the cubes themselves.
struct SceneState {
    // Wrong marks show once the game has ended, and the bombs once it is lost.
    bool gameEnded = false;
    bool gameLost = false;
    // Quality 2: chamfered cubes.
    bool bevelled = false;
    // Tints the cube and brings out the labels that count it; a colour, never geometry.
    int hoverIndex = -1;
};

// Drawing and picking share one scene, so whichever comes first after a change rebuilds it and
// the other finds it up to date.
class BoardScene {
public:
    static SceneState stateOf(const Game& game);

    // Rebuilds all three views when the board's revision, the end of the game, the quality,
    // the tint or the peel changed since the last build; true when it did.
    bool update(const Game& game);
    bool update(const Board& board, const SceneState& state);
    // The colour of the cubes, labels and bombs: plain white under a custom skin, otherwise the
    // desktop's button-face colour. A change takes effect at the next update.
    void setTint(Colour tint) { tint_ = tint; }
    // The layers peeled away: neither drawn nor picked. A change takes effect at the next update.
    void setPeel(const Peel& peel) { peel_ = peel; }
    const Peel& peel() const { return peel_; }
    // Lights the hovered cube's numbers by dimming all others; a colour, never geometry.
    void setNeighbourhood(bool on) { neighbourhood_ = on; }
    bool neighbourhood() const { return neighbourhood_; }

    // How many times the views were built: a change of it is a change of what they show.
    std::uint64_t builds() const { return builds_; }

    const SurfaceMesh& mesh() const { return mesh_; }
    const NumberLabels& labels() const { return labels_; }
    const BombMarkers& bombs() const { return bombs_; }

private:
    struct Key {
        std::uint64_t revision = 0;
        bool gameEnded = false;
        bool gameLost = false;
        bool bevelled = false;
        Colour tint;
        Peel peel;

        friend bool operator==(const Key&, const Key&) = default;
    };

    Colour tint_;
    Peel peel_;
    bool neighbourhood_ = false;
    std::optional<Key> built_;
    std::uint64_t builds_ = 0;
    SurfaceMesh mesh_;
    NumberLabels labels_;
    BombMarkers bombs_;
};

} // namespace kubrix
