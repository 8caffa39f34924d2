#include "ContactRecord.h"
#include "ImageBuilder.h"
#include "UserDatabase.h"

#include <csignal>
#include <sys/resource.h>

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace codeplug;
using testsupport::readFile;

namespace {

// "id|callsign|name|nick|city|state|country" per entry, entries joined by "; ".
QString dump(const DmrUserList &list)
{
    QStringList entries;
    for (int i = 0; i < list.size(); ++i) {
        QStringList parts { QString::number(list.id(i)) };
        for (int f = 0; f < kUserFieldCount; ++f)
            parts.append(QString::fromLatin1(list.text(i, UserField(f))));
        entries.append(parts.join(QLatin1Char('|')));
    }
    return entries.join(QStringLiteral("; "));
}

DmrUserList listOf(std::initializer_list<DmrUserEntry> entries)
{
    DmrUserList list;
    for (const DmrUserEntry &entry : entries)
        list.append(entry);
    return list;
}

DmrUserEntry user(qint32 id, const char *callsign, const char *name = "", const char *country = "")
{
    return DmrUserEntry { id, { callsign, name, "", "", "", country } };
}

QByteArray le32(qint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// One cache entry: the ID, then callsign, name, nick name, city, state and country at their offsets.
QByteArray cacheEntry(qint32 id, const QByteArrayList &texts)
{
    QByteArray bytes = le32(id) + QByteArray(260, '\0');
    const int offsets[] = { 4, 20, 52, 72, 136, 200 };
    for (int f = 0; f < texts.size(); ++f)
        bytes.replace(offsets[f], texts[f].size(), texts[f]);
    return bytes;
}

} // namespace

class TestUserDatabase : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A database or last-heard reply (told apart by its header, see parseFiles) as entries.
    void parse_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("entries");
        const auto row = [](const char *name, const QByteArray &data, const char *entries) {
            QTest::newRow(name) << data << QString(entries);
        };
        row("database with a header line",
            "Radio_ID;Callsign;Name;City;State;Country;Remarks\r\n2627654;DL1ABC;Hans Peter;Berlin;Berlin;Germany;x\r\n"
            "\r\n2221234,IZ1XYZ,Marco,Roma,Lazio,Italy\n",
            "2221234|IZ1XYZ|Marco||||Italy; 2627654|DL1ABC|Hans Peter||||Germany");
        row("last heard header", "NUM;Callsign;DMRID;Name;Age\n1;DL1ABC;2627654;Hans;12\n2;G4XYZ;2345678;;3\n",
            "2627654|DL1ABC|Hans||||; 2345678|G4XYZ|||||");
        row("<br/> empties its field", "3100001|W1AW|<BR/>Hiram|a|b|United States", "3100001|W1AW|||||United States");
        row("first of a repeated ID wins, IDs sorted", "9;B;second\n3;A;first\n9;C;third\n",
            "3|A|first||||; 9|B|second||||");
        row("bad lines skipped", "16777216;BIG\n-1;NEG\n;NOID\n5;\nabc;TXT\n16777215;MAX\n0;ZERO\n",
            "0|ZERO|||||; 16777215|MAX|||||");
        // A TAB no longer ends the line, so its tail cannot become a second, bogus entry.
        row("control bytes inside a line", "2627654;DL1ABC;Hans\tPeter\t7777777;X\x01Y\n",
            "2627654|DL1ABC|HansPeter7777777||||");
        row("high bytes dropped, texts cut to the cache width", "7;ABCDEFGHIJKLMNOPQRS;M\xfc\xfcller\n",
            "7|ABCDEFGHIJKLMNO|Mller||||");
        row("seven fields at most", "7;A;B;C;D;E;F;G;H", "7|A|B||||E");
        row("nothing usable", "<html><body>Error</body></html>\n", "");
    }
    void parse()
    {
        QFETCH(QByteArray, data);
        QTEST(dump(parseUserData(data).entries), "entries");
    }

    void cacheBytesAreTheDocumentedLayout()
    {
        const DmrUserList list
            = listOf({ DmrUserEntry { 0x123456, { "DL1ABC", "Hans", "Hansi", "Berlin", "BE", "Germany" } },
                user(7, "ABCDEFGHIJKLMNO") }); // 15 characters and the terminating 0
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("cache.dat"));
        QCOMPARE(writeUserCache(list, path), int(UserDbOk));
        QCOMPARE(readFile(path),
            le32(2) + cacheEntry(0x123456, { "DL1ABC", "Hans", "Hansi", "Berlin", "BE", "Germany" })
                + cacheEntry(7, { "ABCDEFGHIJKLMNO" }));
        DmrUserList back;
        QCOMPARE(readUserCache(back, path), int(UserDbOk));
        QCOMPARE(dump(back), dump(list));
    }

    // A disk that fills up halfway (here: a file size limit) must not cost the cache that was there.
    void failedWriteKeepsPreviousCache()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("cache.dat"));
        QCOMPARE(writeUserCache(listOf({ user(1, "OLD") }), path), int(UserDbOk));
        const QByteArray previous = readFile(path);
        DmrUserList big;
        for (int i = 0; i < 20000; ++i)
            big.append(user(i, "CALL", "Name"));
        rlimit saved {};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = 100000;
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
        const int code = writeUserCache(big, path);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        QCOMPARE(code, int(UserDbShortRead));
        QCOMPARE(readFile(path), previous);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList { QStringLiteral("cache.dat") });
    }

    // The bytes read over a list holding "OLD": the result and the entries ("kept": the list as it was).
    void damagedCache()
    {
        const QByteArray entry = cacheEntry(42, { "AB" });
        const std::tuple<QByteArray, int, const char *> rows[] = { { le32(-5) + entry, 0, "" },
            { le32(1000) + entry + entry.left(100), 0, "42|AB|||||" }, // count beyond the file
            { le32(1), UserDbEmpty, "kept" }, // shorter than 5 bytes
            { le32(1) + cacheEntry(42, { QByteArray(16, 'C'), "Bob" }), 0, "42|CCCCCCCCCCCCCCC|Bob||||" }, // no 0
            { le32(2) + cacheEntry(16777216, { "AB" }) + entry, 0, "42|AB|||||" } }; // impossible ID dropped
        for (const auto &[bytes, code, entries] : rows) {
            DmrUserList list = listOf({ user(1, "OLD") });
            QCOMPARE(readUserCacheBytes(bytes, list), code);
            QCOMPARE(dump(list), QLatin1String(entries) == "kept" ? QStringLiteral("1|OLD|||||") : entries);
        }
    }

    void countriesMerge()
    {
        const DmrUserList list = listOf(
            { user(1, "A", "", "germany"), user(2, "B", "", "Austria"), user(3, "C"), user(4, "D", "", "Italy") });
        QCOMPARE(mergeCountries({ "All", "Italy", "Zambia" }, list),
            (QStringList { "All", "Austria", "germany", "Italy", "Zambia" }));
    }

    // Country "All" or exactly as stored; the key trimmed, in any case, within the ID or any one text.
    void filter()
    {
        DmrUserList list
            = listOf({ DmrUserEntry { 3100002, { "K1ABC", "Robert", "Bud", "Boston", "MA", "United States" } },
                DmrUserEntry { 2627654, { "DL1ABC", "Hans", "", "Berlin", "", "Germany" } },
                DmrUserEntry { 2621001, { "DL1XYZ", "Otto", "", "Hamburg", "", "Germany" } } });
        // The sort lays the texts out anew: a search copy made before it must not be used after it.
        list.prepareSearch();
        list.sortById();
        const std::tuple<const char *, const char *, QList<qint32>> rows[]
            = { { "All", "", { 2621001, 2627654, 3100002 } }, { "Germany", "", { 2621001, 2627654 } },
                  { "germany", "", {} }, { "All", "7654", { 2627654 } }, { "All", "  dl1 ", { 2621001, 2627654 } },
                  { "All", "BERLIN", { 2627654 } }, { "All", "bud", { 3100002 } }, { "Germany", "otto", { 2621001 } },
                  { "All", "abcberlin", {} } };
        for (const auto &[country, key, ids] : rows) {
            QList<qint32> found;
            for (const int index : filterUsers(list, QLatin1String(country), QLatin1String(key)))
                found.append(list.id(index));
            QVERIFY2(found == ids, key);
        }
    }

    // The callsign and the first word of the name, else of the nick name.
    void contactName()
    {
        const char *const rows[][3]
            = { { " Hans Peter", "Hansi", "DL1ABC Hans" }, { "  ", "Hansi B", "DL1ABC Hansi" }, { "", "", "DL1ABC " } };
        for (const auto &[name, nick, contact] : rows)
            QCOMPARE(userContactName(DmrUserEntry { 1, { "DL1ABC", name, nick, "", "", "" } }), QString(contact));
    }

    // Entries go through the contact merger as private calls named callsign first; a long name is cut.
    void addUsersAsContacts()
    {
        testsupport::ImageBuilder builder;
        FileImage &image = builder.image();
        writeContact(image, 0, 100, GroupCall, true, QStringLiteral("Old 100"));
        const DmrUserEntry entries[] = { user(100, "AA1AAA", "Anna Lena"), user(300, "CC3CCCCCCCCCCCC", "Carl") };
        QCOMPARE(addUsersToContacts(image, entries, {}), 2);
        QCOMPARE(contactRecordBytes(image, 0).toHex(),
            "640000c2410041003100410041004100200041006e006e00610000000000000000000000");
        QCOMPARE(contactId(image, 1), 300u);
        QCOMPARE(contactRecordBytes(image, 1).mid(32, 4), QByteArray("C\0 \0", 4)); // cut to 16 characters
        QCOMPARE(contactCount(image), 2);
    }

    // A database reply fills the list and its cache; an error page sent as a good reply leaves both as
    // they were; a last-heard reply takes the details of its IDs from the database, leaving it alone.
    void parseFiles()
    {
        QTemporaryDir dir;
        UserDatabase database(dir.path());
        const QString reply = testsupport::writeFile(dir, QStringLiteral("dmr.DB"), "1;A;x\n2;B;y\n");
        QCOMPARE(database.parseFile(reply), int(UserDbOk));
        const QString cachePath = dir.filePath(QLatin1String(UserDatabase::kDatabaseCache));
        const QByteArray cache = readFile(cachePath);
        testsupport::writeFile(dir, QStringLiteral("dmr.DB"), QByteArray(2000, 'x'));
        QCOMPARE(database.parseFile(reply), int(UserDbNoEntries));
        QCOMPARE(database.database().size(), 2);
        QCOMPARE(readFile(cachePath), cache);

        database.database() = listOf({ DmrUserEntry { 5, { "FULL", "Full Name", "Nick", "City", "State", "Land" } } });
        const QString lastHeard = testsupport::writeFile(
            dir, QStringLiteral("dmr_0.csv"), "num;callsign;dmrid;name;age\n1;FULL;5;Short;1\n2;OTHER;6;Other;2\n");
        QCOMPARE(database.parseFile(lastHeard), int(UserDbOk));
        QCOMPARE(
            dump(database.lastHeard()), QStringLiteral("5|FULL|Full Name|Nick|City|State|Land; 6|OTHER|Other||||"));
        DmrUserList cached;
        QCOMPARE(readUserCache(cached, dir.filePath(QLatin1String(UserDatabase::kLastHeardCache))), int(UserDbOk));
        QCOMPARE(dump(cached), dump(database.lastHeard()));
        QCOMPARE(database.database().size(), 1);
        QCOMPARE(readFile(cachePath), cache);
    }
};

QTEST_APPLESS_MAIN(TestUserDatabase)
#include "tst_userdatabase.moc"
