#pragma once

#include "platform/registry/RegistryStore.h"

#include <QByteArray>
#include <QString>
#include <variant>

// A registry value as the settings routines pass it around.
using RegData = std::variant<QString, qint32, QByteArray>;

// The dictionary data module: lives for the whole run and owns the settings
// fields read at start-up.
class TfrmDictionaryDM {
public:
    // How SetRegistryData stores its data.
    enum RegDataType : int {
        rdUnknown = 0, // the type already stored under that name
        rdString = 1,
        rdExpandString = 2,
        rdInteger = 3,
        rdBinary = 4,
    };

    qint32 vOpenDict = 0;
    quint32 vBgColor = 0;
    quint32 vMauchuHan = 0;
    qint32 vKichthuocHan = 0;
    bool vStartWin = false;

    void ReadSystemOptions();
    void ReadActiveStyle();
    void WirteActiveStyle();

    // Both throw platform::RegistryError carrying the system's text.
    RegData GetRegistryData(platform::RegRoot RootKey, const QString& Key, const QString& Value);
    void SetRegistryData(platform::RegRoot RootKey, const QString& Key, const QString& Value,
                         int RegDataType, const RegData& Data);

private:
    void ReadStartWithSystem();
};
