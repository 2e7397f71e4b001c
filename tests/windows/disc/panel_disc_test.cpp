// Disc mode on the panel against doubles: Quick ini files in temporary folders run through the CD
// button's drop, search and the autorun start, seen through the lists, labels and engines they set;
// the selection window and the preferences' language and subtitle lists.
#include "support/OpenAndWait.h"
#include "support/PanelFixture.h"

#include "browse/Browsefrm.h"
#include "disc/SelectFrm.h"
#include "subtitles/subtitles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <gtest/gtest.h>
#include <algorithm>

namespace {

const QByteArray kSrt = "1\r\n00:00:02,000 --> 00:00:03,000\r\nHello\r\n\r\n"
                        "2\r\n00:00:04,000 --> 00:00:06,000\r\nTwo\r\n\r\n";

struct DiscRig : PanelFixture {
    // Drives whose root is a relative path have it under the program folder, and are named by it.
    explicit DiscRig(QList<Drive> optical = {})
    {
        for (Drive &d : optical) {
            if (!d.root.isEmpty() && !d.root.startsWith('/')) {
                d.root = d.name = path(d.root);
                QDir().mkpath(d.root);
            }
        }
        drives.opticalList = optical;
        panel.Form_Load();
    }
    ~DiscRig() { panel.Form_Unload(0); }

    // A file under the program folder, its folders made as needed.
    QString write(const QString &relative, const QByteArray &bytes = "x")
    {
        const QString full = path(relative);
        QDir().mkpath(QFileInfo(full).absolutePath());
        QFile f(full);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return full;
    }
    QString rel(const QString &p) const { return p.startsWith(app.appPath) ? p.mid(app.appPath.size()) : p; }
    // Each returns once the Quick ini file it runs has been read.
    void drop(const QString &relative)
    {
        emit ctl(panel, "CDplay")->Dropped({path(relative)});
        EXPECT_TRUE(discReadEnds(session)) << relative.toStdString();
    }
    void leftClick(bool runs = true)
    {
        emit ctl(panel, "CDplay")->MouseDown(1, 0, 0, 0);
        if (runs)
            EXPECT_TRUE(discReadEnds(session));
    }
    QByteArray logText() const
    {
        QFile f(app.appPath + "kelmora.log");
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString opened() const
    {
        for (qsizetype i = mp1.calls.size() - 1; i >= 0; --i) {
            if (mp1.calls[i].startsWith("open "))
                return rel(mp1.calls[i].mid(5));
        }
        return "<none>";
    }
    static QString items(const QComboBox *box)
    {
        QStringList out;
        for (int i = 0; i < box->count(); ++i)
            out << box->itemText(i);
        return out.join('|') + " = " + box->currentText();
    }
    QString selection() const
    {
        QStringList out, inis;
        for (const Special &e : session.specials().list()) {
            out << e.name;
            inis << rel(e.iniFile);
        }
        for (const Chapter &e : session.chapters().list())
            out << e.name + "(" + QString::number(e.frame) + ")";
        return out.join('|') + " / " + inis.join('|');
    }
    QStringList files(const QList<TrackList::Choice> &choices) const
    {
        QStringList out;
        for (const TrackList::Choice &c : choices) {
            if (!c.file.isEmpty())
                out << rel(c.file);
        }
        return out;
    }
    // Everything runCD leaves on the windows, paths shown under the program folder.
    QString state() const
    {
        return QStringList{
            "movie " + opened(),
            ctl(panel, "namelbl")->text(),
            "subs " + items(settings.SubCombo) + " " + files(session.tracks().subtitles()).join('|'),
            "sub " + rel(session.subFilePath()),
            ctl(panel, "Sublbl")->text(),
            "langs " + items(settings.LangCombo) + " " + files(session.tracks().audio()).join('|'),
            ctl(panel, "audiolbl")->text(),
            "select " + selection(),
        }.join('\n');
    }
};

}  // namespace

TEST(DiscMode, RunCDFillsTheListsAndLabelsFromTheQuickIniFile)
{
    struct Case {
        const char *what;
        QByteArray ini;
        QString expected;
    };
    const Case cases[] = {
        {"movie only", "[MOVIE]\r\nDirectory=movie\r\nAVIName=film.avi\r\n",
         "movie disc/movie/film.avi\nVIDEO: \nsubs None|before.srt = before.srt before.srt\nsub before.srt\nSUB: BEFORE.SRT\n"
         "langs DEFAULT = DEFAULT \nAUDIO: DEFAULT\nselect MAIN MOVIE / disc/film.ini"},
        {"default track 2", "[MAIN]\r\nTitle=My Disc\r\n[SUBTITLES]\r\nDefault=2\r\nDirectory=subs\r\n"
                            "1=en English\r\nFile=en.srt\r\n2=fr French\r\nFile=fr.srt\r\n",
         "movie disc/\nVIDEO: MY DISC\nsubs None|English|French = French disc/subs/en.srt|disc/subs/fr.srt\n"
         "sub disc/subs/fr.srt\nSUB: FRENCH\nlangs DEFAULT = DEFAULT \nAUDIO: DEFAULT\n"
         "select MAIN MOVIE / disc/film.ini"},
        {"default names no track", "[SUBTITLES]\r\nDefault=3\r\nDirectory=subs\r\n"
                                   "1=en English\r\nFile=en.srt\r\n2=fr French\r\nFile=fr.srt\r\n",
         "movie disc/\nVIDEO: \nsubs None|English|French|before.srt = before.srt disc/subs/en.srt|disc/subs/fr.srt|before.srt\n"
         "sub before.srt\nSUB: BEFORE.SRT\nlangs DEFAULT = DEFAULT \nAUDIO: DEFAULT\nselect MAIN MOVIE / disc/film.ini"},
        {"gap ends a list, no default key", "[SUBTITLES]\r\nDirectory=subs\r\n1=en English\r\nFile=en.srt\r\n"
                                            "3=fr French\r\nFile=fr.srt\r\n",
         "movie disc/\nVIDEO: \nsubs None|English = English disc/subs/en.srt\nsub disc/subs/en.srt\nSUB: ENGLISH\n"
         "langs DEFAULT = DEFAULT \nAUDIO: DEFAULT\nselect MAIN MOVIE / disc/film.ini"},
        {"tracks without a directory", "[SUBTITLES]\r\n1=en English\r\nFile=en.srt\r\n",
         "movie disc/\nVIDEO: \nsubs None|before.srt = before.srt before.srt\nsub before.srt\nSUB: BEFORE.SRT\nlangs DEFAULT = DEFAULT \n"
         "AUDIO: DEFAULT\nselect MAIN MOVIE / disc/film.ini"},
        {"languages", "[LANGUAGES]\r\nPrimary=en English\r\nDirectory=audio\r\n1=de Deutsch\r\nFile=de.mp3\r\n",
         "movie disc/\nVIDEO: \nsubs None|before.srt = before.srt before.srt\nsub before.srt\nSUB: BEFORE.SRT\n"
         "langs English|Deutsch = English disc/audio/de.mp3\nAUDIO: ENGLISH\nselect MAIN MOVIE / disc/film.ini"},
        {"languages without a directory", "[LANGUAGES]\r\nPrimary=en English\r\n1=de Deutsch\r\nFile=de.mp3\r\n",
         "movie disc/\nVIDEO: \nsubs None|before.srt = before.srt before.srt\nsub before.srt\nSUB: BEFORE.SRT\nlangs English = English \n"
         "AUDIO: ENGLISH\nselect MAIN MOVIE / disc/film.ini"},
        {"specials and chapters, unsplittable entries left out",
         "[SPECIAL]\r\nCD=1\r\nDirectory=extra\r\n1=making.ini The Making\r\n2=noextension Broken\r\n"
         "3=trailer.ini\r\n4=trailer.ini Trailer\r\n[CHAPTERS]\r\n1=0 Start\r\n2=x Bad\r\n3=1200 Battle\r\n",
         "movie disc/\nVIDEO: \nsubs None|before.srt = before.srt before.srt\nsub before.srt\nSUB: BEFORE.SRT\nlangs DEFAULT = DEFAULT \n"
         "AUDIO: DEFAULT\nselect MAIN MOVIE|The Making|Trailer|Start(0)|Battle(1200) / "
         "disc/film.ini|disc/extra/making.ini|disc/extra/trailer.ini"},
        {"specials without a CD key", "[SPECIAL]\r\nDirectory=extra\r\n1=making.ini The Making\r\n",
         "movie disc/\nVIDEO: \nsubs None|before.srt = before.srt before.srt\nsub before.srt\nSUB: BEFORE.SRT\nlangs DEFAULT = DEFAULT \n"
         "AUDIO: DEFAULT\nselect MAIN MOVIE / disc/film.ini"},
        {"backslashes and letter case", "[MOVIE]\r\nDirectory=Movie\\SUB\r\nAVIName=FILM.Avi\r\n"
                                        "[SUBTITLES]\r\nDirectory=\\Subs\\\r\n1=en English\r\nFile=EN.SRT\r\n",
         "movie disc/movie/sub/film.avi\nVIDEO: \nsubs None|English = English disc/subs/en.srt\nsub disc/subs/en.srt\n"
         "SUB: ENGLISH\nlangs DEFAULT = DEFAULT \nAUDIO: DEFAULT\nselect MAIN MOVIE / disc/film.ini"},
        {"a text file of another kind", "Just some notes.\r\nNothing = here.\r\n",
         "movie disc/\nVIDEO: \nsubs None|before.srt = before.srt before.srt\nsub before.srt\nSUB: BEFORE.SRT\nlangs DEFAULT = DEFAULT \n"
         "AUDIO: DEFAULT\nselect MAIN MOVIE / disc/film.ini"},
    };
    for (const Case &c : cases) {
        DiscRig r;
        r.write("before.srt", kSrt);
        r.write("disc/subs/en.srt", kSrt);
        r.write("disc/subs/fr.srt", kSrt);
        r.write("disc/movie/sub/film.avi");
        r.session.chooseSubtitles(r.path("before.srt"));
        r.write("disc/film.ini", c.ini);
        r.drop("disc/film.ini");
        EXPECT_EQ(r.state(), c.expected) << c.what;
        EXPECT_TRUE(r.dialogs.due().empty()) << c.what;
    }
}

TEST(DiscMode, MediaAreFoundFromTheProgramFolderTheIniFolderOrTheDriveRoot)
{
    const QByteArray ini = "[MOVIE]\r\nDirectory=movie\r\nAVIName=film.avi\r\n";
    {
        DiscRig r;
        r.write("cd/discs/film.ini", ini);
        r.drop("cd/discs/film.ini");
        EXPECT_EQ(r.opened(), "cd/discs/movie/film.avi") << "chosen by path";
        EXPECT_TRUE(r.logText().contains("\r\nINI mode\r\nopening video ")) << r.logText().constData();
    }
    {
        DiscRig r({{"cd", "cd", true}});
        r.write("cd/kelmora.ini", ini);
        r.leftClick();
        EXPECT_EQ(r.opened(), "cd/movie/film.avi") << "drive search";
    }
    {
        PanelFixture f;
        f.app.commandLine = "autorun";
        QFile w(f.path("kelmora.ini"));
        ASSERT_TRUE(w.open(QIODevice::WriteOnly));
        w.write(ini);
        w.close();
        f.panel.Form_Load();
        ASSERT_TRUE(discReadEnds(f.session));
        EXPECT_TRUE(f.settings.Autoplay->isChecked());
        EXPECT_EQ(f.session.disc().iniFile, f.path("kelmora.ini"));
        EXPECT_EQ(f.mp1.fileName(), f.path("movie/film.avi")) << "autorun";
        EXPECT_EQ(f.mp1.playState(), 2);
        EXPECT_FALSE(QFile::exists(f.path("kelmora.log")));
        f.panel.Form_Unload(0);
    }
}

TEST(DiscMode, TheDriveSearchRunsTheFirstQuickIniFileOnAReadyDrive)
{
    struct Case {
        const char *what;
        QList<int> ready;      // per drive: 0 no medium, 1 ready
        QStringList files;     // files on the drives, "d<N>/name"
        QString started;       // the Quick ini file run, or empty
        int criticals;
        int visited;           // "Ini file (CDMODE):" lines
    };
    const Case cases[] = {
        {"first drive empty", {0, 1}, {"d2/mdvd.ini"}, "d2/mdvd.ini", 1, 2},
        {"kelmora.ini before mdvd.ini", {1}, {"d1/mdvd.ini", "d1/kelmora.ini"}, "d1/kelmora.ini", 0, 1},
        {"only in a sub-folder", {1}, {"d1/disc/kelmora.ini"}, "", 0, 1},
        {"four drives, all searched", {1, 1, 1, 1}, {"d4/MDVD.MVD"}, "d4/MDVD.MVD", 0, 4},
        {"a fifth drive is ignored", {1, 1, 1, 1, 1}, {"d5/kelmora.ini"}, "", 0, 4},
        {"stops at the first found", {1, 0, 1}, {"d1/mdvd.mdv", "d3/kelmora.ini"}, "d1/mdvd.mdv", 0, 1},
    };
    for (const Case &c : cases) {
        QList<Drive> optical;
        for (int i = 0; i < c.ready.size(); ++i) {
            const QString root = QStringLiteral("d%1").arg(i + 1);
            optical.append(c.ready[i] ? Drive{root, root, true} : Drive{QStringLiteral("/dev/sr%1").arg(i), {}, false});
        }
        DiscRig r(optical);
        for (const QString &file : c.files)
            r.write(file);
        r.leftClick(!c.started.isEmpty());
        EXPECT_EQ(r.rel(r.session.disc().iniFile), c.started) << c.what;
        EXPECT_EQ(r.mp1.calls.filter("open ").size(), c.started.isEmpty() ? 0 : 1) << c.what;
        EXPECT_EQ(int(r.dialogs.due().size()), c.criticals) << c.what;
        for (const auto &shown : r.dialogs.due()) {
            EXPECT_EQ(shown.title, "Critical Error");
            EXPECT_EQ(shown.text, "No Divx CD detected or Drive not Ready\n"
                                  "Wait until Drive is ready or put a Divx in the Drive");
        }
        EXPECT_EQ(r.logText().count("Ini file (CDMODE):          "), c.visited) << c.what;
        if (!c.started.isEmpty()) {
            EXPECT_TRUE(r.logText().contains("\r\nIni file (CDMODE):          " + r.path(c.started).toUtf8() + "\r\n"));
        }
    }
}

TEST(DiscMode, StartUpLogsTheDrivesItKeeps)
{
    DiscRig none;
    none.leftClick(false);
    ASSERT_EQ(none.dialogs.due().size(), 1u);
    EXPECT_EQ(none.dialogs.due()[0].text, "No CD-rom Drives found ");
    EXPECT_EQ(none.dialogs.due()[0].icon, Dialogs::Icon::Exclamation);

    QList<Drive> five;
    for (int i = 0; i < 5; ++i)
        five.append({QStringLiteral("/dev/sr%1").arg(i), {}, false});
    five[1] = {"/media/cdrom1", "/media/cdrom1", true};
    DiscRig r(five);
    EXPECT_EQ(r.panel.opticalDrives(), 4);
    EXPECT_TRUE(r.logText().contains("Main exited\r\nTrying to get CDRoms\r\n4CDrom(s) found\r\n"
                                     "/dev/sr0\r\n/media/cdrom1\r\n/dev/sr2\r\n/dev/sr3\r\n0Arguments\r\n"));

    // The right button locates a file by hand instead.
    r.panel.CDplay_MouseDown(2, 0, 0, 0);
    EXPECT_EQ(r.panel.browseDialog()->mode(), 1);
    EXPECT_EQ(r.dialogs.due().size(), 0u);
}

TEST(DiscMode, ADropOfSeveralFilesIsIgnored)
{
    DiscRig r;
    const QString a = r.write("a.ini", "[MOVIE]\r\nAVIName=a.avi\r\n");
    const QString b = r.write("b.ini", "[MOVIE]\r\nAVIName=b.avi\r\n");
    emit ctl(r.panel, "CDplay")->Dropped({a, b});
    EXPECT_TRUE(r.mp1.calls.filter("open ").isEmpty());
    EXPECT_TRUE(r.session.disc().iniFile.isEmpty());
}

namespace {

// A disc with two specials and three chapters, a second subtitle track and a second language.
struct DemoDisc : DiscRig {
    DemoDisc()
    {
        write("disc/film.ini", "[MOVIE]\r\nDirectory=movie\r\nAVIName=film.avi\r\n[MAIN]\r\nTitle=Film\r\n"
                               "[SUBTITLES]\r\nDirectory=subs\r\n1=en English\r\nFile=en.srt\r\n"
                               "2=fr French\r\nFile=fr.srt\r\n"
                               "[LANGUAGES]\r\nPrimary=en English\r\nDirectory=audio\r\n1=de Deutsch\r\n"
                               "File=de.mp3\r\n"
                               "[SPECIAL]\r\nCD=1\r\nDirectory=extra\r\n1=making.ini The Making\r\n"
                               "2=trailer.ini Trailer\r\n"
                               "[CHAPTERS]\r\n1=0 Start\r\n2=250 Middle\r\n3=1200 Battle\r\n");
        write("disc/extra/trailer.ini", "[MOVIE]\r\nAVIName=trailer.avi\r\n[MAIN]\r\nTitle=Trailer\r\n");
        write("disc/subs/en.srt", kSrt);
        write("disc/subs/fr.srt", "1\r\n00:00:01,000 --> 00:00:02,000\r\nBonjour\r\n\r\n");
        drop("disc/film.ini");
    }
    void pick(int row)
    {
        panel.LblScenes_Click();
        QListView *list = panel.selection()->ListSelect;
        list->setCurrentIndex(list->model()->index(row, 0));
        panel.selection()->Command1->click();
        // The main movie and the specials run their Quick ini files.
        if (row < session.specials().list().size())
            EXPECT_TRUE(discReadEnds(session));
    }
    static void choose(QComboBox *box, int index)
    {
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
};

}  // namespace

TEST(DiscMode, TheSelectionWindowRunsSpecialsAndTheMainMovieAndMovesToChapters)
{
    DemoDisc r;
    const QString disc = r.state();
    const QString lists = r.selection();
    EXPECT_EQ(lists, "MAIN MOVIE|The Making|Trailer|Start(0)|Middle(250)|Battle(1200) / "
                     "disc/film.ini|disc/extra/making.ini|disc/extra/trailer.ini");
    EXPECT_TRUE(r.logText().contains("\r\nSubs opened succesfully?\r\nIni opened succesfully?\r\n"));
    r.panel.Lblspecial_Click();
    EXPECT_TRUE(r.panel.selection()->isVisible());
    EXPECT_EQ(r.panel.selection()->windowTitle(), "Specials Selection");

    r.panel.overlay()->setCaption("Hello");
    r.pick(2);
    EXPECT_FALSE(r.panel.selection()->isVisible());
    EXPECT_EQ(r.opened(), "disc/extra/trailer.avi");
    EXPECT_EQ(ctl(r.panel, "namelbl")->text(), "VIDEO: TRAILER");
    EXPECT_EQ(r.selection(), "MAIN MOVIE / disc/film.ini");
    EXPECT_EQ(r.rel(r.session.disc().iniFile), "disc/film.ini");
    EXPECT_EQ(r.panel.overlay()->Label1->text(), QString());

    r.panel.LblScenes_Click();
    EXPECT_EQ(r.panel.selection()->windowTitle(), "Scene Selection");
    r.pick(0);
    EXPECT_EQ(r.state(), disc);

    // A chapter moves the movie to its frame and leaves it playing, or standing, as it was.
    for (const bool playing : {true, false}) {
        if (playing != (r.mp1.playState() == 2))
            r.panel.vplay_Click();
        r.pick(5);
        EXPECT_EQ(r.mp1.currentPosition(), 1200);
        EXPECT_EQ(r.mp1.playState() == 2, playing);
        EXPECT_EQ(r.selection(), lists);
        r.pick(4);
        EXPECT_EQ(r.mp1.currentPosition(), 250);
    }

    // OK with nothing chosen only hides the window.
    r.panel.Lblspecial_Click();
    r.panel.selection()->ListSelect->clearSelection();
    const qsizetype calls = r.mp1.calls.size();
    r.panel.selection()->Command1->click();
    EXPECT_FALSE(r.panel.selection()->isVisible());
    EXPECT_EQ(r.mp1.calls.size(), calls);
}

TEST(DiscMode, LanguagesAndSubtitleTracksArePickedInThePreferences)
{
    DemoDisc r;
    r.write("disc/audio/de.mp3");
    QComboBox *langs = r.settings.LangCombo;
    DemoDisc::choose(langs, 1);
    EXPECT_EQ(r.rel(r.mp2.fileName()), "disc/audio/de.mp3");
    EXPECT_FALSE(r.mp2.mute());
    EXPECT_TRUE(r.mp1.mute());
    EXPECT_TRUE(r.session.audioSeparate());
    EXPECT_EQ(ctl(r.panel, "audiolbl")->text(), "AUDIO: DEUTSCH");

    DemoDisc::choose(langs, 0);
    EXPECT_EQ(r.mp2.fileName(), QString());
    EXPECT_TRUE(r.mp2.mute());
    EXPECT_FALSE(r.mp1.mute());
    EXPECT_FALSE(r.session.audioSeparate());
    EXPECT_EQ(ctl(r.panel, "audiolbl")->text(), "AUDIO: ENGLISH");

    // A language whose file does not open leaves the movie's own sound, and the list says so.
    r.mp2.unopenable.insert(r.path("disc/audio/de.mp3"));
    DemoDisc::choose(langs, 1);
    EXPECT_EQ(r.dialogs.texts(), QStringList{"ERROR LOADING AUDIO FILE"});
    EXPECT_EQ(langs->currentIndex(), 0);
    EXPECT_FALSE(r.mp1.mute());
    EXPECT_EQ(ctl(r.panel, "audiolbl")->text(), "AUDIO: ENGLISH");

    const QString defaultTrack = r.session.subFilePath();
    DemoDisc::choose(r.settings.SubCombo, 2);
    const auto &texts = r.session.subClock().table().subText;
    EXPECT_NE(std::find(texts.begin(), texts.end(), QStringLiteral("Bonjour")), texts.end());
    EXPECT_EQ(ctl(r.panel, "Sublbl")->text(), "SUB: FRENCH");
    EXPECT_EQ(r.session.subFilePath(), defaultTrack);
}

TEST(DiscMode, TheMainMovieResumesWhereItWasLeft)
{
    DiscRig rig;
    rig.write("disc/movie/film.avi", "movie bytes");
    rig.write("disc/film.ini", "[MOVIE]\r\nDirectory=movie\r\nAVIName=film.avi\r\n");
    rig.mp1.seconds = 300;
    rig.mp1.frames = 7500;
    rig.drop("disc/film.ini");
    ASSERT_EQ(rig.opened(), "disc/movie/film.avi");
    rig.panel.vplay_Click();
    rig.mp1.setPositionQuietly(3000);
    rig.panel.vplay_Click();
    rig.mp1.calls.clear();
    rig.drop("disc/film.ini");
    EXPECT_TRUE(rig.mp1.calls.contains("seek 3000")) << rig.mp1.calls.join(", ").toStdString();
    EXPECT_EQ(rig.mp1.currentPosition(), 3000);
}

TEST(DiscMode, TheDriveSearchLogsTheDiscAfterTheLinesOfItsRead)
{
    DiscRig r({{"cd", "cd", true}});
    r.mp1.holdOpens = true;
    r.write("cd/subs/en.srt", kSrt);
    r.write("cd/kelmora.ini", "[MOVIE]\r\nAVIName=film.avi\r\n[SUBTITLES]\r\nDirectory=subs\r\n1=en English\r\n"
                              "File=en.srt\r\n[SPECIAL]\r\nCD=1\r\n1=a.ini A\r\n");
    r.leftClick();
    EXPECT_FALSE(r.logText().contains("Ini file (CDMODE):")) << "the disc's movie is still opening";
    r.mp1.finishOpen();
    const QString log = QString::fromUtf8(r.logText());
    const QStringList order{"INI mode", "opening video ", "Opening Subs ", "Subs opened succesfully?",
                            "Ini opened succesfully?", "Ini file (CDMODE):"};
    qsizetype at = 0;
    for (const QString &line : order) {
        const qsizetype next = log.indexOf(line, at);
        EXPECT_GE(next, at) << line.toStdString() << " in\n" << log.toStdString();
        at = std::max(at, next);
    }
    EXPECT_EQ(log.count("Ini file (CDMODE):"), 1);
}
