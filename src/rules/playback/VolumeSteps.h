#pragma once
// The volume slider: twips per decibel, the engine volume for a thumb place, the buttons' steps and
// the mute toggle.
namespace VolumeSteps {

// Twips per decibel: the slider's height over 102 (675 gives about 6.6176).
double volStep(double sliderHeight);

// Attenuation in decibels for a point `y` twips below the slider's top (single precision).
float attenuation(double y, double volStep);

// A thumb at 100 dB or more sets no volume.
bool setsVolume(float db);

// Engine volume in hundredths of a decibel for an attenuation, within the engine's range.
int engineVolume(float db);

// Where "+" and "-" press the slider from the current engine volume: about 50 twips up or down,
// within the slider.
double upY(int volume, double volStep);
double downY(int volume, double volStep, double sliderHeight);

// Mute: when both are muted only the one that carries the sound is un-muted (the separate audio
// file's engine when there is one); otherwise both are muted.
struct Mutes {
    bool video;
    bool audio;
};
Mutes toggleMute(Mutes now, bool audioSeparate);

}  // namespace VolumeSteps
