// The Browse dialog on real widgets and real folders, with the engine and drive doubles: what each
// caller shows, what the lists hold, and what "OPEN" does for each kind of file.
#include "support/PanelFixture.h"
#include "support/UserLocale.h"

#include "browse/Browsefrm.h"
#include "browse/FileKinds.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

const QByteArray kSrt = "1\r\n00:00:02,000 --> 00:00:03,000\r\nHello\r\n\r\n";
const QByteArray kMicroDvd = "{50}{75}Hello\r\n";

struct BrowseRig : PanelFixture {
    QTemporaryDir tree;

    BrowseRig()
    {
        panel.Form_Load();
        drives.volumeList = {{QStringLiteral("Home"), tree.path(), true}};
        prefs.set(&Prefs::lastDir, tree.path());
    }
    ~BrowseRig() { panel.Form_Unload(0); }

    QString file(const QString &name, const QByteArray &bytes = "x")
    {
        QFile f(tree.filePath(name));
        QDir().mkpath(QFileInfo(f).path());
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return QFileInfo(f).absoluteFilePath();
    }
    Browsefrm &browse(int mode, const char *caption = "Browse")
    {
        panel.showBrowse(mode, QString::fromLatin1(caption));
        return *panel.browseDialog();
    }
    // The dialog moves once the folder's files have been read.
    bool moveTo(const QString &folder)
    {
        panel.browseDialog()->setDirPath(folder);
        return QTest::qWaitFor([&] { return panel.browseDialog()->dirPath() == folder; }, 5000);
    }
    // The names in the order the list shows them.
    QStringList shown()
    {
        QListView *list = panel.browseDialog()->filList;
        QStringList names;
        for (int r = 0; r < list->model()->rowCount(list->rootIndex()); ++r)
            names << list->model()->index(r, 0, list->rootIndex()).data().toString();
        return names;
    }
    QStringList listed()
    {
        QStringList names = shown();
        names.sort();
        return names;
    }
    // The file list fills from another thread; this waits until it holds exactly `names`.
    bool lists(QStringList names)
    {
        names.sort();
        return QTest::qWaitFor([&] { return listed() == names; }, 5000);
    }
    // A real click on the file's row, once the list shows it.
    bool click(const QString &name, bool twice = false)
    {
        QListView *list = panel.browseDialog()->filList;
        QModelIndex at;
        const bool shown = QTest::qWaitFor([&] {
            for (int r = 0; r < list->model()->rowCount(list->rootIndex()); ++r) {
                if (list->model()->index(r, 0, list->rootIndex()).data().toString() == name)
                    at = list->model()->index(r, 0, list->rootIndex());
            }
            return at.isValid();
        }, 5000);
        if (!shown)
            return false;
        const QPoint p = list->visualRect(at).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, p);
        if (twice)
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, p);
        return true;
    }
    QByteArray logText() const
    {
        QFile f(app.appPath + "kelmora.log");
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

}  // namespace

TEST(Browsefrm, EachCallerShowsItsCaptionFiltersAndOpenAsOnlyForSubtitles)
{
    BrowseRig r;
    r.mp1.open(r.path("movie.avi"));
    struct Case {
        void (Panelfrm::*click)();
        int mode;
        const char *caption;
    } cases[] = {
        {&Panelfrm::openfile_Click, 2, "Locate Video file"},
        {&Panelfrm::sndopen_Click, 3, "Locate Audio file"},
        {&Panelfrm::subopen_Click, 4, "Locate Subtitles"},
    };
    for (const Case &c : cases) {
        (r.panel.*c.click)();
        Browsefrm &b = *r.panel.browseDialog();
        const FileKinds::Filters kinds = FileKinds::filtersFor(c.mode);
        EXPECT_EQ(b.mode(), c.mode);
        EXPECT_EQ(b.windowTitle(), c.caption);
        EXPECT_TRUE(b.isVisible());
        QStringList entries;
        for (int i = 0; i < b.CmbFilter->count(); ++i)
            entries << b.CmbFilter->itemText(i);
        EXPECT_EQ(entries, kinds.entries) << c.caption;
        EXPECT_EQ(b.CmbFilter->currentIndex(), 0);
        EXPECT_EQ(b.filterPatterns[0], kinds.patterns[0]);
        EXPECT_EQ(b.Openas->isVisible(), c.mode == 4) << c.caption;
        EXPECT_EQ(b.Label1->isVisible(), c.mode == 4) << c.caption;
        EXPECT_EQ(b.Openas->currentText(), "Autodetect");
    }
    // Skin mode offers one kind only; without a movie "Audio" shows nothing.
    EXPECT_EQ(r.browse(5).CmbFilter->count(), 1);
    r.panel.browseDialog()->cmdExit_Click();
    r.mp1.close();
    r.panel.sndopen_Click();
    EXPECT_FALSE(r.panel.browseDialog()->isVisible());
    EXPECT_EQ(r.panel.browseDialog()->mode(), 5);
}

TEST(Browsefrm, FileListMatchesKindsWithoutRegardToCaseAndHiddenFilesOnlyWithShowAll)
{
    BrowseRig r;
    for (const char *name : {"MOVIE.AVI", "clip.mpg", "notes.txt", ".secret.avi", "Film.SRT", "README"})
        r.file(name);
    Browsefrm &b = r.browse(2);
    EXPECT_TRUE(r.lists({"MOVIE.AVI", "clip.mpg"}));
    QTest::mouseClick(b.Check1, Qt::LeftButton);
    EXPECT_TRUE(r.lists({"MOVIE.AVI", "clip.mpg", ".secret.avi"}));
    b.CmbFilter->setCurrentIndex(1);
    EXPECT_TRUE(r.lists({"MOVIE.AVI", "clip.mpg", "notes.txt", ".secret.avi", "Film.SRT", "README"}));
    QTest::mouseClick(b.Check1, Qt::LeftButton);
    EXPECT_TRUE(r.lists({"MOVIE.AVI", "clip.mpg", "notes.txt", "Film.SRT", "README"}));
    // Every showing starts again from the kind's own filter.
    r.browse(4);
    EXPECT_TRUE(r.lists({"notes.txt", "Film.SRT"}));
}

TEST(Browsefrm, OpenActsForEachKindThenRemembersTheFolderAndHides)
{
    BrowseRig r;
    const QString video = r.file("films/Movie.avi");
    const QString sound = r.file("films/Sound.wav");
    const QString ini = r.file("films/disc.ini");
    Browsefrm &b = r.browse(2);
    ASSERT_TRUE(r.moveTo(r.tree.filePath("films")));

    ASSERT_TRUE(r.click("Movie.avi"));
    EXPECT_EQ(r.panel.browseDialog()->selectedFile(), video);
    QMouseEvent hover(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(b.filList->viewport(), &hover);
    EXPECT_EQ(b.filList->toolTip(), "Movie.avi");
    QTest::mouseClick(b.cmdOpen, Qt::LeftButton);
    EXPECT_EQ(r.mp1.fileName(), video);
    EXPECT_EQ(ctl(r.panel, "namelbl")->text(), "VIDEO: MOVIE.AVI");
    EXPECT_EQ(r.prefs.values().lastDir, r.tree.filePath("films"));
    EXPECT_FALSE(b.isVisible());

    r.browse(3);
    ASSERT_TRUE(r.click("Sound.wav"));
    QTest::mouseClick(b.cmdOpen, Qt::LeftButton);
    EXPECT_EQ(r.mp2.fileName(), sound);
    EXPECT_TRUE(r.session.audioSeparate());

    r.browse(1);
    b.CmbFilter->setCurrentIndex(0);
    ASSERT_TRUE(r.click("disc.ini"));
    QTest::mouseClick(b.cmdOpen, Qt::LeftButton);
    EXPECT_EQ(r.session.disc().iniFile, ini);
    EXPECT_FALSE(b.isVisible());
}

TEST(Browsefrm, AFolderAlreadyVisitedNeverShowsAmongTheFiles)
{
    const struct {
        int mode;
        const char *folder;  // named as the mode's files are, visited before
        const char *file;    // the one file beside it
    } cases[] = {
        {2, "folder.avi", "movie.avi"},
        {2, "clips.MPG/deeper", "movie.avi"},
        {1, "disc.ini", "kelmora.ini"},
        {4, "subs.srt", "film.srt"},
    };
    for (const auto &c : cases) {
        BrowseRig r;
        r.file(QString::fromLatin1(c.folder) + QStringLiteral("/inside.txt"));
        r.file(QString::fromLatin1(c.file));
        Browsefrm &b = r.browse(c.mode);
        ASSERT_TRUE(r.moveTo(r.tree.filePath(QString::fromLatin1(c.folder))));
        ASSERT_TRUE(r.moveTo(r.tree.path()));
        EXPECT_TRUE(r.lists({QString::fromLatin1(c.file)})) << c.folder << ": " << r.listed().join(", ").toStdString();
        // Also once the folder tree has read the folders again.
        const QString visited = QString::fromLatin1(c.folder).section(QLatin1Char('/'), 0, 0);
        ASSERT_TRUE(QTest::qWaitFor([&] {
            const QModelIndex at = b.dirList->currentIndex();
            return b.dirList->model()->rowCount(at) == 1 && b.dirList->model()->index(0, 0, at).data() == visited;
        }, 5000));
        EXPECT_EQ(r.listed(), QStringList{QString::fromLatin1(c.file)}) << c.folder;
    }
}

TEST(Browsefrm, OpenBeforeAnyChoiceDoesNothingAndLaterReopensTheEarlierChoiceInAnyMode)
{
    BrowseRig r;
    const QString video = r.file("Movie.avi");
    Browsefrm &b = r.browse(2);
    QTest::mouseClick(b.cmdOpen, Qt::LeftButton);
    EXPECT_TRUE(b.isVisible());
    EXPECT_TRUE(r.mp1.calls.isEmpty());
    EXPECT_TRUE(r.prefs.values().lastDir == r.tree.path());

    ASSERT_TRUE(r.click("Movie.avi"));
    QTest::keyClick(&b, Qt::Key_Escape);
    EXPECT_FALSE(b.isVisible());
    EXPECT_EQ(r.panel.browseDialog()->selectedFile(), video);
    EXPECT_TRUE(r.mp1.calls.isEmpty());

    // Another kind of file, nothing clicked: the movie is handed to the subtitle loader as it is.
    r.browse(4);
    QTest::mouseClick(b.cmdOpen, Qt::LeftButton);
    EXPECT_EQ(r.session.subFilePath(), video);
    EXPECT_FALSE(b.Openas->isVisible());
}

TEST(Browsefrm, SubtitlesPassTheOpenAsCodeOrWaitForTheNextVideo)
{
    BrowseRig r;
    r.file("a.srt", kSrt);
    r.file("b.sub", kMicroDvd);
    r.file("Movie.avi");
    Browsefrm &b = r.browse(4);
    ASSERT_TRUE(r.click("a.srt"));
    QTest::mouseClick(b.cmdOpen, Qt::LeftButton);
    EXPECT_EQ(r.session.subFilePath(), r.tree.filePath("a.srt"));
    EXPECT_EQ(ctl(r.panel, "Sublbl")->text(), "SUB:");
    EXPECT_FALSE(r.logText().contains("Opening Subs"));

    // The next video brings the waiting file in, its format detected.
    r.browse(2);
    ASSERT_TRUE(r.click("Movie.avi"));
    QTest::mouseClick(b.cmdOpen, Qt::LeftButton);
    EXPECT_TRUE(r.logText().contains("format is 1\r\n"));
    EXPECT_NE(ctl(r.panel, "Sublbl")->text(), "SUB:");

    // With a video loaded the chosen entry's code goes to the loader, whatever the file holds.
    struct Case {
        int openAs;
        const char *file;
        const char *format;
    } cases[] = {{0, "b.sub", "format is 0"}, {2, "b.sub", "format is 1"}, {1, "a.srt", "format is 0"},
                 {3, "b.sub", "format is 2"}};
    for (const Case &c : cases) {
        r.browse(4).Openas->setCurrentIndex(c.openAs);
        ASSERT_TRUE(r.click(c.file));
        QTest::mouseClick(b.cmdOpen, Qt::LeftButton);
        const QByteArray log = r.logText();
        const qsizetype at = log.lastIndexOf("format is ");
        EXPECT_EQ(log.mid(at, log.indexOf('\r', at) - at), c.format) << c.openAs;
    }
}

TEST(Browsefrm, DoubleClickOpensAtOnce)
{
    BrowseRig r;
    const QString video = r.file("Movie.avi");
    Browsefrm &b = r.browse(2);
    ASSERT_TRUE(r.click("Movie.avi", true));
    EXPECT_EQ(r.mp1.fileName(), video);
    EXPECT_FALSE(b.isVisible());
}

TEST(Browsefrm, ADriveThatCannotBeReadKeepsThePreviousOne)
{
    BrowseRig r;
    QTemporaryDir stick, empty;
    r.drives.volumeList << Drive{QStringLiteral("STICK"), stick.path(), true}
                        << Drive{QStringLiteral("Empty drive"), empty.path(), false}
                        << Drive{QStringLiteral("Gone"), stick.path() + QStringLiteral("/unplugged"), true};
    Browsefrm &b = r.browse(2);
    ASSERT_EQ(b.drvList->count(), 4);
    struct Case {
        int drive;
        QString folder;
    } cases[] = {{2, r.tree.path()}, {3, r.tree.path()}, {1, stick.path()}, {2, stick.path()}, {0, r.tree.path()}};
    for (const Case &c : cases) {
        b.drvList->setCurrentIndex(c.drive);
        emit b.drvList->activated(c.drive);
        const QString place = r.drives.volumeList[c.folder == stick.path() ? 1 : 0].name;
        // A place that cannot be listed is known once its listing has failed.
        EXPECT_TRUE(QTest::qWaitFor([&] { return b.dirPath() == c.folder && b.drvList->currentText() == place; }, 5000))
            << c.drive << ": " << b.dirPath().toStdString() << " on " << b.drvList->currentText().toStdString();
    }
}

TEST(Browsefrm, ARememberedFolderThatIsGoneOrEmptyOpensTheHomeFolder)
{
    for (const QString &last : {QStringLiteral("/no/such/folder"), QString()}) {
        BrowseRig r;
        r.prefs.set(&Prefs::lastDir, last);
        Browsefrm &b = r.browse(2);
        EXPECT_TRUE(QTest::qWaitFor([&] { return b.dirPath() == QDir::homePath(); }, 5000)) << last.toStdString();
    }
}

TEST(Browsefrm, EveryCaptionFitsItsControl)
{
    BrowseRig r;
    for (int mode = 1; mode <= 5; ++mode) {
        Browsefrm &b = r.browse(mode);
        for (QPushButton *button : {b.cmdOpen, b.cmdExit})
            EXPECT_LE(QFontMetrics(button->font()).horizontalAdvance(button->text()) + 6, button->width());
        QStyleOptionButton box;
        box.initFrom(b.Check1);
        const QRect text = b.style()->subElementRect(QStyle::SE_CheckBoxContents, &box, b.Check1);
        EXPECT_LE(QFontMetrics(b.Check1->font()).horizontalAdvance(b.Check1->text()), text.width());
        EXPECT_LE(QFontMetrics(b.Label1->font()).horizontalAdvance(b.Label1->text()), b.Label1->width());
        EXPECT_LE(QFontMetrics(b.Label1->font()).height(), b.Label1->height());
        for (QComboBox *combo : {b.CmbFilter, b.Openas}) {
            QStyleOptionComboBox opt;
            opt.initFrom(combo);
            const QRect field = b.style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, combo);
            for (int i = 0; i < combo->count(); ++i)
                EXPECT_LE(QFontMetrics(combo->font()).horizontalAdvance(combo->itemText(i)), field.width()) << mode;
        }
    }
}

TEST(Browsefrm, TheFolderTreeAndTheFileListShowWhichHasTheKeys)
{
    BrowseRig r;
    r.file("a.avi");
    Browsefrm &b = r.browse(2);
    b.show();
    b.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&b));
    ASSERT_TRUE(r.lists({"a.avi"}));
    const auto frame = [](QWidget *view) {
        // The pixels along the view's edge, where the mark is drawn.
        const QImage shot = view->grab().toImage();
        QList<QRgb> edge;
        for (int x = 0; x < shot.width(); x += 4)
            edge << shot.pixel(x, 0) << shot.pixel(x, 1);
        return edge;
    };
    for (QAbstractItemView *view : std::initializer_list<QAbstractItemView *>{b.dirList, b.filList}) {
        QWidget *other = view == b.dirList ? static_cast<QWidget *>(b.filList) : b.dirList;
        other->setFocus(Qt::MouseFocusReason);
        ASSERT_TRUE(other->hasFocus());
        const QList<QRgb> without = frame(view);
        view->setFocus(Qt::MouseFocusReason);
        ASSERT_TRUE(view->hasFocus());
        EXPECT_NE(frame(view), without) << view->objectName().toStdString();
    }
}

TEST(Browsefrm, TheFileListSortsNumbersByValueAndIgnoresCase)
{
    const UserLocale english(QLocale(QLocale::English, QLocale::UnitedStates));
    BrowseRig r;
    for (const char *name : {"clip 10.avi", "Clip 2.avi", "clip 1.AVI", "b.avi"})
        r.file(name);
    r.browse(2);
    const QStringList expected = {"b.avi", "clip 1.AVI", "Clip 2.avi", "clip 10.avi"};
    EXPECT_TRUE(QTest::qWaitFor([&] { return r.shown() == expected; }, 5000)) << r.shown().join(", ").toStdString();
}

TEST(Browsefrm, TheListReadAgainKeepsTheHighlightAndShowsWhatChangedWhileAway)
{
    BrowseRig r;
    r.file("a.avi");
    r.file("b.avi");
    r.file(".c.avi");
    Browsefrm &b = r.browse(2);
    ASSERT_TRUE(r.click("b.avi"));
    QTest::mouseClick(b.Check1, Qt::LeftButton);
    ASSERT_TRUE(r.lists({".c.avi", "a.avi", "b.avi"}));
    EXPECT_EQ(b.filList->currentIndex().data().toString(), "b.avi");
    EXPECT_EQ(r.panel.browseDialog()->selectedFile(), r.tree.filePath("b.avi"));

    b.cmdExit_Click();
    r.file("d.avi");
    QFile::remove(r.tree.filePath("a.avi"));
    r.browse(2);
    EXPECT_TRUE(r.lists({".c.avi", "b.avi", "d.avi"}));
}
