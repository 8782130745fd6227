#include "platform/registry/RegistryStore.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

using namespace platform;

Q_DECLARE_METATYPE(platform::RegValue)

namespace {

const QString kKey = QStringLiteral("\\Software\\Quorbel\\Zentavo\\Options\\");

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

} // namespace

class TestRegistry : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString userFile() const { return registryFilePath(RegRoot::CurrentUser); }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        qputenv("ZENTAVO_REGISTRY_DIR", dir_->path().toUtf8());
    }

    void roundTrip_data() {
        QTest::addColumn<RegValue>("value");
        QByteArray all;
        for (int i = 0; i < 256; ++i)
            all.append(char(i));
        QTest::newRow("text") << RegValue::fromText("Segoe UI");
        QTest::newRow("empty text") << RegValue::fromText("");
        QTest::newRow("quotes and backslashes") << RegValue::fromText("\"C:\\a b\\c.exe\"");
        QTest::newRow("vietnamese and ext-b")
            << RegValue::fromText(QString::fromUtf8("Chữ ngẫu nhiên 𠀀𪚥"));
        QTest::newRow("line breaks") << RegValue::fromText("a\r\nb\nc");
        QTest::newRow("embedded nul") << RegValue::fromText(QString("ab") + QChar(0) + "cd");
        QTest::newRow("expand text") << RegValue::fromText("%HOME%\\x \"y\"", RegType::ExpandSz);
        QTest::newRow("dword zero") << RegValue::fromDword(0);
        QTest::newRow("dword system colour") << RegValue::fromDword(0xFF000005);
        QTest::newRow("dword max") << RegValue::fromDword(0xFFFFFFFF);
        QTest::newRow("bytes empty") << RegValue::fromBytes({});
        QTest::newRow("bytes all 256") << RegValue::fromBytes(all);
        QTest::newRow("bytes long") << RegValue::fromBytes(all.repeated(8));
    }

    void roundTrip() {
        QFETCH(RegValue, value);
        const auto key = RegistryKey::open(RegRoot::CurrentUser, kKey, true);
        key.setValue("Before", RegValue::fromDword(7));
        key.setValue("V", value);
        key.setValue("After", RegValue::fromText("after"));

        const auto back = RegistryKey::open(RegRoot::CurrentUser, kKey, false).value("V");
        QVERIFY(back.has_value());
        QCOMPARE(*back, value);
        QCOMPARE(key.valueType("V"), value.type);
        QCOMPARE(key.valueSize("V"), value.size());
        // Neighbours survive the multi-line forms.
        QCOMPARE(key.readInteger("Before"), 7);
        QCOMPARE(key.readString("After"), QString("after"));
    }

    void sizesAsTheRegistryReportsThem() {
        const auto key = RegistryKey::open(RegRoot::CurrentUser, kKey, true);
        key.writeString("S", "abc");
        key.writeInteger("D", -1);
        key.writeBinary("B", QByteArray(5, 'x'));
        QCOMPARE(key.valueSize("S"), 8); // three UTF-16 units and the NUL
        QCOMPARE(key.valueSize("D"), 4);
        QCOMPARE(key.valueSize("B"), 5);
        QCOMPARE(key.valueSize("Missing"), -1);
        QCOMPARE(key.valueType("Missing"), RegType::None);
        QCOMPARE(key.readInteger("D"), -1);
    }

    void textReadRules() {
        const auto key = RegistryKey::open(RegRoot::CurrentUser, kKey, true);
        key.writeString("Nul", QString("left") + QChar(0) + "right");
        key.writeExpandString("Exp", "%PATH%");
        key.writeInteger("Int", 3);
        QCOMPARE(key.readString("Nul"), QString("left"));
        QCOMPARE(key.readString("Exp"), QString("%PATH%"));
        QCOMPARE(key.readString("Missing"), QString());
        try {
            key.readString("Int");
            QFAIL("a number read as text");
        } catch (const RegistryError& e) {
            QCOMPARE(e.code(), int(kErrorBadRegistryRead));
            QCOMPARE(e.text(), QString("The configuration registry key could not be read."));
        }
        QVERIFY_THROWS_EXCEPTION(RegistryError, key.readInteger("Exp"));
        QVERIFY_THROWS_EXCEPTION(RegistryError, key.readInteger("Missing"));
    }

    void namesIgnoreCase() {
        RegistryKey::open(RegRoot::CurrentUser, "\\Software\\Quorbel\\Zentavo\\Options", true)
            .writeInteger("OpenDict", 2);
        const auto key =
            RegistryKey::open(RegRoot::CurrentUser, "software\\QUORBEL\\zentavo\\options\\", false);
        QCOMPARE(key.readInteger("opendict"), 2);
        key.writeInteger("OPENDICT", 3);
        QCOMPARE(key.readInteger("OpenDict"), 3);
        // Rewritten in place under its first spelling, not added beside.
        QCOMPARE(readAll(userFile()).toLower().count("\"opendict\"="), 1);
        QVERIFY(readAll(userFile()).contains("\"OpenDict\"=dword:00000003"));
    }

    void openCreatesParentsOnlyWhenAsked() {
        try {
            RegistryKey::open(RegRoot::CurrentUser, kKey, false);
            QFAIL("opened a missing key");
        } catch (const RegistryError& e) {
            QCOMPARE(e.code(), int(kErrorFileNotFound));
        }
        QVERIFY(!QFile::exists(userFile())); // opening never writes
        RegistryKey::open(RegRoot::CurrentUser, kKey, true);
        QVERIFY(RegistryKey::exists(RegRoot::CurrentUser, "\\Software\\Quorbel"));
        QVERIFY(RegistryKey::exists(RegRoot::CurrentUser, kKey));
        QVERIFY(!RegistryKey::exists(RegRoot::CurrentUser, "\\Software\\Quorbel\\Other"));
        QVERIFY(!RegistryKey::exists(RegRoot::LocalMachine, kKey)); // roots are apart
    }

    void fileIsReadableRegText() {
        const auto key = RegistryKey::open(RegRoot::CurrentUser, kKey, true);
        key.writeInteger("BgColor", int(0xFF000005));
        key.writeString("FontName", "Segoe UI");
        const QByteArray text = readAll(userFile());
        QVERIFY(text.startsWith("Windows Registry Editor Version 5.00\r\n"));
        QVERIFY(text.contains("[HKEY_CURRENT_USER\\Software\\Quorbel\\Zentavo\\Options]\r\n"));
        QVERIFY(text.contains("\"BgColor\"=dword:ff000005\r\n"));
        QVERIFY(text.contains("\"FontName\"=\"Segoe UI\"\r\n"));
    }

    void damagedFileStillReads_data() {
        QTest::addColumn<QByteArray>("content");
        const QByteArray head = "Windows Registry Editor Version 5.00\r\n\r\n"
                                "[HKEY_CURRENT_USER\\Software\\Quorbel\\Zentavo\\Options]\r\n"
                                "\"OpenDict\"=dword:00000002\r\n";
        QTest::newRow("truncated mid-line") << head + "\"FontName\"=\"Seg";
        QTest::newRow("truncated hex") << head + "\"Bytes\"=hex:01,02,\\\r\n  03,";
        QTest::newRow("garbage lines") << head + "%%% not a line\r\n\"X\"=dword:zz\r\n=\r\n[\r\n";
        QTest::newRow("not utf-8") << head + "\"Bad\"=\"\xff\xfe\xc3\"\r\n\xc0\xaf\r\n";
        QTest::newRow("lf only") << QByteArray(head).replace("\r\n", "\n");
        QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + head;
    }

    void damagedFileStillReads() {
        QFETCH(QByteArray, content);
        QDir().mkpath(QFileInfo(userFile()).absolutePath());
        writeAll(userFile(), content);

        const auto key = RegistryKey::open(RegRoot::CurrentUser, kKey, false);
        QCOMPARE(key.readInteger("OpenDict"), 2);

        key.writeInteger("KichthuocHan", 5);
        QCOMPARE(key.readInteger("KichthuocHan"), 5);
        QCOMPARE(key.readInteger("OpenDict"), 2);
        // Every line we could not parse is still there, byte for byte.
        const QByteArray after = readAll(userFile());
        for (QByteArray line : QByteArray(content).replace("\xEF\xBB\xBF", "").split('\n')) {
            line = line.trimmed();
            if (!line.isEmpty())
                QVERIFY2(after.contains(line), line.constData());
        }
    }

    void readOnlyFolderKeepsOldFile() {
        const auto key = RegistryKey::open(RegRoot::CurrentUser, kKey, true);
        key.writeInteger("OpenDict", 2);
        const QByteArray before = readAll(userFile());
        const QString folder = QFileInfo(userFile()).absolutePath();
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner |
                                                  QFile::ReadOther | QFile::ExeOther));

        // Another copy of the program tries to write; as root it runs as nobody,
        // for whom the folder's mode holds.
        QProcess writer;
        if (geteuid() == 0) {
            writer.setChildProcessModifier([] {
                if (setgid(65534) != 0 || setuid(65534) != 0)
                    _exit(99);
            });
        }
        writer.start(REGISTRY_WRITER, {kKey, "OpenDict", "1"});
        QVERIFY(writer.waitForFinished(30'000));
        const QByteArray error = writer.readAllStandardError();
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        QCOMPARE(writer.exitCode(), 1); // failed, and said so
        QVERIFY2(error.startsWith("registry_writer: ") && error.size() > 20, error.constData());
        QCOMPARE(readAll(userFile()), before);
        QCOMPARE(key.readInteger("OpenDict"), 2);
    }

    void folderThatCannotExist() {
        // A file stands where the folder should be.
        writeAll(dir_->filePath("plain-file"), "x");
        qputenv("ZENTAVO_REGISTRY_DIR", dir_->filePath("plain-file/sub").toUtf8());
        QVERIFY_THROWS_EXCEPTION(RegistryError,
                                 RegistryKey::open(RegRoot::CurrentUser, kKey, true));
        QVERIFY(!RegistryKey::exists(RegRoot::CurrentUser, kKey));
    }

    void twoProcessesWritingAtOnceLoseNothing() {
        constexpr int kCount = 40;
        QProcess a, b;
        a.start(REGISTRY_WRITER, {kKey, "A", QString::number(kCount)});
        b.start(REGISTRY_WRITER, {kKey, "B", QString::number(kCount)});
        for (QProcess* p : {&a, &b}) {
            QVERIFY(p->waitForFinished(60'000));
            QCOMPARE(p->exitStatus(), QProcess::NormalExit);
            QVERIFY2(p->exitCode() == 0, p->readAllStandardError().constData());
        }
        const auto key = RegistryKey::open(RegRoot::CurrentUser, kKey, false);
        for (int i = 0; i < kCount; ++i) {
            QCOMPARE(key.readInteger("A" + QString::number(i)), i);
            QCOMPARE(key.readInteger("B" + QString::number(i)), i);
        }
    }

    void errorTexts_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("1012") << 1012 << "The configuration registry key could not be read.";
        QTest::newRow("1013") << 1013 << "The configuration registry key could not be written.";
    }

    void errorTexts() {
        QFETCH(int, code);
        QFETCH(QString, text);
        QCOMPARE(registryErrorText(code), text);
        QCOMPARE(RegistryError(code).text(), text);
    }
};

QTEST_GUILESS_MAIN(TestRegistry)
#include "tst_registry.moc"
