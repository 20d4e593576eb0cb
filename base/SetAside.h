#pragma once

#include <QDate>
#include <QString>

#include <functional>

// The name a damaged file is set aside under on `day`: `stem` with the day
// and `suffix` ("…danneggiato-2026-12-09.sqlite"), then "…-2.sqlite" and
// on, never a name `taken` says is in use.
QString setAsideName(const QString &stem, const QDate &day, const QString &suffix,
                     const std::function<bool(const QString &name)> &taken);
