// The settings part of the dictionary data module: reading and writing the
// preferences kept in the registry store.
#include "settings/SettingsStore.h"

#include "app/ProgramFolder.h"
#include "data/DictionaryDM.h"
#include "settings/GlobalSettings.h"

using platform::RegistryError;
using platform::RegistryKey;
using platform::RegRoot;
using platform::RegType;
using platform::RegValue;

using namespace settings;

void TfrmDictionaryDM::ReadSystemOptions() {
    try {
        const RegistryKey key = RegistryKey::open(RegRoot::CurrentUser, kOptionsKey, false);
        vOptionsStored = true;
        try {
            vOpenDict = key.readInteger(kOpenDict);
            FontName = key.readString(kFontName);
            vBgColor = quint32(key.readInteger(kBgColor));
            vMauchuHan = quint32(key.readInteger(kMauchuHan));
            vKichthuocHan = key.readInteger(kKichthuocHan);
        } catch (const RegistryError&) {
            // The group falls back as a whole.
            vOpenDict = kDefaultOpenDict;
            FontName = kDefaultFontName;
            vBgColor = kDefaultBgColor;
            vMauchuHan = kDefaultMauchuHan;
            vKichthuocHan = kDefaultKichthuocHan;
        }
    } catch (const RegistryError&) {
        // No options key: keep what the fields hold.
    }
    ReadStartWithSystem();
}

void TfrmDictionaryDM::ReadStartWithSystem() {
    RegData stored;
    try {
        stored = GetRegistryData(RegRoot::LocalMachine, kRunKey, kRunValue);
    } catch (const RegistryError&) {
        return;
    }
    QString text;
    if (const auto* s = std::get_if<QString>(&stored))
        text = *s;
    else if (const auto* n = std::get_if<qint32>(&stored))
        text = QString::number(*n);
    else
        return void(vStartWin = false); // bytes never equal the expected text
    const QString expected = u'"' + programFilePath() + u'"';
    vStartWin = !text.isEmpty() && text == expected;
}

void TfrmDictionaryDM::ReadActiveStyle() {
    try {
        const RegistryKey key = RegistryKey::open(RegRoot::CurrentUser, kOptionsKey, false);
        try {
            GlobalActiveStyle = key.readInteger(kGlobalActiveStyle);
            GlobalActiveName = key.readString(kGlobalActiveName);
        } catch (const RegistryError&) {
            GlobalActiveStyle = kDefaultActiveStyle;
            GlobalActiveName = kDefaultActiveName;
        }
    } catch (const RegistryError&) {
    }
}

void TfrmDictionaryDM::WirteActiveStyle() {
    try {
        const RegistryKey key = RegistryKey::open(RegRoot::CurrentUser, kOptionsKey, true);
        try {
            key.writeInteger(kGlobalActiveStyle, GlobalActiveStyle);
            key.writeString(kGlobalActiveName, GlobalActiveName);
        } catch (const RegistryError&) {
            key.writeInteger(kGlobalActiveStyle, kDefaultActiveStyle);
            key.writeString(kGlobalActiveName, kDefaultActiveName);
        }
    } catch (const RegistryError&) {
        // Writing the skin choice is never reported.
    }
}

RegData TfrmDictionaryDM::GetRegistryData(RegRoot RootKey, const QString& Key,
                                          const QString& Value) {
    const RegistryKey key = RegistryKey::open(RootKey, Key, false);
    const auto value = key.value(Value);
    if (value) {
        switch (value->type) {
        case RegType::Sz:
        case RegType::ExpandSz:
            return value->text;
        case RegType::Dword:
            return qint32(value->number);
        case RegType::Binary:
            return value->bytes;
        default:
            break;
        }
    }
    throw RegistryError(platform::kErrorBadRegistryRead);
}

namespace {

QString dataAsText(const RegData& data) {
    if (const auto* n = std::get_if<qint32>(&data))
        return QString::number(*n);
    if (const auto* s = std::get_if<QString>(&data))
        return *s;
    throw RegistryError(platform::kErrorBadRegistryWrite);
}

qint32 dataAsInteger(const RegData& data) {
    if (const auto* n = std::get_if<qint32>(&data))
        return *n;
    if (const auto* s = std::get_if<QString>(&data)) {
        bool ok = false;
        const qint32 n = s->trimmed().toInt(&ok);
        if (ok)
            return n;
    }
    throw RegistryError(platform::kErrorBadRegistryWrite);
}

int kindOfStoredType(RegType type) {
    switch (type) {
    case RegType::Sz:
        return TfrmDictionaryDM::rdString;
    case RegType::ExpandSz:
        return TfrmDictionaryDM::rdExpandString;
    case RegType::Dword:
        return TfrmDictionaryDM::rdInteger;
    case RegType::Binary:
        return TfrmDictionaryDM::rdBinary;
    default:
        return TfrmDictionaryDM::rdUnknown;
    }
}

} // namespace

void TfrmDictionaryDM::SetRegistryData(RegRoot RootKey, const QString& Key, const QString& Value,
                                       int RegDataType, const RegData& Data) {
    const RegistryKey key = RegistryKey::open(RootKey, Key, true);
    int kind = RegDataType;
    if (kind == rdUnknown)
        kind = kindOfStoredType(key.valueType(Value));
    switch (kind) {
    case rdString:
        return key.writeString(Value, dataAsText(Data));
    case rdExpandString:
        return key.writeExpandString(Value, dataAsText(Data));
    case rdInteger:
        return key.writeInteger(Value, dataAsInteger(Data));
    case rdBinary:
        if (const auto* bytes = std::get_if<QByteArray>(&Data))
            return key.writeBinary(Value, *bytes);
        break;
    default:
        break;
    }
    throw RegistryError(platform::kErrorBadRegistryWrite);
}

PageSettings TfrmDictionaryDM::pageSettings() const {
    // Before any options are stored (a first run) the fields hold zeros,
    // which would draw black on black; pages then use the defaults.
    if (!vOptionsStored)
        return {kDefaultBgColor, kDefaultMauchuHan, kDefaultKichthuocHan, kDefaultFontName};
    return {vBgColor, vMauchuHan, vKichthuocHan, FontName};
}
