#pragma once

#include "data/HanWordList.h"
#include "data/ViewedWords.h"
#include "platform/registry/RegistryStore.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <stdexcept>
#include <variant>

namespace fb {
class FbClient;
class FbConnection;
class FbTransaction;
class FbQuery;
} // namespace fb

// A registry value as the settings routines pass it around.
using RegData = std::variant<QString, qint32, QByteArray>;

// The dictionary could not be opened: the client library, the file, the
// transaction or the settings failed. The text names the file and the reason.
class DatabaseOpenError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The dictionary data module: lives for the whole run and owns the database
// connection with its one read-only transaction, the full word list and the
// settings fields read at start-up.
class QWidget;

// What pages are drawn with.
struct PageSettings {
    quint32 bgColor = 0;
    quint32 hanColor = 0;
    qint32 hanSize = 0;
    QString fontName;
};

class TfrmDictionaryDM {
public:
    explicit TfrmDictionaryDM(QString programFolder = QString());
    ~TfrmDictionaryDM();
    TfrmDictionaryDM(const TfrmDictionaryDM&) = delete;
    TfrmDictionaryDM& operator=(const TfrmDictionaryDM&) = delete;

    // Opens the database and reads the settings; throws DatabaseOpenError.
    void DataModuleCreate();
    bool isOpen() const;

    QString programFolder() const { return vProgramFolder; }
    QString databaseName() const;

    fb::FbConnection& dbDictionary() const { return *dbDictionary_; }
    fb::FbTransaction& trDictionary() const { return *trDictionary_; }
    // The word query over every entry, without filter.
    fb::FbQuery& qryListWords() const { return *qryListWords_; }

    // How SetRegistryData stores its data.
    enum RegDataType : int {
        rdUnknown = 0, // the type already stored under that name
        rdString = 1,
        rdExpandString = 2,
        rdInteger = 3,
        rdBinary = 4,
    };

    // Every Han form of the dictionary, built at the main window's first show.
    HanWordList vHanWordList;
    // The words viewed during the run, newest first.
    ViewedWords mdViewedWords;

    // The entry page of a word record, left in vHTMLString (UTF-8). aContent
    // is the record's CONTENT_VIE. Throws when a sense cannot pass through the
    // page file; vHTMLString then keeps the previous page.
    void SaveHTMLFormatted(const QByteArray& aContent, int aBothu, int aSonet,
                           const QString& aBoHan, const QString& aBoViet, const QString& aNameHan,
                           const QString& aNameViet);
    QByteArray vHTMLString;

    // One sense made into its linked fragment, passed through the page file:
    // the byte-order mark, the linked text in UTF-8 and CR LF.
    QByteArray AddHTMLTagToText(const QByteArray& aText);

    // The failure path of start-up: asks for this program to be started again
    // with administrator rights (see platform::runElevated for the guard).
    bool RunAsAdmin(QWidget* parent, const QString& program, const QString& parameters);

    qint32 vOpenDict = 0;
    quint32 vBgColor = 0;
    quint32 vMauchuHan = 0;
    qint32 vKichthuocHan = 0;
    bool vStartWin = false;
    // The options key was found at start-up.
    bool vOptionsStored = false;
    PageSettings pageSettings() const;

    void ReadSystemOptions();
    void ReadActiveStyle();
    void WirteActiveStyle();

    // Both throw platform::RegistryError carrying the system's text.
    RegData GetRegistryData(platform::RegRoot RootKey, const QString& Key, const QString& Value);
    void SetRegistryData(platform::RegRoot RootKey, const QString& Key, const QString& Value,
                         int RegDataType, const RegData& Data);

private:
    void ReadStartWithSystem();

    QString vProgramFolder;
    std::unique_ptr<fb::FbConnection> dbDictionary_;
    std::unique_ptr<fb::FbTransaction> trDictionary_;
    std::unique_ptr<fb::FbQuery> qryListWords_;
};
