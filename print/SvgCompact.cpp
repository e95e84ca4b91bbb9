#include "print/SvgCompact.h"

#include <QBuffer>
#include <QHash>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
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

struct Element {
    QString name;
    QXmlStreamAttributes geometry; // everything that is not style
    int styleClass = 0;
    QString text; // of a text element
};

} // namespace

QByteArray compactSvg(const QByteArray& svg) {
    QXmlStreamReader in(svg);
    QXmlStreamAttributes rootAttributes;
    QXmlStreamNamespaceDeclarations rootNamespaces;
    QString title, desc;
    std::vector<Style> styles;       // of the open groups
    std::vector<QString> transforms; // of the open groups, empty for none
    std::vector<Element> elements;
    std::map<Style, int> classes;
    std::vector<const Style*> classStyles;
    int depth = 0;
    const QString identity = QStringLiteral("matrix(1,0,0,1,0,0)");

    while (!in.atEnd()) {
        const QXmlStreamReader::TokenType token = in.readNext();
        if (token != QXmlStreamReader::StartElement) {
            if (token == QXmlStreamReader::EndElement && in.name() == QLatin1String("g")) {
                styles.pop_back();
                transforms.pop_back();
            }
            continue;
        }
        ++depth;
        const QString name = in.name().toString();
        if (name == QLatin1String("svg")) {
            rootAttributes = in.attributes();
            rootNamespaces = in.namespaceDeclarations();
            continue;
        }
        if (name == QLatin1String("title") || name == QLatin1String("desc")) {
            (name == QLatin1String("title") ? title : desc) = in.readElementText();
            continue;
        }
        if (name == QLatin1String("defs")) {
            in.skipCurrentElement();
            continue;
        }
        Style style = styles.empty() ? Style{} : styles.back();
        QString transform = transforms.empty() ? QString() : transforms.back();
        Element e;
        e.name = name;
        for (const QXmlStreamAttribute& a : in.attributes()) {
            const QString key = a.qualifiedName().toString();
            if (isPresentation(a.name())) {
                style[key] = a.value().toString();
            } else if (key == QLatin1String("transform")) {
                if (a.value() != identity)
                    transform = transform.isEmpty()
                                    ? a.value().toString()
                                    : transform + QLatin1Char(' ') + a.value().toString();
            } else {
                e.geometry.append(a);
            }
        }
        if (name == QLatin1String("g")) {
            styles.push_back(style);
            transforms.push_back(transform);
            continue;
        }
        if (!transform.isEmpty()) e.geometry.append(QStringLiteral("transform"), transform);
        Style own;
        const bool text = name == QLatin1String("text");
        for (const auto& [key, value] : style)
            if (!isDefault(key, value) && (text || !key.startsWith(QLatin1String("font-"))))
                own[key] = value;
        auto [it, added] = classes.emplace(own, int(classes.size()));
        if (added) classStyles.push_back(&it->first);
        e.styleClass = it->second;
        if (text)
            e.text = in.readElementText(QXmlStreamReader::IncludeChildElements);
        else
            in.skipCurrentElement();

        // A polyline that goes on where the last one of the same style ended
        // joins it.
        if (name == QLatin1String("polyline") && !elements.empty()) {
            Element& last = elements.back();
            const QString points = e.geometry.value(QStringLiteral("points")).toString().trimmed();
            const QString lastPoints =
                last.geometry.value(QStringLiteral("points")).toString().trimmed();
            const qsizetype firstEnd = points.indexOf(QLatin1Char(' '));
            if (last.name == name && last.styleClass == e.styleClass && last.geometry.size() == 1 &&
                e.geometry.size() == 1 && firstEnd > 0 &&
                lastPoints.endsWith(points.left(firstEnd))) {
                last.geometry[0] = QXmlStreamAttribute(QStringLiteral("points"),
                                                       lastPoints + points.mid(firstEnd));
                continue;
            }
        }
        elements.push_back(std::move(e));
    }
    if (in.hasError()) return svg;

    QByteArray out;
    QXmlStreamWriter w(&out);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("svg"));
    for (const QXmlStreamNamespaceDeclaration& ns : rootNamespaces) {
        if (ns.prefix().isEmpty())
            w.writeDefaultNamespace(ns.namespaceUri().toString());
        else
            w.writeNamespace(ns.namespaceUri().toString(), ns.prefix().toString());
    }
    for (const QXmlStreamAttribute& a : rootAttributes)
        w.writeAttribute(a.qualifiedName().toString(), a.value().toString());
    if (!title.isEmpty()) w.writeTextElement(QStringLiteral("title"), title);
    if (!desc.isEmpty()) w.writeTextElement(QStringLiteral("desc"), desc);
    QString css = QStringLiteral("\n");
    for (std::size_t i = 0; i < classStyles.size(); ++i) {
        css += QStringLiteral(".s%1{").arg(i);
        for (const auto& [key, value] : *classStyles[i])
            css += key + QLatin1Char(':') + cssValue(key, value) + QLatin1Char(';');
        css += QStringLiteral("}\n");
    }
    w.writeStartElement(QStringLiteral("style"));
    w.writeCharacters(css);
    w.writeEndElement();
    for (const Element& e : elements) {
        w.writeCharacters(QStringLiteral("\n"));
        w.writeStartElement(e.name);
        w.writeAttribute(QStringLiteral("class"), QStringLiteral("s%1").arg(e.styleClass));
        for (const QXmlStreamAttribute& a : e.geometry)
            w.writeAttribute(a.qualifiedName().toString(), a.value().toString());
        if (!e.text.isEmpty()) w.writeCharacters(e.text);
        w.writeEndElement();
    }
    w.writeCharacters(QStringLiteral("\n"));
    w.writeEndElement();
    w.writeEndDocument();
    return out;
}

} // namespace lw
