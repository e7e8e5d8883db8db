#pragma once

#include <QElapsedTimer>

#include <benchmark/benchmark.h>

#include <algorithm>

// The manual time of a benchmark whose iterations time a part of their work only (Start and
// Stop around it, or Record of a time taken elsewhere); the slowest becomes the counter max_ms.
class IterationTimes {
public:
    explicit IterationTimes(benchmark::State &state) : m_state(state) {}
    ~IterationTimes() { m_state.counters["max_ms"] = m_worstSeconds * 1000; }
    IterationTimes(const IterationTimes &) = delete;
    IterationTimes &operator=(const IterationTimes &) = delete;

    void Start() { m_timer.start(); }
    void Stop() { Record(double(m_timer.nsecsElapsed()) / 1e9); }
    void Record(double seconds) {
        m_worstSeconds = std::max(m_worstSeconds, seconds);
        m_state.SetIterationTime(seconds);
    }

private:
    benchmark::State &m_state;
    QElapsedTimer m_timer;
    double m_worstSeconds = 0;
};
