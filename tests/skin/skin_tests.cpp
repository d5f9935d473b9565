// The skin control against the default skin (du3vor.dll as built) and small
// skins written by the tests: objects and interfaces, labels and sliders, the
// mouse contract with the window's own mouse events, window objects, and the
// errors of broken skin files.
#include "platform/core/AppError.h"
#include "platform/skin/TSkin.h"

#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace varnelo;

namespace {

const QString kDefaultSkin = QStringLiteral(VARNELO_BIN_DIR "/du3vor.dll");

// A window that logs its own mouse events, sharing the log with the skin's
// signals so that their order can be checked.
class LoggingWindow : public QWidget {
public:
    explicit LoggingWindow(std::vector<std::string>& log) : log_(log) {}

protected:
    void mousePressEvent(QMouseEvent* e) override { add("window press", e); }
    void mouseMoveEvent(QMouseEvent* e) override { add("window move", e); }
    void mouseReleaseEvent(QMouseEvent* e) override { add("window release", e); }

private:
    void add(const char* what, QMouseEvent* e) {
        const QPoint p = e->position().toPoint();
        log_.push_back(std::string(what) + " " + std::to_string(p.x()) + "," +
                       std::to_string(p.y()));
    }
    std::vector<std::string>& log_;
};

std::string Name(ISkinObject* o) {
    return o ? o->GetName().toStdString() : std::string("(none)");
}

class SkinTest : public ::testing::Test {
protected:
    void SetUp() override {
        skin.LoadSkin(kDefaultSkin);
        QObject::connect(&skin, &TSkin::MouseDown, [this](ISkinObject* s, int, int, int) {
            log.push_back("down " + Name(s));
        });
        QObject::connect(&skin, &TSkin::MouseUp,
                         [this](ISkinObject* s, int, int, int) { log.push_back("up " + Name(s)); });
        QObject::connect(&skin, &TSkin::Click,
                         [this](ISkinObject* s) { log.push_back("click " + Name(s)); });
    }

    // A shown window with the form applied.
    LoggingWindow& Skinned(const QString& form) {
        auto& w = windows.emplace_back(std::make_unique<LoggingWindow>(log));
        skin.ApplySkin(w.get());
        skin.ApplySkinForm(w.get(), form);
        w->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        return *w;
    }

    // Centre of a named object, found by probing with the pointer: a press
    // there must report that object.
    QPoint Centre(QWidget& w, const QString& name, QRect candidates) {
        for (int y = candidates.top(); y <= candidates.bottom(); y += 2)
            for (int x = candidates.left(); x <= candidates.right(); x += 2) {
                log.clear();
                QTest::mousePress(w.windowHandle(), Qt::LeftButton, {}, QPoint(x, y));
                // Released over the background: no click.
                QTest::mouseRelease(w.windowHandle(), Qt::LeftButton, {}, QPoint(3, 100));
                if (Has("down " + name.toStdString())) {
                    log.clear();
                    return QPoint(x, y);
                }
            }
        ADD_FAILURE() << "no object " << name.toStdString();
        return {};
    }

    bool Has(const std::string& entry) const {
        return std::find(log.begin(), log.end(), entry) != log.end();
    }
    // Puts the pointer at `p` and forgets the events so far, so that a
    // following press there is not preceded by a move.
    void PointAt(QWidget& w, QPoint p) {
        QTest::mouseMove(w.windowHandle(), p);
        log.clear();
    }

    TSkin skin;
    std::vector<std::string> log;
    std::vector<std::unique_ptr<LoggingWindow>> windows;
};

struct RequiredObject {
    const char* form;
    const char* name;
    bool slider;
    bool label;
};

const RequiredObject kRequired[] = {
    {"ve3zod", "s_time", false, true},   {"ve3zod", "s_filename", false, true},
    {"ve3zod", "s_mono", false, true},   {"ve3zod", "s_sizeson", false, true},
    {"ve3zod", "play_bar", true, false}, {"ve3zod", "vavudizu", false, false},
    {"ve3zod", "pause", false, false},   {"ve3zod", "stop", false, false},
    {"ve3zod", "add", false, false},     {"ve3zod", "play", false, false},
    {"ve3zod", "list", false, false},    {"ve3zod", "schedule", false, false},
    {"ve3zod", "scource", false, false}, {"ve3zod", "set", false, false},
    {"ve3zod", "tag", false, false},     {"ve3zod", "help", false, false},
    {"ve3zod", "min", false, false},     {"ve3zod", "close", false, false},
    {"ve3zod", "bar", false, false},     {"ve3zod", "s_left", false, true},
    {"ve3zod", "s_right", false, true},  {"ve3zod", "showp", false, true},
    {"ve3zod", "s_size", false, true},   {"listwin", "list_add", false, false},
    {"listwin", "del", false, false},    {"listwin", "up", false, false},
    {"listwin", "down", false, false},   {"listwin", "join", false, false},
    {"listwin", "stopj", false, false},  {"listwin", "close", false, false},
    {"listwin", "bar", false, false},
};

TEST_F(SkinTest, DefaultSkinHasEveryObjectWithItsInterfaces) {
    QWidget main, list;
    skin.ApplySkinForm(&main, QStringLiteral("ve3zod"));
    skin.ApplySkinForm(&list, QStringLiteral("listwin"));
    EXPECT_EQ(main.size(), QSize(383, 207));
    EXPECT_EQ(list.size(), QSize(580, 246));
    for (const RequiredObject& r : kRequired) {
        SCOPED_TRACE(std::string(r.form) + "/" + r.name);
        QWidget* window = QString::fromLatin1(r.form) == u"ve3zod" ? &main : &list;
        ISkinObject* root = skin.GetSkinObject(window);
        ASSERT_NE(root, nullptr);
        EXPECT_EQ(root->GetName(), QString::fromLatin1(r.form));
        ISkinObject* o = root->FindObject(QString::fromLatin1(r.name));
        ASSERT_NE(o, nullptr);
        EXPECT_EQ(o->GetName(), QString::fromLatin1(r.name));
        EXPECT_NE(o->QueryElement(), nullptr);
        EXPECT_EQ(o->QuerySlider() != nullptr, r.slider);
        EXPECT_EQ(o->QueryLabel() != nullptr, r.label);
        // The same object every time it is asked for.
        EXPECT_EQ(skin.GetSkinObject(window)->FindObject(QString::fromLatin1(r.name)), o);
    }
}

TEST_F(SkinTest, NamesMatchExactlyAndCaseSensitively) {
    QWidget main;
    skin.ApplySkinForm(&main, QStringLiteral("ve3zod"));
    ISkinObject* root = skin.GetSkinObject(&main);
    ASSERT_NE(root->FindObject(QStringLiteral("play")), nullptr);
    for (const char* wrong : {"Play", "PLAY", "S_time", "Play_bar", "play ", "", "listwin", "del"})
        EXPECT_EQ(root->FindObject(QString::fromLatin1(wrong)), nullptr) << wrong;
    // Objects have no children of their own.
    EXPECT_EQ(root->FindObject(QStringLiteral("play"))->FindObject(QStringLiteral("play")),
              nullptr);
}

// Pixels of a window's picture inside a rectangle.
QImage Picture(QWidget& w, const QRect& area) {
    return w.grab(area).toImage();
}

TEST_F(SkinTest, LabelTextShowsAndEmptyTextClears) {
    QWidget main;
    skin.ApplySkinForm(&main, QStringLiteral("ve3zod"));
    ISkinLabel* time =
        skin.GetSkinObject(&main)->FindObject(QStringLiteral("s_time"))->QueryLabel();
    const QRect area(0, 30, 383, 40);
    const QImage blank = Picture(main, area);
    time->SetText(QStringLiteral("Time: 01:02:03"));
    const QImage shown = Picture(main, area);
    EXPECT_NE(shown, blank);
    time->SetText(QString());
    EXPECT_EQ(Picture(main, area), blank);
}

TEST_F(SkinTest, SliderPositionsKeepToTheScale) {
    QWidget main;
    skin.ApplySkinForm(&main, QStringLiteral("ve3zod"));
    ISkinSlider* bar =
        skin.GetSkinObject(&main)->FindObject(QStringLiteral("play_bar"))->QuerySlider();
    EXPECT_EQ(bar->GetPosition(), 0);
    const struct {
        int set, expect;
    } cases[] = {{500, 500}, {0, 0}, {979, 979}, {980, 980}, {1500, 980}, {-3, 0}};
    for (const auto& c : cases) {
        bar->SetPosition(c.set);
        EXPECT_EQ(bar->GetPosition(), c.expect) << c.set;
    }
    // The thumb is drawn where the position says.
    const QRect area(0, 155, 383, 22);
    bar->SetPosition(0);
    const QImage left = Picture(main, area);
    bar->SetPosition(980);
    EXPECT_NE(Picture(main, area), left);
}

TEST_F(SkinTest, DraggingTheThumbMovesThePosition) {
    auto& w = Skinned(QStringLiteral("ve3zod"));
    ISkinSlider* bar =
        skin.GetSkinObject(&w)->FindObject(QStringLiteral("play_bar"))->QuerySlider();
    const QPoint at = Centre(w, QStringLiteral("play_bar"), QRect(150, 150, 80, 30));
    const int y = at.y();
    PointAt(w, QPoint(205, y));
    QTest::mousePress(w.windowHandle(), Qt::LeftButton, {}, QPoint(5, y) + QPoint(200, 0));
    const int middle = bar->GetPosition();
    EXPECT_GT(middle, 400);
    EXPECT_LT(middle, 640);
    QTest::mouseMove(w.windowHandle(), QPoint(380, y));
    EXPECT_EQ(bar->GetPosition(), 980);
    QTest::mouseMove(w.windowHandle(), QPoint(2, y));
    EXPECT_EQ(bar->GetPosition(), 0);
    QTest::mouseMove(w.windowHandle(), QPoint(190, y));
    QTest::mouseRelease(w.windowHandle(), Qt::LeftButton, {}, QPoint(190, y));
    const int released = bar->GetPosition();
    EXPECT_GT(released, 300);
    EXPECT_LT(released, 700);
    EXPECT_EQ(log.front(), "down play_bar");
    EXPECT_TRUE(Has("up play_bar"));

    // An inactive bar does not follow the pointer but still reports presses.
    skin.GetSkinObject(&w)
        ->FindObject(QStringLiteral("play_bar"))
        ->QueryElement()
        ->SetEnabled(false);
    PointAt(w, QPoint(340, y));
    QTest::mousePress(w.windowHandle(), Qt::LeftButton, {}, QPoint(340, y));
    QTest::mouseRelease(w.windowHandle(), Qt::LeftButton, {}, QPoint(340, y));
    EXPECT_EQ(bar->GetPosition(), released);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "down play_bar");
    EXPECT_EQ(std::count(log.begin(), log.end(), "click play_bar"), 0);
}

TEST_F(SkinTest, PressReachesTheSkinFirstThenTheWindow) {
    auto& w = Skinned(QStringLiteral("ve3zod"));
    const QPoint play = Centre(w, QStringLiteral("play"), QRect(120, 180, 60, 20));
    const QPoint stop = Centre(w, QStringLiteral("stop"), QRect(80, 180, 60, 20));
    const std::string p = std::to_string(play.x()) + "," + std::to_string(play.y());
    const std::string s = std::to_string(stop.x()) + "," + std::to_string(stop.y());

    // Press and release on the same object: a click after the release.
    PointAt(w, play);
    QTest::mousePress(w.windowHandle(), Qt::LeftButton, {}, play);
    QTest::mouseRelease(w.windowHandle(), Qt::LeftButton, {}, play);
    EXPECT_EQ(log, (std::vector<std::string>{"down play", "window press " + p, "up play",
                                             "window release " + p, "click play"}));

    // Released over another object: no click.
    PointAt(w, play);
    QTest::mousePress(w.windowHandle(), Qt::LeftButton, {}, play);
    QTest::mouseMove(w.windowHandle(), stop);
    QTest::mouseRelease(w.windowHandle(), Qt::LeftButton, {}, stop);
    EXPECT_EQ(log, (std::vector<std::string>{"down play", "window press " + p, "window move " + s,
                                             "up stop", "window release " + s}));

    // The background: only the window hears it.
    const QPoint background(3, 100);
    PointAt(w, background);
    QTest::mousePress(w.windowHandle(), Qt::LeftButton, {}, background);
    QTest::mouseMove(w.windowHandle(), QPoint(4, 101));
    QTest::mouseRelease(w.windowHandle(), Qt::LeftButton, {}, QPoint(4, 101));
    EXPECT_EQ(log, (std::vector<std::string>{"window press 3,100", "window move 4,101",
                                             "window release 4,101"}));

    // Moves without a button reach the window too.
    PointAt(w, QPoint(3, 100));
    QTest::mouseMove(w.windowHandle(), QPoint(50, 60));
    QTest::mouseMove(w.windowHandle(), play);
    EXPECT_EQ(log, (std::vector<std::string>{"window move 50,60", "window move " + p}));
}

TEST_F(SkinTest, OneSkinServesBothWindows) {
    auto& main = Skinned(QStringLiteral("ve3zod"));
    auto& list = Skinned(QStringLiteral("listwin"));
    ISkinObject* up = skin.GetSkinObject(&list)->FindObject(QStringLiteral("up"));
    ISkinObject* source = nullptr;
    QObject::connect(&skin, &TSkin::Click, [&](ISkinObject* s) { source = s; });
    const QPoint at = Centre(list, QStringLiteral("up"), QRect(140, 175, 60, 25));
    QTest::mouseClick(list.windowHandle(), Qt::LeftButton, {}, at);
    EXPECT_EQ(source, up);
    // Applying the form again (the list window's every show) keeps one surface and its objects.
    skin.ApplySkinForm(&list, QStringLiteral("listwin"));
    EXPECT_EQ(skin.GetSkinObject(&list)->FindObject(QStringLiteral("up")), up);
    EXPECT_EQ(list.findChildren<QWidget*>(QStringLiteral("varnelo_skin_surface")).size(), 1);
    EXPECT_NE(skin.GetSkinObject(&main), skin.GetSkinObject(&list));
}

TEST_F(SkinTest, PressedButtonLooksPressedUntilReleased) {
    auto& w = Skinned(QStringLiteral("ve3zod"));
    const QPoint at = Centre(w, QStringLiteral("stop"), QRect(80, 180, 60, 20));
    const QRect area(at - QPoint(15, 10), QSize(30, 20));
    QTest::mouseMove(w.windowHandle(), QPoint(3, 100));
    const QImage normal = Picture(w, area);
    QTest::mousePress(w.windowHandle(), Qt::LeftButton, {}, at);
    EXPECT_NE(Picture(w, area), normal);
    QTest::mouseRelease(w.windowHandle(), Qt::LeftButton, {}, at);
    QTest::mouseMove(w.windowHandle(), QPoint(3, 100));
    EXPECT_EQ(Picture(w, area), normal);
}

TEST_F(SkinTest, WindowObjectsMinimiseAndClose) {
    struct Case {
        const char* form;
        const char* object;
        QRect near;
        bool minimised, visible;
    };
    const Case cases[] = {
        {"ve3zod", "min", QRect(330, 2, 50, 20), true, true},
        {"ve3zod", "close", QRect(340, 2, 42, 20), false, false},
        {"listwin", "close", QRect(540, 2, 38, 20), false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.form) + "/" + c.object);
        auto& w = Skinned(QString::fromLatin1(c.form));
        const QPoint at = Centre(w, QString::fromLatin1(c.object), c.near);
        QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, at);
        EXPECT_EQ(log.back(), "click " + std::string(c.object));
        EXPECT_EQ(w.isMinimized(), c.minimised);
        EXPECT_EQ(w.isVisible(), c.visible);
    }
}

// A title bar drag, as the tests send it: the pointer positions of the moves
// are in the window's client coordinates at the time of each move, relative
// to the press point (the window follows the pointer between moves).
struct BarDragCase {
    const char* title;
    const char* form;
    bool onBar;       // pressed on "bar" (else on the form's face)
    bool withHandler; // the window has a drag handler of its own
    std::vector<QPoint> moves;
    QPoint moved;                                  // the window's displacement after the drag
    std::vector<std::pair<QPoint, bool>> reported; // handler calls (delta, first)
};

TEST_F(SkinTest, DraggingTheTitleBarMovesTheWindow) {
    const BarDragCase cases[] = {
        {"main window by its bar", "ve3zod", true, false, {{12, 7}, {3, -4}}, {15, 3}, {}},
        {"list window by its bar", "listwin", true, false, {{-20, 30}}, {-20, 30}, {}},
        {"a move back to the press point moves nothing",
         "ve3zod",
         true,
         false,
         {{0, 0}, {5, 0}},
         {5, 0},
         {}},
        {"the face is not a title bar", "ve3zod", false, false, {{12, 7}}, {0, 0}, {}},
        {"a handler moves the window itself",
         "ve3zod",
         true,
         true,
         {{12, 7}, {3, -4}},
         {0, 0},
         {{{12, 7}, true}, {{3, -4}, false}}},
    };
    for (const BarDragCase& c : cases) {
        SCOPED_TRACE(c.title);
        auto& w = Skinned(QString::fromLatin1(c.form));
        w.move(200, 150);
        const QPoint press = c.onBar ? Centre(w, QStringLiteral("bar"), QRect(60, 4, 40, 16))
                                     : QPoint(w.width() - 4, w.height() - 3);
        std::vector<std::pair<QPoint, bool>> reported;
        if (c.withHandler)
            skin.SetWindowDragHandler(
                &w, [&](QPoint delta, bool first) { reported.emplace_back(delta, first); });
        const QPoint before = w.pos();
        PointAt(w, press);
        QTest::mousePress(w.windowHandle(), Qt::LeftButton, {}, press);
        QPoint pointer; // on the screen: it stays put while the window follows it
        for (QPoint m : c.moves) {
            pointer = w.mapToGlobal(press + m);
            QTest::mouseMove(w.windowHandle(), press + m);
        }
        QTest::mouseRelease(w.windowHandle(), Qt::LeftButton, {}, w.mapFromGlobal(pointer));
        EXPECT_EQ(w.pos() - before, c.moved);
        EXPECT_EQ(reported, c.reported);
        // After the release the pointer moves the window no more.
        QTest::mouseMove(w.windowHandle(), press + QPoint(30, 30));
        EXPECT_EQ(w.pos() - before, c.moved);
        // The press and the moves still reach the window's own events.
        EXPECT_TRUE(
            Has("window press " + std::to_string(press.x()) + "," + std::to_string(press.y())));
    }
}

TEST_F(SkinTest, LongLabelTextsLoseTheirMiddleWhereTheSkinSaysSo) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("elide.svg"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:skin="urn:varnelo:skin">
<g skin:form="ve3zod" skin:bounds="0 0 200 60"><rect width="200" height="60" fill="#000"/>
<g skin:object="middle" skin:kind="label" skin:bounds="0 0 150 20" skin:elide="middle"/>
<g skin:object="right" skin:kind="label" skin:bounds="0 20 150 20"/>
<g skin:object="expect" skin:kind="label" skin:bounds="0 40 150 20"/>
</g></svg>)");
    f.close();
    TSkin small;
    small.LoadSkin(path);
    QWidget w;
    small.ApplySkinForm(&w, QStringLiteral("ve3zod"));
    ISkinObject* root = small.GetSkinObject(&w);
    const QString text = QStringLiteral("File Name: ZEV-11-12-2026--01;09;57.ogg");
    for (const char* name : {"middle", "right"})
        root->FindObject(QString::fromLatin1(name))->QueryLabel()->SetText(text);
    // The same text cut in the middle by hand, in the labels' default font.
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans")});
    font.setPixelSize(11);
    font.setStyleStrategy(QFont::PreferAntialias);
    const QString cut = QFontMetrics(font).elidedText(text, Qt::ElideMiddle, 150);
    ASSERT_NE(cut, text) << "the text must be too long for the label";
    ASSERT_TRUE(cut.endsWith(QStringLiteral(";57.ogg")));
    root->FindObject(QStringLiteral("expect"))->QueryLabel()->SetText(cut);
    const QImage middle = Picture(w, QRect(0, 0, 150, 20));
    EXPECT_EQ(middle, Picture(w, QRect(0, 40, 150, 20)));
    EXPECT_NE(middle, Picture(w, QRect(0, 20, 150, 20)));
}

TEST_F(SkinTest, TheSkinRemovesTheSystemFrame) {
    QWidget w;
    skin.ApplySkin(&w);
    EXPECT_TRUE(w.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(w.isWindow());
}

// A small skin written by the tests: a "ve3zod" form holding the objects named.
QByteArray SmallSkin(const QStringList& buttons, const QStringList& labels, bool withSlider) {
    QByteArray svg = R"(<?xml version="1.0"?>
<svg xmlns="http://www.w3.org/2000/svg" xmlns:skin="urn:varnelo:skin" width="383" height="207">
<g skin:form="ve3zod" skin:bounds="0 0 383 207"><rect width="383" height="207" fill="#222"/>
)";
    int x = 0;
    for (const QString& b : buttons) {
        svg += QStringLiteral(
                   "<g skin:object=\"%1\" skin:kind=\"button\" skin:bounds=\"%2 180 20 20\">"
                   "<rect skin:state=\"normal\" x=\"%2\" y=\"180\" width=\"20\" "
                   "height=\"20\" fill=\"#888\"/></g>\n")
                   .arg(b)
                   .arg(x)
                   .toUtf8();
        x += 22;
    }
    int y = 0;
    for (const QString& l : labels) {
        svg +=
            QStringLiteral("<g skin:object=\"%1\" skin:kind=\"label\" skin:bounds=\"0 %2 200 16\" "
                           "skin:color=\"#0f0\"/>\n")
                .arg(l)
                .arg(y)
                .toUtf8();
        y += 18;
    }
    if (withSlider)
        svg +=
            R"(<g skin:object="play_bar" skin:kind="slider" skin:bounds="0 160 383 16" skin:max="980">
<rect skin:part="thumb" skin:bounds="0 160 10 16" x="0" y="160" width="10" height="16" fill="#fff"/></g>
)";
    svg += "</g></svg>\n";
    return svg;
}

TEST_F(SkinTest, SkinWithoutTheOptionalLabelsLoads) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plain.svg"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(SmallSkin({"vavudizu", "pause", "stop", "add", "play", "list", "schedule", "scource",
                       "set", "tag", "help", "min", "close"},
                      {"s_time", "s_filename", "s_mono", "s_sizeson"}, true));
    f.close();
    TSkin small;
    ASSERT_NO_THROW(small.LoadSkin(path));
    QWidget w;
    small.ApplySkinForm(&w, QStringLiteral("ve3zod"));
    ISkinObject* root = small.GetSkinObject(&w);
    for (const char* name : {"s_left", "s_right", "showp", "s_size"})
        EXPECT_EQ(root->FindObject(QString::fromLatin1(name)), nullptr) << name;
    for (const char* name : {"s_time", "s_filename", "s_mono", "s_sizeson"}) {
        ISkinObject* o = root->FindObject(QString::fromLatin1(name));
        ASSERT_NE(o, nullptr) << name;
        ASSERT_NE(o->QueryLabel(), nullptr) << name;
        o->QueryLabel()->SetText(QStringLiteral("x"));
        o->QueryElement()->Redraw();
    }
    ISkinObject* bar = root->FindObject(QStringLiteral("play_bar"));
    ASSERT_NE(bar, nullptr);
    bar->QuerySlider()->SetPosition(980);
    EXPECT_EQ(bar->QuerySlider()->GetPosition(), 980);
}

struct BrokenSkin {
    const char* title;
    QByteArray content; // empty: no file at all
    const char* message;
};

TEST(SkinLoadErrors, BrokenSkinFilesAreReportedByName) {
    const BrokenSkin cases[] = {
        {"missing file", {}, "no such file"},
        {"plain text", "this is no skin", "not a skin file"},
        {"other XML", "<html><body/></html>", "not a skin file (no SVG document)"},
        {"SVG without forms",
         "<svg xmlns=\"http://www.w3.org/2000/svg\"><rect width=\"5\" height=\"5\"/></svg>",
         "defines no skin form"},
        {"gzip garbage", QByteArray("\x1f\x8b\x08\x00garbage-garbage-garbage", 27),
         "damaged compressed data"},
        {"cut gzip", QByteArray("\x1f\x8b", 2), "damaged compressed data"},
        {"object without bounds",
         "<svg xmlns:skin=\"urn:varnelo:skin\"><g skin:form=\"ve3zod\" skin:bounds=\"0 0 10 10\">"
         "<g skin:object=\"play\" skin:kind=\"button\"/></g></svg>",
         "the object \"play\" of the form \"ve3zod\" needs skin:bounds"},
        {"unknown kind",
         "<svg xmlns:skin=\"urn:varnelo:skin\"><g skin:form=\"ve3zod\" skin:bounds=\"0 0 10 10\">"
         "<g skin:object=\"play\" skin:kind=\"knob\" skin:bounds=\"0 0 5 5\"/></g></svg>",
         "unknown skin:kind \"knob\""},
        {"unknown action",
         "<svg xmlns:skin=\"urn:varnelo:skin\"><g skin:form=\"ve3zod\" skin:bounds=\"0 0 10 10\">"
         "<g skin:object=\"bar\" skin:kind=\"area\" skin:bounds=\"0 0 5 5\" skin:action=\"fly\"/>"
         "</g></svg>",
         "unknown skin:action \"fly\""},
        {"bad elision",
         "<svg xmlns:skin=\"urn:varnelo:skin\"><g skin:form=\"ve3zod\" skin:bounds=\"0 0 10 10\">"
         "<g skin:object=\"s_time\" skin:kind=\"label\" skin:bounds=\"0 0 5 5\" "
         "skin:elide=\"both\"/></g></svg>",
         "bad skin:elide \"both\""},
    };
    QTemporaryDir dir;
    for (const BrokenSkin& c : cases) {
        SCOPED_TRACE(c.title);
        const QString path = dir.filePath(QString::fromLatin1(c.title) + QStringLiteral(".dll"));
        if (!c.content.isEmpty()) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.content);
        }
        TSkin skin;
        try {
            skin.LoadSkin(path);
            ADD_FAILURE() << "loaded";
        } catch (const AppError& e) {
            const QString text = e.message();
            EXPECT_TRUE(text.startsWith(QStringLiteral("Cannot load the skin file ") + path + u':'))
                << text.toStdString();
            EXPECT_TRUE(text.contains(QString::fromLatin1(c.message))) << text.toStdString();
        }
    }
}

TEST(SkinLoadErrors, UnknownFormAndUnskinnedWindowsAreErrors) {
    TSkin skin;
    QWidget w;
    try {
        skin.ApplySkinForm(&w, QStringLiteral("ve3zod"));
        ADD_FAILURE() << "applied without a skin";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("no skin is loaded")));
    }
    skin.LoadSkin(kDefaultSkin);
    try {
        skin.ApplySkinForm(&w, QStringLiteral("Ve3zod"));
        ADD_FAILURE() << "applied a form that does not exist";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(),
                  QStringLiteral("The skin file %1 has no form \"Ve3zod\"").arg(kDefaultSkin));
    }
    EXPECT_THROW(skin.GetSkinObject(&w), AppError);
}

// A skin destroyed before its windows leaves them drawable, without objects.
TEST(SkinLifetime, WindowsOutliveTheSkin) {
    QWidget w;
    {
        TSkin skin;
        skin.LoadSkin(kDefaultSkin);
        skin.ApplySkinForm(&w, QStringLiteral("ve3zod"));
    }
    EXPECT_FALSE(w.grab().isNull());
}

} // namespace
