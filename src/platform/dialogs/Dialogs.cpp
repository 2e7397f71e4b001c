#include "dialogs/Dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

static QString titleOr(const QString &title)
{
    return title.isEmpty() ? QApplication::applicationName() : title;
}

void QtDialogs::msgBox(const QString &text, Icon icon, const QString &title)
{
    QMessageBox::Icon qicon = QMessageBox::NoIcon;
    switch (icon) {
    case Icon::None: qicon = QMessageBox::NoIcon; break;
    case Icon::Critical: qicon = QMessageBox::Critical; break;
    case Icon::Exclamation: qicon = QMessageBox::Warning; break;
    case Icon::Information: qicon = QMessageBox::Information; break;
    }
    // Messages break their lines with a carriage return alone, which a Qt label would not break at.
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(qicon, titleOr(title), lines, QMessageBox::Ok);
    box.exec();
}

QString QtDialogs::inputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(nullptr, titleOr(title), prompt, QLineEdit::Normal, defaultText, &ok);
    return ok ? text : QString();
}
