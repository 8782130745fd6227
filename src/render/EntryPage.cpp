// The entry page of the dictionary data module: a word record made into the
// HTML page the content views show.
#include "data/DictionaryDM.h"
#include "render/CharacterLinking.h"
#include "render/PageFile.h"
#include "render/PageStyle.h"
#include "settings/ColorAndFont.h"

#include <QRegularExpression>

namespace {

const QByteArray kLineEnd = "\r\n";

// A page stops growing here; what follows is left out behind a visible mark.
constexpr qsizetype kMaxPageBytes = 8 * 1024 * 1024;
const QByteArray kCutMark =
    "<ol><font color=\"#990000\">[Nội dung quá dài: phần còn lại không hiển thị]</font></ol>";

QString trimControls(const QString& line) {
    qsizetype start = 0, end = line.size();
    while (start < end && line[start].unicode() <= 0x20)
        ++start;
    while (end > start && line[end - 1].unicode() <= 0x20)
        --end;
    return line.mid(start, end - start);
}

} // namespace

QByteArray TfrmDictionaryDM::AddHTMLTagToText(const QByteArray& aText) {
    const PageSettings settings = pageSettings();
    LinkLook look;
    look.colour = ColorToHTML(settings.hanColor);
    look.size = settings.hanSize;
    // Invalid UTF-8 becomes U+FFFD as it is decoded.
    const QString linked = linkCharacters(QString::fromUtf8(aText), vHanWordList, look);
    return PageFile(vProgramFolder).passThrough(linked);
}

void TfrmDictionaryDM::SaveHTMLFormatted(const QByteArray& aContent, int aBothu, int aSonet,
                                         const QString& aBoHan, const QString& aBoViet,
                                         const QString& aNameHan, const QString& aNameViet) {
    const PageSettings settings = pageSettings();
    QByteArray page;
    const auto line = [&page](const QByteArray& text) {
        page += text + kLineEnd;
    };
    line("<!DOCTYPE html>");
    line("<HTML>");
    line("<STYLE>");
    line(kPageStyleBlock);
    line("</STYLE>");
    QByteArray body;
    try {
        body = "<BODY bgcolor=\"" + ColorToHTML(settings.bgColor).toUtf8() + "\">";
    } catch (...) {
        body = "<BODY bgcolor=\"#ffffff\">";
    }
    line(body);
    line("<head>");
    line("<title></title>");
    line("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\" />");
    line("<font face=\"" + settings.fontName.toUtf8() + "\">");
    line("Bộ thủ: <font color=\"#990000\">" + QByteArray::number(aBothu) +
         "</font>, Số nét: <font color=\"#990000\">" + QByteArray::number(aSonet) +
         "</font><br/><hr>");
    line("Bộ: <font size=\"4\">" + aBoViet.toUtf8() +
         " <font color=\"#000099\"> <font size=\"5\">" + aBoHan.toUtf8() +
         "</font></font></font><br/><font size=\"7\">" + aNameHan.toUtf8() +
         "</font> <font size=\"5\">" + aNameViet.toUtf8() + "</font>");

    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    for (const QString& raw : QString::fromUtf8(aContent).split(lineBreak)) {
        const QString trimmed = trimControls(raw);
        if (trimmed.isEmpty() || trimmed[0] < u'1' || trimmed[0] > u'9')
            continue;
        if (page.size() > kMaxPageBytes) {
            line(kCutMark);
            break;
        }
        // The label is the first two characters (a character beyond the BMP
        // counts as one).
        const QList<uint> chars = trimmed.toUcs4();
        const qsizetype labelLength = std::min<qsizetype>(2, chars.size());
        const QString label =
            QString::fromUcs4(reinterpret_cast<const char32_t*>(chars.constData()), labelLength);
        const QString rest = trimmed.mid(label.size());
        line("<ol><font color=\"#0088cc\">" + label.toUtf8() + "</font>" +
             AddHTMLTagToText(rest.toUtf8()) + "</ol>");
    }
    line("</FONT>");
    line("</BODY>");
    line("</HTML>");
    vHTMLString = page; // only a whole page replaces the previous one
}
