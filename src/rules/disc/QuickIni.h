#pragma once
// A disc's Quick ini file read into the lists and labels that runCD puts on the windows. The file's
// five sections (MOVIE, MAIN, SUBTITLES, LANGUAGES, SPECIAL, CHAPTERS) are all optional; a numbered
// list runs from 1 to the first number without a value.
#include <QList>
#include <QString>
#include <QStringList>

class IniFile;

struct QuickDisc {
    struct Chapter {
        QString name;
        int number = 0;  // where the chapter starts, read as a frame of the movie
    };

    QString moviePath;   // always built, even from missing keys
    QString title;       // MAIN Title as written
    QStringList subNames;  // SubCombo's items
    QStringList subFiles;  // their paths, parallel
    int defaultSub = -1;   // index of the default track; -1 when the default number names no track
    QStringList langNames;   // LangCombo's items: the movie's own sound ("DEFAULT" unnamed), then the extras
    QStringList audioFiles;  // the extra languages' paths, parallel to langNames from item 1
    bool specialsListed = false;  // the SPECIAL section is in use (its CD value is not empty)
    QStringList specialNames;     // ListSelect's items after "MAIN MOVIE"
    QStringList specialInis;      // their Quick ini files, ComboINI's items after the main one
    QList<Chapter> chapters;      // ListSelect's items after the specials
};

namespace QuickIni {

// The folder the movie, subtitle and language paths are built on: the program folder in autorun
// mode, the Quick ini file's own folder when the file was chosen by path, else the root of the medium
// the drive search found it on.
QString mediaBase(bool autorunMode, bool relativeToIni, const QString &appPath, const QString &iniPath,
                  const QString &driveRoot);

// Reads the Quick ini file at `iniPath` (a missing one gives empty values throughout) with its media
// under `base`; specials lie under the Quick ini file's own folder. A special without "." and a blank
// after it, or a chapter not starting with a whole number and a blank, cannot be split and is left
// out; the list goes on after it.
QuickDisc read(const QString &iniPath, const QString &base);
// The same for a file already read.
QuickDisc read(const IniFile &ini, const QString &iniPath, const QString &base);

}  // namespace QuickIni
