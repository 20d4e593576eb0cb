#include "ChildName.h"
#include "ChildPictures.h"
#include "ClassList.h"
#include "NameListFile.h"

#include <QDate>
#include <QDirIterator>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStringDecoder>
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

QStringList namesOf(const ClassList &list)
{
    QStringList names;
    for (const Child &child : list.children())
        names << child.name;
    return names;
}

QStringList picturesOf(const ClassList &list)
{
    QStringList pictures;
    for (const Child &child : list.children())
        pictures << child.picture;
    return pictures;
}

QString idOf(const ClassList &list, const QString &name)
{
    for (const Child &child : list.children()) {
        if (child.name == name)
            return child.id;
    }
    return {};
}

QString pictureAt(int i)
{
    return ChildPictures::all().at(i).key;
}

QStringList filesIn(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    return files;
}

// A name as a JSON file holds it, without its quotes.
QString inJson(const QString &name)
{
    const QString json = QJsonDocument(QJsonArray{name}).toJson(QJsonDocument::Compact);
    return json.mid(2, json.size() - 4);
}

// Every way a name's bytes could sit in a file, to be looked for in any case.
QList<QByteArray> byteForms(const QString &name)
{
    const QString decomposed = name.normalized(QString::NormalizationForm_D);
    QString bare = decomposed;
    bare.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
    return {name.toUtf8().toLower(), decomposed.toUtf8().toLower(), bare.toUtf8().toLower(),
            name.toLatin1().toLower(), inJson(name).toUtf8().toLower()};
}

} // namespace

class TestClassList : public QObject
{
    Q_OBJECT

private slots:
    void nameChecks_data();
    void nameChecks();
    void renameChecks_data();
    void renameChecks();
    void pictureAssignment_data();
    void pictureAssignment();
    void noPictureLeft();
    void import_data();
    void import();
    void removalLeavesNoByteOfTheName_data();
    void removalLeavesNoByteOfTheName();
    void damagedFile_data();
    void damagedFile();
    void fileIsPrivateAndVersioned();
    void spokenNameFile_data();
    void spokenNameFile();
    void clipIsMadeAndRemoved();
    void noClipWithoutEspeak();
    void everyPictureDraws_data();
    void everyPictureDraws();
    void picturesAreToldApart();
};

void TestClassList::nameChecks_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored"); // empty: refused
    QTest::addColumn<QString>("message");
    const QString nfdO = QStringLiteral("o\u0300");
    QTest::newRow("empty") << QStringList() << ""
                           << ""
                           << "Manca il nome";
    QTest::newRow("blanks only") << QStringList() << " \t \u00A0 "
                                 << ""
                                 << "Manca il nome";
    QTest::newRow("41 characters") << QStringList() << QString(41, QLatin1Char('a')) << ""
                                   << "al massimo 40 caratteri, questo ne ha 41";
    QTest::newRow("40 characters") << QStringList() << QString(40, QLatin1Char('a'))
                                   << QString(40, QLatin1Char('a')) << "ora è nella classe";
    QTest::newRow("40 accented letters typed apart")
        << QStringList() << nfdO.repeated(40) << QStringLiteral("ò").repeated(40)
        << "ora è nella classe";
    QTest::newRow("41 after blanks are collapsed: 40")
        << QStringList()
        << QStringLiteral("  ") + QString(20, QLatin1Char('a')) + "  " +
               QString(19, QLatin1Char('b')) + "  "
        << QString(20, QLatin1Char('a')) + " " + QString(19, QLatin1Char('b'))
        << "ora è nella classe";
    QTest::newRow("taken in another case") << QStringList{"Anna Rossi"} << "ANNA rossi"
                                           << ""
                                           << "Nella classe c'è già «Anna Rossi»";
    QTest::newRow("taken, typed without the accent") << QStringList{"Niccolò"} << "niccolo"
                                                     << ""
                                                     << "c'è già «Niccolò»";
    QTest::newRow("taken, typed with an accent") << QStringList{"Niccolo"} << "Niccolò"
                                                 << ""
                                                 << "c'è già «Niccolo»";
    QTest::newRow("taken, with a typographic apostrophe") << QStringList{"D'Amico"} << "d’amico"
                                                          << ""
                                                          << "c'è già «D'Amico»";
    QTest::newRow("taken, with other blanks") << QStringList{"Anna Maria"} << " anna\tmaria "
                                              << ""
                                              << "c'è già «Anna Maria»";
    QTest::newRow("part of a taken name is another child") << QStringList{"Anna Rossi"} << "Anna"
                                                           << "Anna"
                                                           << "Anna ora è nella classe";
    QTest::newRow("D'Amico") << QStringList() << "D'Amico"
                             << "D'Amico"
                             << "D'Amico ora è";
    QTest::newRow("Rossi; Anna") << QStringList() << "Rossi; Anna"
                                 << "Rossi; Anna"
                                 << "Rossi; Anna ora è";
    QTest::newRow("Niccolò") << QStringList() << "Niccolò"
                             << "Niccolò"
                             << "figura: gatto";
    QTest::newRow("blanks tidied") << QStringList() << "  Anna \t Maria\nRossi "
                                   << "Anna Maria Rossi"
                                   << "Anna Maria Rossi ora è";
    QTest::newRow("accent typed apart, kept composed")
        << QStringList() << "Nicol" + nfdO << "Nicolò"
        << "Nicolò ora è";
    QTest::newRow("quotes and backslash are data") << QStringList() << "Gigi \"il\" \\Verdi"
                                                   << "Gigi \"il\" \\Verdi"
                                                   << "ora è";
}

void TestClassList::nameChecks()
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
    const QStringList expected = stored.isEmpty() ? existing : existing + QStringList{stored};
    QCOMPARE(namesOf(list), expected);
    // What the window shows is what the file keeps.
    QCOMPARE(namesOf(ClassList(dir.path())), expected);
}

void TestClassList::renameChecks_data()
{
    QTest::addColumn<QString>("who");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("done");
    QTest::addColumn<QStringList>("names"); // after, starting from Anna, Luca
    QTest::addColumn<QString>("message");
    const QStringList before{"Anna", "Luca"};
    QTest::newRow("new name") << "Anna"
                              << "Anna  Maria" << true << QStringList{"Anna Maria", "Luca"}
                              << "Anna ora si chiama Anna Maria.";
    QTest::newRow("own name in other letters")
        << "Anna"
        << "ANNA" << true << QStringList{"ANNA", "Luca"} << "Anna ora si chiama ANNA.";
    QTest::newRow("same name") << "Anna"
                               << " Anna " << true << before << "Il nome è rimasto Anna.";
    QTest::newRow("another child's name") << "Anna"
                                          << "luca" << false << before << "c'è già «Luca»";
    QTest::newRow("empty") << "Anna"
                           << "  " << false << before << "Manca il nome";
    QTest::newRow("41 characters")
        << "Luca" << QString(41, QLatin1Char('x')) << false << before << "troppo lungo";
    QTest::newRow("nobody") << ""
                            << "Paolo" << false << before << "non è più nella classe";
}

void TestClassList::renameChecks()
{
    QFETCH(QString, who);
    QFETCH(QString, typed);
    QFETCH(bool, done);
    QFETCH(QStringList, names);
    QFETCH(QString, message);
    QTemporaryDir dir;
    ClassList list(dir.path());
    list.add(QStringLiteral("Anna"));
    list.add(QStringLiteral("Luca"));
    const QStringList ids{list.children().at(0).id, list.children().at(1).id};
    const QString id =
        who.isEmpty() ? QUuid::createUuid().toString(QUuid::WithoutBraces) : idOf(list, who);

    const ClassChange change = list.rename(id, typed);
    QVERIFY2(change.message.contains(message), qPrintable(change.message));
    QCOMPARE(change.done, done);
    const ClassList reread(dir.path());
    QCOMPARE(namesOf(reread), names);
    // A new name is the same child: the answers stay theirs.
    QCOMPARE(QStringList({reread.children().at(0).id, reread.children().at(1).id}), ids);
}

void TestClassList::pictureAssignment_data()
{
    // A script of steps: "+Name" adds, "-Name" removes, "Name=N" gives the
    // Nth picture of the table to Name.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QList<int>>("pictures"); // of the children in order, as places in the table
    QTest::addColumn<bool>("lastDone");
    QTest::newRow("the first free ones, in order")
        << QStringList{"+A", "+B", "+C"} << QList<int>{0, 1, 2} << true;
    QTest::newRow("a removed child's picture is free again")
        << QStringList{"+A", "+B", "+C", "-B", "+D"} << QList<int>{0, 2, 1} << true;
    QTest::newRow("the first child's picture, once free, is given first")
        << QStringList{"+A", "+B", "-A", "+C", "+D"} << QList<int>{1, 0, 2} << true;
    QTest::newRow("changed to a free one, the old one is free")
        << QStringList{"+A", "+B", "A=5", "+C"} << QList<int>{5, 1, 0} << true;
    QTest::newRow("changed to one taken: swapped")
        << QStringList{"+A", "+B", "+C", "A=2"} << QList<int>{2, 1, 0} << true;
    QTest::newRow("changed to its own") << QStringList{"+A", "A=0"} << QList<int>{0} << true;
    QTest::newRow("changed to one that does not exist")
        << QStringList{"+A", "A=-1"} << QList<int>{0} << false;
}

void TestClassList::pictureAssignment()
{
    QFETCH(QStringList, steps);
    QFETCH(QList<int>, pictures);
    QFETCH(bool, lastDone);
    QTemporaryDir dir;
    ClassList list(dir.path());
    ClassChange change;
    for (const QString &step : steps) {
        if (step.startsWith(QLatin1Char('+'))) {
            change = list.add(step.mid(1));
        } else if (step.startsWith(QLatin1Char('-'))) {
            change = list.remove(idOf(list, step.mid(1)));
        } else {
            const QStringList parts = step.split(QLatin1Char('='));
            const int n = parts.at(1).toInt();
            change = list.setPicture(idOf(list, parts.at(0)),
                                     n < 0 ? QStringLiteral("dinosauro") : pictureAt(n));
        }
    }
    QCOMPARE(change.done, lastDone);
    QStringList expected;
    for (int n : pictures)
        expected << pictureAt(n);
    QCOMPARE(picturesOf(list), expected);
    QCOMPARE(picturesOf(ClassList(dir.path())), expected);
    QVERIFY(!list.freePictures().contains(expected.first()));
}

void TestClassList::noPictureLeft()
{
    QTemporaryDir dir;
    ClassList list(dir.path());
    const qsizetype all = ChildPictures::all().size();
    for (int i = 0; i < all; ++i)
        QVERIFY(list.add(QStringLiteral("Bambino %1").arg(i)).done);
    QVERIFY(list.freePictures().isEmpty());

    const ClassChange one = list.add(QStringLiteral("Ultimo"));
    QVERIFY(!one.done);
    QVERIFY2(one.message.contains(QStringLiteral("massimo %1 bambini").arg(all)),
             qPrintable(one.message));
    writeFile(dir.filePath("elenco.txt"), "Primo\nSecondo\n");
    const ClassChange two = list.importFile(dir.filePath("elenco.txt"));
    QCOMPARE(two.added, 0);
    QCOMPARE(two.skipped, 2);
    QVERIFY2(two.message.contains("Saltati 2 nomi: non ci sono più figure libere"),
             qPrintable(two.message));
    QCOMPARE(ClassList(dir.path()).children().size(), all);
    // A child leaving makes room for one more.
    QVERIFY(list.remove(list.children().at(3).id).done);
    QVERIFY(list.add(QStringLiteral("Ultimo")).done);
    QCOMPARE(list.children().last().picture, pictureAt(3));
}

void TestClassList::import_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<int>("skipped");
    QTest::addColumn<QString>("message");
    const QStringList none;
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBFNiccolò\nAnna\n") << none
                                    << QStringList{"Niccolò", "Anna"} << 0 << "Aggiunti 2 bambini.";
    QTest::newRow("UTF-8 without BOM")
        << QByteArray("Niccolò\nZoë\n") << none << QStringList{"Niccolò", "Zoë"} << 0
        << "Aggiunti 2 bambini.";
    QTest::newRow("Latin-1 Niccolò") << QByteArray("Niccol\xF2\r\nZo\xEB\r\n") << none
                                     << QStringList{"Niccolò", "Zoë"} << 0 << "Aggiunti 2 bambini.";
    QTest::newRow("Windows-1252 apostrophe")
        << QByteArray("D\x92"
                      "Amico\n")
        << none << QStringList{"D’Amico"} << 0 << "Aggiunto 1 bambino.";
    QTest::newRow("CRLF") << QByteArray("Anna\r\nLuca\r\n") << none << QStringList{"Anna", "Luca"}
                          << 0 << "Aggiunti 2 bambini.";
    QTest::newRow("old Mac line ends")
        << QByteArray("Anna\rLuca") << none << QStringList{"Anna", "Luca"} << 0 << "Aggiunti 2";
    QTest::newRow("';' with a header")
        << QByteArray("Cognome;Nome\r\nRossi;Anna\r\nBianchi;Luca\r\n") << none
        << QStringList{"Rossi Anna", "Bianchi Luca"} << 0 << "Aggiunti 2 bambini.";
    QTest::newRow("Excel's separator hint and header")
        << QByteArray("sep=;\nN.;Alunno/a\n1;Anna Rossi\n") << none << QStringList{"Anna Rossi"}
        << 0 << "Aggiunto 1 bambino.";
    QTest::newRow("a name on the first line is not a header")
        << QByteArray("Rossi,Anna\nNome\n") << none << QStringList{"Rossi Anna", "Nome"} << 0
        << "Aggiunti 2";
    QTest::newRow("quoted fields")
        << QByteArray("\"Rossi\",\"Anna\"\n\"D'Amico, Luca\";\"\"\n\"Verdi \"\"Gigi\"\"\"\n")
        << none << QStringList{"Rossi Anna", "D'Amico, Luca", "Verdi \"Gigi\""} << 0
        << "Aggiunti 3 bambini.";
    QTest::newRow("tabs, a row number and a date")
        << QByteArray("1\tRossi\tAnna\t12/03/2017\n2\t\tLuca\t\n") << none
        << QStringList{"Rossi Anna", "Luca"} << 0 << "Aggiunti 2";
    QTest::newRow("blank lines") << QByteArray("\n\nAnna\n   \n\t;;\n\nLuca\n\n") << none
                                 << QStringList{"Anna", "Luca"} << 0 << "Aggiunti 2 bambini.";
    QTest::newRow("duplicates")
        << QByteArray("anna rossi\nLuca\nLUCA\n Luca \nniccolo\n")
        << QStringList{"Anna Rossi", "Niccolò"} << QStringList{"Luca"} << 4
        << "Aggiunto 1 bambino. Saltati 4 nomi già nella classe o ripetuti.";
    QTest::newRow("one repeated") << QByteArray("Anna\nAnna\n") << none << QStringList{"Anna"} << 1
                                  << "Aggiunto 1 bambino. Saltato 1 nome già nella classe o "
                                     "ripetuto.";
    QTest::newRow("only names already there")
        << QByteArray("Anna\n") << QStringList{"ANNA"} << none << 1 << "Nessun bambino aggiunto.";
    QTest::newRow("a name too long")
        << QByteArray(41, 'a') + "\nLuca\n"
        << none << QStringList{"Luca"} << 1 << "Saltato 1 nome troppo lungo";
    QTest::newRow("UTF-16 from Excel's Unicode text")
        << QByteArray("\xFF\xFE") +
               QByteArray(reinterpret_cast<const char *>(u"Rossi\tNiccolò\r\n"), 30)
        << none << QStringList{"Rossi Niccolò"} << 0 << "Aggiunto 1 bambino.";
    QTest::newRow("a PNG picture") << QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x10", 20)
                                   << none << none << 0 << "non è un file di testo";
    QTest::newRow("control bytes without a NUL")
        << QByteArray("Anna\x01\x02\x03\nLuca\n") << none << none << 0 << "non è un file di testo";
    QTest::newRow("a spreadsheet")
        << QByteArray("PK\x03\x04\x14\0\x06\0", 8) << none << none << 0 << "è un foglio di calcolo";
    QTest::newRow("an old Excel file") << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1") << none
                                       << none << 0 << "è un foglio di calcolo";
    QTest::newRow("empty") << QByteArray() << none << none << 0 << "non contiene nomi";
    QTest::newRow("a header alone")
        << QByteArray("Cognome;Nome\r\n\r\n") << none << none << 0 << "non contiene nomi";
    QTest::newRow("just 1 MB") << QByteArray("Anna\n") + QByteArray(1024 * 1024 - 5, ' ') << none
                               << QStringList{"Anna"} << 0 << "Aggiunto 1 bambino.";
    QTest::newRow("1 MB and a byte") << QByteArray("Anna\n") + QByteArray(1024 * 1024 - 4, ' ')
                                     << none << none << 0 << "troppo grande";
}

void TestClassList::import()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, existing);
    QFETCH(QStringList, added);
    QFETCH(int, skipped);
    QFETCH(QString, message);
    QTemporaryDir dir;
    ClassList list(dir.path());
    for (const QString &name : existing)
        QVERIFY(list.add(name).done);
    const QByteArray before = readFile(dir.filePath("classe.json"));
    writeFile(dir.filePath("elenco.csv"), bytes);

    const ClassChange change = list.importFile(dir.filePath("elenco.csv"));
    QVERIFY2(change.message.contains(message), qPrintable(change.message));
    QCOMPARE(change.added, added.size());
    QCOMPARE(change.skipped, skipped);
    QCOMPARE(change.done, !added.isEmpty());
    QCOMPARE(namesOf(ClassList(dir.path())), existing + added);
    if (added.isEmpty())
        QCOMPARE(readFile(dir.filePath("classe.json")), before);
}

void TestClassList::removalLeavesNoByteOfTheName_data()
{
    QTest::addColumn<QString>("name");
    // A damaged class file with the name, kept aside: none, "utf8" or "latin1".
    QTest::addColumn<QString>("damaged");
    QTest::addColumn<bool>("renamed"); // renamed away rather than removed
    QTest::newRow("removed") << "Zebedeo Quintilio"
                             << "" << false;
    QTest::newRow("removed, with accents") << "Zebedèo Quintìlio"
                                           << "" << false;
    QTest::newRow("removed, with quotes and a backslash") << "Zebedeo \"Zeb\" Quintilio\\"
                                                          << "" << false;
    QTest::newRow("removed, also from a damaged file kept aside") << "Zebedeo Quintilio"
                                                                  << "utf8" << false;
    QTest::newRow("removed, with quotes, also from a damaged file kept aside")
        << "Zebedeo \"Zeb\" Quintilio\\"
        << "utf8" << false;
    QTest::newRow("removed, also from a damaged Latin-1 file kept aside") << "Zebedèo Quintilio"
                                                                          << "latin1" << false;
    QTest::newRow("renamed") << "Zebedeo Quintilio"
                             << "utf8" << true;
}

void TestClassList::removalLeavesNoByteOfTheName()
{
    QFETCH(QString, name);
    QFETCH(QString, damaged);
    QFETCH(bool, renamed);
    QTemporaryDir dir;
    if (!damaged.isEmpty()) {
        // Cut off by a full disk, with the name once more in capitals.
        const QString text = "{\"format\": 1, \"children\": [{\"name\": \"ZEBEDEO " +
                             inJson(name.section(' ', 1).toUpper()) +
                             "\", \"id\": \"x\"}, {\"name\": \"" + inJson(name) + "\", \"i";
        writeFile(dir.filePath("classe.json"),
                  damaged == "latin1" ? text.toLatin1() : text.toUtf8());
    }
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
    const QStringList files = filesIn(dir.path());
    for (const QString &file : files) {
        const QByteArray bytes = readFile(file).toLower();
        for (const QByteArray &form : byteForms(name))
            QVERIFY2(!form.isEmpty() && !bytes.contains(form), qPrintable(file));
    }
    // The other children are whole, and a damaged file is still kept aside.
    QStringList others{"Anna Quintilio", "Luca"};
    if (renamed)
        others.insert(1, QStringLiteral("Zeb"));
    QCOMPARE(namesOf(ClassList(dir.path())), others);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), damaged.isEmpty() ? 1 : 2);
}

void TestClassList::damagedFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("problem"); // empty: read whole
    const QByteArray id = "8d3c4a56-1b7e-4f0e-9a55-0c6f4f3b2a10";
    const QByteArray anna = "{\"id\": \"" + id + "\", \"name\": \"Anna\", \"picture\": \"pesce\"}";
    QTest::newRow("whole") << "{\"format\": 1, \"children\": [" + anna + "]}"
                           << "";
    QTest::newRow("an unknown picture is not damage")
        << "{\"format\": 1, \"children\": [" + QByteArray(anna).replace("pesce", "drago") + "]}"
        << "";
    QTest::newRow("cut short") << "{\"format\": 1, \"children\": [" + anna.left(30)
                               << "danneggiato";
    QTest::newRow("empty") << QByteArray() << "danneggiato";
    QTest::newRow("not an object") << QByteArray("[1, 2]") << "danneggiato";
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1A\n\0\0", 10) << "danneggiato";
    QTest::newRow("no format") << "{\"children\": [" + anna + "]}"
                               << "danneggiato";
    QTest::newRow("a newer format") << "{\"format\": 2, \"children\": [" + anna + "]}"
                                    << "versione più recente";
    QTest::newRow("children not a list")
        << QByteArray("{\"format\": 1, \"children\": {}}") << "danneggiato";
    QTest::newRow("the same id twice")
        << "{\"format\": 1, \"children\": [" + anna + ", " +
               QByteArray(anna).replace("Anna", "Luca").replace("pesce", "gatto") + "]}"
        << "danneggiato";
    QTest::newRow("an id in braces")
        << "{\"format\": 1, \"children\": [" + QByteArray(anna).replace(id, "{" + id + "}") + "]}"
        << "danneggiato";
    QTest::newRow("a blank name") << "{\"format\": 1, \"children\": [" +
                                         QByteArray(anna).replace("Anna", " ") + "]}"
                                  << "danneggiato";
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
        QVERIFY(list.problem().isEmpty());
        QCOMPARE(namesOf(list), QStringList{"Anna"});
        QVERIFY(ChildPictures::find(list.children().first().picture));
        return;
    }
    QVERIFY(list.children().isEmpty());
    // Not written over while nothing changes, not even by a refused change.
    QVERIFY(!list.add(QString()).done);
    QCOMPARE(readFile(path), bytes);
    QCOMPARE(filesIn(dir.path()), QStringList{path});

    QVERIFY(list.add(QStringLiteral("Luca")).done);
    QVERIFY(list.problem().isEmpty());
    const QString aside =
        dir.filePath("classe-danneggiata-" + QDate::currentDate().toString(Qt::ISODate) + ".json");
    QCOMPARE(readFile(aside), bytes);
    QCOMPARE(QFile::permissions(aside) & 0x0077, QFileDevice::Permissions());
    const ClassList reread(dir.path());
    QVERIFY(reread.problem().isEmpty());
    QCOMPARE(namesOf(reread), QStringList{"Luca"});
}

void TestClassList::fileIsPrivateAndVersioned()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("not/yet/made");
    ClassList list(folder);
    QVERIFY(list.problem().isEmpty());
    QVERIFY(list.children().isEmpty());
    QVERIFY(!QFile::exists(folder));

    QVERIFY(list.add(QStringLiteral("Anna")).done);
    QVERIFY(list.add(QStringLiteral("Luca")).done);
    const QString path = folder + "/classe.json";
    QCOMPARE(QFile::permissions(path) & 0x7077, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QJsonObject root = QJsonDocument::fromJson(readFile(path)).object();
    QCOMPARE(root.value("format").toInt(), 1);
    const QJsonArray children = root.value("children").toArray();
    QCOMPARE(children.size(), 2);
    QCOMPARE(children.at(1).toObject().value("name").toString(), QStringLiteral("Luca"));
    QCOMPARE(children.at(1).toObject().value("picture").toString(), pictureAt(1));
    const QString id = children.at(0).toObject().value("id").toString();
    QCOMPARE(id, list.children().at(0).id);
    QCOMPARE(QUuid::fromString(id).toString(QUuid::WithoutBraces), id);
    QVERIFY(id != children.at(1).toObject().value("id").toString());
    // Replaced whole: nothing else is left in the folder.
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"classe.json"});
}

void TestClassList::spokenNameFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("recorded"); // relative to the data folder; empty: none
    QTest::addColumn<bool>("madeClip");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("said"); // "recorded", "made" or empty
    QTest::newRow("the teacher's recording, by the voice's rule")
        << "Niccolò"
        << "voci/it/niccolo.wav" << true << "it"
        << "recorded";
    QTest::newRow("a recording in another language is not looked at")
        << "Niccolò"
        << "voci/en/niccolo.wav" << true << "it"
        << "made";
    QTest::newRow("the made clip") << "Anna Rossi"
                                   << "" << true << "it"
                                   << "made";
    QTest::newRow("nothing to say") << "Anna Rossi"
                                    << "" << false << "it"
                                    << "";
    QTest::newRow("a recording with the accent in its name is not the rule's")
        << "Niccolò"
        << "voci/it/niccolò.wav" << false << "it"
        << "";
    QTest::newRow("a slash in the name looks in no other folder")
        << "Anna/Maria"
        << "voci/it/anna/maria.wav" << false << "it"
        << "";
}

void TestClassList::spokenNameFile()
{
    QFETCH(QString, name);
    QFETCH(QString, recorded);
    QFETCH(bool, madeClip);
    QFETCH(QString, language);
    QFETCH(QString, said);
    QTemporaryDir dir;
    ClassList list(dir.path());
    // No espeak-ng here: the clip below is put in its place by hand.
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", dir.path().toUtf8());
    const QString id = list.add(name).id;
    qputenv("PATH", path);
    QVERIFY(!id.isEmpty());
    if (!recorded.isEmpty())
        writeFile(dir.filePath(recorded), "RIFF");
    if (madeClip)
        writeFile(list.clips().clipPath(id), "RIFF");

    const QString expected = said == "recorded" ? dir.filePath(recorded)
                             : said == "made"   ? list.clips().clipPath(id)
                                                : QString();
    QCOMPARE(list.spokenNameFile(id, language), expected);
}

void TestClassList::clipIsMadeAndRemoved()
{
    if (QStandardPaths::findExecutable("espeak-ng").isEmpty())
        QSKIP("espeak-ng is not installed");
    QTemporaryDir dir;
    ClassList list(dir.path());
    QSignalSpy made(&list.clips(), &NameClips::made);
    // A name that looks like an option is said like any other.
    const QString zebedeo = list.add(QStringLiteral("Zebedeo Quintilio")).id;
    const QString dash = list.add(QStringLiteral("--help")).id;
    QTRY_COMPARE_WITH_TIMEOUT(made.size(), 2, 30000);
    QCOMPARE(made.at(0).at(0).toString(), zebedeo);
    QCOMPARE(made.at(1).at(0).toString(), dash);
    const QString clip = list.clips().clipPath(zebedeo);
    QCOMPARE(list.spokenNameFile(zebedeo, "it"), clip);
    QVERIFY(clip.endsWith("/voci-bambini/" + zebedeo + ".wav"));
    const QByteArray wav = readFile(clip);
    QVERIFY(wav.startsWith("RIFF") && wav.mid(8, 4) == "WAVE");
    QVERIFY2(wav.size() > 8000, "less than a fifth of a second of speech");
    QCOMPARE(QFile::permissions(clip) & 0x0077, QFileDevice::Permissions());
    QCOMPARE(QDir(dir.filePath("voci-bambini")).entryList(QDir::Files).size(), 2);

    // A new name: the old clip goes at once, the new one follows.
    QVERIFY(list.rename(zebedeo, QStringLiteral("Zeb")).done);
    QVERIFY(!QFile::exists(clip));
    QTRY_COMPARE_WITH_TIMEOUT(made.size(), 3, 30000);
    QVERIFY(QFile::exists(clip));

    QVERIFY(list.remove(zebedeo).done);
    QVERIFY(!QFile::exists(clip));
    QVERIFY(list.spokenNameFile(zebedeo, "it").isEmpty());
    // Removed while it is being made: nothing is left behind.
    const QString luca = list.add(QStringLiteral("Luca")).id;
    QVERIFY(list.clips().busy());
    QVERIFY(list.remove(luca).done);
    QTRY_VERIFY_WITH_TIMEOUT(!list.clips().busy(), 30000);
    QCOMPARE(QDir(dir.filePath("voci-bambini")).entryList(QDir::Files), QStringList{dash + ".wav"});
    QCOMPARE(made.size(), 3);
}

void TestClassList::noClipWithoutEspeak()
{
    QTemporaryDir dir;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", dir.path().toUtf8());
    QTest::failOnWarning(QRegularExpression(".*"));
    ClassList list(dir.path());
    const ClassChange change = list.add(QStringLiteral("Anna"));
    qputenv("PATH", path);
    QVERIFY(change.done);
    QVERIFY(!list.clips().busy());
    QVERIFY(list.spokenNameFile(change.id, "it").isEmpty());
    QCOMPARE(filesIn(dir.path()), QStringList{dir.filePath("classe.json")});
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
    QVERIFY(QRegularExpression("^[a-z]+$").match(picture.key).hasMatch());
    QCOMPARE(picture.resource, ":/bambini/" + picture.key + ".svg");
    QVERIFY(!picture.spoken.isEmpty());
    QCOMPARE(ChildPictures::find(picture.key), &picture);
    // Anything Qt's SVG renderer cannot draw is a warning.
    QTest::failOnWarning(QRegularExpression(".*"));
    QSvgRenderer renderer(picture.resource);
    QVERIFY(renderer.isValid());
    QCOMPARE(renderer.viewBoxF(), QRectF(0, 0, 64, 64));
    QImage image(64, 64, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    int painted = 0;
    int dark = 0;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const QColor c = image.pixelColor(x, y);
            painted += c.alpha() > 200;
            dark += c.alpha() > 200 && c.lightness() < 90;
        }
    }
    // Big enough to be seen at 64 px, and drawn with a dark outline.
    QVERIFY2(painted > 64 * 64 / 4, qPrintable(QString::number(painted)));
    QVERIFY2(dark > 100, qPrintable(QString::number(dark)));
}

void TestClassList::picturesAreToldApart()
{
    const QList<ChildPicture> &pictures = ChildPictures::all();
    QVERIFY(pictures.size() >= 30);
    QStringList keys;
    QList<QImage> small;
    for (const ChildPicture &picture : pictures) {
        keys << picture.key;
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QSvgRenderer(picture.resource).render(&painter);
        small << image;
    }
    QStringList inResource = QDir(":/bambini").entryList();
    for (QString &file : inResource)
        file.chop(4);
    keys.sort();
    QCOMPARE(keys, inResource);
    // Seen as a blur, every two pictures still differ in shape or colour.
    for (int a = 0; a < small.size(); ++a) {
        for (int b = a + 1; b < small.size(); ++b) {
            double difference = 0;
            for (int y = 0; y < 16; ++y) {
                for (int x = 0; x < 16; ++x) {
                    const QColor p = small[a].pixelColor(x, y);
                    const QColor q = small[b].pixelColor(x, y);
                    difference += std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) +
                                  std::abs(p.blue() - q.blue());
                }
            }
            difference /= 16 * 16 * 3;
            QVERIFY2(difference > 20, qPrintable(pictures[a].key + " ~ " + pictures[b].key + ": " +
                                                 QString::number(difference)));
        }
    }
}

QTEST_MAIN(TestClassList)
#include "tst_class_list.moc"
