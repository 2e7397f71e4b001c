// The subtitle group of the preferences against a loaded panel: the delay box, the size bars, the
// check boxes, and captions that fit their controls.
#include "subtitles/subtitles.h"
#include "support/PanelFixture.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct SubtitleGroup : ::testing::Test {
    PanelFixture f;
    Settings &s = f.settings;
    void SetUp() override { f.panel.Form_Load(); }
    void TearDown() override { f.panel.Form_Unload(0); }
    subtitles &overlay() { return *f.panel.overlay(); }
    void loadTable()
    {
        SubtitleTable t;
        t.append(30, 40, QString());
        t.append(100, 150, QStringLiteral("one"));
        t.append(1e9, 1e9, QString());
        f.session.setSubtitleTable(t);
    }
    double firstStart() { return f.session.subClock().table().subStart[1]; }
};

}  // namespace

TEST_F(SubtitleGroup, EveryChangeOfTheDelayShiftsTheTableByItsLeadingNumber)
{
    const struct {
        const char *typed;  // one change per character, on an emptied box
        double shift;
    } cases[] = {
        {"10", 1 + 10}, {"-5", 0 - 5}, {"-", 0}, {"2x", 2 + 2}, {" 3", 0 + 3}, {"1.5", 1 + 1 + 1.5},
    };
    for (const auto &c : cases) {
        loadTable();
        {
            const QSignalBlocker quiet(s.delaytxt);
            s.delaytxt->clear();
        }
        QTest::keyClicks(s.delaytxt, QString::fromLatin1(c.typed));
        EXPECT_EQ(firstStart(), 100 + c.shift) << c.typed;
        EXPECT_EQ(f.session.subClock().table().subEnd[2] - f.session.subClock().table().subStart[2], 0);
        EXPECT_EQ(f.session.subClock().table().subStart[3], 0) << "the spare slot stays";
    }
    // Deleting the text shifts by 0: earlier shifts stay.
    s.delaytxt->clear();
    EXPECT_EQ(firstStart(), 100 + 3.5);
    // Without a table nothing happens.
    f.session.setSubtitleTable(SubtitleTable{});
    s.delaytxt->setText(QStringLiteral("7"));
    EXPECT_EQ(f.session.subClock().table().subCount, 0);
}

TEST_F(SubtitleGroup, WidthRecentresAndHeightKeepsThePlace)
{
    overlay().show();
    overlay().move(10, 500);  // dragged
    s.subsizeH->setValue(400);
    EXPECT_EQ(overlay().width(), 400);
    EXPECT_EQ(overlay().pos(), QPoint((1024 - 400) / 2, 500));
    EXPECT_EQ(f.prefs.values().overlayLeft, (1024 - 400) / 2 * 15);
    overlay().move(20, 300);
    s.subsizeV->setValue(50);
    EXPECT_EQ(overlay().size(), QSize(400, 50));
    EXPECT_EQ(overlay().pos(), QPoint(20, 300));
    overlay().show();
    EXPECT_EQ(overlay().Label1->size(), QSize(400, 50));
    EXPECT_EQ(s.subsizeH->minimum(), 1);
    EXPECT_EQ(s.subsizeV->minimum(), 1);
}

TEST_F(SubtitleGroup, HideAndTransparentCheckBoxes)
{
    s.Hidesub->setChecked(true);
    EXPECT_TRUE(f.prefs.values().hidden);
    EXPECT_FALSE(s.subsizeH->isEnabled() || s.subsizeV->isEnabled());
    EXPECT_FALSE(overlay().isVisible());
    // Unchecking "Transparent Subtiles" gives the bars back even while hidden.
    s.Transsub->setChecked(true);
    s.Transsub->setChecked(false);
    EXPECT_TRUE(s.subsizeH->isEnabled() && s.subsizeV->isEnabled());
    // Unchecking "Hide Subtitles." shows the overlay at once, empty when nothing is loaded.
    s.Hidesub->setChecked(false);
    EXPECT_FALSE(f.prefs.values().hidden);
    EXPECT_TRUE(overlay().isVisible());
    EXPECT_EQ(overlay().Label1->text(), "");
}

TEST(SettingsCaptions, EveryCaptionFitsItsControl)
{
    PanelFixture f;
    Settings &s = f.settings;
    s.show();
    for (QWidget *w : s.findChildren<QWidget *>()) {
        const QFontMetrics m(w->font());
        const QStyle *style = w->style();
        int room = w->width();
        QString text;
        if (auto *b = qobject_cast<QCheckBox *>(w)) {
            text = b->text();
            room -= style->pixelMetric(QStyle::PM_IndicatorWidth) + style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
        } else if (auto *r = qobject_cast<QRadioButton *>(w)) {
            text = r->text();
            room -= style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                    style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing);
        } else if (auto *p = qobject_cast<QPushButton *>(w)) {
            text = p->text();
            room -= 4;
        } else if (auto *l = qobject_cast<QLabel *>(w); l && !l->wordWrap()) {
            text = l->text();
        }
        EXPECT_LE(m.horizontalAdvance(text), room) << w->objectName().toStdString();
    }
}
