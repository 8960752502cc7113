#pragma once
// The waits that pace the tracker (DTR pulse, loader answers). They are real
// in every front end; a window's sleeper keeps repainting meanwhile.
namespace tripdesk::device {

class Sleeper {
public:
    virtual ~Sleeper() = default;
    virtual void sleep_ms(int ms) = 0;
};

// Blocks the calling thread.
class ThreadSleeper final : public Sleeper {
public:
    void sleep_ms(int ms) override;
};

ThreadSleeper& thread_sleeper();

}  // namespace tripdesk::device
