#include "MessageBoxDialogs.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace {

QMessageBox::Icon boxIcon(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Icon::Information:
        return QMessageBox::Information;
    case Dialogs::Icon::Question:
        return QMessageBox::Question;
    case Dialogs::Icon::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

} // namespace

bool MessageBoxDialogs::ask(QWidget *parent, const QString &title, Icon icon, const QString &text)
{
    QMessageBox box(boxIcon(icon), title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Sì"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&No"));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void MessageBoxDialogs::inform(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.exec();
}
