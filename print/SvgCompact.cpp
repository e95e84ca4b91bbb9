#include "print/SvgCompact.h"

#include <QBuffer>
#include <QHash>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <algorithm>
#include <map>
#include <vector>

namespace lw {

namespace {

using Style = std::map<QString, QString>; // presentation property → value

bool isPresentation(QStringView name) {
    static const QStringList names = {QStringLiteral("fill"),
                                      QStringLiteral("fill-opacity"),
                                      QStringLiteral("fill-rule"),
                                      QStringLiteral("stroke"),
                                      QStringLiteral("stroke-opacity"),
                                      QStringLiteral("stroke-width"),
                                      QStringLiteral("stroke-linecap"),
                                      QStringLiteral("stroke-linejoin"),
                                      QStringLiteral("stroke-miterlimit"),
                                      QStringLiteral("stroke-dasharray"),
                                      QStringLiteral("stroke-dashoffset"),
                                      QStringLiteral("vector-effect"),
                                      QStringLiteral("font-family"),
                                      QStringLiteral("font-size"),
                                      QStringLiteral("font-weight"),
                                      QStringLiteral("font-style")};
    return names.contains(name);
}

bool isDefault(const QString& name, const QString& value) {
    return (name == QLatin1String("fill-opacity") && value == QLatin1String("1")) ||
           (name == QLatin1String("stroke-opacity") && value == QLatin1String("1")) ||
           (name == QLatin1String("font-weight") && value == QLatin1String("400")) ||
           (name == QLatin1String("font-style") && value == QLatin1String("normal")) ||
           (name == QLatin1String("vector-effect") && value == QLatin1String("none"));
}

QString cssValue(const QString& name, const QString& value) {
    if (name != QLatin1String("font-family")) return value;
    QString quoted = value;
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

} // namespace

QByteArray compactSvg(const QByteArray& svg) {
    QXmlStreamReader in(svg);
    QByteArray out;
    QXmlStreamWriter w(&out);
    struct Group {
        Style style;
        int id = 0; // equal styles, equal ids
        QString transform;
    };
    std::vector<Group> groups;
    std::map<Style, int> groupIds;
    QHash<QString, int> classOf;    // group id, kind and own style → class
    std::vector<Style> classStyles; // by class
    const QString identity = QStringLiteral("matrix(1,0,0,1,0,0)");
    const QString space = QStringLiteral("xml:space");
    // Polylines of one style wait for the next ones: one that goes on from
    // where a waiting one ends joins it. Strokes of one style look the same
    // in any order, so a run of them may be joined out of order.
    int runClass = -1;
    std::vector<QString> run;
    // Joined pieces with round ends get round joins: the same outline as the
    // pieces drawn one by one.
    auto roundJoined = [&](int styleClass) {
        Style style = classStyles[std::size_t(styleClass)];
        if (style[QStringLiteral("stroke-linecap")] != QLatin1String("round")) return styleClass;
        style[QStringLiteral("stroke-linejoin")] = QStringLiteral("round");
        style.erase(QStringLiteral("stroke-miterlimit"));
        const auto same = std::find(classStyles.begin(), classStyles.end(), style);
        if (same != classStyles.end()) return int(same - classStyles.begin());
        classStyles.push_back(style);
        return int(classStyles.size()) - 1;
    };
    auto flushRun = [&] {
        for (const QString& points : run) {
            const bool joined = points.count(QLatin1Char(' ')) > 1;
            w.writeCharacters(QStringLiteral("\n"));
            w.writeStartElement(QStringLiteral("polyline"));
            w.writeAttribute(QStringLiteral("class"),
                             QStringLiteral("s%1").arg(joined ? roundJoined(runClass) : runClass));
            w.writeAttribute(QStringLiteral("points"), points);
            w.writeEndElement();
        }
        run.clear();
        runClass = -1;
    };

    w.writeStartDocument();
    while (!in.atEnd()) {
        const QXmlStreamReader::TokenType token = in.readNext();
        if (token == QXmlStreamReader::EndElement && in.name() == QLatin1String("g")) {
            groups.pop_back();
            continue;
        }
        if (token != QXmlStreamReader::StartElement) continue;
        const QString name = in.name().toString();
        if (name == QLatin1String("svg")) {
            w.writeStartElement(QStringLiteral("svg"));
            for (const QXmlStreamNamespaceDeclaration& ns : in.namespaceDeclarations()) {
                if (ns.prefix().isEmpty())
                    w.writeDefaultNamespace(ns.namespaceUri().toString());
                else
                    w.writeNamespace(ns.namespaceUri().toString(), ns.prefix().toString());
            }
            for (const QXmlStreamAttribute& a : in.attributes())
                w.writeAttribute(a.qualifiedName().toString(), a.value().toString());
            // Every text keeps its blanks.
            w.writeAttribute(space, QStringLiteral("preserve"));
            continue;
        }
        if (name == QLatin1String("title") || name == QLatin1String("desc")) {
            w.writeTextElement(name, in.readElementText());
            continue;
        }
        if (name == QLatin1String("defs")) {
            in.skipCurrentElement();
            continue;
        }
        QString transform = groups.empty() ? QString() : groups.back().transform;
        QXmlStreamAttributes geometry;
        QString own;
        std::vector<std::pair<QString, QString>> ownStyle;
        for (const QXmlStreamAttribute& a : in.attributes()) {
            const QString key = a.qualifiedName().toString();
            if (isPresentation(a.name())) {
                ownStyle.emplace_back(key, a.value().toString());
                own += key + QLatin1Char('=') + a.value().toString() + QLatin1Char(';');
            } else if (key == QLatin1String("transform")) {
                if (a.value() != identity)
                    transform = transform.isEmpty()
                                    ? a.value().toString()
                                    : transform + QLatin1Char(' ') + a.value().toString();
            } else if (key != space) {
                geometry.append(a);
            }
        }
        if (name == QLatin1String("g")) {
            Group g;
            g.style = groups.empty() ? Style{} : groups.back().style;
            for (const auto& [key, value] : ownStyle)
                g.style[key] = value;
            g.id = groupIds.emplace(g.style, int(groupIds.size())).first->second;
            g.transform = transform;
            groups.push_back(std::move(g));
            continue;
        }
        const bool text = name == QLatin1String("text");
        const int groupId = groups.empty() ? -1 : groups.back().id;
        const QString key =
            QString::number(groupId) + (text ? QLatin1String("|t|") : QLatin1String("|o|")) + own;
        auto found = classOf.constFind(key);
        int styleClass = 0;
        if (found != classOf.constEnd()) {
            styleClass = *found;
        } else {
            Style merged = groups.empty() ? Style{} : groups.back().style;
            for (const auto& [k, value] : ownStyle)
                merged[k] = value;
            Style kept;
            for (const auto& [k, value] : merged)
                if (!isDefault(k, value) && (text || !k.startsWith(QLatin1String("font-"))))
                    kept[k] = value;
            const auto same = std::find(classStyles.begin(), classStyles.end(), kept);
            styleClass = int(same - classStyles.begin());
            if (same == classStyles.end()) classStyles.push_back(kept);
            classOf.insert(key, styleClass);
        }
        if (!transform.isEmpty()) geometry.append(QStringLiteral("transform"), transform);

        if (name == QLatin1String("polyline") && geometry.size() == 1 &&
            geometry[0].qualifiedName() == QLatin1String("points")) {
            in.skipCurrentElement();
            const QString points = geometry[0].value().toString().trimmed();
            const qsizetype firstEnd = points.indexOf(QLatin1Char(' '));
            if (runClass != styleClass) flushRun();
            runClass = styleClass;
            auto joins = std::find_if(run.begin(), run.end(), [&](const QString& waiting) {
                return firstEnd > 0 && waiting.endsWith(QStringView(points).left(firstEnd));
            });
            if (joins != run.end())
                *joins += points.mid(firstEnd);
            else
                run.push_back(points);
            continue;
        }
        flushRun();
        w.writeCharacters(QStringLiteral("\n"));
        w.writeStartElement(name);
        w.writeAttribute(QStringLiteral("class"), QStringLiteral("s%1").arg(styleClass));
        for (const QXmlStreamAttribute& a : geometry)
            w.writeAttribute(a.qualifiedName().toString(), a.value().toString());
        if (text)
            w.writeCharacters(in.readElementText(QXmlStreamReader::IncludeChildElements));
        else
            in.skipCurrentElement();
        w.writeEndElement();
    }
    if (in.hasError()) return svg;
    flushRun();

    // The style sheet applies wherever it stands.
    QString css = QStringLiteral("\n");
    for (std::size_t i = 0; i < classStyles.size(); ++i) {
        css += QStringLiteral(".s%1{").arg(i);
        for (const auto& [key, value] : classStyles[i])
            css += key + QLatin1Char(':') + cssValue(key, value) + QLatin1Char(';');
        css += QStringLiteral("}\n");
    }
    w.writeCharacters(QStringLiteral("\n"));
    w.writeStartElement(QStringLiteral("style"));
    w.writeCharacters(css);
    w.writeEndElement();
    w.writeCharacters(QStringLiteral("\n"));
    w.writeEndElement();
    w.writeEndDocument();
    return out;
}

} // namespace lw
