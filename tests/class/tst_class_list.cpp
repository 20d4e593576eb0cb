#include "ChildPictures.h"
#include "ClassList.h"

#include <QDate>
#include <QDirIterator>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPainter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// One field of every child, in the class's order.
QStringList each(const ClassList &list, QString Child::*field)
{
    QStringList values;
    for (const Child &child : list.children())
        values << child.*field;
    return values;
}

QString idOf(const ClassList &list, const QString &name)
{
    return list.children().value(each(list, &Child::name).indexOf(name)).id;
}

QStringList filesIn(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    return files;
}

// A name as a JSON string holds it, without its quotes.
QString inJson(const QString &name)
{
    const QString json = QJsonDocument(QJsonArray{name}).toJson(QJsonDocument::Compact);
    return json.mid(2, json.size() - 4);
}

} // namespace

class TestClassList : public QObject
{
    Q_OBJECT

private slots:
    void add_data();
    void add();
    void rename();
    void pictures_data();
    void pictures();
    void noPictureLeft();
    void import_data();
    void import();
    void removalLeavesNoByteOfTheName_data();
    void removalLeavesNoByteOfTheName();
    void damagedFile_data();
    void damagedFile();
    void changeNotWritten_data();
    void changeNotWritten();
    void spokenNameFile();
    void clipIsMadeAndRemoved();
    void everyPictureDraws_data();
    void everyPictureDraws();
};

void TestClassList::add_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored"); // empty: refused
    QTest::addColumn<QString>("message");
    const auto row = [](const char *name, const QStringList &existing, const QString &typed,
                        const QString &stored, const QString &message) {
        QTest::newRow(name) << existing << typed << stored << message;
    };
    row("empty", {}, "", "", "Manca il nome");
    row("blanks only", {}, " \t \u00A0 ", "", "Manca il nome");
    row("41 characters", {}, QString(41, u'a'), "", "al massimo 40 caratteri, questo ne ha 41");
    row("40 accented letters typed apart", {}, QStringLiteral("o\u0300").repeated(40),
        QStringLiteral("ò").repeated(40), "ora è nella classe");
    row("taken in another case", {"Anna Rossi"}, "ANNA rossi", "", "c'è già «Anna Rossi»");
    row("taken, typed without the accent", {"Niccolò"}, "niccolo", "", "c'è già «Niccolò»");
    row("taken, typed with an accent", {"Niccolo"}, "Niccolò", "", "c'è già «Niccolo»");
    row("taken, with a typographic apostrophe", {"D'Amico"}, "d’amico", "", "c'è già «D'Amico»");
    row("part of a taken name is another child", {"Anna Rossi"}, "Anna", "Anna", "Anna ora è");
    row("D'Amico", {}, "D'Amico", "D'Amico", "D'Amico ora è nella classe");
    row("Rossi; Anna", {}, "Rossi; Anna", "Rossi; Anna", "Rossi; Anna ora è nella classe");
    row("Niccolò", {}, "Niccolò", "Niccolò", "Niccolò ora è nella classe, con la figura: gatto.");
    row("blanks tidied", {}, "  Anna \t Maria\nRossi ", "Anna Maria Rossi", "Anna Maria Rossi ora");
}

void TestClassList::add()
{
    QFETCH(QStringList, existing);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QString, message);
    QTemporaryDir dir;
    ClassList list(dir.path());
    for (const QString &name : existing)
        QVERIFY(list.add(name).done);

    const ClassChange change = list.add(typed);
    QVERIFY2(change.message.contains(message), qPrintable(change.message));
    QCOMPARE(change.done, !stored.isEmpty());
    // What the window shows is what the file keeps.
    const QStringList expected = stored.isEmpty() ? existing : existing + QStringList{stored};
    QCOMPARE(each(ClassList(dir.path()), &Child::name), expected);
}

void TestClassList::rename()
{
    QTemporaryDir dir;
    ClassList list(dir.path());
    const QString anna = list.add(QStringLiteral("Anna")).id;
    QVERIFY(list.add(QStringLiteral("Luca")).done);
    QVERIFY(!list.rename(anna, QStringLiteral("luca")).done);
    const ClassChange gone =
        list.rename(QUuid::createUuid().toString(QUuid::WithoutBraces), "Paolo");
    QVERIFY(!gone.done);
    QCOMPARE(gone.message, QStringLiteral("Questo bambino non è più nella classe."));
    // Its own name in other letters is no other child's.
    const ClassChange change = list.rename(anna, QStringLiteral("ANNA"));
    QCOMPARE(change.message, QStringLiteral("Anna ora si chiama ANNA."));
    QCOMPARE(list.rename(anna, QStringLiteral("ANNA")).message,
             QStringLiteral("Il nome è rimasto ANNA."));
    const ClassList reread(dir.path());
    QCOMPARE(each(reread, &Child::name), QStringList({"ANNA", "Luca"}));
    // A new name is the same child: the answers stay theirs.
    QCOMPARE(reread.children().first().id, anna);
}

void TestClassList::pictures_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QList<int>>("pictures"); // of the children in order, as places in the table
    QTest::addColumn<bool>("lastDone");
    QTest::addColumn<QString>("message"); // what the last change tells the teacher
    // "+Name" adds, "-Name" removes, "Name=N" gives the Nth picture (-1: none such).
    const auto row = [](const char *name, const QStringList &steps, const QList<int> &pictures,
                        bool lastDone, const QString &message) {
        QTest::newRow(name) << steps << pictures << lastDone << message;
    };
    row("the first free ones, in order", {"+A", "+B", "+C"}, {0, 1, 2}, true,
        "C ora è nella classe, con la figura: pesce.");
    row("a removed child's picture is free again", {"+A", "+B", "+C", "-B", "+D"}, {0, 2, 1}, true,
        "D ora è nella classe, con la figura: mela.");
    row("changed to a free one, the old one is free", {"+A", "+B", "A=5", "+C"}, {5, 1, 0}, true,
        "C ora è nella classe, con la figura: gatto.");
    row("changed to one taken: swapped", {"+A", "+B", "+C", "A=2"}, {2, 1, 0}, true,
        "A ora ha la figura: pesce. C ha preso la figura: gatto.");
    row("changed to the one it has", {"+A", "A=0"}, {0}, true, "A ha già la figura: gatto.");
    row("changed to one that does not exist", {"+A", "A=-1"}, {0}, false,
        "Questa figura non c'è tra quelle del programma.");
    row("changed for a child no longer there", {"+A", "+B", "-A", "A=2"}, {1}, false,
        "Questo bambino non è più nella classe.");
    row("removed", {"+A", "+B", "-A"}, {1}, true, "A non è più nella classe.");
}

void TestClassList::pictures()
{
    QFETCH(QStringList, steps);
    QFETCH(QList<int>, pictures);
    QFETCH(bool, lastDone);
    QFETCH(QString, message);
    const auto picture = [](int n) {
        return n < 0 ? QStringLiteral("dinosauro") : ChildPictures::all().at(n).key;
    };
    QTemporaryDir dir;
    ClassList list(dir.path());
    ClassChange change;
    for (const QString &step : steps) {
        if (step.startsWith(u'+'))
            change = list.add(step.mid(1));
        else if (step.startsWith(u'-'))
            change = list.remove(idOf(list, step.mid(1)));
        else
            change = list.setPicture(idOf(list, step.section(u'=', 0, 0)),
                                     picture(step.section(u'=', 1).toInt()));
    }
    QCOMPARE(change.done, lastDone);
    QCOMPARE(change.message, message);
    QStringList expected;
    for (int n : pictures)
        expected << picture(n);
    QCOMPARE(each(ClassList(dir.path()), &Child::picture), expected);
    QVERIFY(!list.freePictures().contains(expected.first()));
}

void TestClassList::noPictureLeft()
{
    QTemporaryDir dir;
    ClassList list(dir.path());
    const qsizetype all = ChildPictures::all().size();
    for (int i = 0; i < all; ++i)
        QVERIFY(list.add(QStringLiteral("Bambino %1").arg(i)).done);

    const ClassChange one = list.add(QStringLiteral("Ultimo"));
    QVERIFY(!one.done);
    QVERIFY2(one.message.contains(QStringLiteral("massimo %1 bambini").arg(all)),
             qPrintable(one.message));
    writeFile(dir.filePath("elenco.txt"), "Primo\nSecondo\n");
    const ClassChange two = list.importFile(dir.filePath("elenco.txt"));
    QVERIFY2(two.message.contains("Saltati 2 nomi: non ci sono più figure libere"),
             qPrintable(two.message));
}

void TestClassList::import_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<int>("skipped");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("from"); // the file imported, in the test's folder or absolute
    const auto row = [](const char *name, const QByteArray &bytes, const QStringList &existing,
                        const QStringList &added, int skipped, const QString &message,
                        const QString &from = QStringLiteral("elenco.csv")) {
        QTest::newRow(name) << bytes << existing << added << skipped << message << from;
    };
    row("UTF-8 with BOM", "\xEF\xBB\xBFNiccolò\nAnna\n", {}, {"Niccolò", "Anna"}, 0,
        "Aggiunti 2 bambini.");
    row("Latin-1 Niccolò, Windows-1252 apostrophe", "Niccol\xF2\nD\222Amico\n", {},
        {"Niccolò", "D’Amico"}, 0, "Aggiunti 2 bambini.");
    row("CRLF, UTF-8 without BOM", "Zoë\r\nLuca\r\n", {}, {"Zoë", "Luca"}, 0, "Aggiunti 2");
    row("';' with Excel's separator line and a header",
        "sep=;\r\nCognome;Nome\r\nRossi;Anna\r\nBianchi;Luca\r\n", {},
        {"Rossi Anna", "Bianchi Luca"}, 0, "Aggiunti 2 bambini.");
    row("a name on the first line is not a header", "Rossi,Anna\nNome\n", {},
        {"Rossi Anna", "Nome"}, 0, "Aggiunti 2");
    row("quoted fields", "\"Rossi\",\"Anna\"\n\"D'Amico, Luca\";\"\"\n\"Verdi \"\"Gigi\"\"\"\n", {},
        {"Rossi Anna", "D'Amico, Luca", "Verdi \"Gigi\""}, 0, "Aggiunti 3 bambini.");
    row("tabs, a row number and a date", "1\tRossi\tAnna\t12/03/2017\n2\t\tLuca\t\n", {},
        {"Rossi Anna", "Luca"}, 0, "Aggiunti 2");
    row("blank lines", "\n\nAnna\n   \n\t;;\n\nLuca\n\n", {}, {"Anna", "Luca"}, 0, "Aggiunti 2");
    row("duplicates", "anna rossi\nLuca\nLUCA\n Luca \nniccolo\n", {"Anna Rossi", "Niccolò"},
        {"Luca"}, 4, "Aggiunto 1 bambino. Saltati 4 nomi già nella classe o ripetuti.");
    row("a name too long", QByteArray(41, 'a') + "\nLuca\n", {}, {"Luca"}, 1,
        "Saltato 1 nome troppo lungo");
    row("UTF-16 from Excel's Unicode text",
        "\xFF\xFE" + QByteArray(reinterpret_cast<const char *>(u"Rossi\tNiccolò\r\n"), 30), {},
        {"Rossi Niccolò"}, 0, "Aggiunto 1 bambino.");
    row("a PNG picture", QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x10", 20), {}, {}, 0,
        "non è un file di testo");
    row("a .xlsx", QByteArray("PK\x03\x04\x14\0\x06\0", 8), {}, {}, 0, "è un foglio di calcolo");
    row("empty", "", {}, {}, 0, "non contiene nomi");
    row("1 MB and a byte", "Anna\n" + QByteArray(1024 * 1024 - 4, ' '), {}, {}, 0, "troppo grande");
    row("a device, not a file", "Anna\n", {}, {}, 0,
        "Non è possibile leggere il file «null»: nessun bambino aggiunto.", "/dev/null");
}

void TestClassList::import()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, existing);
    QFETCH(QStringList, added);
    QFETCH(int, skipped);
    QFETCH(QString, message);
    QFETCH(QString, from);
    QTemporaryDir dir;
    ClassList list(dir.path());
    for (const QString &name : existing)
        QVERIFY(list.add(name).done);
    writeFile(dir.filePath("elenco.csv"), bytes);

    const ClassChange change = list.importFile(QDir(dir.path()).filePath(from));
    QVERIFY2(change.message.contains(message), qPrintable(change.message));
    QCOMPARE(change.added, added.size());
    QCOMPARE(change.skipped, skipped);
    QCOMPARE(change.done, !added.isEmpty());
    QCOMPARE(each(ClassList(dir.path()), &Child::name), existing + added);
}

void TestClassList::removalLeavesNoByteOfTheName_data()
{
    QTest::addColumn<QString>("name");
    // The name is also in a damaged class file, kept aside: "utf8" or "latin1".
    QTest::addColumn<QString>("damaged");
    QTest::addColumn<bool>("renamed"); // renamed away rather than removed
    const auto row = [](const char *name, const QString &child, const QString &damaged,
                        bool renamed) { QTest::newRow(name) << child << damaged << renamed; };
    row("removed, accents, quotes, a backslash", "Zebedèo \"Zeb\" Quintìlio\\", "utf8", false);
    row("removed, a damaged Latin-1 file", "Zebedèo Quintilio", "latin1", false);
    row("renamed", "Zebedeo Quintilio", "utf8", true);
}

void TestClassList::removalLeavesNoByteOfTheName()
{
    QFETCH(QString, name);
    QFETCH(QString, damaged);
    QFETCH(bool, renamed);
    QTemporaryDir dir;
    // Cut off by a full disk, with the name once more in capitals.
    const QString text = "{\"format\": 1, \"children\": [{\"name\": \"ZEBEDEO " +
                         inJson(name.section(' ', 1).toUpper()) +
                         "\", \"id\": \"x\"}, {\"name\": \"" + inJson(name) + "\", \"i";
    writeFile(dir.filePath("classe.json"), damaged == "latin1" ? text.toLatin1() : text.toUtf8());
    {
        ClassList list(dir.path());
        QVERIFY(list.add(QStringLiteral("Anna Quintilio")).done);
        QVERIFY(list.add(name).done);
        QVERIFY(list.add(QStringLiteral("Luca")).done);
        // With espeak-ng, the clips of the names are among the files looked at.
        QTRY_VERIFY_WITH_TIMEOUT(!list.clips().busy(), 30000);
        const QString id = idOf(list, name);
        const ClassChange change =
            renamed ? list.rename(id, QStringLiteral("Zeb")) : list.remove(id);
        QVERIFY2(change.done, qPrintable(change.message));
        QTRY_VERIFY_WITH_TIMEOUT(!list.clips().busy(), 30000);
    }
    // Every way its bytes could sit in a file, in any case.
    const QString decomposed = name.normalized(QString::NormalizationForm_D);
    QString bare = decomposed;
    bare.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
    const QList<QByteArray> forms = {name.toUtf8(), decomposed.toUtf8(), bare.toUtf8(),
                                     name.toLatin1(), inJson(name).toUtf8()};
    for (const QString &file : filesIn(dir.path())) {
        const QByteArray bytes = readFile(file).toLower();
        for (const QByteArray &form : forms)
            QVERIFY2(!bytes.contains(form.toLower()), qPrintable(file));
        // What is written again of the other names is still for the teacher only.
        const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::ReadOther;
        QVERIFY2(!(QFileInfo(file).permissions() & others), qPrintable(file));
    }
    // The other children are whole, and the damaged file is still kept aside.
    QStringList others{"Anna Quintilio", "Luca"};
    if (renamed)
        others.insert(1, QStringLiteral("Zeb"));
    QCOMPARE(each(ClassList(dir.path()), &Child::name), others);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

void TestClassList::damagedFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("problem"); // empty: read whole
    const QByteArray anna = R"({"id": "8d3c4a56-1b7e-4f0e-9a55-0c6f4f3b2a10", "name": "Anna", )"
                            R"("picture": "pesce"})";
    const QByteArray luca = QByteArray(anna).replace("Anna", "Luca").replace("pesce", "gatto");
    const QByteArray start = R"({"format": 1, "children": [)";
    const auto row = [](const char *name, const QByteArray &bytes, const QString &problem) {
        QTest::newRow(name) << bytes << problem;
    };
    row("whole, with a picture no longer there",
        start + QByteArray(anna).replace("pesce", "drago") + "]}", "");
    row("cut short", start + anna.left(30), "danneggiato");
    row("binary", QByteArray("\x89PNG\r\n\x1A\n\0\0", 10), "danneggiato");
    row("a newer format", R"({"format": 2, "children": [)" + anna + "]}", "versione più recente");
    row("the same id twice", start + anna + ", " + luca + "]}", "danneggiato");
    row("without a format", R"({"children": [)" + anna + "]}", "danneggiato");
    row("a child without a name", start + QByteArray(anna).replace("Anna", " ") + "]}",
        "danneggiato");
    row("whole, but over a megabyte", start + anna + "]}" + QByteArray(1024 * 1024, ' '),
        "danneggiato");
}

void TestClassList::damagedFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, problem);
    QTemporaryDir dir;
    const QString path = dir.filePath("classe.json");
    writeFile(path, bytes);
    ClassList list(dir.path());
    QVERIFY2(list.problem().contains(problem), qPrintable(list.problem()));
    if (problem.isEmpty()) {
        QCOMPARE(list.problem(), QString());
        QCOMPARE(each(list, &Child::name), QStringList{"Anna"});
        QVERIFY(ChildPictures::find(list.children().first().picture));
        // Nor is a good file set aside at the next change.
        QVERIFY(list.add(QStringLiteral("Luca")).done);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"classe.json"});
        QCOMPARE(each(ClassList(dir.path()), &Child::name), QStringList({"Anna", "Luca"}));
        return;
    }
    QVERIFY(list.children().isEmpty());
    // Not written over while nothing changes, not even by a refused change.
    QVERIFY(!list.add(QString()).done);
    QCOMPARE(filesIn(dir.path()), QStringList{path});
    QCOMPARE(readFile(path), bytes);

    QVERIFY(list.add(QStringLiteral("Luca")).done);
    QCOMPARE(list.problem(), QString());
    const QString aside =
        dir.filePath("classe-danneggiata-" + QDate::currentDate().toString(Qt::ISODate) + ".json");
    QCOMPARE(readFile(aside), bytes);
    // Both hold names: for their owner's eyes only.
    for (const QString &file : {path, aside})
        QCOMPARE(QFile::permissions(file) & 0x7077, QFile::ReadOwner | QFile::WriteOwner);
    const ClassList reread(dir.path());
    QCOMPARE(reread.problem(), QString());
    QCOMPARE(each(reread, &Child::name), QStringList{"Luca"});
}

void TestClassList::changeNotWritten_data()
{
    QTest::addColumn<QString>("folder"); // in the test's folder, or absolute
    QTest::addColumn<QString>("message");
    // The tests may run as root, whom no permission stops.
    QTest::newRow("a folder that cannot be made: it would lie in a file")
        << "un-file/classe"
        << "Non è possibile creare la cartella";
    QTest::newRow("a folder where no file can be made") << "/proc/self"
                                                        << "Non è possibile scrivere il file";
    QTest::newRow("a damaged file that cannot be set aside")
        << ""
        << "Non è possibile mettere da parte il file danneggiato";
}

void TestClassList::changeNotWritten()
{
    QFETCH(QString, folder);
    QFETCH(QString, message);
    QTemporaryDir dir;
    writeFile(dir.filePath("un-file"), "");
    const QByteArray damaged = R"({"format": 1, "children": [)";
    if (folder.isEmpty()) {
        // Linux takes paths of up to 4095 bytes: the class file's fits, the
        // dated name it would be set aside under does not.
        folder = dir.path();
        while (folder.size() < 3800)
            folder += QLatin1Char('/') + QString(200, u'c');
        folder += QLatin1Char('/') + QString(4070 - folder.size() - 1, u'c');
        writeFile(folder + "/classe.json", damaged);
    } else {
        folder = QDir(dir.path()).filePath(folder);
    }
    ClassList list(folder);
    const ClassChange change = list.add(QStringLiteral("Anna"));
    QVERIFY2(change.message.contains(message), qPrintable(change.message));
    QVERIFY2(change.message.endsWith("classe non è cambiata."), qPrintable(change.message));
    QVERIFY(!change.done);
    QVERIFY(list.children().isEmpty());
    if (QFile::exists(folder + "/classe.json"))
        QCOMPARE(readFile(folder + "/classe.json"), damaged);
}

void TestClassList::spokenNameFile()
{
    QTemporaryDir dir;
    ClassList list(dir.path());
    // Without espeak-ng, children are added all the same, quietly, with no clip.
    QTest::failOnWarning(QRegularExpression(".*"));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", dir.path().toUtf8());
    const QString niccolo = list.add(QStringLiteral("Niccolò")).id;
    const QString slash = list.add(QStringLiteral("Anna/Maria")).id;
    qputenv("PATH", path);
    QVERIFY(!list.clips().busy());
    QCOMPARE(list.spokenNameFile(niccolo, "it"), QString());
    QCOMPARE(filesIn(dir.path()), QStringList{dir.filePath("classe.json")});

    // The teacher's recording, named by the voice's rule, comes before the made clip.
    for (const QString &file :
         {list.clips().clipPath(niccolo), list.clips().clipPath(slash),
          dir.filePath("voci/it/niccolo.wav"), dir.filePath("voci/it/anna/maria.wav")})
        writeFile(file, "RIFF");
    QCOMPARE(list.spokenNameFile(niccolo, "it"), dir.filePath("voci/it/niccolo.wav"));
    // A slash in the name looks in no other folder.
    QCOMPARE(list.spokenNameFile(slash, "it"), list.clips().clipPath(slash));
}

void TestClassList::clipIsMadeAndRemoved()
{
    if (QStandardPaths::findExecutable("espeak-ng").isEmpty())
        QSKIP("espeak-ng is not installed");
    QTemporaryDir dir;
    ClassList list(dir.path());
    QSignalSpy made(&list.clips(), &NameClips::made);
    const QString id = list.add(QStringLiteral("Zebedeo Quintilio")).id;
    QTRY_COMPARE_WITH_TIMEOUT(made.size(), 1, 30000);
    QCOMPARE(made.at(0).at(0).toString(), id);
    const QString clip = list.clips().clipPath(id);
    QCOMPARE(list.spokenNameFile(id, "it"), clip);
    const QByteArray wav = readFile(clip);
    QVERIFY2(wav.startsWith("RIFF") && wav.size() > 8000, "less than a fifth of a second");
    QCOMPARE(QFile::permissions(clip) & 0x0077, QFileDevice::Permissions());

    // A new name, one that looks like an option: the old clip goes at once,
    // the new one follows.
    QVERIFY(list.rename(id, QStringLiteral("--help")).done);
    QVERIFY(!QFile::exists(clip));
    QTRY_COMPARE_WITH_TIMEOUT(made.size(), 2, 30000);
    QVERIFY(QFile::exists(clip));

    QVERIFY(list.remove(id).done);
    QVERIFY(!QFile::exists(clip));
    // Removed while it is being made: nothing is left behind.
    QVERIFY(list.remove(list.add(QStringLiteral("Luca")).id).done);
    QTRY_VERIFY_WITH_TIMEOUT(!list.clips().busy(), 30000);
    QCOMPARE(filesIn(dir.filePath("voci-bambini")), QStringList());
    QCOMPARE(made.size(), 2);
}

void TestClassList::everyPictureDraws_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < ChildPictures::all().size(); ++i)
        QTest::newRow(qPrintable(ChildPictures::all().at(i).key)) << i;
}

void TestClassList::everyPictureDraws()
{
    QFETCH(int, index);
    const ChildPicture &picture = ChildPictures::all().at(index);
    QCOMPARE(ChildPictures::find(picture.key), &picture);
    QVERIFY(!picture.spoken.isEmpty());
    // Anything Qt's SVG renderer cannot draw is a warning.
    QTest::failOnWarning(QRegularExpression(".*"));
    QSvgRenderer renderer(picture.resource);
    QVERIFY(renderer.isValid());
    QImage image(64, 64, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    int painted = 0;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x)
            painted += image.pixelColor(x, y).alpha() > 200;
    }
    // Big enough to be seen at 64 px.
    QVERIFY2(painted > 64 * 64 / 4, qPrintable(QString::number(painted)));
}

QTEST_MAIN(TestClassList)
#include "tst_class_list.moc"
