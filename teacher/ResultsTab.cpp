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

#include "CalendarMistakesModel.h"
#include "ClassTableModel.h"
#include "ConfusionMapModel.h"
#include "ResultsRoles.h"
#include "ReviewModel.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QStringListModel>
#include <QtConcurrent>
#include <QVBoxLayout>

namespace {

ResultsTab::Read readFolder(const QString &folder, const DayRange &range, QDate today, bool days)
{
    ResultsTab::Read read;
    if (days)
        read.days = ResultsFolder::daysOfAll(folder, today, &read.problems);
    else
        read.summary = ResultsFolder::summarise(folder, range, &read.problems);
    return read;
}

} // namespace

ResultsTab::ResultsTab(const QString &folder, const ClassList &list, Dialogs &dialogs,
                       Reader reader, QWidget *parent)
    : QWidget(parent), folder_(folder), list_(list), dialogs_(dialogs),
      reader_(reader ? std::move(reader) : Reader(readFolder)), today_(QDate::currentDate())
{
    auto *layout = new QVBoxLayout(this);
    auto *controls = new QHBoxLayout;
    auto *periodLabel = new QLabel(QStringLiteral("&Periodo:"), this);
    period_ = new QComboBox(this);
    period_->setObjectName(QStringLiteral("periodo"));
    for (ResultsPeriod::Span span : ResultsPeriod::spans())
        period_->addItem(ResultsPeriod::nameOf(span), int(span));
    periodLabel->setBuddy(period_);
    connect(period_, &QComboBox::activated, this, &ResultsTab::reload);
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
    // While the files are read (a network folder may take a while), the
    // window goes on answering and says so.
    busy_ = new QProgressBar(this);
    busy_->setObjectName(QStringLiteral("lettura"));
    busy_->setRange(0, 0);
    busy_->setFormat(QStringLiteral("Lettura dei risultati…"));
    busy_->setTextVisible(true);
    busy_->setAccessibleName(QStringLiteral("Lettura dei risultati"));
    busy_->hide();
    controls->addWidget(busy_);
    controls->addWidget(save);
    controls->addWidget(print);
    layout->addLayout(controls);

    table_ = new ResultsTable(QStringLiteral("La classe in sintesi"), this);
    classModel_ = new ClassTableModel(this);
    table_->setModel(classModel_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setIconSize(QSize(28, 28));
    table_->verticalHeader()->setDefaultSectionSize(34);
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ResultsTab::showChild);
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
    monthsModel_ = new ConfusionMapModel(this);
    daysModel_ = new ConfusionMapModel(this);
    months_->setModel(monthsModel_);
    days_->setModel(daysModel_);
    for (ResultsTable *map : {months_, days_}) {
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
    // What the child should practise again, and what holds by now.
    review_ = new ResultsTable(QStringLiteral("Il ripasso"), detail);
    reviewModel_ = new ReviewModel(this);
    review_->setModel(reviewModel_);
    review_->horizontalHeader()->hide();
    review_->horizontalHeader()->setDefaultSectionSize(64);
    review_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    review_->verticalHeader()->setDefaultSectionSize(40);
    review_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    review_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    review_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    detailLayout->addWidget(review_, 0, Qt::AlignLeft);
    auto *words = new QHBoxLayout;
    pairs_ = new QListView(detail);
    pairsModel_ = new QStringListModel(this);
    pairs_->setModel(pairsModel_);
    pairs_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    pairs_->setObjectName(QStringLiteral("scambi"));
    pairs_->setAccessibleName(QStringLiteral("I nomi scambiati più spesso"));
    calendar_ =
        new ResultsTable(QStringLiteral("Come sono sbagliati i giorni del calendario"), detail);
    calendarModel_ = new CalendarMistakesModel(this);
    calendar_->setModel(calendarModel_);
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

bool ResultsTab::isReading() const
{
    return watcher_ != nullptr || daysWatcher_ != nullptr;
}

void ResultsTab::reload()
{
    // One read at a time; a change meanwhile reads again once it is done.
    if (isReading()) {
        again_ = true;
        return;
    }
    again_ = false;
    busy_->show();
    watcher_ = new QFutureWatcher<Read>(this);
    connect(watcher_, &QFutureWatcher<Read>::finished, this, &ResultsTab::readFinished);
    watcher_->setFuture(QtConcurrent::run(reader_, folder_, period().range(), today_, false));
}

void ResultsTab::readFinished()
{
    const Read read = watcher_->result();
    watcher_->deleteLater();
    watcher_ = nullptr;
    if (again_) {
        reload();
        return;
    }
    analysis_ = std::make_unique<ResultsAnalysis>(read.summary, period());
    const QString report = reportFor_->currentData().toString();
    reportFor_->clear();
    reportFor_->addItem(QStringLiteral("tutta la classe"), QString());
    for (const Child &child : list_.children())
        reportFor_->addItem(child.name, child.id);
    reportFor_->setCurrentIndex(std::max(0, reportFor_->findData(report)));
    showClass();
    problems_ = read.problems;
    // The reviews take longer to work out: the counts are shown meanwhile.
    readDays();
}

void ResultsTab::readDays()
{
    daysWatcher_ = new QFutureWatcher<Read>(this);
    connect(daysWatcher_, &QFutureWatcher<Read>::finished, this, &ResultsTab::daysFinished);
    daysWatcher_->setFuture(QtConcurrent::run(reader_, folder_, DayRange(), today_, true));
}

void ResultsTab::daysFinished()
{
    const Read read = daysWatcher_->result();
    daysWatcher_->deleteLater();
    daysWatcher_ = nullptr;
    if (again_) {
        reload();
        return;
    }
    busy_->hide();
    analysis_->setReviews(read.days);
    for (const QString &problem : read.problems) {
        if (!problems_.contains(problem))
            problems_.append(problem);
    }
    showClass();
    emit finishedReading(problems_);
}

ResultsPeriod ResultsTab::period() const
{
    return ResultsPeriod(ResultsPeriod::Span(period_->currentData().toInt()), today_);
}

void ResultsTab::showClass()
{
    const QString selected = selectedChild();
    {
        const QSignalBlocker quiet(table_->selectionModel());
        classModel_->show(list_.children(), analysis_.get());
    }
    table_->resizeColumnsToContents();
    const int row = selected.isEmpty() ? 0 : std::max(0, classModel_->rowOf(selected));
    if (row < classModel_->rowCount())
        table_->selectRow(row);
    showChild();
}

QString ResultsTab::selectedChild() const
{
    const QModelIndexList rows = table_->selectionModel()->selectedRows();
    return rows.isEmpty() ? QString() : classModel_->childAt(rows.first().row());
}

void ResultsTab::showChild()
{
    const Child *child = list_.child(selectedChild());
    static const ChildResults none;
    const ChildResults &results = analysis_ && child ? analysis_->child(child->id) : none;
    childHeading_->setText(child ? child->name + QStringLiteral(" — ") + period().name()
                                 : QString());
    const QString exercise = chartExercise_->currentData().toString();
    if (child)
        chart_->setChart(DailyChart(
            exercise.isEmpty() ? results.days : results.exerciseDays.value(exercise), period()));
    else
        chart_->clear();
    monthsModel_->show(child ? &results.months : nullptr);
    daysModel_->show(child ? &results.weekdays : nullptr);
    months_->fitToContents();
    days_->fitToContents();
    reviewModel_->show(child ? &results.review : nullptr);
    review_->fitToContents();

    QStringList pairs;
    for (const ConfusedPair &pair : child ? results.confusedPairs() : QList<ConfusedPair>())
        pairs.append(pair.words());
    if (child && pairs.isEmpty())
        pairs.append(QStringLiteral("Nessun nome messo al posto di un altro"));
    pairsModel_->setStringList(pairs);
    calendarModel_->show(child ? &results.calendar : nullptr);
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
    if (!analysis_)
        return;
    if (!ReportWriter(*analysis_).savePdf(file, reportChildren(), &error))
        dialogs_.inform(this, QStringLiteral("La classe"), error);
}

void ResultsTab::print()
{
    if (!analysis_)
        return;
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
