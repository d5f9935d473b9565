#include "platform/skin/SvgTree.h"

#include "platform/core/AppError.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace varnelo {

std::unique_ptr<SvgNode> ParseSvgTree(const QByteArray& xml, const QString& what) {
    QXmlStreamReader reader(xml);
    // Qualified names are kept as written; the skin attributes are recognised
    // by their prefix, and the layers are written back byte for byte.
    reader.setNamespaceProcessing(false);
    std::unique_ptr<SvgNode> root;
    SvgNode* current = nullptr;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            auto node = std::make_unique<SvgNode>();
            node->name = reader.qualifiedName().toString();
            node->attributes = reader.attributes();
            if (!current) {
                root = std::move(node);
                current = root.get();
            } else {
                node->parent = current;
                current->children.push_back(std::move(node));
                current = current->children.back().get();
            }
            break;
        }
        case QXmlStreamReader::EndElement:
            if (current)
                current = current->parent;
            break;
        case QXmlStreamReader::Characters:
            if (current && !reader.isWhitespace()) {
                auto node = std::make_unique<SvgNode>();
                node->text = reader.text().toString();
                node->cdata = reader.isCDATA();
                node->parent = current;
                current->children.push_back(std::move(node));
            }
            break;
        default:
            break;
        }
    }
    if (reader.hasError())
        throw AppError(QStringLiteral("%1: not a skin file (XML error at line %2: %3)")
                           .arg(what)
                           .arg(reader.lineNumber())
                           .arg(reader.errorString()));
    if (!root)
        throw AppError(QStringLiteral("%1: not a skin file (empty document)").arg(what));
    return root;
}

namespace {

bool IsAncestorOf(const SvgNode& node, const SvgNode& target) {
    for (const SvgNode* p = target.parent; p; p = p->parent)
        if (p == &node)
            return true;
    return false;
}

bool IsShared(const SvgNode& node) {
    const QString local = node.localName();
    return local == u"defs" || local == u"style";
}

void WriteStart(QXmlStreamWriter& w, const SvgNode& node) {
    w.writeStartElement(node.name);
    for (const QXmlStreamAttribute& a : node.attributes) {
        const QString qn = a.qualifiedName().toString();
        if (qn.startsWith(u"skin:") || qn == u"xmlns:skin")
            continue;
        w.writeAttribute(qn, a.value().toString());
    }
}

void WriteNode(QXmlStreamWriter& w, const SvgNode& node,
               const std::function<LayerFilter(const SvgNode&)>* filter) {
    if (node.isText()) {
        if (node.cdata)
            w.writeCDATA(node.text);
        else
            w.writeCharacters(node.text);
        return;
    }
    if (filter && (*filter)(node) == LayerFilter::Drop)
        return;
    WriteStart(w, node);
    for (const auto& child : node.children)
        WriteNode(w, *child, filter);
    w.writeEndElement();
}

// Walks from the root towards the target, keeping shared definitions.
void WritePath(QXmlStreamWriter& w, const SvgNode& node, const SvgNode& target,
               const std::function<LayerFilter(const SvgNode&)>& filter) {
    if (&node == &target) {
        WriteNode(w, node, &filter);
        return;
    }
    if (IsShared(node)) {
        WriteNode(w, node, nullptr);
        return;
    }
    if (node.isText() || !IsAncestorOf(node, target))
        return;
    WriteStart(w, node);
    for (const auto& child : node.children)
        WritePath(w, *child, target, filter);
    w.writeEndElement();
}

} // namespace

QByteArray WriteSvgLayer(const SvgNode& root, const SvgNode& target,
                         const std::function<LayerFilter(const SvgNode&)>& filter) {
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.writeStartDocument();
    WritePath(w, root, target, filter);
    w.writeEndDocument();
    return out;
}

} // namespace varnelo
