// The real message box, read while it is up.
#include "dialogs/Dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

TEST(QtDialogs, ALoneCarriageReturnBreaksTheLine)
{
    QtDialogs dialogs;
    QString shown;
    QTimer::singleShot(0, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    dialogs.msgBox(QStringLiteral("Vistrel movie player\rversion 3.0.0\r\rVistrel developers"),
                   Dialogs::Icon::Information, QString());
    EXPECT_EQ(shown.split(QLatin1Char('\n')),
              QStringList({"Vistrel movie player", "version 3.0.0", "", "Vistrel developers"}));
}
