#include "Accents.h"

QString withoutAccents(const QString &text, QString::NormalizationForm form)
{
    QString bare = text.normalized(form);
    bare.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
    return bare;
}
