// A folder model let go: deleted at once when its folders have arrived, once they do when they have
// not, so that no model nor its listing thread is left behind by a folder that answers.
#include "browse/ListingModel.h"

#include <QDir>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(ListingModel, IsDeletedOnceTheFoldersItAskedForHaveArrived)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("a/b")));
    for (const bool waitFirst : {true, false}) {
        SCOPED_TRACE(waitFirst ? "let go after the listing" : "let go during the listing");
        ListingModelPtr model(new ListingModel);
        QPointer<ListingModel> alive = model.get();
        QSignalSpy loaded(model.get(), &QFileSystemModel::directoryLoaded);
        model->setRootPath(dir.path());
        // A folder below, asked for as a tree view asks when it is expanded.
        if (waitFirst) {
            ASSERT_TRUE(loaded.wait(5000));
            const QModelIndex a = model->index(dir.filePath(QStringLiteral("a")));
            ASSERT_TRUE(model->canFetchMore(a));
            model->fetchMore(a);
            ASSERT_TRUE(QTest::qWaitFor([&] { return loaded.count() >= 2; }, 5000));
            model.reset();
            EXPECT_TRUE(alive.isNull());
        } else {
            model.reset();
            EXPECT_TRUE(QTest::qWaitFor([&] { return alive.isNull(); }, 5000));
        }
    }
}

}  // namespace
