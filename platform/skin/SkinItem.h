#pragma once

#include "platform/skin/SkinObjects.h"

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QPointer>
#include <QRect>
#include <QSvgRenderer>
#include <array>
#include <memory>
#include <vector>

class QPainter;
class QWidget;

namespace varnelo {

class SkinForm;

enum class SkinKind { Window, Button, Label, Slider, Area };
enum class SkinAction { None, Minimize, Close, Move };
enum class SkinState { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };

// One drawn layer: a part of the skin document rendered into a rectangle of
// the form. The picture is rasterised once per device pixel ratio.
class SkinLook {
public:
    // `svg` is a document holding only this layer; `viewBox` is the part of
    // the document (document units) that lands on `target` (form pixels).
    SkinLook(const QByteArray& svg, const QRectF& viewBox, const QRect& target);
    bool isValid() const { return renderer_.isValid(); }
    QRect target() const { return target_; }
    void paint(QPainter& painter, QPointF offset = {}, qreal opacity = 1.0);

private:
    QSvgRenderer renderer_;
    QRect target_;
    QPixmap cache_;
    qreal cacheRatio_ = 0;
};

struct LabelStyle {
    QFont font;
    QColor color{Qt::white};
    QColor disabledColor{Qt::gray};
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    // Where a text too long for the bounds loses characters ("…").
    Qt::TextElideMode elide = Qt::ElideRight;
};

// A named object of a form: a button, a label, a slider, an area (a named
// place without looks, e.g. a title bar) or the form's window object. One
// class offers every interface; the Query functions hand out only those that
// fit the kind.
class SkinItem final : public ISkinObject,
                       public ISkinElement,
                       public ISkinLabel,
                       public ISkinSlider {
public:
    SkinItem(SkinForm& form, QString name, SkinKind kind, QRect bounds);

    QString GetName() const override { return name_; }
    ISkinObject* FindObject(const QString& name) override;
    ISkinSlider* QuerySlider() override;
    ISkinElement* QueryElement() override { return this; }
    ISkinLabel* QueryLabel() override;

    void SetEnabled(bool enabled) override;
    void Redraw() override;
    void SetText(const QString& text) override;
    int GetPosition() const override { return position_; }
    void SetPosition(int position) override;

    SkinKind kind() const { return kind_; }
    QRect bounds() const { return bounds_; }
    bool enabled() const { return enabled_; }
    QString text() const { return text_; }
    QString toolTip() const { return toolTip_; }
    SkinAction action() const { return action_; }
    // Whether the object reacts to the pointer with looks of its own.
    bool interactive() const { return kind_ == SkinKind::Button || kind_ == SkinKind::Slider; }

    // Set up by the document loader.
    void setToolTip(const QString& tip) { toolTip_ = tip; }
    void setAction(SkinAction action) { action_ = action; }
    void setLook(SkinState state, std::unique_ptr<SkinLook> look);
    void setLabelStyle(const LabelStyle& style) { label_ = style; }
    void setInitialText(const QString& text) { text_ = text; }
    void setSliderParts(std::unique_ptr<SkinLook> track, std::unique_ptr<SkinLook> fill,
                        std::unique_ptr<SkinLook> thumb, std::unique_ptr<SkinLook> thumbHover);
    void setSliderRange(int minimum, int maximum, qreal travelFrom, qreal travelTo);

    // Slider geometry (form coordinates).
    qreal thumbCentre() const;
    QRectF thumbRect() const;
    int positionAt(qreal x) const;

    void paint(QPainter& painter, SkinState state);

private:
    void changed();
    void paintLabel(QPainter& painter);
    void paintSlider(QPainter& painter, SkinState state);

    SkinForm& form_;
    QString name_;
    SkinKind kind_;
    QRect bounds_;
    QString toolTip_;
    SkinAction action_ = SkinAction::None;
    bool enabled_ = true;
    QString text_;
    LabelStyle label_;
    std::array<std::unique_ptr<SkinLook>, 4> looks_;
    std::unique_ptr<SkinLook> track_, fill_, thumb_, thumbHover_;
    int minimum_ = 0, maximum_ = 100, position_ = 0;
    qreal travelFrom_ = 0, travelTo_ = 0;
};

// A form: the face drawn behind everything, its objects in document order
// (later ones on top) and the window object that finds them by name.
class SkinForm {
public:
    SkinForm(const QString& name, const QRect& documentRect);
    QString name() const { return window_.GetName(); }
    QSize size() const { return documentRect_.size(); }
    QRect documentRect() const { return documentRect_; }
    SkinItem& window() { return window_; }

    void setFace(std::unique_ptr<SkinLook> face) { face_ = std::move(face); }
    SkinItem& addItem(std::unique_ptr<SkinItem> item);
    SkinItem* find(const QString& name) const;
    SkinItem* itemAt(QPoint pos) const;
    const std::vector<std::unique_ptr<SkinItem>>& items() const { return items_; }

    // Surfaces showing this form, repainted when an object changes.
    void attach(QWidget* surface);
    void detach(QWidget* surface);
    void update(const QRect& area);
    void paintFace(QPainter& painter);

private:
    QRect documentRect_;
    SkinItem window_;
    std::unique_ptr<SkinLook> face_;
    std::vector<std::unique_ptr<SkinItem>> items_;
    std::vector<QPointer<QWidget>> surfaces_;
};

} // namespace varnelo
