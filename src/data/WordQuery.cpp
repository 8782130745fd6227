#include "data/WordQuery.h"

#include <QHash>

WordQuery::WordQuery(fb::FbTransaction& transaction, QObject* parent)
    : QObject(parent)
    , query_(transaction) {}

void WordQuery::open() {
    emit aboutToReset();
    rows_.clear();
    current_ = -1;
    open_ = false;
    query_.open();
    const auto field = [this](const char* name) {
        return query_.fieldIndex(QLatin1String(name));
    };
    const int idGrw = field("ID_GRW"), soNet = field("SO_NET"), nameHan = field("NAME_HAN"),
              nameVie = field("NAME_VIE"), pinYin = field("PIN_YIN"),
              unicodeId = field("UNICODE_ID"), nameGrw = field("NAME_GRW"),
              vietGrw = field("VIET_GRW"), boThu = field("BO_THU"),
              content = field("CONTENT_VIE");
    // The radical's texts repeat across thousands of rows: share one copy.
    QHash<int, WordRecord> radicals;
    for (; query_.isOpen(); query_.next()) {
        WordRecord r;
        r.idGrw = int(query_.asInteger(idGrw));
        r.soNet = int(query_.asInteger(soNet));
        r.nameHan = query_.asString(nameHan);
        r.nameVie = query_.asString(nameVie);
        r.pinYin = query_.asString(pinYin);
        r.unicodeId = query_.asString(unicodeId);
        auto radical = radicals.find(r.idGrw);
        if (radical == radicals.end()) {
            WordRecord shared;
            shared.nameGrw = query_.asString(nameGrw);
            shared.vietGrw = query_.asString(vietGrw);
            shared.boThu = query_.asString(boThu);
            radical = radicals.insert(r.idGrw, shared);
        }
        r.nameGrw = radical->nameGrw;
        r.vietGrw = radical->vietGrw;
        r.boThu = radical->boThu;
        r.content = content >= 0 ? query_.blobId(content) : 0;
        rows_.push_back(std::move(r));
    }
    open_ = true;
    current_ = rows_.empty() ? -1 : 0;
    emit reset();
    emit currentRowChanged(current_);
}

void WordQuery::close() {
    if (!open_)
        return;
    emit aboutToReset();
    query_.close();
    rows_.clear();
    current_ = -1;
    open_ = false;
    emit reset();
    emit currentRowChanged(-1);
}

const WordRecord* WordQuery::current() const {
    return current_ >= 0 ? &rows_[size_t(current_)] : nullptr;
}

void WordQuery::setCurrentRow(int index) {
    if (rows_.empty())
        return;
    index = std::clamp(index, 0, int(rows_.size()) - 1);
    if (index == current_)
        return;
    current_ = index;
    emit currentRowChanged(current_);
}

void WordQuery::moveBy(int delta) {
    setCurrentRow(current_ + delta);
}
