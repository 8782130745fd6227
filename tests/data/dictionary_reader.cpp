// A second program reading the dictionary: opens it from a program folder,
// runs the view-1 search for a text twice with a pause between (so that
// several copies overlap), and prints "rows <n>" or the failure.
#include "data/DictionaryDM.h"
#include "data/WordStatements.h"
#include "data/fb/FbError.h"
#include "data/fb/FbQuery.h"

#include <QCoreApplication>
#include <QThread>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: dictionary_reader FOLDER SEARCH PAUSE_MS\n");
        return 2;
    }
    try {
        TfrmDictionaryDM dm(QString::fromLocal8Bit(argv[1]));
        dm.DataModuleCreate();
        fb::FbQuery query(dm.trDictionary());
        query.setSQL(words::kWordRecordSQL + QStringLiteral("\n where ") + words::kSearchClause);
        query.setOrderClause(words::kWordOrderClause);
        const QString text = QString::fromUtf8(argv[2]).toUpper();
        words::bindSearchText(query, text);
        qint64 rows = 0;
        for (int pass = 0; pass < 2; ++pass) {
            rows = 0;
            for (query.open(); query.isOpen(); query.next())
                ++rows;
            if (pass == 0)
                QThread::msleep(QByteArray(argv[3]).toUInt());
        }
        std::printf("rows %lld\n", static_cast<long long>(rows));
        return 0;
    } catch (const std::exception& e) {
        std::printf("failed: %s\n", e.what());
        return 1;
    }
}
