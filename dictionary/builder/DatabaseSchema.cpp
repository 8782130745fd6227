#include "DatabaseSchema.h"

namespace builder {

QStringList schemaStatements() {
    return {
        QStringLiteral(R"(create table GROUP_WORDS (
    ID_GRW integer not null,
    NAME_GRW varchar(31),
    VIET_GRW varchar(31),
    constraint PK_GROUP_WORDS primary key (ID_GRW)))"),

        QStringLiteral(R"(create table HAN_VIET_WORDS (
    NAME_HAN varchar(31) not null,
    ID_GRW integer not null,
    NAME_VIE varchar(63),
    CONTENT_VIE blob sub_type text,
    SO_NET integer,
    PIN_YIN varchar(31),
    UNICODE_ID varchar(31),
    constraint PK_HAN_VIET_WORDS primary key (NAME_HAN),
    constraint FK_HAN_VIET_WORDS_GROUP foreign key (ID_GRW) references GROUP_WORDS (ID_GRW)))"),

        QStringLiteral("create index IX_HAN_VIET_WORDS_ORDER on HAN_VIET_WORDS (ID_GRW, SO_NET)"),
        QStringLiteral("create index IX_HAN_VIET_WORDS_SO_NET on HAN_VIET_WORDS (SO_NET)"),

        QStringLiteral(R"(create table SAMPLE_HANVIET (
    ID_SAM integer not null,
    TYPE_SAM integer not null,
    NAME_SAM varchar(255),
    HAN_SAM blob sub_type text,
    PHIENAM_SAM blob sub_type text,
    DICHVIET_SAM blob sub_type text,
    constraint PK_SAMPLE_HANVIET primary key (ID_SAM)))"),

        // One row always: RESULT 1 with the readings, most used first, separated
        // by single blanks, for a known character of the Han-Viet dictionary
        // (TYPE_DICT 1); RESULT 0 otherwise.
        QStringLiteral(R"(create procedure SP_CHECK_WORD (TYPE_DICT integer, A_WORD varchar(31))
returns (RESULT integer, TRANSLATE_WORD varchar(63))
as
begin
    RESULT = 0;
    TRANSLATE_WORD = '';
    if (TYPE_DICT = 1 and A_WORD is not null and A_WORD <> '') then
    begin
        for select replace(W.NAME_VIE, ', ', ' ')
            from HAN_VIET_WORDS W
            where W.NAME_HAN = :A_WORD
            into :TRANSLATE_WORD
        do
            RESULT = 1;
    end
    suspend;
end)"),
    };
}

} // namespace builder
