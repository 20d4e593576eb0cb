#include "Announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QTimer>

namespace {

// A status bar's notification is read without the word "notifica" before it.
QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (!object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (className == QLatin1String("Announcer"))
        return new QAccessibleWidget(widget, QAccessible::StatusBar);
    if (className == QLatin1String("QWidget") && qobject_cast<Announcer *>(widget->parent()))
        return new QAccessibleWidget(widget, QAccessible::Notification);
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget *parent) : QWidget(parent), line_(new QWidget(this))
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed)
    setObjectName(QStringLiteral("announcer"));
    for (QWidget *part : {static_cast<QWidget *>(this), line_}) {
        part->setAttribute(Qt::WA_TransparentForMouseEvents);
        part->setFocusPolicy(Qt::NoFocus);
        part->setGeometry(0, 0, 0, 0);
    }
    setAccessibleName(QStringLiteral("avvisi"));
    line_->hide();
}

void Announcer::say(const QString &sentence)
{
    if (pending_.isEmpty())
        QTimer::singleShot(0, this, [this] { pending_.clear(); });
    pending_ << sentence;
    // Each sentence appears anew, so it is read even when it repeats the last.
    line_->hide();
    line_->setAccessibleName(pending_.join(QStringLiteral(". ")));
    line_->show();
}

QString Announcer::saying() const
{
    return line_->isVisibleTo(parentWidget()) ? line_->accessibleName() : QString();
}
