// The start-up failure path, run as a real process: a copy of the program in
// a folder without its dictionary, with a pkexec of our own first on PATH
// that records what it was asked to start.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

namespace {

constexpr uid_t kNobody = 65534;

void writeExecutable(const QString& path, const QByteArray& content) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();
    QVERIFY(f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                             QFile::ReadOther | QFile::ExeOther | QFile::ReadGroup |
                             QFile::ExeGroup));
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void failedOpen_data() {
        QTest::addColumn<QString>("programName");
        QTest::addColumn<bool>("marker");     // started by an earlier relaunch
        QTest::addColumn<bool>("ordinaryUser");
        QTest::addColumn<bool>("relaunch");
        QTest::newRow("an ordinary user is relaunched") << "zentavo" << false << true << true;
        QTest::newRow("a relaunched run is not") << "zentavo" << true << true << false;
        QTest::newRow("root is not") << "zentavo" << false << false << false;
        QTest::newRow("renamed program: the fixed name is missing")
            << "zentavo-renamed" << false << true << false;
    }

    void failedOpen() {
        QFETCH(QString, programName);
        QFETCH(bool, marker);
        QFETCH(bool, ordinaryUser);
        QFETCH(bool, relaunch);
        const bool root = geteuid() == 0;
        if (!ordinaryUser && !root)
            QSKIP("needs root to run as root");

        QTemporaryDir dir;
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                      QFile::ExeOwner | QFile::ReadOther |
                                                      QFile::WriteOther | QFile::ExeOther));
        const QString folder = dir.filePath("program");
        const QString bin = dir.filePath("bin");
        QVERIFY(QDir().mkpath(folder) && QDir().mkpath(bin));
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ReadOther | QFile::ExeOther);
        QFile::setPermissions(bin, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                       QFile::ReadOther | QFile::WriteOther | QFile::ExeOther);
        const QString program = folder + "/" + programName;
        QFile source(ZENTAVO_EXECUTABLE);
        QVERIFY(source.open(QIODevice::ReadOnly));
        writeExecutable(program, source.readAll());
        const QString record = bin + "/pkexec-called";
        writeExecutable(bin + "/pkexec", "#!/bin/sh\nprintf '%s\\n' \"$@\" > " +
                                             record.toUtf8() + "\n");

        QProcess run;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PATH", bin + ":" + env.value("PATH"));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("HOME", dir.path());
        env.insert("ZENTAVO_REGISTRY_DIR", dir.path());
        env.remove("XDG_RUNTIME_DIR");
        env.remove("ZENTAVO_RELAUNCHED");
        if (marker)
            env.insert("ZENTAVO_RELAUNCHED", "1");
        run.setProcessEnvironment(env);
        if (ordinaryUser && root) {
            run.setChildProcessModifier([] {
                if (setgid(kNobody) != 0 || setuid(kNobody) != 0)
                    _exit(99);
            });
        }
        run.start(program, {});
        QVERIFY2(run.waitForFinished(30'000), "the failed start did not end");
        QCOMPARE(run.exitCode(), 1);

        QStringList said;
        for (const QString& line : QString::fromUtf8(run.readAllStandardError()).split('\n'))
            if (line.startsWith("zentavo:"))
                said << line;
        QCOMPARE(said.size(), 1);
        QVERIFY2(said.first().contains(folder + "/HANVIET.FDB"), qPrintable(said.first()));
        QVERIFY2(said.first().contains("No such file or directory"), qPrintable(said.first()));

        QCOMPARE(QFile::exists(record), relaunch);
        if (relaunch) {
            QFile f(record);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QStringList args = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
            QCOMPARE(args.first(), QString("env"));
            QVERIFY(args.contains("ZENTAVO_RELAUNCHED=1"));
            QCOMPARE(args.last(), folder + "/zentavo");
        }
    }

    void noDisplay() {
        QProcess run;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(name);
        run.setProcessEnvironment(env);
        run.start(ZENTAVO_EXECUTABLE, {});
        QVERIFY(run.waitForFinished(30'000));
        QCOMPARE(run.exitCode(), 1);
        const QString said = QString::fromUtf8(run.readAllStandardError()).trimmed();
        QVERIFY2(said.startsWith("zentavo: no display") && !said.contains('\n'), qPrintable(said));
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
