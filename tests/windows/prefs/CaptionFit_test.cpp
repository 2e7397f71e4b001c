// One size for a group of captions, the largest at which all fit, down to a floor where the rest is cut.
#include "prefs/CaptionFit.h"
#include "support/Clipping.h"

#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

struct Control {
    const char *caption;
    int width, height;
    bool wrapped;  // a word-wrapped label rather than a button
};

}  // namespace

TEST(CaptionFit, OneSizeForTheGroupTheLargestThatFitsDownToTheFloor)
{
    struct Case {
        const char *name;
        double design;
        std::vector<Control> controls;
        double expectLow, expectHigh;  // the size chosen
        int cut;                       // how many captions end in an ellipsis
    } cases[] = {
        {"room to spare", 8, {{"OK", 120, 30, false}, {"Accept", 120, 30, false}}, 8, 8, 0},
        {"a tight neighbour shrinks all", 8, {{"OK", 120, 30, false}, {"Change Skin", 53, 30, false}}, 7, 7.75, 0},
        {"too long even at the floor", 8, {{"OK", 120, 30, false}, {"A very long caption indeed", 40, 30, false}}, 7, 7, 1},
        {"a design below the floor stays", 6, {{"6x", 40, 20, false}}, 6, 6, 0},
        {"below the floor and cut", 6, {{"Much too long", 24, 20, false}}, 6, 6, 1},
        {"a wrapped label in two lines", 8, {{"Subtitles Overlay Delay (frames):", 87, 29, true}}, 7, 8, 0},
    };
    for (const Case &c : cases) {
        QWidget window;
        QList<CaptionFit::Caption> group;
        for (const Control &k : c.controls) {
            QWidget *w;
            if (k.wrapped) {
                auto *l = new QLabel(QString::fromLatin1(k.caption), &window);
                l->setWordWrap(true);
                w = l;
            } else {
                w = new QPushButton(QString::fromLatin1(k.caption), &window);
            }
            w->setGeometry(0, 0, k.width, k.height);
            group.append({w, {QString::fromLatin1(k.caption)}});
        }
        const double size = CaptionFit::fitGroup(group, CaptionFit::narrowFont(c.design));
        EXPECT_GE(size, c.expectLow) << c.name;
        EXPECT_LE(size, c.expectHigh) << c.name;
        int cut = 0;
        for (int i = 0; i < group.size(); ++i) {
            QWidget *w = group[i].control;
            EXPECT_EQ(w->font().pointSizeF(), size) << c.name;
            const QString shown = w->property("text").toString();
            if (shown != QString::fromLatin1(c.controls[i].caption)) {
                ++cut;
                EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << c.name;
                EXPECT_EQ(w->toolTip(), QString::fromLatin1(c.controls[i].caption)) << c.name;
            }
        }
        EXPECT_EQ(cut, c.cut) << c.name;
        // Where nothing was cut, the style's own measure agrees that nothing is clipped.
        if (c.cut == 0) {
            EXPECT_EQ(Clipping::clipped(&window).join(QLatin1Char('\n')).toStdString(), "") << c.name;
        }
    }
}

TEST(CaptionFit, ACutCaptionKeepsItsOwnTooltipAfterTheFullText)
{
    QWidget window;
    auto *b = new QPushButton(QStringLiteral("Restore the default skin"), &window);
    b->setToolTip(QStringLiteral("Restore player look to default"));
    b->setGeometry(0, 0, 40, 30);
    CaptionFit::fitGroup({{b, {b->text()}}}, CaptionFit::narrowFont(8));
    EXPECT_EQ(b->toolTip(), "Restore the default skin\nRestore player look to default");
}

TEST(CaptionFit, AComboBoxIsMeasuredOnEveryEntryItMayShow)
{
    QWidget window;
    auto *combo = new QComboBox(&window);
    combo->addItem(QStringLiteral("short"));
    combo->setGeometry(0, 0, 120, 24);
    const QString later = QStringLiteral("Video file (*.avi,*.mpg,*.mpeg,*.mpv,*.mov,*.mv2)");
    const double alone = CaptionFit::fitWindow(&window, CaptionFit::narrowFont(8));
    const double withLater = CaptionFit::fitWindow(&window, CaptionFit::narrowFont(8), {}, {{combo, {later}}});
    EXPECT_EQ(alone, 8);
    EXPECT_LT(withLater, alone);
    EXPECT_EQ(window.font().pointSizeF(), withLater);
}
