#pragma once
// What the panel's "VIDEO:", "AUDIO:" and "SUB:" labels say: the movie, the sound heard and the
// subtitles shown, each as its label's whole text.
#include <QString>

struct Captions {
    QString video = QStringLiteral("VIDEO:");
    QString audio = QStringLiteral("AUDIO:");
    QString sub = QStringLiteral("SUB:");
    bool operator==(const Captions &) const = default;
};
