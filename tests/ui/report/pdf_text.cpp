#include "report/pdf_text.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QStringList>
#include <QTransform>
#include <algorithm>
#include <map>

namespace quorvel::test {
namespace {

struct PdfObject {
    QByteArray dictionary;
    QByteArray stream;  // decompressed
};

QByteArray inflate(const QByteArray& data) {
    // qUncompress wants the expected size in front; it grows its buffer when that is too small.
    QByteArray sized(4, '\0');
    const quint32 guess = static_cast<quint32>(data.size()) * 8;
    for (int i = 0; i < 4; ++i) sized[i] = static_cast<char>((guess >> (24 - 8 * i)) & 0xFF);
    const QByteArray out = qUncompress(sized + data);
    EXPECT_FALSE(out.isEmpty()) << "a stream does not inflate";
    return out;
}

std::map<int, PdfObject> readObjects(const QByteArray& pdf) {
    std::map<int, PdfObject> objects;
    static const QRegularExpression header(QStringLiteral("(?:^|[\\r\\n])(\\d+) 0 obj"));
    const QString text = QString::fromLatin1(pdf);
    qsizetype from = 0;
    for (;;) {
        const QRegularExpressionMatch m = header.match(text, from);
        if (!m.hasMatch()) break;
        const int number = m.captured(1).toInt();
        const qsizetype body = m.capturedEnd();
        const qsizetype streamAt = pdf.indexOf("stream", body);
        const qsizetype endAt = pdf.indexOf("endobj", body);
        if (endAt < 0) break;
        PdfObject object;
        if (streamAt >= 0 && streamAt < endAt) {
            object.dictionary = pdf.mid(body, streamAt - body);
            qsizetype data = streamAt + 6;
            if (pdf.mid(data, 2) == "\r\n")
                data += 2;
            else if (pdf[data] == '\n')
                data += 1;
            const qsizetype dataEnd = pdf.indexOf("endstream", data);
            QByteArray raw = pdf.mid(data, dataEnd - data);
            if (raw.endsWith('\n')) raw.chop(1);
            object.stream = object.dictionary.contains("/FlateDecode") ? inflate(raw) : raw;
            from = pdf.indexOf("endobj", dataEnd) + 6;
        } else {
            object.dictionary = pdf.mid(body, endAt - body);
            from = endAt + 6;
        }
        objects[number] = object;
    }
    return objects;
}

int reference(const QByteArray& dictionary, const char* key) {
    const QRegularExpression pattern(QStringLiteral("/%1 (\\d+) 0 R").arg(QLatin1String(key)));
    const QRegularExpressionMatch m = pattern.match(QString::fromLatin1(dictionary));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString unicodeOf(const QString& hex) {
    QString out;
    for (qsizetype i = 0; i + 4 <= hex.size(); i += 4) out.append(QChar(hex.mid(i, 4).toUShort(nullptr, 16)));
    return out;
}

// Glyph code to characters, from the bfchar and bfrange sections of a ToUnicode map.
std::map<unsigned, QString> readToUnicode(const QByteArray& cmap) {
    std::map<unsigned, QString> map;
    const QString text = QString::fromLatin1(cmap);
    static const QRegularExpression ranges(
        QStringLiteral("<([0-9A-Fa-f]+)>\\s*<([0-9A-Fa-f]+)>\\s*(\\[[^\\]]*\\]|<[0-9A-Fa-f]+>)"));
    static const QRegularExpression hex(QStringLiteral("<([0-9A-Fa-f]+)>"));
    for (const QString& section : text.split("beginbfrange").mid(1)) {
        auto it = ranges.globalMatch(section.left(section.indexOf("endbfrange")));
        while (it.hasNext()) {
            const QRegularExpressionMatch m = it.next();
            const unsigned first = m.captured(1).toUInt(nullptr, 16);
            const unsigned last = m.captured(2).toUInt(nullptr, 16);
            const QString target = m.captured(3);
            if (target.startsWith('[')) {
                auto codes = hex.globalMatch(target);
                for (unsigned code = first; code <= last && codes.hasNext(); ++code)
                    map[code] = unicodeOf(codes.next().captured(1));
            } else {
                const QString start = unicodeOf(target.mid(1, target.size() - 2));
                for (unsigned code = first; code <= last; ++code)
                    map[code] = QString(QChar(start.at(0).unicode() + (code - first)));
            }
        }
    }
    static const QRegularExpression pairs(QStringLiteral("<([0-9A-Fa-f]+)>\\s*<([0-9A-Fa-f]+)>"));
    for (const QString& section : text.split("beginbfchar").mid(1)) {
        auto it = pairs.globalMatch(section.left(section.indexOf("endbfchar")));
        while (it.hasNext()) {
            const QRegularExpressionMatch m = it.next();
            map[m.captured(1).toUInt(nullptr, 16)] = unicodeOf(m.captured(2));
        }
    }
    return map;
}

PdfPage readPage(const std::map<int, PdfObject>& objects, const PdfObject& page) {
    auto object = [&objects](int number) -> const PdfObject& {
        static const PdfObject none;
        const auto it = objects.find(number);
        EXPECT_NE(it, objects.end()) << "no object " << number;
        return it == objects.end() ? none : it->second;
    };
    // Each font's ToUnicode map, by the name the page's resources give it.
    std::map<QString, std::map<unsigned, QString>> fonts;
    const QString resources = QString::fromLatin1(object(reference(page.dictionary, "Resources")).dictionary);
    const qsizetype fontList = resources.indexOf("/Font");
    static const QRegularExpression fontEntry(QStringLiteral("/(F\\d+) (\\d+) 0 R"));
    auto entries =
        fontEntry.globalMatch(resources.mid(fontList, resources.indexOf(">>", fontList) - fontList));
    while (entries.hasNext()) {
        const QRegularExpressionMatch m = entries.next();
        const PdfObject& font = object(m.captured(2).toInt());
        fonts[m.captured(1)] = readToUnicode(object(reference(font.dictionary, "ToUnicode")).stream);
    }

    PdfPage texts;
    static const QRegularExpression mediaBox(
        QStringLiteral("/MediaBox \\[\\s*0 0 ([\\d.]+) ([\\d.]+)\\s*\\]"));
    const QRegularExpressionMatch media = mediaBox.match(QString::fromLatin1(page.dictionary));
    EXPECT_TRUE(media.hasMatch()) << "no media box";
    texts.paper = QSizeF(media.captured(1).toDouble(), media.captured(2).toDouble());
    // The graphics state's transformation, PDF's own (y up), with q and Q saving and restoring it.
    QTransform ctm;
    std::vector<QTransform> saved;
    bool pageTransform = true;
    double fontSize = 0;
    double baseline = 0;
    int glyphs = 0;
    const QStringList tokens = QString::fromLatin1(object(reference(page.dictionary, "Contents")).stream)
                                   .split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    QString font;
    PdfText current;
    int steps = 0;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const QString& t = tokens[i];
        if (t == "q") {
            saved.push_back(ctm);
        } else if (t == "Q" && !saved.empty()) {
            ctm = saved.back();
            saved.pop_back();
        } else if (t == "cm" && i >= 6) {
            double m[6];
            for (int k = 0; k < 6; ++k) m[k] = tokens[i - 6 + k].toDouble();
            ctm = QTransform(m[0], m[1], m[2], m[3], m[4], m[5]) * ctm;
            if (pageTransform) {
                const double left = m[4];
                const double top = texts.paper.height() - m[5];
                texts.printable =
                    QRectF(left, top, texts.paper.width() - 2 * left, texts.paper.height() - 2 * top);
                pageTransform = false;
            }
        } else if (t == "Tf" && i >= 2) {
            font = tokens[i - 2].mid(1);
            fontSize = tokens[i - 1].toDouble();
        } else if (t == "BT") {
            current = PdfText{};
            steps = 0;
            glyphs = 0;
        } else if (t == "Td" && i >= 2) {
            const double x = tokens[i - 2].toDouble();
            if (steps == 0) {
                current.x = x;
                baseline = -tokens[i - 1].toDouble();  // the text matrix turns y down
            }
            if (steps == 1) current.advance = x;
            ++steps;
        } else if (t == "Tj" && i >= 1) {
            glyphs += static_cast<int>(tokens[i - 1].size() - 2) / 4;
            const QString hex = tokens[i - 1].mid(1, tokens[i - 1].size() - 2);
            for (qsizetype g = 0; g + 4 <= hex.size(); g += 4) {
                const auto& map = fonts[font];
                const auto it = map.find(hex.mid(g, 4).toUInt(nullptr, 16));
                EXPECT_NE(it, map.end())
                    << "glyph " << hex.mid(g, 4).toStdString() << " of font " << font.toStdString();
                if (it != map.end()) current.text += it->second;
            }
        } else if (t == "ET") {
            if (current.text.isEmpty()) continue;
            const double width = std::max(current.advance, fontSize * 0.6) * glyphs;
            const QRectF drawn(QPointF(current.x, baseline - 0.8 * fontSize),
                               QPointF(current.x + width, baseline + 0.2 * fontSize));
            const QRectF onPage = ctm.mapRect(drawn);
            current.box = QRectF(onPage.left(), texts.paper.height() - onPage.bottom(), onPage.width(),
                                 onPage.height());
            texts.push_back(current);
        }
    }
    return texts;
}

}  // namespace

std::vector<PdfPage> readPdfTexts(const QByteArray& pdf) {
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    const std::map<int, PdfObject> objects = readObjects(pdf);
    std::vector<PdfPage> pages;
    for (const auto& [number, object] : objects) {
        if (!object.dictionary.contains("/Type /Pages")) continue;
        static const QRegularExpression kid(QStringLiteral("(\\d+) 0 R"));
        const QString dictionary = QString::fromLatin1(object.dictionary);
        const qsizetype kids = dictionary.indexOf("/Kids");
        auto it = kid.globalMatch(dictionary.mid(kids, dictionary.indexOf(']', kids) - kids));
        while (it.hasNext()) pages.push_back(readPage(objects, objects.at(it.next().captured(1).toInt())));
    }
    EXPECT_FALSE(pages.empty()) << "no page tree";
    return pages;
}

}  // namespace quorvel::test
