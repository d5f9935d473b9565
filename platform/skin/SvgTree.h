#pragma once

#include <QByteArray>
#include <QString>
#include <QXmlStreamAttributes>
#include <functional>
#include <memory>
#include <vector>

namespace varnelo {

// A small element tree of an SVG document, kept with raw qualified names so
// that parts of it can be written out again as documents of their own (one
// per look of a skin object) for QSvgRenderer.
struct SvgNode {
    QString name;                    // qualified element name, e.g. "g", "svg:rect"
    QXmlStreamAttributes attributes; // raw, namespace declarations included
    QString text;                    // character data when name is empty
    bool cdata = false;
    SvgNode* parent = nullptr;
    std::vector<std::unique_ptr<SvgNode>> children;

    bool isText() const { return name.isEmpty(); }
    QString attr(const QString& qualifiedName) const {
        return attributes.value(qualifiedName).toString();
    }
    bool hasAttr(const QString& qualifiedName) const {
        return attributes.hasAttribute(qualifiedName);
    }
    QString localName() const { return name.mid(name.indexOf(u':') + 1); }
};

// Parses the document; throws AppError naming `what` when it is not XML.
std::unique_ptr<SvgNode> ParseSvgTree(const QByteArray& xml, const QString& what);

// What WriteSvgLayer does with a node inside the target's subtree.
enum class LayerFilter { Keep, Drop };

// Writes a document that holds the root element, every <defs> and <style>
// (gradients and shared shapes stay reachable), the ancestors of `target`
// (so their transforms apply) and the target's subtree minus the nodes that
// `filter` drops. Attributes with the skin prefix are left out.
QByteArray WriteSvgLayer(const SvgNode& root, const SvgNode& target,
                         const std::function<LayerFilter(const SvgNode&)>& filter);

} // namespace varnelo
