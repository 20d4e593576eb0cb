#include "ClassList.h"
#include "ClassWindow.h"
#include "DisplayCheck.h"
#include "MessageBoxDialogs.h"
#include "ResultsCsv.h"

#include <QApplication>
#include <QHash>
#include <QStandardPaths>

#include <cstdio>

namespace {

QString dataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

// For the school's technician: every kept answer as CSV, with no display.
int exportResults(const QString &csvPath)
{
    const QString folder = dataFolder();
    QHash<QString, QString> names;
    const ClassList list(folder);
    for (const Child &child : list.children())
        names.insert(child.id, child.name);
    QString error;
    if (!ResultsCsv::exportFolder(folder, csvPath, names, &error)) {
        std::fprintf(stderr, "tempiolo: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const QStringList arguments = [&] {
        QStringList all;
        for (int i = 0; i < argc; ++i)
            all << QString::fromLocal8Bit(argv[i]);
        return all;
    }();
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--esporta-risultati")); at > 0) {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Tempiolo"));
        if (at + 1 >= arguments.size()) {
            std::fprintf(stderr, "tempiolo: --esporta-risultati vuole il nome del file CSV\n");
            return 2;
        }
        return exportResults(arguments[at + 1]);
    }

    const std::unique_ptr<QApplication> app = DisplayCheck::openApplication(argc, argv);
    if (!app)
        return 2;
    MessageBoxDialogs dialogs;
    ClassWindow window(dataFolder(), dialogs);
    window.show();
    return app->exec();
}
