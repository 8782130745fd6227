#pragma once

#include <QString>

// The statements the program sends for word records and radicals. Each is
// kept line for line as the database expects to receive it.
namespace words {

// The word record: a word with its radical, and the radical label BO_THU.
inline const QString kWordRecordSQL = QStringLiteral(
    "select W.ID_GRW, W.NAME_HAN, W.NAME_VIE, W.CONTENT_VIE, W.SO_NET, W.PIN_YIN, W.UNICODE_ID, "
    "G.NAME_GRW, G.VIET_GRW,\n"
    " (G.VIET_GRW || ' [' || cast(w.id_grw as varchar(7)) || ']') BO_THU\n"
    "from HAN_VIET_WORDS W\n"
    "inner join GROUP_WORDS G on (G.ID_GRW = W.ID_GRW)");

inline const QString kRadicalListSQL = QStringLiteral(
    "select G.ID_GRW, G.NAME_GRW, G.VIET_GRW,\n"
    "       (' ' || G.VIET_GRW || ' ' || G.NAME_GRW || ' (' || cast(G.ID_GRW as varchar(7)) || "
    "')') BO_THU\n"
    "from GROUP_WORDS G\n"
    "order by G.ID_GRW");

inline const QString kWordOrderClause = QStringLiteral("W.ID_GRW, W.SO_NET");

inline const QString kSearchClause = QStringLiteral(
    " ((upper(W.NAME_HAN) like :SEARCH_TEXT) or  (upper(W.NAME_VIE) = :SEARCH_TEXT) or  "
    "(upper(W.NAME_VIE) like :SEARCH_TEXT_1) or  (upper(W.NAME_VIE) like :SEARCH_TEXT_2) or  "
    "(upper(W.NAME_VIE) like :SEARCH_TEXT_3))");

inline const QString kCheckWordSQL = QStringLiteral(
    "select SP.RESULT, SP.TRANSLATE_WORD\nfrom SP_CHECK_WORD(:TYPE_DICT, :A_WORD) SP");

// Binds the search clause's parameters for an upper-cased search text: the
// Han form like it, or the readings holding it as a whole reading.
template <class Query> void bindSearchText(Query& query, const QString& upper) {
    query.setParam(QStringLiteral("SEARCH_TEXT"), upper);
    query.setParam(QStringLiteral("SEARCH_TEXT_1"), upper + QStringLiteral(",%"));
    query.setParam(QStringLiteral("SEARCH_TEXT_2"), QStringLiteral("% ") + upper);
    query.setParam(QStringLiteral("SEARCH_TEXT_3"),
                   QStringLiteral("% ") + upper + QStringLiteral(",%"));
}

} // namespace words
