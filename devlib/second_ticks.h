#pragma once
// Waits for an answer are counted in changes of the UTC wall-clock second,
// not in elapsed time. The remembered second starts at 100, a value no clock
// shows, so the first unsuccessful poll always counts one.
namespace dlr {

class SecondTicks {
public:
    // Called after every unsuccessful poll.
    void update();
    bool exceeded(int limit) const { return count_ > limit; }
    int count() const { return count_; }

private:
    int count_ = 0;
    int remembered_second_ = 100;
};

}  // namespace dlr
