#include "ResultsTab.h"

#include "AnswerWords.h"
#include "ChildPictures.h"
#include "ClassList.h"
#include "ConfusionMap.h"
#include "DailyChartView.h"
#include "Dialogs.h"
#include "Pictures.h"
#include "ReportWriter.h"
#include "ResultsAnalysis.h"
#include "ResultsColours.h"
#include "ResultsFolder.h"
#include "ResultsPeriod.h"
#include "ResultsTable.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// Short enough for a column heading; the full name is the tooltip.
QString shortName(const QString &exercise)
{
    static const QHash<QString, QString> shortNames{
        {QStringLiteral("Riordina i giorni (1)"), QStringLiteral("Giorni (1)")},
        {QStringLiteral("Riordina i giorni (2)"), QStringLiteral("Giorni (2)")},
        {QStringLiteral("Ciclo dei giorni"), QStringLiteral("Ciclo giorni")},
        {QStringLiteral("Riordina i mesi (1)"), QStringLiteral("Mesi (1)")},
        {QStringLiteral("Riordina i mesi (2)"), QStringLiteral("Mesi (2)")},
        {QStringLiteral("Ciclo dei mesi"), QStringLiteral("Ciclo mesi")},
        {QStringLiteral("Usa il calendario"), QStringLiteral("Calendario")},
    };
    return shortNames.value(exercise, exercise);
}

} // namespace

ResultsTab::ResultsTab(const QString &folder, const ClassList &list, Dialogs &dialogs,
                       QWidget *parent)
    : QWidget(parent), folder_(folder), list_(list), dialogs_(dialogs), today_(QDate::currentDate())
{
    auto *layout = new QVBoxLayout(this);
    auto *controls = new QHBoxLayout;
    auto *periodLabel = new QLabel(QStringLiteral("&Periodo:"), this);
    period_ = new QComboBox(this);
    period_->setObjectName(QStringLiteral("periodo"));
    for (ResultsPeriod::Span span : ResultsPeriod::spans())
        period_->addItem(ResultsPeriod::nameOf(span), int(span));
    periodLabel->setBuddy(period_);
    connect(period_, &QComboBox::activated, this, [this] { reload(); });
    auto *reportLabel = new QLabel(QStringLiteral("&Rapporto di:"), this);
    reportFor_ = new QComboBox(this);
    reportFor_->setObjectName(QStringLiteral("rapportoDi"));
    reportLabel->setBuddy(reportFor_);
    auto *save = new QPushButton(QStringLiteral("Salva PDF…"), this);
    save->setObjectName(QStringLiteral("salvaPdf"));
    save->setAccessibleName(QStringLiteral("Salva PDF"));
    connect(save, &QPushButton::clicked, this, &ResultsTab::savePdf);
    auto *print = new QPushButton(QStringLiteral("Stampa…"), this);
    print->setObjectName(QStringLiteral("stampa"));
    print->setAccessibleName(QStringLiteral("Stampa"));
    connect(print, &QPushButton::clicked, this, &ResultsTab::print);
    for (QWidget *control :
         {static_cast<QWidget *>(periodLabel), static_cast<QWidget *>(period_),
          static_cast<QWidget *>(reportLabel), static_cast<QWidget *>(reportFor_)})
        controls->addWidget(control);
    controls->addStretch(1);
    controls->addWidget(save);
    controls->addWidget(print);
    layout->addLayout(controls);

    table_ = new ResultsTable(QStringLiteral("La classe in sintesi"), this);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setIconSize(QSize(28, 28));
    table_->verticalHeader()->setDefaultSectionSize(34);
    connect(table_, &QTableWidget::itemSelectionChanged, this, &ResultsTab::showChild);
    layout->addWidget(table_, 2);

    // The child chosen in the table.
    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    auto *detail = new QWidget(scroll);
    auto *detailLayout = new QVBoxLayout(detail);
    childHeading_ = new QLabel(detail);
    childHeading_->setObjectName(QStringLiteral("bambinoScelto"));
    QFont heading = childHeading_->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.3);
    childHeading_->setFont(heading);
    detailLayout->addWidget(childHeading_);
    auto *chartControls = new QHBoxLayout;
    auto *chartLabel = new QLabel(QStringLiteral("&Esercizio del grafico:"), detail);
    chartExercise_ = new QComboBox(detail);
    chartExercise_->setObjectName(QStringLiteral("esercizioDelGrafico"));
    chartExercise_->addItem(QStringLiteral("tutti gli esercizi"), QString());
    for (const QString &exercise : AnswerWords::menuExercises())
        chartExercise_->addItem(AnswerWords::exerciseCaption(exercise), exercise);
    chartLabel->setBuddy(chartExercise_);
    connect(chartExercise_, &QComboBox::activated, this, &ResultsTab::showChild);
    chartControls->addWidget(chartLabel);
    chartControls->addWidget(chartExercise_);
    chartControls->addStretch(1);
    detailLayout->addLayout(chartControls);
    chart_ = new DailyChartView(detail);
    detailLayout->addWidget(chart_);
    auto *maps = new QHBoxLayout;
    months_ = new ResultsTable(QStringLiteral("Mesi messi al posto di altri"), detail);
    days_ = new ResultsTable(QStringLiteral("Giorni messi al posto di altri"), detail);
    for (QTableWidget *map : {months_, days_}) {
        map->horizontalHeader()->setDefaultSectionSize(34);
        map->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        map->verticalHeader()->setDefaultSectionSize(24);
        map->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        // Whole, without a scroll bar of its own: the page scrolls.
        map->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        map->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        map->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
        maps->addWidget(map, 0, Qt::AlignTop);
    }
    maps->addStretch(1);
    detailLayout->addLayout(maps);
    auto *words = new QHBoxLayout;
    pairs_ = new QListWidget(detail);
    pairs_->setObjectName(QStringLiteral("scambi"));
    pairs_->setAccessibleName(QStringLiteral("I nomi scambiati più spesso"));
    calendar_ =
        new ResultsTable(QStringLiteral("Come sono sbagliati i giorni del calendario"), detail);
    calendar_->setColumnCount(1);
    calendar_->setHorizontalHeaderLabels({QStringLiteral("Volte")});
    pairs_->setMinimumHeight(150);
    calendar_->setMinimumHeight(150);
    calendar_->horizontalHeader()->setStretchLastSection(true);
    words->addWidget(pairs_, 3);
    words->addWidget(calendar_, 2);
    detailLayout->addLayout(words);
    scroll->setWidget(detail);
    layout->addWidget(scroll, 3);
}

ResultsTab::~ResultsTab() = default;

void ResultsTab::setToday(QDate today)
{
    today_ = today;
    reload();
}

QStringList ResultsTab::reload()
{
    QStringList problems;
    const auto span = ResultsPeriod::Span(period_->currentData().toInt());
    summary_ = ResultsFolder::summarise(folder_, ResultsPeriod(span, today_).range(), &problems);
    analyse();
    return problems;
}

void ResultsTab::analyse()
{
    const auto span = ResultsPeriod::Span(period_->currentData().toInt());
    analysis_ = std::make_unique<ResultsAnalysis>(summary_, ResultsPeriod(span, today_));
    const QString report = reportFor_->currentData().toString();
    reportFor_->clear();
    reportFor_->addItem(QStringLiteral("tutta la classe"), QString());
    for (const Child &child : list_.children())
        reportFor_->addItem(child.name, child.id);
    reportFor_->setCurrentIndex(std::max(0, reportFor_->findData(report)));
    showClass();
}

void ResultsTab::showClass()
{
    const QString selected = selectedChild();
    const QStringList exercises = AnswerWords::menuExercises();
    const QList<Child> &children = list_.children();
    const QSignalBlocker quiet(table_);
    table_->clear();
    table_->setRowCount(int(children.size()));
    table_->setColumnCount(int(exercises.size()) + 1);
    QStringList headers;
    for (const QString &exercise : exercises)
        headers << shortName(AnswerWords::exerciseCaption(exercise));
    headers << QStringLiteral("Ultima volta");
    table_->setHorizontalHeaderLabels(headers);
    for (int column = 0; column < exercises.size(); ++column)
        table_->horizontalHeaderItem(column)->setToolTip(
            AnswerWords::exerciseCaption(exercises[column]));
    for (int row = 0; row < children.size(); ++row) {
        const Child &child = children[row];
        const ChildResults &results = analysis_->child(child.id);
        auto *name = new QTableWidgetItem(child.name);
        if (const ChildPicture *picture = ChildPictures::find(child.picture))
            name->setIcon(Pictures::icon(picture->resource));
        name->setData(Qt::UserRole, child.id);
        table_->setVerticalHeaderItem(row, name);
        for (int column = 0; column < exercises.size(); ++column) {
            const Tally tally = results.exercise(exercises[column]);
            const QString spoken = child.name + QStringLiteral(", ") +
                                   AnswerWords::exerciseCaption(exercises[column]) +
                                   QStringLiteral(": ");
            if (tally.isEmpty()) {
                table_->setItem(row, column,
                                ResultsTable::cell(QStringLiteral("—"), Qt::white,
                                                   spoken + QStringLiteral("nessuna risposta")));
                continue;
            }
            const int percent = qRound(tally.share() * 100);
            table_->setItem(
                row, column,
                ResultsTable::cell(QStringLiteral("%1 % (%2)").arg(percent).arg(tally.answers),
                                   ResultsColours::forShare(tally.share()),
                                   spoken + QStringLiteral("%1 esatte su %2, %3 per cento")
                                                .arg(tally.right)
                                                .arg(tally.answers)
                                                .arg(percent)));
        }
        const QString last =
            results.lastPlayed.isValid()
                ? QLocale().toString(results.lastPlayed, QStringLiteral("d/M/yyyy"))
                : QStringLiteral("mai");
        table_->setItem(row, int(exercises.size()),
                        ResultsTable::cell(last, Qt::white,
                                           child.name + QStringLiteral(", ultima volta: ") + last));
    }
    table_->resizeColumnsToContents();
    for (int row = 0; row < children.size(); ++row) {
        if (children[row].id == selected || (selected.isEmpty() && row == 0))
            table_->selectRow(row);
    }
    showChild();
}

QString ResultsTab::selectedChild() const
{
    const QList<QTableWidgetItem *> items = table_->selectedItems();
    if (items.isEmpty())
        return {};
    const QTableWidgetItem *header = table_->verticalHeaderItem(items.first()->row());
    return header ? header->data(Qt::UserRole).toString() : QString();
}

void ResultsTab::showChild()
{
    const Child *child = list_.child(selectedChild());
    const ChildResults &results = analysis_->child(child ? child->id : QString());
    childHeading_->setText(child ? child->name + QStringLiteral(" — ") + analysis_->period().name()
                                 : QString());
    const QString exercise = chartExercise_->currentData().toString();
    if (child)
        chart_->setChart(
            DailyChart(exercise.isEmpty() ? results.days : results.exerciseDays.value(exercise),
                       analysis_->period()));
    else
        chart_->clear();
    months_->showMap(child ? &results.months : nullptr);
    days_->showMap(child ? &results.weekdays : nullptr);

    pairs_->clear();
    for (const ConfusedPair &pair : child ? results.confusedPairs() : QList<ConfusedPair>())
        pairs_->addItem(pair.words());
    if (child && pairs_->count() == 0)
        pairs_->addItem(QStringLiteral("Nessun nome messo al posto di un altro"));

    calendar_->setRowCount(child ? CalendarMistakes::kinds : 0);
    int row = 0;
    for (CalendarMistakes::Kind kind : CalendarMistakes::all()) {
        if (!child)
            break;
        calendar_->setVerticalHeaderItem(row, new QTableWidgetItem(CalendarMistakes::label(kind)));
        const int times = results.calendar.count(kind);
        calendar_->setItem(row++, 0,
                           ResultsTable::cell(QString::number(times), Qt::white,
                                              CalendarMistakes::label(kind) + QStringLiteral(": ") +
                                                  timesInWords(times)));
    }
}

QList<Child> ResultsTab::reportChildren() const
{
    const QString id = reportFor_->currentData().toString();
    if (id.isEmpty())
        return list_.children();
    const Child *child = list_.child(id);
    return child ? QList<Child>{*child} : QList<Child>();
}

void ResultsTab::savePdf()
{
    const QString path = dialogs_.chooseFile(this, QStringLiteral("Salva PDF"),
                                             QStringLiteral("Documenti PDF (*.pdf)"), true);
    if (path.isEmpty())
        return;
    QString error;
    const QString file = path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)
                             ? path
                             : path + QStringLiteral(".pdf");
    if (!ReportWriter(*analysis_).savePdf(file, reportChildren(), &error))
        dialogs_.inform(this, QStringLiteral("La classe"), error);
}

void ResultsTab::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Stampa"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    QString error;
    if (!ReportWriter(*analysis_).write(printer, reportChildren(), &error))
        dialogs_.inform(this, QStringLiteral("La classe"), error);
}
