#include "MessageBoxDialogs.h"

#include "WindowScale.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {

// Over a window that shows its design enlarged, the box's text grows with
// it (at most twice), so that it can be read and answered from a distance.
void fitTo(QMessageBox &box, const QWidget *parent)
{
    const double factor = std::min(2.0, WindowScale::of(parent));
    if (factor <= 1.0)
        return;
    QFont font = QApplication::font();
    if (font.pixelSize() > 0)
        font.setPixelSize(int(font.pixelSize() * factor));
    else
        font.setPointSizeF(font.pointSizeF() * factor);
    box.setFont(font);
}

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
    fitTo(box, parent);
    return box.exec() == QMessageBox::Yes;
}

void MessageBoxDialogs::inform(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    fitTo(box, parent);
    box.exec();
}

QString MessageBoxDialogs::chooseFile(QWidget *parent, const QString &title, const QString &filter,
                                      bool save)
{
    // Qt's own dialog, the same on every desktop, where a path can also be typed.
    const QFileDialog::Options options = QFileDialog::DontUseNativeDialog;
    return save ? QFileDialog::getSaveFileName(parent, title, QString(), filter, nullptr, options)
                : QFileDialog::getOpenFileName(parent, title, QString(), filter, nullptr, options);
}
