#pragma once

namespace core {

// The one call an engine makes outward: during a long run it lets its window handle pending
// events once (repaints, clicks, a close) and learns whether to go on. A window implements it
// by showing what the run has produced so far and processing its events; tests and
// benchmarks pass noEventPump().
class EventPump {
  public:
    virtual ~EventPump() = default;
    // Returns false when the run must end at once, for example because its window is closing.
    virtual bool pumpEvents() = 0;
};

// A pump that does nothing and always lets the run go on.
inline EventPump& noEventPump() {
    struct Silent final : EventPump {
        bool pumpEvents() override { return true; }
    };
    static Silent pump;
    return pump;
}

}  // namespace core
