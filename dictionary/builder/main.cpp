// zentavo-mkdb: builds the dictionary database from installed Debian packages
// and dictionary/sources/.
#include "DatabaseWriter.h"
#include "FirebirdRoot.h"
#include "SampleTable.h"
#include "SourceFiles.h"
#include "data/fb/FbClient.h"
#include "data/fb/FbError.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>

using namespace builder;

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Builds the Zentavo dictionary database."));
    parser.addHelpOption();
    const QCommandLineOption output(QStringLiteral("output"), QStringLiteral("database file"),
                                    QStringLiteral("file"));
    const QCommandLineOption sources(QStringLiteral("sources"),
                                     QStringLiteral("dictionary/sources folder"),
                                     QStringLiteral("folder"));
    const QCommandLineOption unicode(QStringLiteral("unicode"), QStringLiteral("Unihan folder"),
                                     QStringLiteral("folder"),
                                     QStringLiteral("/usr/share/unicode"));
    const QCommandLineOption vihan(QStringLiteral("vihan"), QStringLiteral("vi-han.mim"),
                                   QStringLiteral("file"),
                                   QStringLiteral("/usr/share/m17n/vi-han.mim"));
    const QCommandLineOption firebird(QStringLiteral("firebird-root"),
                                      QStringLiteral("the system's Firebird root"),
                                      QStringLiteral("folder"));
    parser.addOptions({output, sources, unicode, vihan, firebird});
    parser.process(app);
    if (!parser.isSet(output) || !parser.isSet(sources) || !parser.isSet(firebird)) {
        std::fputs("zentavo-mkdb: --output, --sources and --firebird-root are required\n", stderr);
        return 2;
    }

    QElapsedTimer timer;
    timer.start();
    try {
        const QString databasePath = QFileInfo(parser.value(output)).absoluteFilePath();
        const QString programFolder = QFileInfo(databasePath).absolutePath();
        const QDir sourceDir(parser.value(sources));
        writeFirebirdRoot(fb::FbClient::firebirdRoot(programFolder), parser.value(firebird));

        DictionaryContent content;
        content.radicals = readRadicals(
            readSourceFile(sourceDir.filePath(QStringLiteral("radicals.tsv"))),
            readSourceFile(
                QDir(parser.value(unicode)).filePath(QStringLiteral("CJKRadicals.txt"))));
        const UnihanTable unihan = readUnihan(parser.value(unicode));
        const ViHanTable viHan = readViHanTable(readSourceFile(parser.value(vihan)));
        content.words = composeWords(unihan, viHan, content.radicals);
        content.samples =
            readSamples(readSourceFile(sourceDir.filePath(QStringLiteral("samples.txt"))));
        writeDictionary(databasePath, programFolder, content);
        std::printf("zentavo-mkdb: %s: %zu radicals, %zu words, %zu samples in %.1f s\n",
                    qPrintable(databasePath), content.radicals.size(), content.words.size(),
                    content.samples.size(), timer.elapsed() / 1000.0);
    } catch (const fb::FbError& e) {
        std::fprintf(stderr, "zentavo-mkdb: %s\n", e.what());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zentavo-mkdb: %s\n", e.what());
        return 1;
    }
    return 0;
}
