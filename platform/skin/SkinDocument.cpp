#include "platform/skin/SkinDocument.h"

#include "platform/core/AppError.h"
#include "platform/skin/Gunzip.h"
#include "platform/skin/SvgTree.h"

#include <QFile>
#include <QFileInfo>

namespace varnelo {

namespace {

// Collects what the loader reads from one skin file, with its name for messages.
class Loader {
public:
    Loader(const SvgNode& root, const QString& what) : root_(root), what_(what) {}

    [[noreturn]] void fail(const QString& why) const {
        throw AppError(QStringLiteral("%1: %2").arg(what_, why));
    }

    QRect rectAttr(const SvgNode& node, const QString& owner) const {
        const QStringList parts =
            node.attr(QStringLiteral("skin:bounds")).split(u' ', Qt::SkipEmptyParts);
        int v[4] = {};
        bool ok = parts.size() == 4;
        for (int i = 0; ok && i < 4; ++i)
            v[i] = parts[i].toInt(&ok);
        if (!ok || v[2] <= 0 || v[3] <= 0)
            fail(QStringLiteral("%1 needs skin:bounds=\"x y width height\" (positive size)")
                     .arg(owner));
        return QRect(v[0], v[1], v[2], v[3]);
    }

    // A layer of `node`'s subtree placed on `target` (form coordinates).
    std::unique_ptr<SkinLook> look(const SvgNode& node, const SkinForm& form, const QRect& target,
                                   const std::function<LayerFilter(const SvgNode&)>& filter,
                                   const QString& owner) const {
        const QByteArray svg = WriteSvgLayer(root_, node, filter);
        const QRectF viewBox(target.translated(form.documentRect().topLeft()));
        auto result = std::make_unique<SkinLook>(svg, viewBox, target);
        if (!result->isValid())
            fail(QStringLiteral("the drawing of %1 cannot be read").arg(owner));
        return result;
    }

    void loadForm(const SvgNode& formNode, std::vector<std::unique_ptr<SkinForm>>& forms) {
        const QString name = formNode.attr(QStringLiteral("skin:form"));
        if (name.isEmpty())
            fail(QStringLiteral("a form has an empty name"));
        for (const auto& f : forms)
            if (f->name() == name)
                fail(QStringLiteral("the form \"%1\" is defined twice").arg(name));
        const QRect docRect = rectAttr(formNode, QStringLiteral("the form \"%1\"").arg(name));
        auto form = std::make_unique<SkinForm>(name, docRect);

        // The face: the form's drawing without the objects' looks and parts.
        form->setFace(look(
            formNode, *form, QRect(QPoint(0, 0), docRect.size()),
            [](const SvgNode& n) {
                return n.hasAttr(QStringLiteral("skin:state")) ||
                               n.hasAttr(QStringLiteral("skin:part"))
                           ? LayerFilter::Drop
                           : LayerFilter::Keep;
            },
            QStringLiteral("the form \"%1\"").arg(name)));
        collectObjects(formNode, *form);
        forms.push_back(std::move(form));
    }

    void collectObjects(const SvgNode& node, SkinForm& form) {
        for (const auto& child : node.children) {
            if (child->isText())
                continue;
            if (child->hasAttr(QStringLiteral("skin:form")))
                fail(QStringLiteral("the form \"%1\" holds another form").arg(form.name()));
            if (child->hasAttr(QStringLiteral("skin:object")))
                loadObject(*child, form);
            else
                collectObjects(*child, form);
        }
    }

    void loadObject(const SvgNode& node, SkinForm& form) {
        const QString name = node.attr(QStringLiteral("skin:object"));
        const QString owner =
            QStringLiteral("the object \"%1\" of the form \"%2\"").arg(name, form.name());
        if (name.isEmpty())
            fail(QStringLiteral("an object of the form \"%1\" has an empty name").arg(form.name()));
        if (form.find(name))
            fail(QStringLiteral("%1 is defined twice").arg(owner));
        const QString kindText = node.attr(QStringLiteral("skin:kind"));
        SkinKind kind;
        if (kindText == u"button")
            kind = SkinKind::Button;
        else if (kindText == u"label")
            kind = SkinKind::Label;
        else if (kindText == u"slider")
            kind = SkinKind::Slider;
        else if (kindText == u"area")
            kind = SkinKind::Area;
        else
            fail(QStringLiteral("%1 has an unknown skin:kind \"%2\"").arg(owner, kindText));
        const QRect bounds = rectAttr(node, owner);
        auto& item = form.addItem(std::make_unique<SkinItem>(form, name, kind, bounds));
        item.setToolTip(node.attr(QStringLiteral("skin:tip")));

        const QString action = node.attr(QStringLiteral("skin:action"));
        if (action == u"minimize")
            item.setAction(SkinAction::Minimize);
        else if (action == u"close")
            item.setAction(SkinAction::Close);
        else if (action == u"move")
            item.setAction(SkinAction::Move);
        else if (!action.isEmpty())
            fail(QStringLiteral("%1 has an unknown skin:action \"%2\"").arg(owner, action));
        // The title bar moves its window unless the skin says otherwise.
        if (action.isEmpty() && kind == SkinKind::Area && name == u"bar")
            item.setAction(SkinAction::Move);

        if (kind == SkinKind::Button)
            loadStates(node, form, item, owner);
        else if (kind == SkinKind::Label)
            loadLabel(node, item, owner);
        else if (kind == SkinKind::Slider)
            loadSlider(node, form, item, owner);
    }

    static const SvgNode* findMarked(const SvgNode& node, const QString& attr,
                                     const QString& value) {
        for (const auto& child : node.children) {
            if (child->isText())
                continue;
            if (child->attr(attr) == value)
                return child.get();
            if (const SvgNode* inner = findMarked(*child, attr, value))
                return inner;
        }
        return nullptr;
    }

    void loadStates(const SvgNode& node, SkinForm& form, SkinItem& item, const QString& owner) {
        static const char* const names[] = {"normal", "hover", "pressed", "disabled"};
        for (int s = 0; s < 4; ++s) {
            const SvgNode* layer =
                findMarked(node, QStringLiteral("skin:state"), QString::fromLatin1(names[s]));
            if (layer)
                item.setLook(SkinState(s), look(*layer, form, item.bounds(), keepAll, owner));
        }
    }

    void loadLabel(const SvgNode& node, SkinItem& item, const QString& owner) {
        LabelStyle style;
        const QString family = node.attr(QStringLiteral("skin:font"));
        style.font.setFamilies(family.isEmpty() ? QStringList{QStringLiteral("DejaVu Sans")}
                                                : family.split(u',', Qt::SkipEmptyParts));
        bool ok = true;
        const QString size = node.attr(QStringLiteral("skin:font-size"));
        const int pixels = size.isEmpty() ? 11 : size.toInt(&ok);
        if (!ok || pixels <= 0)
            fail(QStringLiteral("%1 has a bad skin:font-size \"%2\"").arg(owner, size));
        style.font.setPixelSize(pixels);
        const QString weight = node.attr(QStringLiteral("skin:font-weight"));
        if (weight == u"bold")
            style.font.setWeight(QFont::Bold);
        else if (!weight.isEmpty() && weight != u"normal") {
            const int w = weight.toInt(&ok);
            if (!ok || w < 1 || w > 1000)
                fail(QStringLiteral("%1 has a bad skin:font-weight \"%2\"").arg(owner, weight));
            style.font.setWeight(QFont::Weight(w));
        }
        style.font.setStyleStrategy(QFont::PreferAntialias);
        style.color = colorAttr(node, QStringLiteral("skin:color"), QColor(Qt::white), owner);
        style.disabledColor =
            colorAttr(node, QStringLiteral("skin:disabled-color"), style.color.darker(200), owner);
        const QString align = node.attr(QStringLiteral("skin:align"));
        Qt::Alignment h = Qt::AlignLeft;
        if (align == u"center")
            h = Qt::AlignHCenter;
        else if (align == u"right")
            h = Qt::AlignRight;
        else if (!align.isEmpty() && align != u"left")
            fail(QStringLiteral("%1 has a bad skin:align \"%2\"").arg(owner, align));
        style.align = h | Qt::AlignVCenter;
        const QString elide = node.attr(QStringLiteral("skin:elide"));
        if (elide == u"middle")
            style.elide = Qt::ElideMiddle;
        else if (elide == u"left")
            style.elide = Qt::ElideLeft;
        else if (!elide.isEmpty() && elide != u"right")
            fail(QStringLiteral("%1 has a bad skin:elide \"%2\"").arg(owner, elide));
        item.setLabelStyle(style);
        item.setInitialText(node.attr(QStringLiteral("skin:text")));
    }

    QColor colorAttr(const SvgNode& node, const QString& attr, QColor fallback,
                     const QString& owner) const {
        const QString text = node.attr(attr);
        if (text.isEmpty())
            return fallback;
        const QColor c = QColor::fromString(text);
        if (!c.isValid())
            fail(QStringLiteral("%1 has a bad %2 \"%3\"").arg(owner, attr, text));
        return c;
    }

    void loadSlider(const SvgNode& node, SkinForm& form, SkinItem& item, const QString& owner) {
        auto part = [&](const char* name, bool required) -> std::unique_ptr<SkinLook> {
            const SvgNode* p =
                findMarked(node, QStringLiteral("skin:part"), QString::fromLatin1(name));
            if (!p) {
                if (required)
                    fail(QStringLiteral("%1 has no skin:part=\"%2\"").arg(owner, name));
                return nullptr;
            }
            const QRect target = p->hasAttr(QStringLiteral("skin:bounds"))
                                     ? rectAttr(*p, QStringLiteral("the %1 of %2").arg(name, owner))
                                     : item.bounds();
            return look(*p, form, target, keepAll, owner);
        };
        auto track = part("track", false);
        auto fill = part("fill", false);
        auto thumb = part("thumb", true);
        auto thumbHover = part("thumb-hover", false);

        bool ok1 = true, ok2 = true;
        const QString minText = node.attr(QStringLiteral("skin:min"));
        const QString maxText = node.attr(QStringLiteral("skin:max"));
        const int minimum = minText.isEmpty() ? 0 : minText.toInt(&ok1);
        const int maximum = maxText.isEmpty() ? 100 : maxText.toInt(&ok2);
        if (!ok1 || !ok2 || maximum <= minimum)
            fail(QStringLiteral("%1 has a bad skin:min/skin:max range").arg(owner));

        // The thumb centre's travel, form x coordinates; by default the
        // thumb stays inside the object's bounds.
        const qreal half = thumb->target().width() / 2.0;
        qreal from = item.bounds().left() + half;
        qreal to = item.bounds().left() + item.bounds().width() - half;
        const QString travel = node.attr(QStringLiteral("skin:travel"));
        if (!travel.isEmpty()) {
            const QStringList t = travel.split(u' ', Qt::SkipEmptyParts);
            bool a = t.size() == 2, b = a;
            if (a) {
                from = t[0].toDouble(&a);
                to = t[1].toDouble(&b);
            }
            if (!a || !b || to <= from)
                fail(QStringLiteral("%1 has a bad skin:travel \"%2\"").arg(owner, travel));
        }
        item.setSliderParts(std::move(track), std::move(fill), std::move(thumb),
                            std::move(thumbHover));
        item.setSliderRange(minimum, maximum, from, to);
    }

    static LayerFilter keepAll(const SvgNode&) { return LayerFilter::Keep; }

    void findForms(const SvgNode& node, std::vector<std::unique_ptr<SkinForm>>& forms) {
        for (const auto& child : node.children) {
            if (child->isText())
                continue;
            if (child->hasAttr(QStringLiteral("skin:form")))
                loadForm(*child, forms);
            else
                findForms(*child, forms);
        }
    }

private:
    const SvgNode& root_;
    QString what_;
};

} // namespace

std::unique_ptr<SkinDocument> SkinDocument::Load(const QString& path) {
    const QString what = QStringLiteral("Cannot load the skin file %1").arg(path);
    QFile file(path);
    if (!QFileInfo(path).isFile())
        throw AppError(QStringLiteral("%1: no such file").arg(what));
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("%1: %2").arg(what, file.errorString()));
    return FromData(file.readAll(), what);
}

std::unique_ptr<SkinDocument> SkinDocument::FromData(const QByteArray& raw, const QString& what) {
    const QByteArray data = IsGzip(raw) ? Gunzip(raw, what) : raw;
    const std::unique_ptr<SvgNode> root = ParseSvgTree(data, what);
    if (root->localName() != u"svg")
        throw AppError(QStringLiteral("%1: not a skin file (no SVG document)").arg(what));
    std::unique_ptr<SkinDocument> doc(new SkinDocument);
    Loader loader(*root, what);
    loader.findForms(*root, doc->forms_);
    if (doc->forms_.empty())
        throw AppError(QStringLiteral("%1: not a skin file (it defines no skin form)").arg(what));
    return doc;
}

SkinDocument::~SkinDocument() = default;

SkinForm* SkinDocument::form(const QString& name) const {
    for (const auto& f : forms_)
        if (f->name() == name)
            return f.get();
    return nullptr;
}

} // namespace varnelo
