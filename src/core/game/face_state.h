// The face at the top of the window: a small state machine whose value is its overlay tile.
#pragma once

#include <cstdint>
#include <optional>

namespace kubrix {

class FaceState {
public:
    // The values are the overlay tile indices of the faces.
    static constexpr int kIdle = 18;
    static constexpr int kPressed = 19;
    static constexpr int kWon = 20;
    static constexpr int kBlink = 21;
    static constexpr int kWonRecord = 22;
    static constexpr int kLost = 23;

    // How long a pressed or blinking face shows before it returns to idle.
    static constexpr std::uint32_t kFlashMs = 500;
    static constexpr int kBlinkSpreadMs = 10000;

    int value() const { return value_; }
    std::uint32_t stamp() const { return stamp_; }
    std::uint32_t nextBlinkTick() const { return nextBlink_; }
    // The tick from which the timer changes the face (a blink, or the end of a pressed or
    // blinking moment); none for a finished game's face.
    std::optional<std::uint32_t> nextChangeTick() const;

    void set(int value, std::uint32_t now);
    // A left click on a running game: an idle face shows pressed for a moment.
    void press(std::uint32_t now);
    // Timer: an idle face blinks once its next blink is due, then waits randomValue mod 10 s.
    void tickBlink(std::uint32_t now, int randomValue);
    // Paint: a pressed or blinking face returns to idle after its moment.
    void expire(std::uint32_t now);

private:
    int value_ = kIdle;
    std::uint32_t stamp_ = 0;
    std::uint32_t nextBlink_ = 0;
};

} // namespace kubrix
