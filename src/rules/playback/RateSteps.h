#pragma once
// The rate slider's steps and the position steps of the rates the engine does not play itself.
#include <QString>
#include <span>

namespace RateSteps {

constexpr int lastIndex = 10;

// Twips per slider step: the slider's whole height over 11 steps (675 gives 61).
int stepHeight(double sliderHeight);

// The step under a point `y` twips below the slider's top, kept within 0 to lastIndex.
int indexFromY(double y, int stepH);

// The step of `rates` whose rate lies nearest `rate`; of two equally near, the first.
int nearestIndex(std::span<const double> rates, double rate);

// "RATE:" + rate + "x", fractions with the user's decimal separator: RATE:1.5x, RATE:-4x.
QString caption(double rate);

// Rates from above 0 up to 2 the engine plays; faster and backward ones are stepped by the timer.
bool enginePlays(double rate);
bool timerDriven(int rateIndex);

// One tick of the stepping timer: from the last whole second before `pos` move |rate| seconds of
// film, stopping at 0 going back and at `duration` going forward.
struct Tick {
    double position;
    bool stop;
};
Tick tick(double pos, double fps, double rate, double duration);

}  // namespace RateSteps
