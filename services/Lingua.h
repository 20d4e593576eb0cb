#pragma once

#include <QString>

// The language the names are taught in, chosen on the menu: "it" (the
// default) or "en". One setting for the whole program, kept between runs;
// the windows' own texts stay Italian whatever it is.
namespace Lingua {

QString corrente();
void setCorrente(const QString &code);

} // namespace Lingua
