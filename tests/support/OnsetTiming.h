#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <sstream>
#include <vector>

#include "tests/support/JackCapture.h"

namespace tw::test {

// How far played onsets may stray from a song's own times before the song
// clock is judged wrong. Onsets are stamped when the capture's cycle runs,
// so a loaded machine delays single ones; the pace is taken as the median
// of the pace between every two onsets, which such delays barely move.
struct OnsetTolerance {
    double pace = 0.02;   // the played pace may differ this much from the song's (2 %)
    double lateMs = 60;   // an onset's distance from where the pace puts it
    double strays = 0.2;  // the share of onsets that may be farther than lateMs
    double wildMs = 250;  // no onset may be farther than this
};

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Whether onsets played at `playedMs` keep the pace and places of the
// song's `dueMs`, both in milliseconds from any origin of their own.
inline ::testing::AssertionResult OnsetsFollow(const std::vector<double>& playedMs,
                                               const std::vector<double>& dueMs,
                                               const OnsetTolerance& tolerance = {}) {
    if (playedMs.size() != dueMs.size() || playedMs.size() < 3) {
        return ::testing::AssertionFailure() << playedMs.size() << " onsets played for "
                                             << dueMs.size() << " due (3 or more are judged)";
    }
    std::vector<double> paces;
    for (std::size_t i = 0; i < dueMs.size(); ++i) {
        for (std::size_t j = i + 1; j < dueMs.size(); ++j) {
            if (dueMs[j] > dueMs[i]) {
                paces.push_back((playedMs[j] - playedMs[i]) / (dueMs[j] - dueMs[i]));
            }
        }
    }
    const double pace = Median(paces);
    std::vector<double> offsets;
    for (std::size_t i = 0; i < dueMs.size(); ++i) {
        offsets.push_back(playedMs[i] - dueMs[i] * pace);
    }
    const double offset = Median(offsets);
    std::size_t strays = 0;
    double worst = 0;
    for (const double o : offsets) {
        strays += std::abs(o - offset) > tolerance.lateMs ? 1 : 0;
        worst = std::max(worst, std::abs(o - offset));
    }
    std::ostringstream figures;
    figures << "played at " << pace * 100 << " % of the song's pace, " << strays << " of "
            << dueMs.size() << " onsets more than " << tolerance.lateMs
            << " ms from their places, the farthest " << worst << " ms";
    if (std::abs(pace - 1) > tolerance.pace || worst > tolerance.wildMs ||
        static_cast<double>(strays) > tolerance.strays * static_cast<double>(dueMs.size())) {
        return ::testing::AssertionFailure() << figures.str();
    }
    return ::testing::AssertionSuccess() << figures.str();
}

// Judges the onsets a JackCapture received by the monotonic clock. When the
// server lost cycles during the run, a failed judgement says nothing about
// the song clock, and the test is skipped with the reason instead. The
// figures, with the span of the onsets by the frame clock, which such a
// server lets fall behind, land in the test's recorded properties.
inline void ExpectOnsetsFollow(const std::vector<Captured>& onsets,
                               const std::vector<double>& dueMs, int lostCycles) {
    std::vector<double> playedMs;
    for (const Captured& c : onsets) {
        playedMs.push_back(c.receivedMs);
    }
    const ::testing::AssertionResult verdict = OnsetsFollow(playedMs, dueMs);
    if (!onsets.empty() && !dueMs.empty()) {
        std::ostringstream figures;
        figures << verdict.message() << "; spans "
                << onsets.back().receivedMs - onsets[0].receivedMs << " ms by the monotonic clock, "
                << onsets.back().frameMs - onsets[0].frameMs << " ms by the frame clock, "
                << dueMs.back() - dueMs[0] << " ms due; " << lostCycles << " cycles lost";
        ::testing::Test::RecordProperty("onset_timing", figures.str());
    }
    if (!verdict && lostCycles > 0) {
        GTEST_SKIP() << "timing not judged: the JACK server lost " << lostCycles
                     << " cycles during the run (" << verdict.message() << ")";
    }
    EXPECT_TRUE(verdict) << "by the monotonic clock";
}

}  // namespace tw::test
