#include "app/Startup.h"

#include "app/Application.h"
#include "app/MainWindow.h"
#include "app/ProgramFolder.h"
#include "data/DictionaryDM.h"
#include "settings/InterfaceDM.h"

#include <QFont>
#include <QStringList>
#include <QTimer>
#include <QtGlobal>
#include <cstdio>

bool displayAvailable() {
    // A platform chosen by the caller (offscreen, a test's) needs no display.
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("DISPLAY") ||
           qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

void registerFontSubstitutes() {
    // The interface names Windows faces; map them to installed ones.
    QFont::insertSubstitutions(QStringLiteral("Segoe UI"),
                               {QStringLiteral("Noto Sans"), QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                               {QStringLiteral("Noto Sans"), QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial Narrow"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Noto Sans")});
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                               {QStringLiteral("Liberation Serif"), QStringLiteral("Noto Serif")});
}

int runZentavo(int argc, char* argv[]) {
    if (!displayAvailable()) {
        std::fputs("zentavo: no display to open a window on (DISPLAY is not set)\n", stderr);
        return 1;
    }
    ZentavoApplication app(argc, argv);
    registerFontSubstitutes();

    TfrmDictionaryDM dictionaryDM;
    try {
        dictionaryDM.DataModuleCreate();
    } catch (const DatabaseOpenError& e) {
        // No window of ours: one line says why the run ends, then the run asks
        // to be started again with administrator rights (never from a run
        // that already has them or was itself started that way).
        QString why = QString::fromUtf8(e.what()).simplified();
        why.replace(QStringLiteral(" -"), QStringLiteral("; "));
        std::fprintf(stderr, "zentavo: cannot open the dictionary %s\n", qPrintable(why));
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
        dictionaryDM.RunAsAdmin(nullptr, programFolder() + QStringLiteral("zentavo"), QString());
        app.exec();
        return 1;
    }
    TInterfaceDM interface;
    setInterfaceDM(&interface);
    TfrmMain mainWindow(dictionaryDM);
    mainWindow.show();
    const int code = app.exec();
    setInterfaceDM(nullptr);
    return code;
}
