#include "CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

namespace {

const QString helpOption = QStringLiteral("help");
const QString versionOption = QStringLiteral("version");
const QString fullScreenOption = QStringLiteral("schermo-intero");
const QString classWindowOption = QStringLiteral("classe");
const QString exportResultsOption = QStringLiteral("esporta-risultati");
const QString prepareServerOption = QStringLiteral("prepara-server");

// The programs' own options, in the order --help lists them. An option is
// a row here; one that asks for something of its own is also a Request,
// judged in judge(), and forTeacher() when the teacher's program does it.
QList<QCommandLineOption> ownOptions()
{
    return {
        {fullScreenOption, QStringLiteral("Apre ogni finestra a schermo intero, ingrandita, per la "
                                          "lavagna interattiva o il proiettore.")},
        {classWindowOption, QStringLiteral("Apre La classe, dove l'insegnante prepara la classe e "
                                           "legge i risultati dei bambini.")},
        {exportResultsOption,
         QStringLiteral("Scrive ogni risposta conservata nel file CSV indicato, senza aprire "
                        "finestre, ed esce."),
         QStringLiteral("FILE.csv")},
        {prepareServerOption,
         QStringLiteral("Prepara il server PostgreSQL della scuola (il servizio tempiolo-admin): "
                        "crea o aggiorna le tabelle e i ruoli tempiolo_pc e tempiolo_insegnante, "
                        "ed esce. Si può ripetere.")},
        {{QStringLiteral("h"), helpOption}, QStringLiteral("Mostra questo aiuto ed esce.")},
        {{QStringLiteral("v"), versionOption}, QStringLiteral("Mostra la versione ed esce.")},
    };
}

// Qt's own options, which QApplication takes from the same command line
// (a desktop's session manager restarts a program with -session).
const char *const qtOptionsWithValue[] = {"platform",      "platformpluginpath",
                                          "platformtheme", "plugin",
                                          "qmljsdebugger", "qwindowgeometry",
                                          "qwindowicon",   "qwindowtitle",
                                          "session",       "style",
                                          "stylesheet",    "display",
                                          "geometry",      "name"};
const char *const qtFlags[] = {"reverse", "widgetcount"};

QCommandLineOption hidden(const char *name, const QString &valueName = {})
{
    QCommandLineOption option(QLatin1String(name), QString(), valueName);
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    return option;
}

} // namespace

CommandLine::CommandLine(const QString &program, const QString &about, const QStringList &arguments)
    : program_(program), about_(about), arguments_(arguments)
{
    QCommandLineParser parser;
    define(parser);
    parser.parse(arguments_);
    request_ = judge(parser);
    fullScreen_ = parser.isSet(fullScreenOption);
    exportPath_ = parser.value(exportResultsOption);
}

QStringList CommandLine::of(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

bool CommandLine::forTeacher() const
{
    return request_ == Request::ClassWindow || request_ == Request::Export ||
           request_ == Request::PrepareServer;
}

void CommandLine::define(QCommandLineParser &parser) const
{
    // Qt's options are written with one dash ("-platform xcb").
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(about_);
    parser.addOptions(ownOptions());
    for (const char *name : qtOptionsWithValue)
        parser.addOption(hidden(name, QStringLiteral("value")));
    for (const char *name : qtFlags)
        parser.addOption(hidden(name));
}

QString CommandLine::refusal(const QCommandLineParser &parser) const
{
    if (!parser.errorText().isEmpty())
        return parser.errorText();
    if (!parser.positionalArguments().isEmpty())
        return QStringLiteral("Argomento inatteso: «%1».")
            .arg(parser.positionalArguments().first());
    // A name that looks like an option is one the file name was forgotten before.
    const QString csv = parser.value(exportResultsOption);
    if (parser.isSet(exportResultsOption) && (csv.isEmpty() || csv.startsWith(QLatin1Char('-'))))
        return QStringLiteral("--%1 vuole il nome del file CSV: --%1 FILE.csv.")
            .arg(exportResultsOption);
    return {};
}

CommandLine::Request CommandLine::judge(const QCommandLineParser &parser) const
{
    if (!refusal(parser).isEmpty())
        return Request::Refused;
    if (parser.isSet(helpOption))
        return Request::Help;
    if (parser.isSet(versionOption))
        return Request::Version;
    if (parser.isSet(exportResultsOption))
        return Request::Export;
    if (parser.isSet(prepareServerOption))
        return Request::PrepareServer;
    if (parser.isSet(classWindowOption))
        return Request::ClassWindow;
    return Request::Play;
}

int CommandLine::reply() const
{
    // Qt's own words in the help and the refusals ("Utilizzo", "Opzione
    // sconosciuta") come from its Italian translation, which needs an
    // application; the parser reads the arguments again under it.
    QByteArray name = program_.toLocal8Bit();
    int argc = 1;
    char *argv[] = {name.data(), nullptr};
    QCoreApplication application(argc, argv);
    QTranslator qt;
    if (qt.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qt);
    QCommandLineParser parser;
    define(parser);
    parser.parse(arguments_);
    switch (request_) {
    case Request::Help:
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    case Request::Version:
        std::printf("%s %s\n", qPrintable(program_), TEMPIOLO_VERSION);
        return 0;
    default:
        std::fprintf(stderr, "%s: %s L'elenco delle opzioni: %s --help\n", qPrintable(program_),
                     qPrintable(refusal(parser)), qPrintable(program_));
        return 2;
    }
}
