#include "app/ProgramFolder.h"
#include "data/DictionaryDM.h"
#include "platform/registry/RegistryStore.h"
#include "settings/GlobalSettings.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace platform;

Q_DECLARE_METATYPE(RegData)
Q_DECLARE_METATYPE(platform::RegValue)

namespace {

// Writes a store file for one root holding one key with the given value lines.
void writeStore(RegRoot root, const QString& key, const QByteArray& valueLines) {
    const QString path = registryFilePath(root);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    const QByteArray rootName =
        root == RegRoot::CurrentUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
    QByteArray keyPath = key.toUtf8();
    while (keyPath.endsWith('\\'))
        keyPath.chop(1);
    f.write("Windows Registry Editor Version 5.00\r\n\r\n[" + rootName + keyPath + "]\r\n" +
            valueLines);
}

QByteArray options(std::initializer_list<const char*> lines) {
    QByteArray out;
    for (const char* line : lines)
        out += QByteArray(line) + "\r\n";
    return out;
}

const QByteArray kNoKey = "<none>";

} // namespace

class TestSettingsStore : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        qputenv("ZENTAVO_REGISTRY_DIR", dir_->path().toUtf8());
        FontName.clear();
        GlobalActiveStyle = 0;
        GlobalActiveName.clear();
    }

    void readSystemOptions_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("openDict");
        QTest::addColumn<QString>("fontName");
        QTest::addColumn<quint32>("bgColor");
        QTest::addColumn<quint32>("mauchuHan");
        QTest::addColumn<int>("kichthuocHan");

        const char* open = "\"OpenDict\"=dword:00000002";
        const char* font = "\"FontName\"=\"Tahoma\"";
        const char* bg = "\"BgColor\"=dword:00ffffff";
        const char* han = "\"MauchuHan\"=dword:000000ff";
        const char* size = "\"KichthuocHan\"=dword:00000005";
        const quint32 white = 0x00FFFFFF, red = 0xFF, sysBg = 0xFF000005, sysHi = 0xFF00000D;

        QTest::newRow("no options key") << kNoKey << 0 << "" << 0u << 0u << 0;
        QTest::newRow("empty key falls back")
            << QByteArray() << 1 << "Segoe UI" << sysBg << sysHi << 4;
        QTest::newRow("all stored")
            << options({open, font, bg, han, size}) << 2 << "Tahoma" << white << red << 5;
        QTest::newRow("BgColor missing: the whole group falls back")
            << options({open, font, han, size}) << 1 << "Segoe UI" << sysBg << sysHi << 4;
        QTest::newRow("KichthuocHan missing, read last")
            << options({open, font, bg, han}) << 1 << "Segoe UI" << sysBg << sysHi << 4;
        QTest::newRow("FontName missing: empty, no fallback")
            << options({open, bg, han, size}) << 2 << "" << white << red << 5;
        QTest::newRow("FontName empty")
            << options({open, "\"FontName\"=\"\"", bg, han, size}) << 2 << "" << white << red << 5;
        QTest::newRow("FontName expandable")
            << options(
                   {open, "\"FontName\"=hex(2):41,00,72,00,69,00,61,00,6c,00,00,00", bg, han, size})
            << 2 << "Arial" << white << red << 5;
        QTest::newRow("FontName cut at its NUL")
            << options({open, "\"FontName\"=hex(1):41,00,00,00,42,00,00,00", bg, han, size}) << 2
            << "A" << white << red << 5;
        QTest::newRow("FontName as a number falls back")
            << options({open, "\"FontName\"=dword:00000001", bg, han, size}) << 1 << "Segoe UI"
            << sysBg << sysHi << 4;
        QTest::newRow("OpenDict as text falls back")
            << options({"\"OpenDict\"=\"2\"", font, bg, han, size}) << 1 << "Segoe UI" << sysBg
            << sysHi << 4;
        QTest::newRow("colour as bytes falls back")
            << options({open, font, "\"BgColor\"=hex:ff,ff,ff,00", han, size}) << 1 << "Segoe UI"
            << sysBg << sysHi << 4;
        QTest::newRow("out-of-range numbers kept as stored")
            << options({"\"OpenDict\"=dword:ffffffff", font, "\"BgColor\"=dword:ff000005", han,
                        "\"KichthuocHan\"=dword:00000009"})
            << -1 << "Tahoma" << sysBg << red << 9;
        QTest::newRow("names in another case")
            << options({"\"opendict\"=dword:00000003", "\"FONTNAME\"=\"Tahoma\"", bg, han, size})
            << 3 << "Tahoma" << white << red << 5;
    }

    void readSystemOptions() {
        QFETCH(QByteArray, stored);
        if (stored != kNoKey)
            writeStore(RegRoot::CurrentUser, settings::kOptionsKey, stored);
        TfrmDictionaryDM dm;
        dm.ReadSystemOptions();
        QTEST(dm.vOpenDict, "openDict");
        QTEST(FontName, "fontName");
        QTEST(dm.vBgColor, "bgColor");
        QTEST(dm.vMauchuHan, "mauchuHan");
        QTEST(dm.vKichthuocHan, "kichthuocHan");
    }

    void startWithSystem_data() {
        QTest::addColumn<QByteArray>("stored"); // %EXE% stands for the running executable
        QTest::addColumn<bool>("before");
        QTest::addColumn<bool>("expected");
        QTest::newRow("quoted path")
            << QByteArray("\"Zentavo\"=\"\\\"%EXE%\\\"\"") << false << true;
        QTest::newRow("quoted path, expandable")
            << QByteArray("\"Zentavo\"=hex(2):%EXE16%") << false << true;
        QTest::newRow("other letter case")
            << QByteArray("\"Zentavo\"=\"\\\"%EXEUP%\\\"\"") << false << false;
        QTest::newRow("unquoted") << QByteArray("\"Zentavo\"=\"%EXE%\"") << false << false;
        QTest::newRow("with an argument")
            << QByteArray("\"Zentavo\"=\"\\\"%EXE%\\\" -x\"") << false << false;
        QTest::newRow("empty: unregistered") << QByteArray("\"Zentavo\"=\"\"") << true << false;
        QTest::newRow("a number") << QByteArray("\"Zentavo\"=dword:00000001") << true << false;
        QTest::newRow("bytes") << QByteArray("\"Zentavo\"=hex:22,2f") << true << false;
        QTest::newRow("value missing: unchanged") << QByteArray("\"Other\"=\"x\"") << true << true;
        QTest::newRow("other type: unchanged")
            << QByteArray("\"Zentavo\"=hex(7):41,00,00,00,00,00") << true << true;
        QTest::newRow("key missing: unchanged") << kNoKey << true << true;
        QTest::newRow("key missing at start-up") << kNoKey << false << false;
    }

    void startWithSystem() {
        QFETCH(QByteArray, stored);
        QFETCH(bool, before);
        const QString exe = programFilePath();
        QByteArray utf16;
        for (QChar c : u'"' + exe + u'"')
            utf16 += QByteArray::number(c.unicode() & 0xFF, 16).rightJustified(2, '0') + ",00,";
        stored.replace("%EXE16%", utf16 + "00,00");
        stored.replace("%EXEUP%", exe.toUpper().toUtf8());
        stored.replace("%EXE%", exe.toUtf8());
        if (stored != kNoKey)
            writeStore(RegRoot::LocalMachine, settings::kRunKey, stored + "\r\n");

        TfrmDictionaryDM dm;
        dm.vStartWin = before;
        dm.ReadSystemOptions();
        QTEST(dm.vStartWin, "expected");
    }

    void readActiveStyle_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("name");
        QTest::newRow("no key") << kNoKey << 0 << "";
        QTest::newRow("both stored")
            << options({"\"GlobalActiveStyle\"=dword:00000007", "\"GlobalActiveName\"=\"Black\""})
            << 7 << "Black";
        QTest::newRow("name stored as a number") << options({"\"GlobalActiveStyle\"=dword:00000007",
                                                             "\"GlobalActiveName\"=dword:00000001"})
                                                 << 30 << "Office2010Blue";
        QTest::newRow("style missing")
            << options({"\"GlobalActiveName\"=\"Black\""}) << 30 << "Office2010Blue";
        QTest::newRow("name missing: empty")
            << options({"\"GlobalActiveStyle\"=dword:00000007"}) << 7 << "";
    }

    void readActiveStyle() {
        QFETCH(QByteArray, stored);
        if (stored != kNoKey)
            writeStore(RegRoot::CurrentUser, settings::kOptionsKey, stored);
        TfrmDictionaryDM().ReadActiveStyle();
        QTEST(GlobalActiveStyle, "style");
        QTEST(GlobalActiveName, "name");
    }

    void writeActiveStyleCreatesTheKey() {
        GlobalActiveStyle = 12;
        GlobalActiveName = QString::fromUtf8("Lilian ẞ");
        TfrmDictionaryDM().WirteActiveStyle();
        const auto key = RegistryKey::open(RegRoot::CurrentUser, settings::kOptionsKey, false);
        QCOMPARE(key.valueType("GlobalActiveStyle"), RegType::Dword);
        QCOMPARE(key.readInteger("GlobalActiveStyle"), 12);
        QCOMPARE(key.valueType("GlobalActiveName"), RegType::Sz);
        QCOMPARE(key.readString("GlobalActiveName"), GlobalActiveName);

        GlobalActiveStyle = 0;
        GlobalActiveName.clear();
        TfrmDictionaryDM().ReadActiveStyle();
        QCOMPARE(GlobalActiveStyle, 12);
    }

    void writeActiveStyleIntoAnUnwritableStore() {
        // A plain file stands where the store's folder should be.
        QFile file(dir_->filePath("file"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        qputenv("ZENTAVO_REGISTRY_DIR", file.fileName().toUtf8() + "/store");
        GlobalActiveStyle = 3;
        TfrmDictionaryDM().WirteActiveStyle(); // reports nothing
        QVERIFY(!RegistryKey::exists(RegRoot::CurrentUser, settings::kOptionsKey));
        QCOMPARE(GlobalActiveStyle, 3);
    }

    void getRegistryData_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<RegData>("expected");
        QTest::addColumn<int>("error"); // 0 for success
        QTest::newRow("text") << QByteArray("\"V\"=\"abc\"") << RegData(QString("abc")) << 0;
        QTest::newRow("expandable, not expanded")
            << QByteArray("\"V\"=hex(2):25,00,41,00,25,00,00,00") << RegData(QString("%A%")) << 0;
        QTest::newRow("integer") << QByteArray("\"V\"=dword:fffffffe") << RegData(qint32(-2)) << 0;
        QTest::newRow("bytes") << QByteArray("\"V\"=hex:00,ff,10")
                               << RegData(QByteArray("\0\xff\x10", 3)) << 0;
        QTest::newRow("other type") << QByteArray("\"V\"=hex(7):41,00,00,00") << RegData() << 1012;
        QTest::newRow("missing value") << QByteArray("\"W\"=\"x\"") << RegData() << 1012;
        QTest::newRow("missing key") << kNoKey << RegData() << 2;
    }

    void getRegistryData() {
        QFETCH(QByteArray, line);
        QFETCH(RegData, expected);
        QFETCH(int, error);
        if (line != kNoKey)
            writeStore(RegRoot::LocalMachine, "\\Some\\Key", line + "\r\n");
        TfrmDictionaryDM dm;
        try {
            const RegData got = dm.GetRegistryData(RegRoot::LocalMachine, "\\Some\\Key\\", "V");
            QCOMPARE(error, 0);
            QVERIFY(got == expected);
        } catch (const RegistryError& e) {
            QCOMPARE(e.code(), error);
            QCOMPARE(e.text(), registryErrorText(error));
        }
    }

    void setRegistryData_data() {
        QTest::addColumn<QByteArray>("existing");
        QTest::addColumn<int>("kind");
        QTest::addColumn<RegData>("data");
        QTest::addColumn<RegValue>("stored"); // type None: the call must fail with 1013
        const QByteArray none;
        const RegValue fails;
        QTest::newRow("text") << none << 1 << RegData(QString("x y")) << RegValue::fromText("x y");
        QTest::newRow("number as text") << none << 1 << RegData(42) << RegValue::fromText("42");
        QTest::newRow("expandable")
            << none << 2 << RegData(QString("%P%")) << RegValue::fromText("%P%", RegType::ExpandSz);
        QTest::newRow("integer") << none << 3 << RegData(-5) << RegValue::fromDword(quint32(-5));
        QTest::newRow("integer from text")
            << none << 3 << RegData(QString("17")) << RegValue::fromDword(17);
        QTest::newRow("integer from bad text") << none << 3 << RegData(QString("abc")) << fails;
        QTest::newRow("bytes") << none << 4 << RegData(QByteArray("\x01\x00\xfe", 3))
                               << RegValue::fromBytes(QByteArray("\x01\x00\xfe", 3));
        QTest::newRow("bytes from text") << none << 4 << RegData(QString("01")) << fails;
        QTest::newRow("kind 0 keeps text")
            << QByteArray("\"V\"=\"old\"") << 0 << RegData(5) << RegValue::fromText("5");
        QTest::newRow("kind 0 keeps integer") << QByteArray("\"V\"=dword:00000001") << 0
                                              << RegData(QString("9")) << RegValue::fromDword(9);
        QTest::newRow("kind 0 for a missing value") << none << 0 << RegData(QString("x")) << fails;
        QTest::newRow("kind 0 over another type")
            << QByteArray("\"V\"=hex(7):00,00") << 0 << RegData(QString("x")) << fails;
        QTest::newRow("unknown kind") << none << 7 << RegData(QString("x")) << fails;
    }

    void setRegistryData() {
        QFETCH(QByteArray, existing);
        QFETCH(int, kind);
        QFETCH(RegData, data);
        QFETCH(RegValue, stored);
        writeStore(RegRoot::CurrentUser, "\\K", existing + "\r\n");
        const auto before = RegistryKey::open(RegRoot::CurrentUser, "\\K", false).value("V");

        TfrmDictionaryDM dm;
        try {
            dm.SetRegistryData(RegRoot::CurrentUser, "\\K", "V", kind, data);
            QVERIFY(stored.type != RegType::None);
        } catch (const RegistryError& e) {
            QCOMPARE(stored.type, RegType::None);
            QCOMPARE(e.code(), 1013);
            QCOMPARE(e.text(), QString("The configuration registry key could not be written."));
        }
        const auto after = RegistryKey::open(RegRoot::CurrentUser, "\\K", false).value("V");
        if (stored.type == RegType::None) {
            QVERIFY(after == before); // nothing written
        } else {
            QVERIFY(after.has_value());
            QCOMPARE(*after, stored);
        }
    }

    void bytesRoundTripThroughTheDataModule() {
        QByteArray bytes;
        for (int i = 0; i < 300; ++i)
            bytes.append(char(i * 7));
        TfrmDictionaryDM dm;
        dm.SetRegistryData(RegRoot::LocalMachine, "\\A\\B\\C", "Blob", 4, bytes);
        QCOMPARE(
            std::get<QByteArray>(dm.GetRegistryData(RegRoot::LocalMachine, "\\a\\b\\c", "blob")),
            bytes);
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
