#pragma once

#include <QString>

// `text` with its accents taken off ("Niccolò" becomes "Niccolo"), in
// Unicode's decomposed form `form` (D, or KD to fold look-alikes too).
QString withoutAccents(const QString &text,
                       QString::NormalizationForm form = QString::NormalizationForm_D);
