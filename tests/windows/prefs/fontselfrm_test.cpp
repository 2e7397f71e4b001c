// The subtitle font dialog, opened by the preferences' "Font" button over a panel with its overlay.
#include "support/PanelFixture.h"

#include "playback/LabelButton.h"
#include "prefs/FontChoice.h"
#include "prefs/fontselfrm.h"
#include "subtitles/subtitles.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QColor colourOf(const QWidget *w)
{
    return w->palette().color(QPalette::WindowText);
}

// The colour a swatch shows on screen.
QColor ground(QWidget *w)
{
    return w->grab().toImage().pixelColor(w->width() / 2, 3);
}

void setColour(QWidget *w, const QColor &c)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, c);
    w->setPalette(pal);
}

struct FontDialog : ::testing::Test {
    PanelFixture f;
    subtitles *overlay = new subtitles(f.prefs, f.desktop, f.dialogs);

    FontDialog() { f.panel.attachOverlay(overlay); }

    fontselfrm &open()
    {
        f.settings.fontsel->click();
        EXPECT_TRUE(f.settings.fontDialog);
        return *f.settings.fontDialog;
    }

    std::array<int, 3> sliders(const fontselfrm &d) const
    {
        return {d.VScroll1->value(), d.VScroll2->value(), d.VScroll3->value()};
    }
};

}  // namespace

TEST_F(FontDialog, FontButtonFillsItWithTheSubtitleFont)
{
    SubtitleFont font;
    font.family = QStringLiteral("DejaVu Sans");
    font.size = 24;
    font.bold = font.italic = true;
    font.colour = 0x008000;
    f.prefs.set(&Prefs::font, font);

    fontselfrm &d = open();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.windowTitle(), "Select Font Properties");
    EXPECT_EQ(d.size(), QSize(453, 213));
    EXPECT_EQ(d.Text1->text(), "DejaVu Sans");
    EXPECT_EQ(d.Text2->text(), "24");
    EXPECT_TRUE(d.Check1->isChecked());
    EXPECT_TRUE(d.Check2->isChecked());
    EXPECT_FALSE(d.Check3->isChecked());
    EXPECT_FALSE(d.Check4->isChecked());
    const QFont sample = d.Label1->font();
    EXPECT_EQ(sample.family(), "DejaVu Sans");
    EXPECT_EQ(sample.pointSizeF(), 24);
    EXPECT_TRUE(sample.bold() && sample.italic());
    EXPECT_FALSE(sample.underline() || sample.strikeOut());
    EXPECT_EQ(d.sampleColour(), QColor(0, 128, 0));

    // The design: system fonts in the font system's order, twenty sizes, the sample on light grey.
    const QStringList families = FontChoice::familyNames(QFontDatabase::families());
    ASSERT_EQ(d.FontList->count(), families.size());
    EXPECT_EQ(d.FontList->item(0)->text(), families.first());
    ASSERT_EQ(d.FontSizeList->count(), 20);
    EXPECT_EQ(d.FontSizeList->item(19)->text(), "512");
    EXPECT_EQ(d.Label1->text(), QStringLiteral(u"ABCDefgh-ÁÂÃÄåæçè"));
    EXPECT_EQ(ground(d.Label1), QColor(0xE0, 0xE0, 0xE0));
    EXPECT_EQ(d.Label1->geometry(), QRect(4, 152, 213, 57));
    EXPECT_EQ(d.swatch[15]->objectName(), "Label17");
    EXPECT_EQ(d.swatch[15]->geometry(), QRect(104, 88, 29, 21));
    EXPECT_EQ(d.Labeltest->toolTip(), "Click here to change");

    d.FontList->setCurrentRow(0);
    EXPECT_EQ(d.Text1->text(), d.FontList->item(0)->text());
    EXPECT_EQ(d.Label1->font().family(), d.Text1->text());
    d.FontSizeList->setCurrentRow(5);
    EXPECT_EQ(d.Text2->text(), "14");
    EXPECT_EQ(d.Label1->font().pointSizeF(), 14);
    d.Check4->click();
    d.Check1->click();
    EXPECT_TRUE(d.Label1->font().underline());
    EXPECT_FALSE(d.Label1->font().bold());
}

TEST_F(FontDialog, SizeBoxTakesOnlySizesBetweenTwoAnd1280)
{
    fontselfrm &d = open();
    const struct {
        const char *typed;
        double size;  // the sample's size after it
    } cases[] = {{"12", 12},  {"2", 12},     {"1280", 12},   {"2.5", 2.5}, {"1279", 1279}, {"abc", 1279},
                 {"", 1279},  {"-20", 1279}, {"16pt", 16},   {" 9", 9},    {"2.01", 2.01}};
    for (const auto &c : cases) {
        d.Text2->setText(QString::fromLatin1(c.typed));
        EXPECT_EQ(d.Label1->font().pointSizeF(), c.size) << c.typed;
    }
}

TEST_F(FontDialog, SwatchesSlidersAndTheCustomColour)
{
    fontselfrm &d = open();
    d.show();
    const QColor cyan(0, 255, 255);
    EXPECT_EQ(sliders(d), (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(ground(d.Labeltest), cyan);
    QTest::mouseClick(d.Labeltest, Qt::LeftButton);
    EXPECT_EQ(d.sampleColour(), cyan);

    QTest::mouseClick(d.swatch[8], Qt::LeftButton);  // Label10, yellow
    EXPECT_EQ(d.sampleColour(), QColor(255, 255, 0));
    EXPECT_EQ(sliders(d), (std::array<int, 3>{255, 255, 0}));
    EXPECT_EQ(ground(d.Labeltest), QColor(255, 255, 0));
    QTest::mouseMove(d.Label18);
    EXPECT_EQ(d.Label18->toolTip(), "R: 255 G: 255 B: 0");

    d.VScroll1->setValue(128);
    d.VScroll3->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(ground(d.Labeltest), QColor(128, 255, 10));
    EXPECT_EQ(d.sampleColour(), QColor(255, 255, 0));
    QTest::mouseClick(d.Labeltest, Qt::LeftButton);
    EXPECT_EQ(d.sampleColour(), QColor(128, 255, 10));
    QTest::mouseMove(d.Label18, QPoint(3, 3));
    EXPECT_EQ(d.Label18->toolTip(), "R: 128 G: 255 B: 10");
}

TEST_F(FontDialog, BlackFirstTurnsTheCustomSwatchBlackToo)
{
    fontselfrm &d = open();
    d.show();
    // All three sliders already stand at 0, so none of them moves.
    QTest::mouseClick(d.swatch[3], Qt::LeftButton);  // Label5, black
    EXPECT_EQ(ground(d.Labeltest), QColor(0, 0, 0));
    QTest::mouseClick(d.Labeltest, Qt::LeftButton);
    EXPECT_EQ(d.sampleColour(), QColor(0, 0, 0));
}

TEST_F(FontDialog, OkGivesBothLabelsTheFontAndOnlyTheTextItsColourAndStaysOpen)
{
    setColour(overlay->Label2, QColor(1, 2, 3));
    fontselfrm &d = open();
    d.Text1->setText(QStringLiteral("DejaVu Serif"));
    d.Text2->setText(QStringLiteral("30"));
    d.Check3->click();
    QTest::mouseClick(d.swatch[4], Qt::LeftButton);  // Label6, red
    d.Command1->click();

    for (QLabel *label : {overlay->Label1, overlay->Label2}) {
        const QFont font = label->font();
        EXPECT_EQ(font.family(), "DejaVu Serif");
        EXPECT_EQ(font.pointSizeF(), 30);
        EXPECT_TRUE(font.bold());  // the overlay's design font is bold
        EXPECT_TRUE(font.strikeOut());
        EXPECT_FALSE(font.italic() || font.underline());
    }
    EXPECT_EQ(colourOf(overlay->Label1), QColor(255, 0, 0));
    EXPECT_EQ(colourOf(overlay->Label2), QColor(1, 2, 3));
    EXPECT_TRUE(d.isVisible());
}

TEST_F(FontDialog, SampleTextAndAFreshDialogAfterTheCloseBox)
{
    fontselfrm *d = &open();
    f.dialogs.answers = QStringList{QStringLiteral("Hello"), QString()};
    QTest::mouseDClick(d->Label1, Qt::LeftButton);
    EXPECT_EQ(d->Label1->text(), "Hello");
    QTest::mouseDClick(d->Label1, Qt::LeftButton);  // cancelled: an empty answer
    EXPECT_EQ(d->Label1->text(), "Hello");
    d->VScroll2->setValue(200);

    // "OK" leaves it open; the close box ends it.
    d->Command1->click();
    EXPECT_TRUE(f.settings.fontDialog);
    d->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(f.settings.fontDialog);

    fontselfrm &fresh = open();
    EXPECT_EQ(fresh.Label1->text(), QStringLiteral(u"ABCDefgh-ÁÂÃÄåæçè"));
    EXPECT_EQ(sliders(fresh), (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(ground(fresh.Labeltest), QColor(0, 255, 255));
    // Filled again from the overlay, whose font the first dialog's "OK" had set.
    EXPECT_EQ(fresh.Text1->text(), overlay->Label1->font().family());
}

TEST(FontChoice, FamilyNamesDropTheFoundryTagAndComeOnce)
{
    struct Case {
        const char *name, *family;
    } names[] = {{"C059 [urw]", "C059"},
                 {"D050000L [URW ]", "D050000L"},
                 {"Liberation Sans", "Liberation Sans"},
                 {" DejaVu Sans [PfEd] ", "DejaVu Sans"},
                 {"Odd [name", "Odd [name"},
                 {"[tag only]", "[tag only]"},
                 {"", ""}};
    for (const Case &c : names)
        EXPECT_EQ(FontChoice::familyName(QString::fromLatin1(c.name)), QString::fromLatin1(c.family)) << c.name;
    const QStringList listed = FontChoice::familyNames(
        {"C059 [UKWN]", "Cantarell", "D050000L [urw]", "C059 [urw]", "D050000L [URW ]", "cantarell", ""});
    EXPECT_EQ(listed, QStringList({"C059", "Cantarell", "D050000L"}));
}

TEST_F(FontDialog, ListsEachFamilyOnceAndStoresTheFamilyAlone)
{
    fontselfrm &d = open();
    QStringList seen;
    for (int i = 0; i < d.FontList->count(); ++i) {
        const QString name = d.FontList->item(i)->text();
        EXPECT_FALSE(name.contains(QLatin1Char('['))) << name.toStdString();
        EXPECT_FALSE(seen.contains(name, Qt::CaseInsensitive)) << name.toStdString();
        seen << name;
    }
    // A tagged name typed or pasted still finds its family, and the overlay takes the family alone.
    d.Text1->setText(QStringLiteral("Liberation Serif [1ASC]"));
    d.Command1->click();
    EXPECT_EQ(overlay->Label1->font().family(), "Liberation Serif");
    EXPECT_EQ(overlay->Label2->font().family(), "Liberation Serif");
}

TEST_F(FontDialog, SlidersRunFromNoneAtTheTopToAllAtTheBottom)
{
    fontselfrm &d = open();
    d.show();
    for (QAbstractSlider *bar : std::initializer_list<QAbstractSlider *>{d.VScroll1, d.VScroll2, d.VScroll3}) {
        EXPECT_EQ(bar->orientation(), Qt::Vertical);
        EXPECT_EQ(bar->pageStep(), 10);
        // A click above the handle moves it up toward 0, one below it down toward 255; the Down key
        // moves it down.
        for (const bool above : {true, false}) {
            bar->setValue(128);
            QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, above ? 3 : bar->height() - 3));
            EXPECT_EQ(bar->value() < 128, above) << bar->objectName().toStdString();
        }
        bar->setValue(0);
        bar->setFocus();
        QTest::keyClick(bar, Qt::Key_Down);
        EXPECT_EQ(bar->value(), 1);
    }
}

TEST_F(FontDialog, TheSampleShowsWholeWhereItFitsAndOtherwiseItsBeginning)
{
    fontselfrm &d = open();
    d.show();
    struct Case {
        const char *size;
        bool whole;
    } cases[] = {{"8", true}, {"18", false}, {"48", false}, {"12", true}};
    for (const Case &c : cases) {
        d.Text2->setText(QString::fromLatin1(c.size));
        const int need = QFontMetrics(d.Label1->font()).horizontalAdvance(d.Label1->text());
        EXPECT_EQ(need <= d.Label1->width(), c.whole) << c.size;
        // Centred when whole; otherwise the first letter stands at the left edge, never cut.
        EXPECT_EQ(d.Label1->alignment() & Qt::AlignHorizontal_Mask, c.whole ? Qt::AlignHCenter : Qt::AlignLeft) << c.size;
    }
    // A new sample text is judged afresh.
    f.dialogs.answers = {QStringLiteral("Ab")};
    QTest::mouseDClick(d.Label1, Qt::LeftButton);
    EXPECT_EQ(d.Label1->text(), "Ab");
    EXPECT_EQ(d.Label1->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
}
