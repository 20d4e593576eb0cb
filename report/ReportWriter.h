#pragma once

#include "Child.h"
#include "ResultsAnalysis.h"

#include <QDate>
#include <QList>
#include <QString>

class QPagedPaintDevice;

// The printed report a teacher takes to a parents' meeting: on A4, one page
// a child, with the child's name, the class, the period and the day it was
// printed; the table of the exercises; right and wrong day by day; the
// maps of the names put on other names' places and those pairs in words;
// and how the calendar's days were missed. Written on any paged device, so
// the PDF file and the printer get the same pages; its text is real text.
class ReportWriter
{
public:
    // `analysis` must outlive the writer.
    explicit ReportWriter(const ResultsAnalysis &analysis);

    // "3ª B": printed in each heading when given.
    void setClassName(const QString &name) { className_ = name; }
    // The day printed in each heading: the period's today unless set.
    void setPrintedOn(QDate day) { printedOn_ = day; }

    // One page for each child, in the order given: A4 portrait, whatever the
    // device was set to. false with an Italian `error` if nothing could be
    // painted on the device.
    bool write(QPagedPaintDevice &device, const QList<Child> &children, QString *error) const;
    // The same as a PDF file at `path`, replaced if it exists.
    bool savePdf(const QString &path, const QList<Child> &children, QString *error) const;

private:
    const ResultsAnalysis &analysis_;
    QString className_;
    QDate printedOn_;
};
