#include "ClassWindow.h"

#include "ChildPictures.h"
#include "ClassCopy.h"
#include "ClassList.h"
#include "Dialogs.h"
#include "Pictures.h"
#include "ResultsFiles.h"
#include "ResultsFolder.h"
#include "ResultsTab.h"
#include "ServerChild.h"
#include "ServerLink.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTime>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int pictureSide = 96;

QString title()
{
    return QStringLiteral("La classe");
}

// Whether the program could write its files in `folder`.
bool writable(const QString &folder)
{
    QFileInfo info(folder);
    while (!info.exists() && info.absoluteDir() != QDir(info.absoluteFilePath()))
        info = QFileInfo(info.absolutePath());
    return info.isDir() && info.isWritable();
}

} // namespace

ClassWindow::ClassWindow(const QString &folder, Dialogs &dialogs, ResultsTab::Reader reader,
                         QWidget *parent)
    : QWidget(parent), folder_(folder), dialogs_(dialogs),
      list_(std::make_unique<ClassList>(folder))
{
    setObjectName(QStringLiteral("LaClasse"));
    setWindowTitle(title());
    setAccessibleName(title());
    setWindowIcon(Pictures::icon(Pictures::calendarPage()));
    resize(1000, 720);

    auto *layout = new QVBoxLayout(this);
    problems_ = new QLabel(this);
    problems_->setObjectName(QStringLiteral("problemi"));
    problems_->setWordWrap(true);
    problems_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    problems_->setFocusPolicy(Qt::TabFocus);
    // Dark red on pale yellow: readable in grey too.
    problems_->setStyleSheet(QStringLiteral("QLabel { color: #8b0000; background: #fff4c2; border: "
                                            "1px solid #8b0000; padding: 6px; }"));
    layout->addWidget(problems_);
    // With the school's server, the class lives there too, and its results
    // are read from there.
    if (!reader && ServerLink::wanted()) {
        server_ = new ServerLink(folder_, *list_, this);
        reader = server_->reader();
        layout->addLayout(buildServerRow());
    }
    tabs_ = new QTabWidget(this);
    tabs_->addTab(buildChildrenTab(), QStringLiteral("Bambini"));
    results_ = new ResultsTab(folder_, *list_, dialogs_, std::move(reader), tabs_);
    tabs_->addTab(results_, QStringLiteral("Risultati"));
    connect(results_, &ResultsTab::finishedReading, this, [this](const QStringList &problems) {
        unreadable_ = problems;
        showProblems();
        if (serverState_)
            serverState_->setText(QStringLiteral("Risultati letti dal server alle %1.")
                                      .arg(QTime::currentTime().toString(QStringLiteral("HH:mm"))));
    });
    results_->reload();
    layout->addWidget(tabs_, 1);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("stato"));
    layout->addWidget(status_);

    showChildren();
    showProblems();
    newName_->setFocus(Qt::OtherFocusReason);
    if (server_) {
        // A spoken name made later goes to the server too.
        connect(&list_->clips(), &NameClips::made, server_, &ServerLink::publish);
        server_->publish();
    }
    // Children added while espeak-ng was missing get their spoken names now.
    for (const Child &child : list_->children()) {
        if (list_->spokenNameFile(child.id, QStringLiteral("it")).isEmpty())
            list_->clips().make(child.id, child.name);
    }
}

ClassWindow::~ClassWindow() = default;

QWidget *ClassWindow::buildChildrenTab()
{
    auto *tab = new QWidget;
    auto *layout = new QVBoxLayout(tab);

    auto *adding = new QHBoxLayout;
    newName_ = new QLineEdit(tab);
    newName_->setObjectName(QStringLiteral("nuovoNome"));
    newName_->setPlaceholderText(QStringLiteral("Nome del bambino"));
    newName_->setAccessibleName(QStringLiteral("Nome del bambino da aggiungere"));
    connect(newName_, &QLineEdit::returnPressed, this, &ClassWindow::addChild);
    auto *add = new QPushButton(QStringLiteral("Aggiungi bambino"), tab);
    add->setObjectName(QStringLiteral("aggiungi"));
    connect(add, &QPushButton::clicked, this, [this] {
        // With no name typed yet, the button asks for it first.
        if (newName_->text().trimmed().isEmpty())
            newName_->setFocus(Qt::OtherFocusReason);
        else
            addChild();
    });
    auto *import = new QPushButton(QStringLiteral("Importa elenco…"), tab);
    import->setObjectName(QStringLiteral("importa"));
    import->setAccessibleName(QStringLiteral("Importa elenco"));
    connect(import, &QPushButton::clicked, this, &ClassWindow::importList);
    adding->addWidget(newName_, 1);
    adding->addWidget(add);
    adding->addWidget(import);
    layout->addLayout(adding);

    auto *body = new QHBoxLayout;
    children_ = new QListWidget(tab);
    children_->setObjectName(QStringLiteral("bambini"));
    children_->setAccessibleName(QStringLiteral("Bambini della classe"));
    children_->setIconSize(QSize(40, 40));
    connect(children_, &QListWidget::currentRowChanged, this, &ClassWindow::showSelected);
    body->addWidget(children_, 1);

    auto *details = new QFormLayout;
    picture_ = new QLabel(tab);
    picture_->setFixedSize(pictureSide, pictureSide);
    details->addRow(picture_);
    name_ = new QLineEdit(tab);
    name_->setObjectName(QStringLiteral("nome"));
    connect(name_, &QLineEdit::returnPressed, this, &ClassWindow::renameChild);
    rename_ = new QPushButton(QStringLiteral("Rinomina"), tab);
    rename_->setObjectName(QStringLiteral("rinomina"));
    connect(rename_, &QPushButton::clicked, this, &ClassWindow::renameChild);
    auto *naming = new QHBoxLayout;
    naming->addWidget(name_, 1);
    naming->addWidget(rename_);
    auto *nameLabel = new QLabel(QStringLiteral("&Nome:"), tab);
    nameLabel->setBuddy(name_);
    details->addRow(nameLabel, naming);
    pictures_ = new QComboBox(tab);
    pictures_->setObjectName(QStringLiteral("figura"));
    pictures_->setIconSize(QSize(32, 32));
    for (const ChildPicture &picture : ChildPictures::all())
        pictures_->addItem(Pictures::icon(picture.resource), picture.spoken, picture.key);
    connect(pictures_, &QComboBox::activated, this, &ClassWindow::changePicture);
    details->addRow(QStringLiteral("&Figura:"), pictures_);
    remove_ = new QPushButton(QStringLiteral("Togli bambino"), tab);
    remove_->setObjectName(QStringLiteral("togli"));
    connect(remove_, &QPushButton::clicked, this, &ClassWindow::removeChild);
    details->addRow(remove_);
    body->addLayout(details, 1);
    layout->addLayout(body, 1);
    return tab;
}

QLayout *ClassWindow::buildServerRow()
{
    auto *row = new QHBoxLayout;
    auto *label = new QLabel(QStringLiteral("Classe sul &server della scuola:"), this);
    serverClass_ = new QComboBox(this);
    serverClass_->setObjectName(QStringLiteral("classeServer"));
    serverClass_->setEditable(true);
    serverClass_->setInsertPolicy(QComboBox::NoInsert);
    serverClass_->setMinimumContentsLength(12);
    serverClass_->setEditText(server_->className());
    serverClass_->lineEdit()->setPlaceholderText(QStringLiteral("3B"));
    label->setBuddy(serverClass_);
    connect(serverClass_->lineEdit(), &QLineEdit::returnPressed, this,
            &ClassWindow::useServerClass);
    connect(serverClass_, &QComboBox::activated, this, &ClassWindow::useServerClass);
    auto *use = new QPushButton(QStringLiteral("Usa questa classe"), this);
    use->setObjectName(QStringLiteral("usaClasse"));
    connect(use, &QPushButton::clicked, this, &ClassWindow::useServerClass);
    auto *create = new QPushButton(QStringLiteral("Nuova classe"), this);
    create->setObjectName(QStringLiteral("nuovaClasse"));
    connect(create, &QPushButton::clicked, this, &ClassWindow::newServerClass);
    serverState_ = new QLabel(this);
    serverState_->setObjectName(QStringLiteral("statoServer"));
    connect(server_, &ServerLink::published, this, [this](const QString &problem) {
        const bool wasThere = serverProblem_.isEmpty();
        serverProblem_ = problem;
        showProblems();
        // The server back after a failure: its results anew. Otherwise the
        // children shown are already the ones published.
        if (problem.isEmpty() && !wasThere)
            results_->reload();
    });
    connect(server_, &ServerLink::classRead, this, &ClassWindow::serverClassRead);
    // The server's classes, to choose from; the children here are this
    // class's, and go there as they are.
    server_->readClass(server_->className());
    row->addWidget(label);
    row->addWidget(serverClass_);
    row->addWidget(use);
    row->addWidget(create);
    row->addWidget(serverState_, 1);
    return row;
}

void ClassWindow::useServerClass()
{
    const QString name = serverClass_->currentText().simplified();
    const QString current = server_->className();
    if (name.isEmpty() || name == current) {
        serverClass_->setEditText(current);
        return;
    }
    if (serverClass_->findText(name) >= 0) {
        if (!dialogs_.ask(this, title(), Dialogs::Icon::Question,
                          QStringLiteral("Passare alla classe %1? I bambini di %2 restano sul "
                                         "server della scuola.")
                              .arg(name, current))) {
            serverClass_->setEditText(current);
            return;
        }
        // Until its children are here, this class stays the one published.
        switching_ = name;
        server_->readClass(name);
        return;
    }
    // A name the server does not have: this class's own, from now on.
    server_->rename(name);
    report(true, QStringLiteral("La classe %1 si chiama ora %2.").arg(current, name));
    if (const int old = serverClass_->findText(current); old >= 0)
        serverClass_->removeItem(old);
    serverClass_->addItem(name);
    serverClass_->setEditText(name);
}

void ClassWindow::newServerClass()
{
    const QString name = serverClass_->currentText().simplified();
    const QString current = server_->className();
    if (name.isEmpty() || name == current || serverClass_->findText(name) >= 0) {
        dialogs_.inform(this, title(),
                        QStringLiteral("Scrivi il nome della classe nuova, diverso da quelli "
                                       "che ci sono già (per esempio 4A), poi premi Nuova "
                                       "classe."));
        return;
    }
    if (!dialogs_.ask(this, title(), Dialogs::Icon::Question,
                      QStringLiteral("Creare la classe %1, ancora senza bambini? I bambini di "
                                     "%2 restano sul server della scuola.")
                          .arg(name, current))) {
        serverClass_->setEditText(current);
        return;
    }
    server_->setClassName(name);
    serverClass_->addItem(name);
    takeServerClass(name, {});
}

void ClassWindow::serverClassRead(const QString &name, const ServerClassList &list,
                                  const QString &problem)
{
    if (!problem.isEmpty()) {
        switching_.clear();
        serverClass_->setEditText(server_->className());
        serverProblem_ = problem;
        showProblems();
        return;
    }
    // A read asked for before the class was renamed or made says nothing of now.
    if (name != server_->className() && name != switching_)
        return;
    // The server's classes, with this one's name, which may be on its way there.
    const QString typed = serverClass_->currentText();
    serverClass_->clear();
    serverClass_->addItems(list.classes);
    if (serverClass_->findText(server_->className()) < 0)
        serverClass_->addItem(server_->className());
    serverClass_->setEditText(typed);
    // A class chosen: its children are this window's now.
    if (!switching_.isEmpty() && name == switching_) {
        switching_.clear();
        if (!list.classes.contains(name)) {
            serverClass_->setEditText(server_->className());
            return;
        }
        server_->setClassName(name);
        takeServerClass(name, list.children);
    }
}

void ClassWindow::takeServerClass(const QString &name, const QList<ServerChild> &children)
{
    QList<Child> kept;
    QHash<QString, QByteArray> spoken;
    for (const ServerChild &child : children) {
        kept.append({child.id, child.name, child.picture});
        spoken.insert(child.id, child.spokenName);
    }
    bool changed = false;
    QString error;
    if (!ClassCopy::write(folder_, kept, spoken, &changed, &error)) {
        report(false, error);
        return;
    }
    list_->reload();
    serverClass_->setEditText(name);
    report(true, QStringLiteral("La classe è ora %1.").arg(name));
    showChanged();
}

QString ClassWindow::selectedId() const
{
    const QListWidgetItem *item = children_->currentItem();
    return item ? item->data(Qt::UserRole).toString() : QString();
}

void ClassWindow::showChildren(const QString &selectId)
{
    const QString keep = selectId.isEmpty() ? selectedId() : selectId;
    children_->clear();
    for (const Child &child : list_->children()) {
        const ChildPicture *picture = ChildPictures::find(child.picture);
        auto *item = new QListWidgetItem(child.name, children_);
        item->setData(Qt::UserRole, child.id);
        if (picture) {
            item->setIcon(Pictures::icon(picture->resource));
            item->setToolTip(picture->spoken);
        }
        if (child.id == keep)
            children_->setCurrentItem(item);
    }
    if (!children_->currentItem() && children_->count() > 0)
        children_->setCurrentRow(0);
    showSelected();
}

void ClassWindow::showSelected()
{
    const Child *child = list_->child(selectedId());
    for (QWidget *control : {static_cast<QWidget *>(name_), static_cast<QWidget *>(rename_),
                             static_cast<QWidget *>(pictures_), static_cast<QWidget *>(remove_)})
        control->setEnabled(child != nullptr);
    name_->setText(child ? child->name : QString());
    const ChildPicture *picture = child ? ChildPictures::find(child->picture) : nullptr;
    picture_->setPixmap(picture ? Pictures::icon(picture->resource).pixmap(pictureSide)
                                : QPixmap());
    picture_->setAccessibleName(picture ? picture->spoken : QString());
    pictures_->setCurrentIndex(picture ? pictures_->findData(picture->key) : -1);
}

void ClassWindow::showProblems()
{
    QStringList problems;
    if (!list_->problem().isEmpty())
        problems << list_->problem();
    for (const QString &aside : ResultsFiles::setAsideFiles(folder_))
        problems << QStringLiteral("Un file dei risultati era danneggiato ed è stato messo da "
                                   "parte: %1. I risultati nuovi vanno in un file nuovo.")
                        .arg(QDir::toNativeSeparators(aside));
    if (!writable(folder_))
        problems << QStringLiteral("La cartella dei dati %1 non si può scrivere: i bambini "
                                   "giocano, ma le loro risposte non vengono conservate.")
                        .arg(QDir::toNativeSeparators(folder_));
    problems << unreadable_;
    if (!serverProblem_.isEmpty())
        problems << serverProblem_;
    problems_->setText(problems.join(QLatin1Char('\n')));
    problems_->setAccessibleName(problems_->text());
    problems_->setVisible(!problems.isEmpty());
}

void ClassWindow::report(bool done, const QString &message)
{
    if (done)
        status_->setText(message);
    else
        dialogs_.inform(this, title(), message);
}

void ClassWindow::addChild()
{
    const ClassChange change = list_->add(newName_->text());
    report(change.done, change.message);
    if (change.done) {
        newName_->clear();
        showChanged(change.id);
    }
}

void ClassWindow::showChanged(const QString &selectId)
{
    showChildren(selectId);
    if (server_)
        server_->publish();
    results_->reload();
    showProblems();
}

void ClassWindow::importList()
{
    const QString path = dialogs_.chooseFile(
        this, QStringLiteral("Importa elenco"),
        QStringLiteral("Elenchi di nomi (*.txt *.csv);;Tutti i file (*)"), false);
    if (path.isEmpty())
        return;
    const ClassChange change = list_->importFile(path);
    dialogs_.inform(this, title(), change.message);
    showChanged();
    newName_->setFocus(Qt::OtherFocusReason);
}

void ClassWindow::renameChild()
{
    const ClassChange change = list_->rename(selectedId(), name_->text());
    report(change.done, change.message);
    showChanged();
}

void ClassWindow::changePicture(int index)
{
    const ClassChange change =
        list_->setPicture(selectedId(), pictures_->itemData(index).toString());
    report(change.done, change.message);
    showChanged();
}

void ClassWindow::removeChild()
{
    const Child *child = list_->child(selectedId());
    if (!child)
        return;
    const QString id = child->id;
    if (!dialogs_.ask(this, title(), Dialogs::Icon::Question,
                      QStringLiteral("Togliere %1 dalla classe? Anche tutte le sue risposte "
                                     "saranno cancellate per sempre.")
                          .arg(child->name)))
        return;
    // The answers first. While a computer's file in use still holds some, the
    // child stays, so the teacher can try again; a file set aside as damaged
    // that cannot be opened must not keep a child in the class for ever: its
    // answers carry no name, and the teacher is told it may hold some.
    QString error;
    if (!ResultsFolder::removeChild(folder_, id, &error)) {
        if (ResultsFolder::countOf(folder_, id) > 0) {
            report(false, error);
            return;
        }
    }
    const ClassChange change = list_->remove(id);
    report(change.done && error.isEmpty(),
           error.isEmpty() ? change.message : change.message + QLatin1Char(' ') + error);
    showChanged();
    newName_->setFocus(Qt::OtherFocusReason);
}

void ClassWindow::closeEvent(QCloseEvent *event)
{
    // The names being spoken into clips are finished first, a few seconds at most.
    const QDeadlineTimer deadline(5000);
    while (list_->clips().busy() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QWidget::closeEvent(event);
}
