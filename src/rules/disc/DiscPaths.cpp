#include "disc/DiscPaths.h"

#include <QDir>
#include <QFileInfo>

namespace DiscPaths {

namespace {

QString withSeparator(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

}  // namespace

QString resolve(const QString &folder, const QString &relative)
{
    return Resolver().resolve(folder, relative);
}

QString Resolver::resolve(const QString &folder, const QString &relative)
{
    // A name in `folder` equal to `name` but for letter case; empty when there is none.
    const auto caseVariant = [this](const QString &in, const QString &name) {
        auto listing = listings_.constFind(in);
        if (listing == listings_.cend()) {
            QHash<QString, QString> names;
            const QStringList entries = QDir(in).entryList(
                QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
            for (const QString &entry : entries) {
                const QString folded = entry.toCaseFolded();
                if (!names.contains(folded))
                    names.insert(folded, entry);
            }
            listing = listings_.insert(in, names);
        }
        return listing->value(name.toCaseFolded());
    };
    QString path = withSeparator(folder);
    QString rest = relative;
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = rest.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    bool searching = true;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString &part = parts[i];
        if (part == QLatin1String("."))
            continue;
        QString name = part;
        if (searching && !QFileInfo::exists(path + part)) {
            const QString variant = caseVariant(path, part);
            if (variant.isEmpty())
                searching = false;
            else
                name = variant;
        }
        path += name;
        if (i + 1 < parts.size())
            path += QLatin1Char('/');
    }
    return path;
}

QString folderOf(const QString &file)
{
    return withSeparator(QFileInfo(file).absolutePath());
}

QString quickIniIn(const QString &root)
{
    for (const char *name : {"kelmora.ini", "mdvd.ini", "mdvd.mdv", "mdvd.mvd"}) {
        const QString path = resolve(root, QString::fromLatin1(name));
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

}  // namespace DiscPaths
