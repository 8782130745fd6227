// The database part of the dictionary data module.
#include "data/DictionaryDM.h"

#include "app/ProgramFolder.h"
#include "data/DictionaryConnection.h"
#include "data/WordStatements.h"
#include "data/fb/FbClient.h"
#include "data/fb/FbConnection.h"
#include "data/fb/FbError.h"
#include "data/fb/FbQuery.h"
#include "platform/registry/RegistryStore.h"
#include "platform/shell/Shell.h"

#include <QDir>

TfrmDictionaryDM::TfrmDictionaryDM(QString programFolder)
    : vProgramFolder(programFolder.isEmpty() ? ::programFolder() : std::move(programFolder)) {
    if (!vProgramFolder.endsWith(u'/'))
        vProgramFolder += u'/';
}

TfrmDictionaryDM::~TfrmDictionaryDM() {
    // The transaction only ever read: releasing it rolls back, as it should.
    qryListWords_.reset();
    trDictionary_.reset();
    dbDictionary_.reset();
}

QString TfrmDictionaryDM::databaseName() const {
    return vProgramFolder + kDictionaryFileName;
}

bool TfrmDictionaryDM::isOpen() const {
    return dbDictionary_ && dbDictionary_->attached() && trDictionary_ && trDictionary_->active();
}

void TfrmDictionaryDM::DataModuleCreate() {
    qryListWords_.reset();
    trDictionary_.reset();
    dbDictionary_.reset();
    try {
        fb::FbClient& client = fb::FbClient::load(vProgramFolder);
        dbDictionary_ = std::make_unique<fb::FbConnection>(client);
        dbDictionary_->attach(dictionaryConnectParams(databaseName()));
        trDictionary_ = std::make_unique<fb::FbTransaction>(*dbDictionary_);
        trDictionary_->start(true);
        // A cut-off file still attaches; counting reads every page of the words
        // (their contents included), so it fails here rather than later.
        fb::FbQuery check(*trDictionary_);
        check.setSQL(QStringLiteral("select count(*) from HAN_VIET_WORDS"));
        check.open();
        qryListWords_ = std::make_unique<fb::FbQuery>(*trDictionary_);
        qryListWords_->setSQL(words::kWordRecordSQL);
        ReadSystemOptions();
    } catch (const std::exception& e) {
        qryListWords_.reset();
        trDictionary_.reset();
        dbDictionary_.reset();
        throw DatabaseOpenError(
            QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(databaseName()),
                                         QString::fromUtf8(e.what())).toStdString());
    }
}

bool TfrmDictionaryDM::RunAsAdmin(QWidget* parent, const QString& program,
                                  const QString& parameters) {
    return platform::runElevated(parent, program, parameters);
}
