#pragma once
// Captions that fit their controls on any machine: the windows name their faces themselves (faces
// the install script installs, so the result does not hang on what else is there), and each window,
// or each group of like controls, gets one caption size: the largest at which all its captions fit,
// never below a readable floor. A caption that does not fit even there is cut with an ellipsis and
// carries its whole text as its tooltip.
#include <QFont>
#include <QList>
#include <QRect>
#include <QStringList>

class QWidget;

namespace CaptionFit {

// The readable floor at 96 dpi.
constexpr double kFloor = 7;

// A narrow sans serif, for the dialogs, whose tight buttons then hold their captions at the design's
// size, and for the panel's rate marks.
QFont narrowFont(double points, bool bold = false);
// The panel's face: the widths of the design's Arial.
QFont panelFont(double points, bool bold);

// The rectangle the control's style draws its caption in; empty for a control without a caption.
QRect captionRect(const QWidget *control);
// What the control shows as its caption: its text or title, or every entry of a combo box.
QStringList captionsOf(const QWidget *control);
// Whether each of `texts` fits the caption rectangle of `control` in `font`, whole in width and
// height (a word-wrapped label in its lines).
bool fits(const QWidget *control, const QFont &font, const QStringList &texts);

// One control and the captions it may show (a combo box that is refilled may show more than it holds).
struct Caption {
    QWidget *control;
    QStringList texts;
};

// Gives every control of `group` the font `design` at the largest size, from the design's own down in
// quarter points to the floor (or to the design's size where that is smaller), at which every caption
// fits; at that size a caption that still does not fit is cut and carries its text as its tooltip.
// Returns the size.
double fitGroup(const QList<Caption> &group, QFont design);

// The same for every captioned control of `window` (outside its own child windows and `leaveOut`),
// with its current captions or those `more` gives it; the window takes the font too. First a check
// box or option lower than its indicator grows about its middle.
double fitWindow(QWidget *window, const QFont &design, const QList<QWidget *> &leaveOut = {},
                 const QList<Caption> &more = {});

}  // namespace CaptionFit
